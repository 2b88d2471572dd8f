#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "core/folder_suggestions.h"
#include "dialogs/folder_picker.h"
#include "model/filing_history.h"
#include "platform/ui/sim/sim_ui.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core {
namespace {

using outlook::sim::SimItem;
using ui::sim::SimUser;
using Strings = std::vector<std::string>;

constexpr char kHistoryFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.learned";

// The standard inbox's mail comes from four senders in turn: mail 0, 4, 8 ... from Ann.
class FolderSuggestionsTest : public test::SimulatedWorldTest {
 protected:
  FolderSuggestionsTest() : module(sim.platform(), config, world.outlook.application()) {
    sim.screen.SetOnPendingMessages([this] { world.outlook.ProcessMessages(); });
    config.ExpandList.emplace();
    test::ConfigureSlot(config, 3, world.alpha);
    test::ConfigureSlot(config, 4, world.beta);
  }

  void FileMail(int mail, int slot) {
    world.explorer.Select({world.inbox_mail[mail]});
    module.FileToFolder(slot, nullptr);
  }
  // Opens "Any Folder..." with the mail selected; returns the rows of the list as the picker
  // opened and which was selected, and presses Enter.
  Strings OpenPickerAndPressEnter(int mail, int* selected_row = nullptr) {
    return OpenPickerAndPressEnter(world.inbox_mail[mail], selected_row);
  }
  Strings OpenPickerAndPressEnter(const SimItem& mail, int* selected_row = nullptr) {
    world.explorer.Select({mail});
    Strings rows;
    sim.ui.Expect([&](SimUser& user) {
      auto& list = user.Get<ui::ListView>("ListView1");
      for (int row = 0; row < list.Count(); ++row) {
        rows.push_back(list.Item(row).caption);
      }
      if (selected_row != nullptr) {
        *selected_row = list.ItemIndex();
      }
      user.PressEnter();
    });
    module.FileToAnyFolder();
    return rows;
  }

  TAddInModule module;
};

TEST_F(FolderSuggestionsTest, TheSendersFolderIsSuggestedSelectedAndFiledIntoWithEnter) {
  test::AddMru(config, world.drafts);
  FileMail(0, 3);
  FileMail(4, 3);
  FileMail(8, 3);
  int selected = -1;
  EXPECT_EQ(OpenPickerAndPressEnter(12, &selected), (Strings{"Alpha (suggested)", "Drafts"}));
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(world.inbox_mail[12].folder(), world.alpha);
  // Taken as a folder picked in the tree: it heads the recently used list now.
  EXPECT_EQ(config.MruList[1].Folder, "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(config.MruList[2].Folder, "Mailbox\\Drafts");
}

TEST_F(FolderSuggestionsTest, ARecentlyUsedFolderThatIsSuggestedIsShownOnceOnTop) {
  test::AddMru(config, world.beta);
  test::AddMru(config, world.alpha);
  test::AddMru(config, world.drafts);
  FileMail(1, 4);  // Bob's mail into Beta
  EXPECT_EQ(OpenPickerAndPressEnter(5), (Strings{"Beta (suggested)", "Drafts", "Alpha"}));
  EXPECT_EQ(world.inbox_mail[5].folder(), world.beta);
  EXPECT_EQ(config.MruList[1].Folder, "Mailbox\\Projects\\Beta");
  EXPECT_FALSE(config.MruList[4].InUse());
}

TEST_F(FolderSuggestionsTest, AtMostThreeSuggestionsSenderBeforeDomain) {
  test::ConfigureSlot(config, 5, world.specs);
  test::ConfigureSlot(config, 6, world.archive_2023);
  test::ConfigureSlot(config, 7, world.archive_2024);
  FileMail(2, 5);  // Carol, contoso
  FileMail(6, 6);  // Carol
  FileMail(0, 3);  // Ann, contoso
  FileMail(4, 4);  // Ann
  FileMail(1, 7);  // Bob, fabrikam
  // Carol's next mail: her two folders, then the other contoso ones, at most three.
  const Strings rows = OpenPickerAndPressEnter(10);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], "2023 (suggested)");
  EXPECT_EQ(rows[1], "Specs (suggested)");
  EXPECT_TRUE(rows[2] == "Beta (suggested)" || rows[2] == "Alpha (suggested)") << rows[2];
}

