#include "tools/olhost/mailbox_script.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <utility>

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
  return false;
}

}  // namespace quivra::olhost
