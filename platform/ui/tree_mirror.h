#ifndef QUIVRA_PLATFORM_UI_TREE_MIRROR_H_
#define QUIVRA_PLATFORM_UI_TREE_MIRROR_H_

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/tree_view.h"

namespace quivra::ui {

// The items of a tree view window, as a view writes them. An item is the window's own handle
// of a node.
class TreeViewPort {
 public:
  using Item = void*;
  virtual ~TreeViewPort() = default;

  // Adds an item showing `node` below `parent` (null: at the top level), after `after` (null:
  // as the first one), and returns it.
  virtual Item Insert(Item parent, Item after, const TreeNode& node) = 0;
  // Removes the item with everything below it.
  virtual void Remove(Item item) = 0;
  // Shows the node's text, state image and expander anew.
  virtual void Update(Item item, const TreeNode& node) = 0;
  virtual void SetExpanded(Item item, bool expanded) = 0;
  virtual Item Selected() = 0;
  // Selects the item (null: none).
  virtual void Select(Item item) = 0;
};

// What a tree view window shows, node by node, so that bringing the window in step with its
// model writes only what changed: nodes added, removed, moved, renamed, given another image or
// expander, expanded or collapsed, and the selection.
class TreeMirror {
 public:
  // Brings the window in step with the model.
  void Sync(TreeView& model, TreeViewPort& port);
  // The node the item shows, or null when the item is unknown or its node has left the model
  // since the window was last brought in step.
  TreeNode* NodeOf(TreeViewPort::Item item, TreeView& model) const;
  // The item showing the node, or null.
  TreeViewPort::Item ItemOf(const TreeNode* node) const;

 private:
  struct Shown {
    TreeNode* node = nullptr;
    TreeViewPort::Item item = nullptr;
    std::string text;
    int state_index = -1;
    bool has_children = false;
    bool expanded = false;
    std::vector<Shown> children;
  };

  void SyncChildren(TreeNode* parent,
                    TreeViewPort::Item parent_item,
                    std::vector<Shown>& shown,
                    TreeView& model,
                    TreeViewPort& port);
  Shown Add(TreeViewPort::Item parent_item,
            TreeViewPort::Item after,
            TreeNode& node,
            TreeView& model,
            TreeViewPort& port);
  void Forget(const Shown& shown);

  std::vector<Shown> roots_;
  std::unordered_map<TreeViewPort::Item, TreeNode*> nodes_;
  std::unordered_map<const TreeNode*, TreeViewPort::Item> items_;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_TREE_MIRROR_H_
