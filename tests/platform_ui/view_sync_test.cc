// The portable halves of the Windows view: the tree mirror that brings a tree view window in
// step with its model, and the placement of an HTML label's text.
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/sim_collation.h"
#include "platform/ui/form.h"
#include "platform/ui/html_label.h"
#include "platform/ui/html_layout.h"
#include "platform/ui/tree_mirror.h"
#include "platform/ui/tree_view.h"

namespace quivra::ui {
namespace {

// A tree view window in memory: items with what was written to them, and a count of writes.
class FakeTreeWindow : public TreeViewPort {
 public:
  struct ItemState {
    Item parent = nullptr;
    std::string text;
    int state = -1;
    bool has_children = false;
    bool expanded = false;
  };

  Item Insert(Item parent, Item after, const TreeNode& node) override {
    ++writes;
    Item item = reinterpret_cast<Item>(++last_id_);
    items_[item] = {parent, node.Text(), node.StateIndex(), node.HasChildren(), false};
    std::vector<Item>& siblings = children_[parent];
    auto at = siblings.begin();
    if (after != nullptr) {
      at = std::find(siblings.begin(), siblings.end(), after);
      EXPECT_NE(at, siblings.end()) << "inserted after an item of another parent";
      ++at;
    }
    siblings.insert(at, item);
    return item;
  }
  void Remove(Item item) override {
    ++writes;
    for (Item child : std::vector<Item>(children_[item])) {
      Remove(child);
      --writes;
    }
    std::erase(children_[items_.at(item).parent], item);
    if (selected_ == item) {
      selected_ = nullptr;
    }
    items_.erase(item);
    children_.erase(item);
  }
  void Update(Item item, const TreeNode& node) override {
    ++writes;
    items_.at(item).text = node.Text();
    items_.at(item).state = node.StateIndex();
    items_.at(item).has_children = node.HasChildren();
  }
  void SetExpanded(Item item, bool expanded) override {
    ++writes;
    items_.at(item).expanded = expanded;
  }
  Item Selected() override { return selected_; }
  void Select(Item item) override {
    ++writes;
    selected_ = item;
  }

  // The window as text: one line per item, indented by level, with its image and marks.
  std::string Dump(Item parent = nullptr, int level = 0) {
    std::string text;
    for (Item item : children_[parent]) {
      const ItemState& state = items_.at(item);
      text += std::string(2 * level, ' ') + state.text + " " + std::to_string(state.state) +
              (state.has_children ? (state.expanded ? " -" : " +") : "") +
              (item == selected_ ? " *" : "") + "\n";
      text += Dump(item, level + 1);
    }
    return text;
  }

  int writes = 0;

 private:
  std::map<Item, ItemState> items_;
  std::map<Item, std::vector<Item>> children_;
  Item selected_ = nullptr;
  long last_id_ = 0;
};

// The model as the same text.
std::string Dump(TreeView& tree, TreeNode* parent = nullptr, int level = 0) {
  std::string text;
  const int count = parent == nullptr ? tree.Count() : parent->Count();
  for (int i = 0; i < count; ++i) {
    TreeNode& node = parent == nullptr ? tree.Item(i) : parent->Item(i);
    text += std::string(2 * level, ' ') + node.Text() + " " + std::to_string(node.StateIndex()) +
            (node.HasChildren() ? (node.Expanded() ? " -" : " +") : "") +
            (&node == tree.Selected() ? " *" : "") + "\n";
    text += Dump(tree, &node, level + 1);
  }
  return text;
}

class TreeMirrorTest : public ::testing::Test {
 protected:
  TreeMirrorTest() {
    TreeNode& mailbox = tree.Add(nullptr, "Mailbox");
    mailbox.SetStateIndex(1);
    for (const char* name : {"Inbox", "Drafts", "Projects"}) {
      tree.Add(&mailbox, name).SetStateIndex(2);
    }
    mailbox.Item(2).SetHasChildren(true);
    tree.Add(&mailbox.Item(2), "Alpha");
    tree.Add(nullptr, "Archive").SetStateIndex(3);
    tree.Expand(mailbox);
    tree.Select(&mailbox.Item(1));
  }
  void SyncAndCompare() {
    mirror.Sync(tree, window);
    EXPECT_EQ(window.Dump(), Dump(tree));
  }

