#include <string>
#include <vector>

#include "tests/dialogs/picker_fixture.h"
#include "tests/support/message_texts.h"

namespace quivra::dialogs {
namespace {

using platform::MessageButton;
using platform::MessageIcon;
using ui::ModalResult;
using ui::sim::SimUser;

class MruListTest : public PickerTest {
 protected:
  // Three entries, most recent first: Alpha, Archive's 2024, Inbox.
  void FillThree() {
    AddMru(world.inbox);
    AddMru(world.archive_2024);
    AddMru(world.alpha);
  }
  std::vector<std::string> Folders() {
    std::vector<std::string> folders;
    for (int k = 1; k <= core::kMruCapacity; ++k)
      folders.push_back(config.MruList[k].Folder);
    while (!folders.empty() && folders.back().empty())
      folders.pop_back();
    return folders;
  }
};

TEST_F(MruListTest, RowsShowTheFoldersOwnNameAndItsPath) {
  config.MruList[1] = {"Mailbox\\Projects\\2024", "Mailbox", world.mailbox.store_id()};
  config.MruList[2] = {"Archive", "Archive", world.archive.store_id()};
  picker.MruListAdd();
  ASSERT_EQ(picker.ListView1.Count(), 2);
  EXPECT_EQ(picker.ListView1.Item(0).caption, "2024");
  EXPECT_EQ(picker.ListView1.Item(0).sub_items, Strings{"Mailbox\\Projects\\2024"});
  EXPECT_EQ(picker.ListView1.Item(1).caption, "Archive");
  EXPECT_EQ(picker.ListView1.Item(1).sub_items, Strings{""});
  // Short names: the first column gets 100 + 10 before it sizes itself.
  const auto& columns = picker.ListView1.Columns();
  EXPECT_EQ(columns[0].width, 110);
  EXPECT_TRUE(columns[0].auto_size);
  EXPECT_EQ(columns[1].width, 378 - 110 - 5);
  EXPECT_EQ(columns[0].caption, "Folder");
  EXPECT_EQ(columns[1].caption, "Path");

  config.MruList[3] = {"Mailbox\\abcdefghijklmnopqrstuvwxyz1234", "Mailbox", "id"};
  picker.MruListAdd();
  EXPECT_EQ(columns[0].width, 30 * 6 + 10);
  EXPECT_EQ(columns[1].width, 378 - 190 - 5);
}

TEST_F(MruListTest, TheFirstRowIsSelectedOnShowingSoEnterTakesTheMostRecentFolder) {
  FillThree();
  const ModalResult result = ShowAnyFolder([](SimUser& user) {
    EXPECT_EQ(user.form().ActiveControl()->Name(), "ListView1");
    EXPECT_EQ(user.Get<ui::TreeView>("treeFolders").Selected(), nullptr);
    EXPECT_EQ(user.Get<ui::ListView>("ListView1").ItemIndex(), 0);
    user.PressEnter();
  });
  EXPECT_EQ(result, ModalResult::kOk);
  EXPECT_EQ(picker.SelectedMruIndex, 1);
  EXPECT_TRUE(picker.SelectedPath.empty());
}

TEST_F(MruListTest, TheSelectedRowNamesItsEntry) {
  FillThree();
  ShowAnyFolder([](SimUser& user) {
    user.ClickRow(1);
    user.Click("btnOK");
  });
  EXPECT_EQ(picker.SelectedMruIndex, 2);
  EXPECT_TRUE(picker.SelectedPath.empty());
  ShowAnyFolder([](SimUser& user) { user.DoubleClickRow(2); });
  EXPECT_EQ(picker.SelectedMruIndex, 3);
}

TEST_F(MruListTest, RowsKeepPointingAtTheirEntriesAcrossAGapInTheList) {
  config.MruList[1] = {"Mailbox\\Inbox", "Mailbox", world.mailbox.store_id()};
  config.MruList[3] = {"Archive\\2024", "Archive", world.archive.store_id()};
  ShowAnyFolder([](SimUser& user) { user.DoubleClickRow(1); });
  EXPECT_EQ(picker.SelectedMruIndex, 3);
}

TEST_F(MruListTest, AnEmptyListStillTakesTheFocusAndOkThenCancels) {
  const ModalResult result = ShowAnyFolder([](SimUser& user) {
    EXPECT_EQ(user.form().ActiveControl()->Name(), "ListView1");
    EXPECT_EQ(user.Get<ui::TreeView>("treeFolders").Selected(), nullptr);
    user.PressEnter();
  });
  EXPECT_EQ(result, ModalResult::kCancel);
  EXPECT_EQ(picker.SelectedMruIndex, -1);
}

TEST_F(MruListTest, OnlyOneSideHasASelectionAndOkActsOnIt) {
  FillThree();
  ShowAnyFolder([](SimUser& user) {
    user.SelectNode("Mailbox\\Drafts");
    EXPECT_EQ(user.Get<ui::ListView>("ListView1").ItemIndex(), -1);
    user.ClickRow(2);
    EXPECT_EQ(user.Get<ui::TreeView>("treeFolders").Selected(), nullptr);
    user.SelectNode("Mailbox\\Drafts");
    user.PressEnter();
  });
  EXPECT_EQ(picker.SelectedPath, "Mailbox\\Drafts");
  EXPECT_EQ(picker.SelectedMruIndex, -1);
  // A double-click beside the rows chooses nothing.
  EXPECT_EQ(ShowAnyFolder([](SimUser& user) { user.DoubleClickRow(-1); }), ModalResult::kCancel);
}

TEST_F(MruListTest, ClearEntryAsksAndRemovesOrLeavesTheEntry) {
  FillThree();
  // Cancel: nothing removed, the box unchecked, no selection left; the picker stays up.
  sim.message_boxes.ScriptAnswer(MessageButton::kCancel);
  sim.message_boxes.ScriptAnswer(MessageButton::kOk);
  const ModalResult result = ShowAnyFolder([](SimUser& user) {
    user.ClickRow(1);
    user.Click("cbClearEntry");
    EXPECT_FALSE(user.Closed());
    EXPECT_FALSE(user.Get<ui::CheckBox>("cbClearEntry").Checked());
    EXPECT_EQ(user.Get<ui::ListView>("ListView1").ItemIndex(), -1);
    user.ClickRow(0);
    user.Click("cbClearEntry");
  });
  EXPECT_EQ(result, ModalResult::kCancel);
  EXPECT_EQ(Folders(), (Strings{"Archive\\2024", "Mailbox\\Inbox"}));
  ASSERT_EQ(sim.message_boxes.shown().size(), 2u);
  const auto& box = sim.message_boxes.shown()[0];
  EXPECT_EQ(box.text, "Do you want to remove item \"2024\" from Most Recently Used list?");
  EXPECT_EQ(box.icon, MessageIcon::kWarning);
  EXPECT_EQ(box.buttons, (std::vector<MessageButton>{MessageButton::kOk, MessageButton::kCancel}));
  EXPECT_EQ(sim.message_boxes.shown()[1].text,
            "Do you want to remove item \"Alpha\" from Most Recently Used list?");
}

TEST_F(MruListTest, ClearEntryWithoutARowAsksForOne) {
  FillThree();
  ShowAnyFolder([](SimUser& user) {
    user.SelectNode("Mailbox");
    user.Click("cbClearEntry");
    EXPECT_FALSE(user.Get<ui::CheckBox>("cbClearEntry").Checked());
    user.Click("btnCancel");
  });
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_EQ(sim.message_boxes.shown()[0].text, "First select item to remove");
  EXPECT_EQ(sim.message_boxes.shown()[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(sim.message_boxes.shown()[0].buttons, std::vector<MessageButton>{MessageButton::kOk});
  EXPECT_EQ(Folders().size(), 3u);
}

TEST_F(MruListTest, ClearListOnOkAsksAndClosesWithoutChoosingEitherWay) {
  FillThree();
  sim.message_boxes.ScriptAnswer(MessageButton::kCancel);
  auto check_and_press_ok = [](SimUser& user) {
    user.Click("cbClearList");
    EXPECT_EQ(user.Get<ui::ListView>("ListView1").ItemIndex(), -1);
    user.PressEnter();
  };
  EXPECT_EQ(ShowAnyFolder(check_and_press_ok), ModalResult::kCancel);
  EXPECT_EQ(Folders().size(), 3u);
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_EQ(sim.message_boxes.shown()[0].text, test::kClearMruQuestion);
  sim.message_boxes.ScriptAnswer(MessageButton::kOk);
  EXPECT_EQ(ShowAnyFolder(check_and_press_ok), ModalResult::kCancel);
  EXPECT_TRUE(Folders().empty());
  EXPECT_EQ(picker.SelectedMruIndex, -1);
  EXPECT_TRUE(picker.SelectedPath.empty());
}

TEST_F(MruListTest, DisableListUpdatesTakesEffectAtOnceAndSurvivesCancel) {
  FillThree();
  ShowAnyFolder([](SimUser& user) {
    EXPECT_FALSE(user.Get<ui::CheckBox>("cbNoListUpdates").Checked());
    user.Click("cbNoListUpdates");
    EXPECT_EQ(user.Get<ui::ListView>("ListView1").ItemIndex(), -1);
    user.Click("btnCancel");
  });
  EXPECT_TRUE(config.NoListUpdates);
  ShowAnyFolder([](SimUser& user) {
    EXPECT_TRUE(user.Get<ui::CheckBox>("cbNoListUpdates").Checked());
    user.PressEscape();
  });
}

TEST_F(MruListTest, EmptyMruEntryClosesTheGap) {
  FillThree();
  picker.EmptyMruEntry(1);
  EXPECT_EQ(Folders(), (Strings{"Archive\\2024", "Mailbox\\Inbox"}));
  EXPECT_FALSE(config.MruList[3].InUse());
  for (int k = 1; k <= core::kMruCapacity; ++k) {
    config.MruList[k] = {"Mailbox\\F" + std::to_string(k), "Mailbox", "id"};
  }
  picker.EmptyMruEntry(20);
  EXPECT_EQ(Folders().size(), 19u);
  EXPECT_EQ(config.MruList[19].Folder, "Mailbox\\F19");
}

}  // namespace
}  // namespace quivra::dialogs
