#include "host/outlook/sim/sim_outlook.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "host/outlook/sim/sim_objects.h"

namespace quivra::outlook::sim {

using internal::ExplorerNode;
using internal::FolderNode;
using internal::ItemNode;
using internal::World;

namespace {

[[noreturn]] void Misuse(const std::string& what) {
  throw std::logic_error("SimOutlook: " + what);
}

void CheckNewName(const FolderNode* parent, std::string_view name) {
  if (name.empty()) {
    Misuse("a folder needs a name");
  }
  if (parent && World::FindChild(parent->children, name)) {
    Misuse("folder \"" + std::string(name) + "\" exists already");
  }
}

}  // namespace

// SimFolder

FolderNode* SimFolder::Node() const {
  if (!node_) {
    Misuse("empty folder reference");
  }
  return node_;
}

bool SimFolder::exists() const {
  return Node()->exists;
}

const std::string& SimFolder::name() const {
  return Node()->name;
}

const std::string& SimFolder::entry_id() const {
  return Node()->entry_id;
}

const std::string& SimFolder::store_id() const {
  return Node()->store_id;
}

int SimFolder::default_item_type() const {
  return Node()->default_item_type;
}

std::string SimFolder::path() const {
  std::string path = Node()->name;
  for (FolderNode* up = node_->parent; up; up = up->parent) {
    path = up->name + "\\" + path;
  }
  return path;
}

SimFolder SimFolder::parent() const {
  return Node()->parent ? SimFolder(world_, node_->parent) : SimFolder();
}

SimFolder SimFolder::operator[](std::string_view name) const {
  for (FolderNode* child : Node()->children) {
    if (child->name == name) {
      return SimFolder(world_, child);
    }
  }
  Misuse("no folder \"" + std::string(name) + "\" in \"" + path() + "\"");
}

std::vector<SimFolder> SimFolder::subfolders() const {
  std::vector<SimFolder> folders;
  for (FolderNode* child : Node()->children) {
    folders.emplace_back(world_, child);
  }
  return folders;
}

std::vector<SimItem> SimFolder::items() const {
  std::vector<SimItem> items;
  for (ItemNode* item : Node()->items) {
    items.emplace_back(world_, item);
  }
  return items;
}

SimFolder SimFolder::AddFolder(std::string_view name, int default_item_type) const {
  CheckNewName(Node(), name);
  return SimFolder(world_, world_->NewFolder(node_, name, default_item_type, node_->store_id));
}

SimItem SimFolder::AddItem(ItemKind kind,
                           std::string_view subject,
                           std::optional<std::string> conversation_index) const {
  std::string index =
      conversation_index ? std::move(*conversation_index) : world_->NewConversationIndex();
  return SimItem(world_, world_->NewItem(Node(), kind, subject, std::move(index)));
}

void SimFolder::Rename(std::string_view name) const {
  CheckNewName(Node()->parent, name);
  node_->name = std::string(name);
}

void SimFolder::MoveTo(const SimFolder& new_parent) const {
  internal::FolderNode* parent = new_parent.Node();
  if (!Node()->parent || parent->store_id != node_->store_id) {
    Misuse("moving a root folder, or a folder to another store");
  }
  for (internal::FolderNode* above = parent; above; above = above->parent) {
    if (above == node_) {
      Misuse("moving a folder below itself");
    }
  }
  CheckNewName(parent, node_->name);
  auto& siblings = node_->parent->children;
  siblings.erase(std::find(siblings.begin(), siblings.end(), node_));
  parent->children.push_back(node_);
  node_->parent = parent;
}

void SimFolder::SetHidden(bool hidden) const {
  Node()->hidden = hidden;
}

void SimFolder::Delete() const {
  if (Node()->exists) {
    world_->RemoveFolder(node_);
  }
}

MAPIFolderPtr SimFolder::handle() const {
  return internal::MakeFolder(world_->shared_from_this(), Node());
}

// SimItem

ItemNode* SimItem::Node() const {
  if (!node_) {
    Misuse("empty item reference");
  }
  return node_;
}

bool SimItem::exists() const {
  return Node()->exists;
}

ItemKind SimItem::kind() const {
  return Node()->kind;
}

const std::string& SimItem::subject() const {
  return Node()->subject;
}

const std::string& SimItem::conversation_index() const {
  return Node()->conversation_index;
}

void SimItem::SetSender(std::string_view address) const {
  Node()->sender = std::string(address);
}

void SimItem::SetConversationId(std::string_view id) const {
  Node()->conversation_id = std::string(id);
}

SimFolder SimItem::folder() const {
  return SimFolder(world_, Node()->folder);
}

void SimItem::MoveTo(const SimFolder& folder) const {
  if (!Node()->exists || !folder.exists()) {
    Misuse("moving an item that is gone, or into a folder that is gone");
  }
  World::MoveItem(node_, folder.Node());
}

void SimItem::Delete() const {
  ItemNode* item = Node();
  if (!item->exists) {
    return;
  }
  auto& items = item->folder->items;
  items.erase(std::find(items.begin(), items.end(), item));
  item->exists = false;
}

ObjectPtr SimItem::handle() const {
  return internal::MakeItemObject(world_->shared_from_this(), Node());
}

// SimExplorer

ExplorerNode* SimExplorer::Node() const {
  if (!node_) {
    Misuse("empty explorer reference");
  }
  return node_;
}

bool SimExplorer::is_open() const {
  return Node()->open;
}

SimFolder SimExplorer::current_folder() const {
  return SimFolder(world_, Node()->current);
}

std::vector<SimItem> SimExplorer::selection() const {
  std::vector<SimItem> items;
  for (ItemNode* item : Node()->selection) {
    items.emplace_back(world_, item);
  }
  return items;
}

std::vector<SimItem> SimExplorer::view() const {
  std::vector<SimItem> items;
  for (ItemNode* item : World::View(*Node())) {
    items.emplace_back(world_, item);
  }
  return items;
}

std::uintptr_t SimExplorer::window() const {
  return Node()->window;
}

bool SimExplorer::ShowFolder(const SimFolder& folder) const {
  if (!folder.exists()) {
    Misuse("showing a folder that is gone");
  }
  ExplorerNode* explorer = Node();
  bool cancel = false;
  world_->RaiseExplorerEvent(
      explorer, [&](ExplorerEvents& sink) { sink.BeforeFolderSwitch(folder.handle(), cancel); });
  if (cancel) {
    return false;
  }
  explorer->current = folder.Node();
  explorer->selection.clear();
  explorer->shown = World::View(*explorer);
  world_->RaiseExplorerEvent(explorer, [](ExplorerEvents& sink) { sink.FolderSwitch(); });
  return true;
}

bool SimExplorer::SwitchView(std::string_view view) const {
  ExplorerNode* explorer = Node();
  bool cancel = false;
  const std::string name(view);
  world_->RaiseExplorerEvent(explorer,
                             [&](ExplorerEvents& sink) { sink.BeforeViewSwitch(name, cancel); });
  if (cancel) {
    return false;
  }
  world_->RaiseExplorerEvent(explorer, [](ExplorerEvents& sink) { sink.ViewSwitch(); });
  return true;
}

void SimExplorer::Select(const std::vector<SimItem>& items) const {
  ExplorerNode* explorer = Node();
  explorer->shown = World::View(*explorer);
  std::vector<ItemNode*> selection;
  for (const SimItem& item : items) {
    ItemNode* node = item.Node();
    if (std::find(explorer->shown.begin(), explorer->shown.end(), node) == explorer->shown.end()) {
      Misuse("selecting an item the explorer does not list");
    }
    selection.push_back(node);
  }
  explorer->selection = std::move(selection);
  world_->RaiseExplorerEvent(explorer, [](ExplorerEvents& sink) { sink.SelectionChange(); });
}

void SimExplorer::SetViewOrder(ViewOrder order) const {
  Node()->order = order;
  node_->shown = World::View(*node_);
}

void SimExplorer::Activate() const {
  if (!Node()->open) {
    Misuse("activating a closed explorer");
  }
  ExplorerNode* before =
      world_->active_window == internal::WindowKind::kExplorer ? world_->active_explorer : nullptr;
  world_->active_explorer = node_;
  world_->active_window = internal::WindowKind::kExplorer;
  if (world_->windows.bring_to_front) {
    world_->windows.bring_to_front(node_->window);
  }
  if (before == node_) {
    return;
  }
  if (before && before->open) {
    world_->RaiseExplorerEvent(before, [](ExplorerEvents& sink) { sink.Deactivate(); });
  }
  world_->RaiseExplorerEvent(node_, [](ExplorerEvents& sink) { sink.Activate(); });
}

void SimExplorer::Close() const {
  if (!Node()->open) {
    return;
  }
  world_->RaiseExplorerEvent(node_, [](ExplorerEvents& sink) { sink.Close(); });
  node_->open = false;
  if (world_->windows.destroy) {
    world_->windows.destroy(node_->window);
  }
  if (world_->active_explorer == node_) {
    world_->active_explorer = nullptr;
    for (const auto& other : world_->explorers) {
      if (other->open) {
        world_->active_explorer = other.get();
      }
    }
    if (world_->active_window == internal::WindowKind::kExplorer) {
      world_->active_window =
          world_->active_explorer ? internal::WindowKind::kExplorer : internal::WindowKind::kNone;
      if (world_->active_explorer && world_->windows.bring_to_front) {
        world_->windows.bring_to_front(world_->active_explorer->window);
      }
      if (world_->active_explorer) {
        world_->RaiseExplorerEvent(world_->active_explorer,
                                   [](ExplorerEvents& sink) { sink.Activate(); });
      }
    }
  }
}

ExplorerPtr SimExplorer::handle() const {
  return internal::MakeExplorer(world_->shared_from_this(), Node());
}

// SimOutlook

SimOutlook::SimOutlook() : world_(std::make_shared<World>()) {}

SimOutlook::~SimOutlook() = default;

ApplicationPtr SimOutlook::application() const {
  return internal::MakeApplication(world_);
}

SimFolder SimOutlook::AddStore(std::string_view root_name) {
  CheckNewName(nullptr, root_name);
  return SimFolder(world_.get(), world_->NewStore(root_name));
}

void SimOutlook::CloseStore(const SimFolder& root) {
  if (root.parent() || !root.exists()) {
    Misuse("closing something that is not an open store");
  }
  world_->RemoveFolder(root.Node());
}

void SimOutlook::RefuseMovesInto(const SimFolder& root, std::int32_t code, std::string text) {
  if (root.parent()) {
    Misuse("refusing moves into something that is not a store");
  }
  world_->refusing_stores[root.store_id()] = internal::Refusal{code, std::move(text)};
}

std::vector<SimFolder> SimOutlook::stores() const {
  std::vector<SimFolder> roots;
  for (FolderNode* root : world_->stores) {
    roots.emplace_back(world_.get(), root);
  }
  return roots;
}

SimFolder SimOutlook::FolderAt(std::string_view path) const {
  size_t end = path.find('\\');
  std::string_view root_name = path.substr(0, end);
  for (FolderNode* root : world_->stores) {
    if (root->name == root_name) {
      SimFolder folder(world_.get(), root);
      while (end != std::string_view::npos) {
        size_t start = end + 1;
        end = path.find('\\', start);
        folder = folder[path.substr(start, end == std::string_view::npos ? end : end - start)];
      }
      return folder;
    }
  }
  Misuse("no store \"" + std::string(root_name) + "\"");
}

void SimOutlook::SetDefaultFolder(int kind, const SimFolder& folder) {
  world_->default_folders[kind] = folder.Node();
}

SimExplorer SimOutlook::AddExplorer(const SimFolder& folder) {
  world_->explorers.push_back(std::make_unique<ExplorerNode>());
  ExplorerNode* node = world_->explorers.back().get();
  node->window = NewWindow();
  SimExplorer explorer(world_.get(), node);
  explorer.ShowFolder(folder);
  world_->RaiseNewExplorer(node);
  if (node->open) {
    explorer.Activate();
  }
  return explorer;
}

std::uintptr_t SimOutlook::NewWindow() {
  if (world_->windows.make) {
    return world_->windows.make();
  }
  const std::uintptr_t window = world_->next_window;
  world_->next_window += 0x10;
  return window;
}

void SimOutlook::UseWindows(internal::WindowSystem windows) {
  world_->windows = std::move(windows);
  for (const auto& explorer : world_->explorers) {
    if (explorer->open) {
      explorer->window = NewWindow();
    }
  }
  if (world_->active_window == internal::WindowKind::kExplorer && world_->active_explorer &&
      world_->windows.bring_to_front) {
    world_->windows.bring_to_front(world_->active_explorer->window);
  }
}

std::vector<SimExplorer> SimOutlook::explorers() const {
  std::vector<SimExplorer> open;
  for (const auto& explorer : world_->explorers) {
    if (explorer->open) {
      open.emplace_back(world_.get(), explorer.get());
    }
  }
  return open;
}

void SimOutlook::ReportNewExplorer(const SimExplorer& explorer) {
  world_->RaiseNewExplorer(explorer.Node());
}

namespace {

void DeactivateFront(World& world) {
  if (world.active_window == internal::WindowKind::kExplorer && world.active_explorer &&
      world.active_explorer->open) {
    world.RaiseExplorerEvent(world.active_explorer,
                             [](ExplorerEvents& sink) { sink.Deactivate(); });
  }
}

}  // namespace

void SimOutlook::ActivateInspector() {
  DeactivateFront(*world_);
  world_->active_window = internal::WindowKind::kInspector;
}

void SimOutlook::DeactivateWindows() {
  DeactivateFront(*world_);
  world_->active_window = internal::WindowKind::kNone;
}

void SimOutlook::RefuseFolderType(int type, std::int32_t code) {
  world_->refused_folder_type = std::make_pair(type, code);
}

void SimOutlook::SetVersion(std::string_view version) {
  world_->version = std::string(version);
}

void SimOutlook::Quit() {
  world_->RaiseQuit();
}

int SimOutlook::EventConnectionCount() const {
  return static_cast<int>(world_->explorer_sinks.size() + world_->explorers_sinks.size() +
                          world_->application_sinks.size());
}

void SimOutlook::ProcessMessages() {
  world_->RefreshViews();
}

void SimOutlook::PressKey(ListKey key, bool shift) {
  ExplorerNode* explorer = world_->active_explorer;
  if (world_->active_window != internal::WindowKind::kExplorer || !explorer || !explorer->open) {
    return;
  }
  const std::vector<ItemNode*> view = World::View(*explorer);
  std::vector<ItemNode*>& selection = explorer->selection;
  if (view.empty()) {
    return;
  }
  if (selection.empty()) {
    selection = {view.front()};
    return;
  }
  const auto position = [&view](ItemNode* item) {
    return static_cast<int>(std::find(view.begin(), view.end(), item) - view.begin());
  };
  const int last = static_cast<int>(view.size()) - 1;
  const int anchor = position(selection.front());
  const int focus = position(selection.back());
  if (anchor > last || focus > last) {
    return;  // the list has not caught up with a move yet
  }
  int next = key == ListKey::kUp ? focus - 1 : focus + 1;
  if (next < 0 || next > last) {
    next = focus;
  }
  if (!shift) {
    selection = {view[static_cast<size_t>(next)]};
    return;
  }
  std::vector<ItemNode*> range;
  const int step = next >= anchor ? 1 : -1;
  for (int at = anchor;; at += step) {
    range.push_back(view[static_cast<size_t>(at)]);
    if (at == next) {
      break;
    }
  }
  selection = std::move(range);
}

const std::map<std::string, int, std::less<>>& SimOutlook::calls() const {
  return world_->calls;
}

int SimOutlook::CallCount(std::string_view method) const {
  auto found = world_->calls.find(method);
  return found == world_->calls.end() ? 0 : found->second;
}

int SimOutlook::TotalCalls() const {
  return std::accumulate(world_->calls.begin(), world_->calls.end(), 0,
                         [](int sum, const auto& entry) { return sum + entry.second; });
}

void SimOutlook::ResetCallCounts() {
  world_->calls.clear();
}

void SimOutlook::FailCall(std::string_view method, FailMode mode, int skip) {
  world_->failures[std::string(method)] = internal::Failure{mode, skip};
}

void SimOutlook::StopFailing() {
  world_->failures.clear();
}

void SimOutlook::SetCallGate(CallGate gate) {
  world_->gate = std::move(gate);
}

}  // namespace quivra::outlook::sim