  Form form{"form"};
  TreeView tree{&form, "tree", {0, 0, 100, 100}};
  FakeTreeWindow window;
  TreeMirror mirror;
};

TEST_F(TreeMirrorTest, FirstSyncShowsEveryNodeAndASecondWritesNothing) {
  SyncAndCompare();
  EXPECT_EQ(window.Dump(),
            "Mailbox 1 -\n  Inbox 2\n  Drafts 2 *\n  Projects 2 +\n    Alpha -1\nArchive 3\n");
  window.writes = 0;
  mirror.Sync(tree, window);
  EXPECT_EQ(window.writes, 0);
}

TEST_F(TreeMirrorTest, ReloadedChildrenReplaceTheOldItemsWhoseNodesAreForgotten) {
  SyncAndCompare();
  TreeNode& mailbox = tree.Item(0);
  TreeViewPort::Item old_inbox = mirror.ItemOf(&mailbox.Item(0));
  ASSERT_NE(old_inbox, nullptr);
  // As expanding a folder does: the children are deleted and read afresh.
  tree.DeleteChildren(mailbox);
  // A window event about an item whose node is gone finds no node.
  EXPECT_EQ(mirror.NodeOf(old_inbox, tree), nullptr);
  for (const char* name : {"Inbox", "Drafts", "Projects", "Zeta"}) {
    tree.Add(&mailbox, name).SetStateIndex(2);
  }
  SyncAndCompare();
  EXPECT_EQ(mirror.NodeOf(mirror.ItemOf(&mailbox.Item(3)), tree), &mailbox.Item(3));
}

TEST_F(TreeMirrorTest, MovedNodesAreShownAnewOnlyWhereTheyMoved) {
  TreeNode& mailbox = tree.Item(0);
  tree.Add(nullptr, "Backup").SetStateIndex(3);
  SyncAndCompare();
  window.writes = 0;
  tree.MoveToFirst(tree.Item(2));
  SyncAndCompare();
  EXPECT_EQ(window.writes, 2);  // Backup removed and inserted first
  platform::sim::SimCollation collation;
  tree.AlphaSort(&mailbox, collation);
  tree.AlphaSort(nullptr, collation);
  SyncAndCompare();
  EXPECT_EQ(Dump(tree).substr(0, 8), "Archive ");
}

TEST_F(TreeMirrorTest, ChangedLooksAndStatesAreWrittenToTheSameItems) {
  SyncAndCompare();
  TreeNode& projects = tree.Item(0).Item(2);
  TreeViewPort::Item item = mirror.ItemOf(&projects);
  projects.SetText("Projects 2024");
  projects.SetStateIndex(7);
  tree.Expand(projects);
  tree.Collapse(tree.Item(0));
  tree.Select(&projects);
  SyncAndCompare();
  EXPECT_EQ(mirror.ItemOf(&projects), item);
  tree.Select(nullptr);
  SyncAndCompare();
  tree.Clear();
  SyncAndCompare();
  EXPECT_EQ(window.Dump(), "");
}

TEST(HtmlLayoutTest, RunsAreMeasuredInTheirFontAndBreaksStartNewLines) {
  Form form{"form"};
  HtmlLabel label{&form, "label", {0, 0, 200, 13}};
  label.SetHTMLText({"Move to <b>Inbox</b><br>", "see <a href=\"help\">help</a> now"});
  // Plain letters are 5 pixels wide, bold ones 7.
  const HtmlLayout layout(label.Runs(), 13, [](std::string_view text, bool bold) {
    return static_cast<int>(text.size()) * (bold ? 7 : 5);
  });
  const std::vector<HtmlPiece> expected = {
      {"Move to ", false, "", 0, 0, 40}, {"Inbox", true, "", 40, 0, 35},
      {"see ", false, "", 0, 13, 20},    {"help", false, "help", 20, 13, 20},
      {" now", false, "", 40, 13, 20},
  };
  EXPECT_EQ(layout.Pieces(), expected);
  EXPECT_EQ(layout.LinkAt(20, 13), "help");
  EXPECT_EQ(layout.LinkAt(39, 25), "help");
  EXPECT_EQ(layout.LinkAt(40, 13), "");  // just after the link
  EXPECT_EQ(layout.LinkAt(25, 26), "");  // below the last line
  EXPECT_EQ(layout.LinkAt(25, 5), "");   // the same column on the first line
}

}  // namespace
}  // namespace quivra::ui
