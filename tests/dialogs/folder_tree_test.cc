#include <string>
#include <vector>

#include "tests/dialogs/picker_fixture.h"

namespace quivra::dialogs {
namespace {

using outlook::sim::SimFolder;
using ui::ModalResult;
using ui::sim::SimUser;

constexpr int kContactItem = 2;

void PressCancel(SimUser& user) {
  user.Click("btnCancel");
}

TEST_F(PickerTest, DefaultStoreComesFirstWithItsImageAndTheOthersInTextOrder) {
  world.outlook.AddStore("Zeta");
  world.outlook.AddStore("aardvark");
  ShowBrowse(PressCancel);
  EXPECT_EQ(Children(""), (Strings{"Mailbox", "aardvark", "Archive", "Zeta"}));
  EXPECT_EQ(picker.treeFolders.Item(0).StateIndex(), 1);
  for (int i = 1; i < 4; ++i)
    EXPECT_EQ(picker.treeFolders.Item(i).StateIndex(), 3);
}

TEST_F(PickerTest, FirstOpeningExpandsTheDefaultStoreWithOnlyItsMailFolders) {
  world.calendar.AddFolder("Mail under the calendar");
  ShowBrowse(PressCancel);
  EXPECT_TRUE(picker.treeFolders.Item(0).Expanded());
  EXPECT_FALSE(picker.treeFolders.Item(1).Expanded());
  EXPECT_EQ(Children("Mailbox"), (Strings{"Deleted Items", "Drafts", "Inbox", "Junk E-mail",
                                          "Outbox", "Projects", "Sent Items"}));
  std::vector<int> images;
  for (const std::string& name : Children("Mailbox")) {
    images.push_back(Find("Mailbox\\" + name)->StateIndex());
  }
  EXPECT_EQ(images, (std::vector<int>{4, 5, 6, 7, 8, 2, 10}));
}

TEST_F(PickerTest, DefaultFoldersKeepTheirImagesWhicheverFormOfTheirIdsTheTreeGets) {
  // GetDefaultFolder gives the default folders' second EntryIDs, the tree their first.
  ASSERT_NE(world.inbox.second_entry_id(), world.inbox.entry_id());
  world.outlook.ResetCallCounts();
  ShowBrowse(PressCancel);
  EXPECT_EQ(Find("Mailbox\\Deleted Items")->StateIndex(), 4);
  EXPECT_EQ(Find("Mailbox\\Inbox")->StateIndex(), 6);
  EXPECT_EQ(Find("Mailbox\\Sent Items")->StateIndex(), 10);
  // Each of the default store's top-level mail folders is compared at most once with each of
  // the five default folders.
  const int comparisons = world.outlook.CallCount("NameSpace.CompareEntryIDs");
  EXPECT_GT(comparisons, 0);
  EXPECT_LE(comparisons, 7 * 5);

  // Another store's folders are known by their names alone, without asking Outlook.
  world.archive.AddFolder("Inbox");
  config.ExpandList = {world.archive.entry_id()};
  world.outlook.ResetCallCounts();
  ShowBrowse(PressCancel);
  EXPECT_EQ(Find("Archive\\Inbox")->StateIndex(), 2);
  EXPECT_EQ(world.outlook.CallCount("NameSpace.CompareEntryIDs"), 0);
}

TEST_F(PickerTest, ImagesOfOtherStoresAndOddNamesFollowTheNameRules) {
  world.mailbox.AddFolder("My spam");
  world.mailbox.AddFolder("Old RSS Feeds");
  world.archive.AddFolder("Inbox");
  world.archive.AddFolder("GEL\xC3\x96SCHTE ELEMENTE 2019");
  world.archive.AddFolder("Sent Items");
  config.ExpandList = {world.mailbox.entry_id(), world.archive.entry_id()};
  ShowBrowse(PressCancel);
  EXPECT_EQ(Find("Mailbox\\My spam")->StateIndex(), 7);
  EXPECT_EQ(Find("Mailbox\\Old RSS Feeds")->StateIndex(), 9);
  EXPECT_EQ(Find("Archive\\Deleted Items")->StateIndex(), 4);
  EXPECT_EQ(Find("Archive\\GEL\xC3\x96SCHTE ELEMENTE 2019")->StateIndex(), 4);
  EXPECT_EQ(Find("Archive\\Inbox")->StateIndex(), 2);
  EXPECT_EQ(Find("Archive\\Sent Items")->StateIndex(), 2);
  EXPECT_EQ(Find("Archive\\Projects")->StateIndex(), 2);
}

TEST_F(PickerTest, OutlooksOwnFoldersAreHiddenByTheirExactNames) {
  world.mailbox.AddFolder("News Feed");
  world.mailbox.AddFolder("Quick Step Settings");
  world.mailbox.AddFolder("Conversation Action Settings");
  world.archive.AddFolder("news feed");
  config.ExpandList = {world.mailbox.entry_id(), world.archive.entry_id()};
  ShowBrowse(PressCancel);
  EXPECT_EQ(Find("Mailbox\\News Feed"), nullptr);
  EXPECT_EQ(Find("Mailbox\\Quick Step Settings"), nullptr);
  EXPECT_EQ(Find("Mailbox\\Conversation Action Settings"), nullptr);
  EXPECT_NE(Find("Archive\\news feed"), nullptr);
}

TEST_F(PickerTest, AFolderWhoseOnlySubfolderIsForContactsShowsAnEmptyExpander) {
  SimFolder clients = world.mailbox.AddFolder("Clients");
  clients.AddFolder("People", kContactItem);
  ShowBrowse([](SimUser& user) {
    ui::TreeNode& node = user.Node("Mailbox\\Clients");
    EXPECT_TRUE(node.HasChildren());
    user.ExpandNode("Mailbox\\Clients");
    EXPECT_EQ(node.Count(), 0);
    user.Click("btnCancel");
  });
}

TEST_F(PickerTest, DoubleClickAcceptsAFolderWithoutSubfoldersOnly) {
  config.ExpandList = {world.mailbox.entry_id(), world.projects.entry_id()};
  const ModalResult result = ShowBrowse([](SimUser& user) {
    user.DoubleClickNode("Mailbox\\Projects");  // has subfolders: only closes it
    EXPECT_FALSE(user.Closed());
    EXPECT_FALSE(user.Node("Mailbox\\Projects").Expanded());
    user.DoubleClickNode("Mailbox\\Projects");
    user.DoubleClickNode("Mailbox\\Projects\\Alpha");
  });
  EXPECT_EQ(result, ModalResult::kOk);
  EXPECT_EQ(picker.SelectedPath, "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(picker.SelectedName, "Alpha");
  EXPECT_EQ(picker.SelectedStore.StoreId, world.mailbox.store_id());
}

TEST_F(PickerTest, OkAcceptsAnyFolderAStoresTopLevelIncluded) {
  ShowBrowse([](SimUser& user) {
    user.SelectNode("Mailbox\\Projects");
    user.PressEnter();
  });
  EXPECT_EQ(picker.SelectedPath, "Mailbox\\Projects");
  EXPECT_EQ(ShowBrowse([](SimUser& user) {
              user.SelectNode("Archive");
              user.Click("btnOK");
            }),
            ModalResult::kOk);
  EXPECT_EQ(picker.SelectedPath, "Archive");
  EXPECT_EQ(picker.SelectedStore.StoreId, world.archive.store_id());
}

TEST_F(PickerTest, OkWithNothingSelectedCancelsAndLeavesDoubleClickAsStrictAsBefore) {
  EXPECT_EQ(ShowBrowse([](SimUser& user) {
              user.ClickNode(nullptr);
              user.PressEnter();
            }),
            ModalResult::kCancel);
  EXPECT_TRUE(picker.SelectedPath.empty());
  ShowBrowse([](SimUser& user) {
    user.DoubleClickNode("Mailbox\\Projects");
    EXPECT_FALSE(user.Closed());
    user.PressEscape();
  });
  EXPECT_TRUE(picker.SelectedPath.empty());
}

TEST_F(PickerTest, ExpandedNodesAreRememberedThroughCancelAndRestored) {
  ShowBrowse([](SimUser& user) {
    user.ExpandNode("Mailbox\\Projects");
    user.ExpandNode("Mailbox\\Projects\\Beta");
    user.CollapseNode("Mailbox\\Projects\\Beta");
    user.PressEscape();
  });
  EXPECT_EQ(*config.ExpandList, (Strings{world.mailbox.entry_id(), world.projects.entry_id()}));
  picker.FreeAllNodes();
  ShowBrowse([](SimUser& user) {
    EXPECT_TRUE(user.Node("Mailbox").Expanded());
    EXPECT_TRUE(user.Node("Mailbox\\Projects").Expanded());
    EXPECT_FALSE(user.Node("Mailbox\\Projects\\Beta").Expanded());
    user.CollapseNode("Mailbox");
    user.Click("btnCancel");
  });
  // The collapsed store is forgotten; its subfolder keeps its own state.
  EXPECT_EQ(*config.ExpandList, Strings{world.projects.entry_id()});
}

TEST_F(PickerTest, ChildrenAreReadAfreshOnEveryExpansionInLocaleOrder) {
  ShowBrowse([this](SimUser& user) {
    user.ExpandNode("Archive");
    world.archive.AddFolder("\xC3\xA9t\xC3\xA9");
    world.archive.AddFolder("2022");
    world.archive_2023.Delete();
    user.CollapseNode("Archive");
    user.ExpandNode("Archive");
    EXPECT_EQ(Children("Archive"),
              (Strings{"2022", "2024", "Deleted Items", "\xC3\xA9t\xC3\xA9", "Projects"}));
    user.Click("btnCancel");
  });
}

TEST_F(PickerTest, AnOutlookErrorWhileExpandingIsShownAndTheCursorRestored) {
  ShowBrowse([this](SimUser& user) {
    world.outlook.FailCall("MAPIFolder.DefaultItemType");
    user.ExpandNode("Archive");
    EXPECT_FALSE(user.Node("Archive").Expanded());
    user.Click("btnCancel");
  });
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_EQ(sim.message_boxes.shown()[0].icon, platform::MessageIcon::kError);
  EXPECT_EQ(sim.screen.cursor(), platform::CursorShape::kDefault);
}

TEST_F(PickerTest, BrowseModeNarrowsTheWindowToTheTreeWithOkAndCancelAtItsEdge) {
  EXPECT_EQ(picker.ClientWidth(), 680);
  EXPECT_EQ(picker.ClientHeight(), 573);
  ShowBrowse([](SimUser& user) {
    EXPECT_EQ(user.form().ActiveControl()->Name(), "treeFolders");
    // The default store stands selected, ready for Enter.
    const ui::TreeNode* selected = user.Get<ui::TreeView>("treeFolders").Selected();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->Text(), "Mailbox");
    user.Click("btnCancel");
  });
  EXPECT_EQ(picker.WindowWidth(), picker.FolderTree.Width() + 8);
  EXPECT_FALSE(picker.MruGroupList.Visible());
  EXPECT_FALSE(picker.Panel1.Visible());
  for (const ui::Button* button : {&picker.btnOK, &picker.btnCancel}) {
    EXPECT_GT(button->Left(), picker.ButtonAdd.Left() + picker.ButtonAdd.Width());
    EXPECT_LE(button->Left() + button->Width(), picker.ClientWidth());
  }
  EXPECT_EQ(picker.btnCancel.Left() + picker.btnCancel.Width(), picker.ClientWidth() - 13);
}

TEST_F(PickerTest, FreeAllNodesReleasesEveryFolderButKeepsTheNodes) {
  ShowBrowse(PressCancel);
  picker.FreeAllNodes();
  int nodes = 0;
  picker.treeFolders.ForEach([&](ui::TreeNode& node) {
    ++nodes;
    EXPECT_EQ(TfrmFolders2::FolderData(node), nullptr);
  });
  EXPECT_GT(nodes, 2);
}

}  // namespace
}  // namespace quivra::dialogs
