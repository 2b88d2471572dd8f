// The explorer windows of the simulated Outlook as tests see and drive them.

#include <algorithm>
#include <stdexcept>

#include "host/outlook/sim/sim_objects.h"
#include "host/outlook/sim/sim_outlook.h"

namespace quivra::outlook::sim {

using internal::ExplorerNode;
using internal::FolderNode;
using internal::ItemNode;
using internal::Misuse;
using internal::World;

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
  for (ItemNode* item : world_->View(*Node())) {
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
  explorer->shown = world_->View(*explorer);
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
  explorer->shown = world_->View(*explorer);
  std::vector<ItemNode*> selection;
  for (const SimItem& item : items) {
    ItemNode* node = item.Node();
    if (std::find(explorer->shown.begin(), explorer->shown.end(), node) == explorer->shown.end()) {
      Misuse("selecting an item the explorer does not list");
    }
    selection.push_back(node);
  }
  explorer->selection = std::move(selection);
  explorer->headers.clear();
  explorer->location = kSelectionInViewList;
  world_->RaiseExplorerEvent(explorer, [](ExplorerEvents& sink) { sink.SelectionChange(); });
}

void SimExplorer::ShowConversations(bool on) const {
  ExplorerNode* explorer = Node();
  explorer->conversation_view = on;
  explorer->headers.clear();
  explorer->shown = world_->View(*explorer);
  explorer->selection.clear();
  world_->RaiseExplorerEvent(explorer, [](ExplorerEvents& sink) { sink.ViewSwitch(); });
}

void SimExplorer::SelectConversations(const std::vector<SimItem>& collapsed,
                                      const std::vector<SimItem>& items) const {
  ExplorerNode* explorer = Node();
  if (!explorer->conversation_view) {
    Misuse("selecting conversations outside a conversation view");
  }
  std::vector<std::string> headers;
  for (const SimItem& member : collapsed) {
    const ItemNode* node = member.Node();
    if (node->folder != explorer->current || node->conversation_id.empty()) {
      Misuse("a conversation header stands for a conversation of the folder shown");
    }
    headers.push_back(node->conversation_id);
  }
  explorer->location = kSelectionInViewList;
  Select(items);
  explorer->headers = std::move(headers);
}

void SimExplorer::SelectElsewhere(int location, const std::vector<SimItem>& items) const {
  ExplorerNode* explorer = Node();
  std::vector<ItemNode*> nodes;
  for (const SimItem& item : items) {
    nodes.push_back(item.Node());
  }
  if (location == kSelectionInAttachmentWell) {
    explorer->attachments_of = std::move(nodes);
  } else if (location != kSelectionInViewList) {
    explorer->elsewhere = std::move(nodes);
  } else {
    Misuse("the message list's selection is made with Select");
  }
  explorer->location = location;
  world_->RaiseExplorerEvent(explorer, [](ExplorerEvents& sink) { sink.SelectionChange(); });
}

void SimExplorer::SetViewOrder(ViewOrder order) const {
  Node()->order = order;
  node_->shown = world_->View(*node_);
}

void SimExplorer::Activate() const {
  if (!Node()->open) {
    Misuse("activating a closed explorer");
  }
  ExplorerNode* before =
      world_->active_window == internal::WindowKind::kExplorer ? world_->active_explorer : nullptr;
  if (!node_->window) {
    // A new explorer's window comes into being before it is first activated.
    node_->window = world_->MakeWindow();
  }
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
  if (world_->windows.destroy && node_->window) {
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

}  // namespace quivra::outlook::sim