TEST_F(FolderSuggestionsTest, ADeletedFolderIsNotSuggested) {
  FileMail(0, 3);
  FileMail(4, 4);
  FileMail(8, 4);
  world.beta.Delete();
  EXPECT_EQ(OpenPickerAndPressEnter(12), (Strings{"Alpha (suggested)"}));
  EXPECT_EQ(world.inbox_mail[12].folder(), world.alpha);
}

TEST_F(FolderSuggestionsTest, TheFolderShownIsNotSuggestedWhicheverFormOfItsIdItGives) {
  // Learned through the button's path (the Drafts' first EntryID); shown, the explorer gives
  // its second.
  test::ConfigureSlot(config, 5, world.drafts);
  FileMail(0, 5);
  world.explorer.ShowFolder(world.drafts);
  world.explorer.Select({world.inbox_mail[0]});
  EXPECT_TRUE(SuggestForSelection(*app, module.history(), 3).empty());
  // Shown elsewhere, it is suggested again.
  world.explorer.ShowFolder(world.inbox);
  world.explorer.Select({world.inbox_mail[4]});
  ASSERT_EQ(SuggestForSelection(*app, module.history(), 3).size(), 1u);
}

TEST_F(FolderSuggestionsTest, AFolderLearnedByItsOtherIdIsStillSuggested) {
  // Renamed, the folder is found by its id and answers the second form; learned so, it is
  // suggested when its path leads to it again, where it answers the first.
  world.alpha.AddSecondEntryId();
  module.SaveButtonsToFile();
  world.alpha.Rename("Alpha 2024");
  FileMail(0, 3);
  ASSERT_EQ(world.inbox_mail[0].folder(), world.alpha);
  EXPECT_EQ(OpenPickerAndPressEnter(4), (Strings{"Alpha 2024 (suggested)"}));
}

TEST_F(FolderSuggestionsTest, AnUndoneFilingIsNotLearned) {
  FileMail(0, 3);
  FileMail(4, 4);
  module.CallUndo();
  ASSERT_EQ(world.inbox_mail[4].folder(), world.inbox);
  EXPECT_EQ(FilingHistory(sim.platform()).size(), 1u);
  EXPECT_EQ(OpenPickerAndPressEnter(8), (Strings{"Alpha (suggested)"}));
}

TEST_F(FolderSuggestionsTest, EveryItemOfAnUndoneStepIsUnlearned) {
  FileMail(0, 3);
  world.explorer.Select({world.inbox_mail[4], world.inbox_mail[5], world.inbox_mail[6]});
  module.FileToFolder(4, nullptr);
  ASSERT_EQ(FilingHistory(sim.platform()).size(), 4u);
  module.CallUndo();
  EXPECT_EQ(world.inbox_mail[4].folder(), world.inbox);
  EXPECT_EQ(FilingHistory(sim.platform()).size(), 1u);
}

TEST_F(FolderSuggestionsTest, WhatMovedBeforeAFailedMoveIsLearned) {
  world.explorer.Select({world.inbox_mail[0], world.inbox_mail[4]});
  world.outlook.FailCall("Item.Move", outlook::sim::FailMode::kOnce, 1);
  module.FileToFolder(3, nullptr);
  ASSERT_EQ(world.inbox_mail[0].folder(), world.alpha);
  ASSERT_EQ(world.inbox_mail[4].folder(), world.inbox);
  EXPECT_EQ(FilingHistory(sim.platform()).size(), 1u);
}

