#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/sim_collation.h"
#include "platform/ui/form.h"
#include "platform/ui/html_label.h"
#include "platform/ui/list_view.h"
#include "platform/ui/tree_view.h"

namespace quivra::ui {
namespace {

class Data : public TreeNodeData {
 public:
  explicit Data(int* released) : released_(released) {}
  ~Data() override { ++*released_; }

 private:
  int* released_;
};

std::vector<std::string> Texts(TreeView& tree, TreeNode* parent) {
  std::vector<std::string> texts;
  const int count = parent == nullptr ? tree.Count() : parent->Count();
  for (int i = 0; i < count; ++i) {
    texts.push_back((parent == nullptr ? tree.Item(i) : parent->Item(i)).Text());
  }
  return texts;
}

class TreeViewTest : public ::testing::Test {
 protected:
  Form form{"form"};
  TreeView tree{&form, "tree", {0, 0, 100, 100}};
};

TEST_F(TreeViewTest, ExpandingAsksFirstAndOnlyNodesWithAnExpander) {
  TreeNode& leaf = tree.Add(nullptr, "leaf");
  TreeNode& lazy = tree.Add(nullptr, "lazy");
  lazy.SetHasChildren(true);
  std::vector<std::string> asked;
  bool allow = false;
  tree.OnExpanding = [&](TreeView& sender, TreeNode& node, bool& allow_expansion) {
    EXPECT_EQ(&sender, &tree);
    asked.push_back(node.Text());
    allow_expansion = allow;
  };
  tree.Expand(leaf);
  tree.Expand(lazy);
  EXPECT_FALSE(lazy.Expanded());
  allow = true;
  tree.Expand(lazy);
  tree.Expand(lazy);  // already expanded: not asked again
  EXPECT_TRUE(lazy.Expanded());
  EXPECT_FALSE(leaf.Expanded());
  EXPECT_EQ(asked, (std::vector<std::string>{"lazy", "lazy"}));
}

TEST_F(TreeViewTest, DeletingNodesReleasesTheirDataAndForgetsASelectionAmongThem) {
  int released = 0;
  TreeNode& root = tree.Add(nullptr, "root");
  TreeNode& child = tree.Add(&root, "child");
  TreeNode& grandchild = tree.Add(&child, "grandchild");
  child.SetData(std::make_unique<Data>(&released));
  grandchild.SetData(std::make_unique<Data>(&released));
  int changes = 0;
  tree.OnChange = [&] { ++changes; };
  tree.Select(&grandchild);
  tree.DeleteChildren(root);
  EXPECT_EQ(released, 2);
  EXPECT_EQ(tree.Selected(), nullptr);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(root.Count(), 0);
  EXPECT_TRUE(root.HasChildren() == false);
  tree.Select(&root);
  tree.Clear();
  EXPECT_EQ(tree.Selected(), nullptr);
  EXPECT_EQ(tree.Count(), 0);
}

TEST_F(TreeViewTest, SortsInTheLocaleOrderAndMovesANodeFirst) {
  platform::sim::SimCollation collation;
  for (const char* text : {"zulu",
                           "\xC3\x89"
                           "clair",
                           "beta", "Alpha", "_misc", "2024"}) {
    tree.Add(nullptr, text);
  }
  tree.AlphaSort(nullptr, collation);
  EXPECT_EQ(Texts(tree, nullptr), (std::vector<std::string>{"_misc", "2024", "Alpha", "beta",
                                                            "\xC3\x89"
                                                            "clair",
                                                            "zulu"}));
  tree.MoveToFirst(tree.Item(3));
  EXPECT_EQ(Texts(tree, nullptr).front(), "beta");
  EXPECT_EQ(Texts(tree, nullptr)[3], "Alpha");
}

TEST_F(TreeViewTest, DoubleClickSelectsTogglesThenReports) {
  TreeNode& node = tree.Add(nullptr, "node");
  tree.Add(&node, "child");
  std::vector<std::string> events;
  tree.OnEnter = [&] { events.push_back("enter"); };
  tree.OnExpanding = [&](TreeView&, TreeNode&, bool&) { events.push_back("expanding"); };
  tree.OnDblClick = [&] { events.push_back(node.Expanded() ? "dblclick open" : "dblclick"); };
  tree.UserDoubleClick(&node);
  tree.UserDoubleClick(&node);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "expanding", "dblclick open", "dblclick"}));
  EXPECT_EQ(tree.Selected(), &node);
  // Display order: a node before its children.
  std::vector<std::string> order;
  tree.ForEach([&](TreeNode& each) { order.push_back(each.Text()); });
  EXPECT_EQ(order, (std::vector<std::string>{"node", "child"}));
}

TEST(ListViewTest, OneRowAtMostAndAClickBesideTheRowsSelectsNone) {
  Form form("form");
  ListView list(&form, "list", {0, 0, 200, 100});
  list.AddItem("a", {"x\\a"});
  list.AddItem("b");
  std::vector<std::string> events;
  list.OnEnter = [&] { events.push_back("enter"); };
  list.OnDblClick = [&] { events.push_back("dblclick " + std::to_string(list.ItemIndex())); };
  list.UserClick(1);
  EXPECT_EQ(list.ItemIndex(), 1);
  list.UserDoubleClick(-1);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "dblclick -1"}));
  list.SetItemIndex(5);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(0);
  list.Clear();
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.Count(), 0);
}

TEST(HtmlLabelTest, RendersBoldBreaksAndLinksAndGrowsWithItsLines) {
  Form form("form");
  HtmlLabel label(&form, "label", {9, 9, 220, 13});
  label.SetHTMLText({"Enter name <br>in "});
  EXPECT_EQ(label.Height(), 26);
  label.AddHTMLLine("<b>Projects &amp; more</b> <A HREF=\"https://x.example/\">site</a>");
  EXPECT_EQ(label.PlainText(), "Enter name \nin Projects & more site");
  const std::vector<HtmlRun> runs = label.Runs();
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_TRUE(runs[1].line_break);
  EXPECT_EQ(runs[3], (HtmlRun{"Projects & more", true, "", false}));
  EXPECT_EQ(runs[5], (HtmlRun{"site", false, "https://x.example/", false}));
  EXPECT_EQ(label.LineCount(), 2);
  std::string clicked;
  label.OnAnchorClick = [&](const std::string& href) { clicked = href; };
  label.ClickAnchor("https://x.example/");
  EXPECT_EQ(clicked, "https://x.example/");
}

}  // namespace
}  // namespace quivra::ui
