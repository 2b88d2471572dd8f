#include "host/outlook/sim/sim_outlook.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "host/outlook/sim/sim_objects.h"

namespace quivra::outlook::sim {

using internal::ExplorerNode;
using internal::FolderNode;
using internal::ItemNode;
using internal::Misuse;
using internal::World;
using internal::CheckNewName;

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
  if (kind == kFolderDeletedItems) {
    SetDeletedItems(folder);
  }
}

void SimOutlook::SetDeletedItems(const SimFolder& folder) {
  FolderNode* node = folder.Node();
  World::RootOf(node)->deleted_items = node;
}

void SimOutlook::EmptyDeletedItems(const SimFolder& root) {
  FolderNode* bin = World::RootOf(root.Node())->deleted_items;
  if (!bin) {
    Misuse("emptying Deleted Items of a store that has none");
  }
  const std::vector<FolderNode*> folders = bin->children;
  for (FolderNode* folder : folders) {
    world_->RemoveFolder(folder);
  }
  for (ItemNode* item : bin->items) {
    item->exists = false;
  }
  bin->items.clear();
}

void SimOutlook::SetLiveSelection(bool live) {
  world_->live_selection = live;
}

void SimOutlook::ResolveIdsInAnyStore(bool any_store) {
  world_->ids_resolve_in_any_store = any_store;
}

SimExplorer SimOutlook::AddExplorer(const SimFolder& folder) {
  world_->explorers.push_back(std::make_unique<ExplorerNode>());
  ExplorerNode* node = world_->explorers.back().get();
  SimExplorer explorer(world_.get(), node);
  explorer.ShowFolder(folder);
  // As Outlook does, the new explorer is reported before its window exists; the window is made
  // when the explorer is first activated.
  world_->RaiseNewExplorer(node);
  if (node->open) {
    explorer.Activate();
  }
  return explorer;
}

void SimOutlook::UseWindows(internal::WindowSystem windows) {
  world_->windows = std::move(windows);
  for (const auto& explorer : world_->explorers) {
    if (explorer->open) {
      explorer->window = world_->MakeWindow();
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
  const std::vector<ItemNode*> view = world_->View(*explorer);
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
