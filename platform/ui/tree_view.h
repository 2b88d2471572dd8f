#ifndef QUIVRA_PLATFORM_UI_TREE_VIEW_H_
#define QUIVRA_PLATFORM_UI_TREE_VIEW_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/collation.h"
#include "platform/ui/control.h"

namespace quivra::ui {

class TreeView;

// What a program attaches to a node; the node owns it.
class TreeNodeData {
 public:
  virtual ~TreeNodeData() = default;
};

// A node of a tree view: its text, whether it shows an expander before its children are
// loaded, its state image, its attached data, and whether it is expanded.
class TreeNode {
 public:
  TreeNode(TreeNode* parent, std::string text);
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }
  // Whether the node shows an expander; true also while it has children.
  bool HasChildren() const { return has_children_ || !children_.empty(); }
  void SetHasChildren(bool value) { has_children_ = value; }
  int StateIndex() const { return state_index_; }
  void SetStateIndex(int index) { state_index_ = index; }
  TreeNodeData* Data() const { return data_.get(); }
  void SetData(std::unique_ptr<TreeNodeData> data) { data_ = std::move(data); }
  bool Expanded() const { return expanded_; }

  TreeNode* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(children_.size()); }
  TreeNode& Item(int index) const { return *children_[static_cast<size_t>(index)]; }
  // 0 for a top-level node.
  int Level() const;

 private:
  friend class TreeView;

  TreeNode* parent_;
  std::string text_;
  bool has_children_ = false;
  int state_index_ = -1;
  std::unique_ptr<TreeNodeData> data_;
  bool expanded_ = false;
  std::vector<std::unique_ptr<TreeNode>> children_;
};

// A tree of nodes with state images. Expanding a node fires OnExpanding first, which may load
// the node's children and may refuse the expansion. One node at most is selected.
class TreeView : public Control {
 public:
  TreeView(Control* parent, std::string name, Rect bounds);
  ~TreeView() override;

  // Top-level nodes.
  int Count() const { return static_cast<int>(roots_.size()); }
  TreeNode& Item(int index) const { return *roots_[static_cast<size_t>(index)]; }

  // Appends a node below `parent` (null: at the top level).
  TreeNode& Add(TreeNode* parent, std::string text);
  // Removes every node, with its data.
  void Clear();
  // Removes the children of `node`, with their data; the node keeps its expander flag.
  void DeleteChildren(TreeNode& node);
  // Sorts the children of `parent` (null: the top level) by text in the locale's order; nodes
  // of the same text keep their order.
  void AlphaSort(TreeNode* parent, platform::Collation& collation);
  // Moves the node to the first place among its siblings.
  void MoveToFirst(TreeNode& node);
  // Every node in display order, a node before its children.
  void ForEach(const std::function<void(TreeNode&)>& visit);

  // Expands the node when it has an expander and OnExpanding allows it; collapses it.
  void Expand(TreeNode& node);
  void Collapse(TreeNode& node);

  TreeNode* Selected() const { return selected_; }
  // Selects the node, or nothing; fires OnChange when the selection changes.
  void Select(TreeNode* node);

  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value) { read_only_ = value; }
  bool RightClickSelect() const { return right_click_select_; }
  void SetRightClickSelect(bool value) { right_click_select_ = value; }
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool value) { row_select_ = value; }
  int Indent() const { return indent_; }
  void SetIndent(int value) { indent_ = value; }
  const std::string& StateImages() const { return state_images_; }
  void SetStateImages(std::string image_list) { state_images_ = std::move(image_list); }

  // The user's actions: a click focuses the tree and selects the node; a double-click also
  // toggles a node that has an expander, then fires OnDblClick.
  void UserClick(TreeNode* node);
  void UserDoubleClick(TreeNode* node);

  std::function<void(TreeView& Sender, TreeNode& Node, bool& AllowExpansion)> OnExpanding;
  std::function<void()> OnChange;
  std::function<void()> OnDblClick;

 private:
  friend class TreeNode;

  std::vector<std::unique_ptr<TreeNode>>& SiblingsOf(TreeNode* parent) {
    return parent == nullptr ? roots_ : parent->children_;
  }
  // Forgets the selection when it lies in the subtree about to be removed.
  void ForgetSelectionIn(TreeNode& node);

  std::vector<std::unique_ptr<TreeNode>> roots_;
  TreeNode* selected_ = nullptr;
  bool read_only_ = false;
  bool right_click_select_ = false;
  bool row_select_ = false;
  int indent_ = 19;
  std::string state_images_;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_TREE_VIEW_H_
