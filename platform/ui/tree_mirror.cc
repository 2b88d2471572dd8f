#include "platform/ui/tree_mirror.h"

#include <unordered_set>

namespace quivra::ui {

namespace {

int ChildCount(TreeView& model, TreeNode* parent) {
  return parent == nullptr ? model.Count() : parent->Count();
}

TreeNode& Child(TreeView& model, TreeNode* parent, int index) {
  return parent == nullptr ? model.Item(index) : parent->Item(index);
}

}  // namespace

void TreeMirror::Sync(TreeView& model, TreeViewPort& port) {
  SyncChildren(nullptr, nullptr, roots_, model, port);
  TreeViewPort::Item wanted = ItemOf(model.Selected());
  if (port.Selected() != wanted) {
    port.Select(wanted);
  }
}

void TreeMirror::SyncChildren(TreeNode* parent,
                              TreeViewPort::Item parent_item,
                              std::vector<Shown>& shown,
                              TreeView& model,
                              TreeViewPort& port) {
  const int count = ChildCount(model, parent);
  std::unordered_set<const TreeNode*> in_model;
  in_model.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    in_model.insert(&Child(model, parent, i));
  }
  // Items whose nodes are gone go first.
  std::vector<Shown> kept;
  kept.reserve(shown.size());
  for (Shown& entry : shown) {
    if (in_model.count(entry.node) != 0) {
      kept.push_back(std::move(entry));
    } else {
      port.Remove(entry.item);
      Forget(entry);
    }
  }
  std::unordered_map<const TreeNode*, size_t> kept_at;
  for (size_t i = 0; i < kept.size(); ++i) {
    kept_at[kept[i].node] = i;
  }
  // Then the model's order is walked. The window keeps the items kept so far and, after them,
  // those not yet reached, in their old order; an item that is not the next one there belongs to
  // a node that moved ahead, which is shown anew in its place.
  std::vector<Shown> result;
  result.reserve(static_cast<size_t>(count));
  size_t cursor = 0;
  for (int i = 0; i < count; ++i) {
    TreeNode& node = Child(model, parent, i);
    while (cursor < kept.size() && kept[cursor].node == nullptr) {
      ++cursor;
    }
    if (cursor < kept.size() && kept[cursor].node == &node) {
      Shown entry = std::move(kept[cursor++]);
      if (entry.text != node.Text() || entry.state_index != node.StateIndex() ||
          entry.has_children != node.HasChildren()) {
        port.Update(entry.item, node);
        entry.text = node.Text();
        entry.state_index = node.StateIndex();
        entry.has_children = node.HasChildren();
      }
      SyncChildren(&node, entry.item, entry.children, model, port);
      if (entry.expanded != node.Expanded()) {
        port.SetExpanded(entry.item, node.Expanded());
        entry.expanded = node.Expanded();
      }
      result.push_back(std::move(entry));
      continue;
    }
    if (const auto it = kept_at.find(&node); it != kept_at.end()) {
      Shown& moved = kept[it->second];
      port.Remove(moved.item);
      Forget(moved);
      moved.node = nullptr;
    }
    const TreeViewPort::Item after = result.empty() ? nullptr : result.back().item;
    result.push_back(Add(parent_item, after, node, model, port));
  }
  shown = std::move(result);
}

TreeMirror::Shown TreeMirror::Add(TreeViewPort::Item parent_item,
                                  TreeViewPort::Item after,
                                  TreeNode& node,
                                  TreeView& model,
                                  TreeViewPort& port) {
  Shown entry;
  entry.node = &node;
  entry.item = port.Insert(parent_item, after, node);
  entry.text = node.Text();
  entry.state_index = node.StateIndex();
  entry.has_children = node.HasChildren();
  nodes_[entry.item] = &node;
  items_[&node] = entry.item;
  SyncChildren(&node, entry.item, entry.children, model, port);
  if (node.Expanded()) {
    port.SetExpanded(entry.item, true);
    entry.expanded = true;
  }
  return entry;
}

void TreeMirror::Forget(const Shown& shown) {
  nodes_.erase(shown.item);
  if (auto it = items_.find(shown.node); it != items_.end() && it->second == shown.item) {
    items_.erase(it);
  }
  for (const Shown& child : shown.children) {
    Forget(child);
  }
}

TreeNode* TreeMirror::NodeOf(TreeViewPort::Item item, TreeView& model) const {
  const auto it = nodes_.find(item);
  if (it == nodes_.end()) {
    return nullptr;
  }
  bool present = false;
  model.ForEach(
      [&present, wanted = it->second](TreeNode& node) { present = present || &node == wanted; });
  return present ? it->second : nullptr;
}

TreeViewPort::Item TreeMirror::ItemOf(const TreeNode* node) const {
  const auto it = items_.find(node);
  return it == items_.end() ? nullptr : it->second;
}

}  // namespace quivra::ui
