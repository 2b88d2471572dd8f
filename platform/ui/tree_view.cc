#include "platform/ui/tree_view.h"

#include <algorithm>
#include <utility>

namespace quivra::ui {

TreeNode::TreeNode(TreeNode* parent, std::string text) : parent_(parent), text_(std::move(text)) {}

int TreeNode::Level() const {
  int level = 0;
  for (const TreeNode* node = parent_; node != nullptr; node = node->parent_) {
    ++level;
  }
  return level;
}

TreeView::TreeView(Control* parent, std::string name, Rect bounds)
    : Control(parent, std::move(name), bounds) {}

TreeView::~TreeView() = default;

TreeNode& TreeView::Add(TreeNode* parent, std::string text) {
  auto& siblings = SiblingsOf(parent);
  siblings.push_back(std::make_unique<TreeNode>(parent, std::move(text)));
  return *siblings.back();
}

void TreeView::Clear() {
  Select(nullptr);
  roots_.clear();
}

void TreeView::DeleteChildren(TreeNode& node) {
  for (auto& child : node.children_) {
    ForgetSelectionIn(*child);
  }
  node.children_.clear();
}

void TreeView::ForgetSelectionIn(TreeNode& node) {
  for (TreeNode* walk = selected_; walk != nullptr; walk = walk->parent_) {
    if (walk == &node) {
      Select(nullptr);
      return;
    }
  }
}

void TreeView::AlphaSort(TreeNode* parent, platform::Collation& collation) {
  auto& siblings = SiblingsOf(parent);
  std::stable_sort(siblings.begin(), siblings.end(), [&collation](const auto& a, const auto& b) {
    return collation.Compare(a->text_, b->text_) < 0;
  });
}

void TreeView::MoveToFirst(TreeNode& node) {
  auto& siblings = SiblingsOf(node.parent_);
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [&node](const auto& sibling) { return sibling.get() == &node; });
  std::rotate(siblings.begin(), it, it + 1);
}

void TreeView::ForEach(const std::function<void(TreeNode&)>& visit) {
  const std::function<void(std::vector<std::unique_ptr<TreeNode>>&)> walk =
      [&](std::vector<std::unique_ptr<TreeNode>>& nodes) {
        for (auto& node : nodes) {
          visit(*node);
          walk(node->children_);
        }
      };
  walk(roots_);
}

void TreeView::Expand(TreeNode& node) {
  if (node.expanded_ || !node.HasChildren()) {
    return;
  }
  bool allow = true;
  if (OnExpanding) {
    OnExpanding(*this, node, allow);
  }
  if (allow) {
    node.expanded_ = true;
  }
}

void TreeView::Collapse(TreeNode& node) {
  node.expanded_ = false;
}

void TreeView::Select(TreeNode* node) {
  if (node == selected_) {
    return;
  }
  selected_ = node;
  if (OnChange) {
    OnChange();
  }
}

void TreeView::UserClick(TreeNode* node) {
  if (!Reachable()) {
    return;
  }
  SetFocus();
  Select(node);
}

void TreeView::UserDoubleClick(TreeNode* node) {
  if (!Reachable()) {
    return;
  }
  UserClick(node);
  if (node != nullptr && node->HasChildren()) {
    if (node->Expanded()) {
      Collapse(*node);
    } else {
      Expand(*node);
    }
  }
  if (OnDblClick) {
    OnDblClick();
  }
}

}  // namespace quivra::ui