TEST_F(FolderSuggestionsTest, SwitchedOffNothingIsLearnedOrSuggested) {
  module.history().SetEnabled(false);
  FileMail(0, 3);
  FileMail(4, 3);
  EXPECT_FALSE(sim.files.FileExists(kHistoryFile));
  EXPECT_TRUE(OpenPickerAndPressEnter(8).empty());
  EXPECT_EQ(world.inbox_mail[8].folder(), world.inbox);
}

TEST_F(FolderSuggestionsTest, WithoutTheSenderTheSubjectStillNamesTheConversation) {
  world.outlook.FailCall("Item.SenderEmailAddress", outlook::sim::FailMode::kAlways);
  FileMail(0, 3);
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha);
  const SimItem reply = world.inbox.AddItem(outlook::sim::ItemKind::kMail, "RE: AW: Inbox mail 1");
  EXPECT_EQ(OpenPickerAndPressEnter(reply), (Strings{"Alpha (suggested)"}));
  EXPECT_EQ(reply.folder(), world.alpha);
}

TEST_F(FolderSuggestionsTest, TheConversationIdOfLaterOutlooksBeatsTheSender) {
  world.inbox_mail[0].SetConversationId("CONV-1");
  world.inbox_mail[1].SetConversationId("CONV-1");
  world.inbox_mail[4].SetConversationId("CONV-2");
  FileMail(0, 3);  // Ann, conversation 1, into Alpha
  FileMail(4, 4);  // Ann, conversation 2, into Beta
  FileMail(8, 4);  // Ann, into Beta
  // Bob answers in conversation 1: Alpha, though Ann's mail went to Beta more often.
  EXPECT_EQ(OpenPickerAndPressEnter(1), (Strings{"Alpha (suggested)"}));
}

TEST_F(FolderSuggestionsTest, SuggestedFilesIntoTheBestFolderAtOnce) {
  FileMail(0, 3);
  FileMail(4, 3);
  world.explorer.Select({world.inbox_mail[8], world.inbox_mail[9]});
  module.FileToSuggestedFolder();
  EXPECT_EQ(world.inbox_mail[8].folder(), world.alpha);
  EXPECT_EQ(world.inbox_mail[9].folder(), world.alpha);
  EXPECT_EQ(config.MruList[1].Folder, "Mailbox\\Projects\\Alpha");
  EXPECT_TRUE(config.UndoDetails.IsComplete());
  EXPECT_TRUE(Messages().empty());
  // Nothing learned for Dave (Bob's mail 9 went with Ann's): it says so and moves nothing.
  world.explorer.Select({world.inbox_mail[3]});
  module.FileToSuggestedFolder();
  EXPECT_EQ(world.inbox_mail[3].folder(), world.inbox);
  EXPECT_EQ(Messages(), Strings{"No folder is suggested for the selected mail."});
}

TEST_F(FolderSuggestionsTest, TheButtonNamesTheFolderSuggestedForTheSelection) {
  FileMail(0, 3);
  auto& bar = module.olExplorerCommandBar1.Controls()[kSuggestedTag];
  auto& own = module.OwnFilingGroup().Controls()[kSuggestedTag];
  world.explorer.Select({world.inbox_mail[4]});
  module.RefreshSuggestedButton();
  EXPECT_TRUE(bar.Visible());
  EXPECT_EQ(bar.TooltipText(), "Move to the suggested folder: Alpha (Alt+K)");
  EXPECT_EQ(own.ScreenTip(), "Move to the suggested folder: Alpha (Alt+K)");
  world.explorer.Select({world.inbox_mail[1]});
  module.RefreshSuggestedButton();
  EXPECT_EQ(bar.TooltipText(), "No folder suggested for the selection (Alt+K)");
  module.history().SetEnabled(false);
  module.RefreshSuggestedButton();
  EXPECT_FALSE(bar.Visible());
  EXPECT_FALSE(own.Visible());
}

}  // namespace
}  // namespace quivra::core
