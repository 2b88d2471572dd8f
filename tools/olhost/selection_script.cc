#include "tools/olhost/selection_script.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace quivra::olhost {

namespace {

using outlook::sim::ItemKind;
using outlook::sim::SimExplorer;
using outlook::sim::SimItem;

const std::map<std::string, ItemKind>& KindNames() {
  static const std::map<std::string, ItemKind> kKinds = {
      {"mail", ItemKind::kMail},
      {"task-accept", ItemKind::kTaskRequestAccept},
      {"task-decline", ItemKind::kTaskRequestDecline},
      {"task-update", ItemKind::kTaskRequestUpdate},
      {"sharing", ItemKind::kSharing},
      {"document", ItemKind::kDocument},
      {"remote", ItemKind::kRemote},
      {"mobile", ItemKind::kMobile},
      {"contact", ItemKind::kContact},
  };
  return kKinds;
}

bool IsKindName(const std::string& name) {
  return KindNames().count(name) > 0;
}

ItemKind KindNamed(const std::string& name) {
  const auto found = KindNames().find(name);
  if (found == KindNames().end()) {
    throw std::invalid_argument("no item kind " + name);
  }
  return found->second;
}

SimExplorer ExplorerNumbered(outlook::sim::SimOutlook& outlook, int number) {
  const std::vector<SimExplorer> explorers = outlook.explorers();
  if (number < 1 || number > static_cast<int>(explorers.size())) {
    throw std::out_of_range("no explorer " + std::to_string(number));
  }
  return explorers[static_cast<size_t>(number - 1)];
}

// The items of the explorer's view at the positions read from `args`.
std::vector<SimItem> ItemsAt(const SimExplorer& explorer, std::istringstream& args) {
  const std::vector<SimItem> view = explorer.view();
  std::vector<SimItem> items;
  size_t position = 0;
  while (args >> position) {
    if (position < 1 || position > view.size()) {
      throw std::out_of_range("no item at position " + std::to_string(position));
    }
    items.push_back(view[position - 1]);
  }
  if (items.empty()) {
    throw std::invalid_argument("expected positions");
  }
  return items;
}

// The rest of the line after the words read so far, without its leading spaces.
std::string Remainder(std::istringstream& args) {
  std::string rest;
  std::getline(args >> std::ws, rest);
  return rest;
}

}  // namespace

bool RunSelectionCommand(const std::string& command,
                         const std::string& rest,
                         outlook::sim::SimOutlook& outlook) {
  std::istringstream args(rest);
  if (command == "add-items") {
    size_t count = 0;
    args >> count;
    std::string path = Remainder(args);
    std::string kind = "mail";
    const size_t space = path.find(' ');
    if (space != std::string::npos && IsKindName(path.substr(0, space))) {
      kind = path.substr(0, space);
      path = path.substr(space + 1);
    }
    if (count < 1) {
      throw std::invalid_argument("expected <count> [<kind>] <path>");
    }
    const outlook::sim::SimFolder folder = outlook.FolderAt(path);
    for (size_t i = 1; i <= count; ++i) {
      folder.AddItem(KindNamed(kind), (kind == "mail" ? "Bulk mail " : kind + " ") +
                                          std::to_string(i));
    }
    std::printf("%zu new items of kind %s arrive in %s\n", count, kind.c_str(), path.c_str());
    return true;
  }
  if (command == "conversation") {
    std::string id;
    int explorer = 0;
    args >> id >> explorer;
    for (const SimItem& item : ItemsAt(ExplorerNumbered(outlook, explorer), args)) {
      item.SetConversationId(id);
    }
    std::printf("items of explorer %d belong to conversation %s\n", explorer, id.c_str());
    return true;
  }
  if (command == "add-reply") {
    std::string id;
    args >> id;
    const std::string path = Remainder(args);
    outlook.FolderAt(path).AddItem(ItemKind::kMail, "RE: " + id).SetConversationId(id);
    std::printf("the user's reply in conversation %s is kept in %s\n", id.c_str(), path.c_str());
    return true;
  }
  if (command == "conversation-view") {
    int explorer = 0;
    std::string on;
    args >> explorer >> on;
    ExplorerNumbered(outlook, explorer).ShowConversations(on == "on");
    std::printf("explorer %d shows conversations: %s\n", explorer, on.c_str());
    return true;
  }
  if (command == "select-conversations") {
    int explorer = 0;
    args >> explorer;
    const SimExplorer window = ExplorerNumbered(outlook, explorer);
    window.SelectConversations(ItemsAt(window, args));
    std::printf("user selects collapsed conversations in explorer %d\n", explorer);
    return true;
  }
  if (command == "select-attachment" || command == "select-in-todo-bar") {
    int explorer = 0;
    args >> explorer;
    const SimExplorer window = ExplorerNumbered(outlook, explorer);
    const bool attachment = command == "select-attachment";
    window.SelectElsewhere(
        attachment ? outlook::kSelectionInAttachmentWell : outlook::kSelectionInToDoBarTaskList,
        ItemsAt(window, args));
    std::printf("user selects %s in explorer %d\n",
                attachment ? "an attachment in the reading pane" : "a task in the To-Do Bar",
                explorer);
    return true;
  }
  if (command == "live-selection") {
    outlook.SetLiveSelection(rest == "on");
    std::printf("explorers' selections follow every move at once: %s\n", rest.c_str());
    return true;
  }
  return false;
}

}  // namespace quivra::olhost
