#include "tools/olhost/mailbox_script.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quivra::olhost {

namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  const size_t last = text.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// "<left> -> <right>".
std::pair<std::string, std::string> Arrow(const std::string& rest) {
  const size_t arrow = rest.find("->");
  if (arrow == std::string::npos) {
    throw std::invalid_argument("expected <path> -> <name>");
  }
  return {Trim(rest.substr(0, arrow)), Trim(rest.substr(arrow + 2))};
}

// The kinds of open objects by their script names.
outlook::sim::OpenObjectKind KindNamed(const std::string& name) {
  using outlook::sim::OpenObjectKind;
  if (name == "folders") {
    return OpenObjectKind::kFolder;
  }
  if (name == "items") {
    return OpenObjectKind::kItem;
  }
  if (name == "folder-views") {
    return OpenObjectKind::kFolderView;
  }
  if (name == "item-views") {
    return OpenObjectKind::kItemView;
  }
  throw std::invalid_argument("no kind of open object " + name);
}

}  // namespace

bool RunMailboxCommand(const std::string& command,
                       const std::string& rest,
                       outlook::sim::SimOutlook& outlook) {
  if (command == "rename-folder") {
    const auto [path, name] = Arrow(rest);
    std::printf("the folder %s is renamed to %s\n", path.c_str(), name.c_str());
    outlook.FolderAt(path).Rename(name);
    return true;
  }
  if (command == "move-folder") {
    const auto [path, parent] = Arrow(rest);
    std::printf("the folder %s moves below %s\n", path.c_str(), parent.c_str());
    outlook.FolderAt(path).MoveTo(outlook.FolderAt(parent));
    return true;
  }
  if (command == "delete-folder") {
    // Deleting a folder in Outlook moves it, with what it holds, below its store's Deleted
    // Items, where it keeps its EntryID; there, or emptying Deleted Items, deletes it for good
    // ("Folder.Delete method (Outlook)", https://learn.microsoft.com/office/vba/api/outlook.folder.delete;
    // "IMAPIFolder::DeleteFolder", https://learn.microsoft.com/office/client-developer/outlook/mapi/imapifolder-deletefolder).
    std::printf("the user deletes the folder %s\n", rest.c_str());
    outlook.FolderAt(Trim(rest)).Delete();
    return true;
  }
  if (command == "empty-deleted-items") {
    std::printf("the user empties the Deleted Items of %s\n", rest.c_str());
    outlook.EmptyDeletedItems(outlook.FolderAt(Trim(rest)));
    return true;
  }
  if (command == "refuse-moves") {
    // Outlook raises a store's refusal from MailItem.Move as an error whose HRESULT is the MAPI
    // code and whose description is Outlook's own text: MAPI_E_NO_ACCESS (0x80070005) where the
    // user may not create items (a read-only shared mailbox, a public folder without rights),
    // MAPI_E_NETWORK_ERROR (0x80040115) where the server cannot be reached (an offline store),
    // MAPI_E_NOT_FOUND (0x8004010F) for a folder of a store closed meanwhile (the simulated
    // Outlook raises that one by itself). Microsoft documents the codes, not the texts, which
    // the script therefore gives.
    // - "MAPI Return Value Documentation":
    //   https://learn.microsoft.com/office/client-developer/outlook/mapi/mapi-return-value-documentation
    // - "Error handling in MAPI":
    //   https://learn.microsoft.com/office/client-developer/outlook/mapi/error-handling-in-mapi
    // - "Network and RPC Error Codes for Information Store Operations" (Exchange SDK): an access
    //   denied becomes MAPI_E_NO_ACCESS, an unavailable server MAPI_E_NETWORK_ERROR.
    const size_t space = rest.find(' ');
    const size_t second = rest.find(' ', space + 1);
    if (space == std::string::npos || second == std::string::npos) {
      throw std::invalid_argument("expected <store> <hex code> <text>");
    }
    const std::string store = rest.substr(0, space);
    const auto code = static_cast<std::int32_t>(
        std::stoul(rest.substr(space + 1, second - space - 1), nullptr, 16));
    const std::string text = Trim(rest.substr(second + 1));
    std::printf("the store %s refuses items moved into it\n", store.c_str());
    outlook.RefuseMovesInto(outlook.FolderAt(store), code, text);
    return true;
  }
  if (command == "limit-open-objects") {
    // The Exchange server behind the mailbox limits the objects the session holds open, for
    // Outlook and its add-ins together; see the simulated Outlook's sim_open_objects.h.
    if (rest == "exchange") {
      std::printf("the server limits open objects to Exchange's defaults\n");
      outlook.LimitOpenObjectsAsExchange();
      return true;
    }
    std::istringstream words(rest);
    std::vector<std::string> pairs;
    for (std::string word; words >> word;) {
      pairs.push_back(word);
    }
    if (pairs.empty() || pairs.size() % 2 != 0) {
      throw std::invalid_argument("expected exchange, or <kind> <count|none> ...");
    }
    for (size_t i = 0; i < pairs.size(); i += 2) {
      const std::string& count = pairs[i + 1];
      std::printf("the server limits open %s to %s\n", pairs[i].c_str(), count.c_str());
      outlook.LimitOpenObjects(KindNamed(pairs[i]), count == "none"
                                                        ? std::nullopt
                                                        : std::optional<int>(std::stoi(count)));
    }
    return true;
  }
  if (command == "expect-open-objects") {
    // expect-open-objects <kind> <count>: never more than that many objects of the kind were
    // open at once so far, and none was refused.
    std::istringstream words(rest);
    std::string kind;
    int most = 0;
    if (!(words >> kind >> most)) {
      throw std::invalid_argument("expected <kind> <count>");
    }
    const int highest = outlook.HighestOpenObjectCount(KindNamed(kind));
    const int refused = outlook.RefusedOpenCount(KindNamed(kind));
    const std::string what = std::to_string(highest) + " " + kind + " at most were open at once, " +
                             std::to_string(refused) + " refused";
    if (highest > most || refused > 0) {
      throw std::runtime_error(what + " (expected at most " + std::to_string(most) +
                               ", none refused)");
    }
    std::printf("PASS: %s\n", what.c_str());
    return true;
  }
  return false;
}

}  // namespace quivra::olhost
