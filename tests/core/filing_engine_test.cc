#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/configuration.h"
#include "tests/core/filing_engine_fixture.h"
#include "tests/support/message_texts.h"

namespace quivra::core {
namespace {

using outlook::sim::ItemKind;
using outlook::sim::SimFolder;
using outlook::sim::SimItem;
using platform::MessageButton;
using platform::MessageIcon;

using test::kAlreadyInFolder;
using test::kFolderDoesNotExist;
using test::kNoMailItem;
using test::kNothingSelected;
using test::kNotMoved;

using Strings = std::vector<std::string>;

TEST_F(FilingEngineTest, MovesTheSelectionAndRecordsTheLastItem) {
  Configure(3, world.alpha);
  const std::vector<SimItem> items = Inbox(0, 3);
  world.explorer.Select(items);
  EXPECT_TRUE(File(3));
  for (const SimItem& item : items)
    EXPECT_EQ(item.folder(), world.alpha);
  EXPECT_TRUE(Messages().empty());
  const TUndoDetails& undo = config.UndoDetails;
  EXPECT_TRUE(undo.IsComplete());
  EXPECT_EQ(undo.TargetPath, "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(undo.TargetStore, config.StoreDetails[3]);
  EXPECT_EQ(undo.SourcePath, "Mailbox\\Inbox");
  EXPECT_EQ(undo.SourceStore.StoreName, "Mailbox");
  EXPECT_EQ(undo.SourceStore.StoreId, world.mailbox.store_id());
  EXPECT_EQ(undo.ConversationIndex, items.back().conversation_index());
  EXPECT_EQ(undo_button_placements, std::vector<bool>{true});
  // The run ends with the default cursor, the pointer one pixel to the right and the window
  // messages processed, after which the moved items have left the selection.
  EXPECT_EQ(sim.screen.cursor_history().front(), platform::CursorShape::kWait);
  EXPECT_EQ(sim.screen.cursor(), platform::CursorShape::kDefault);
  EXPECT_EQ(sim.screen.PointerPosition(), (platform::Point{401, 300}));
  EXPECT_EQ(sim.screen.pending_message_passes(), 1);
  EXPECT_EQ(world.explorer.selection().size(), 1u);
}

TEST_F(FilingEngineTest, NoActiveExplorerDoesNothing) {
  Configure(1, world.alpha);
  world.explorer.Close();
  EXPECT_TRUE(File(1));
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(undo_button_placements.empty());
  EXPECT_EQ(config.UndoDetails.TargetPath, "");
  EXPECT_EQ(sim.screen.cursor(), platform::CursorShape::kDefault);
  EXPECT_EQ(sim.screen.PointerPosition(), (platform::Point{400, 300}));
}

TEST_F(FilingEngineTest, UnconfiguredSlot) {
  world.explorer.Select(Inbox(0, 1));
  EXPECT_TRUE(File(5));
  world.outlook.ProcessMessages();
  world.explorer.Select({});
  EXPECT_TRUE(File(5));
  EXPECT_EQ(Messages(), (Strings{kNotMoved, kNothingSelected}));
  EXPECT_EQ(Caption(0), "Error");
  EXPECT_EQ(Caption(1), "Warning");
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
}

TEST_F(FilingEngineTest, DeletedFolderIsReportedBeforeTheSelectionIsRead) {
  Configure(0, world.specs);
  world.specs.Delete();
  EXPECT_FALSE(File(0));
  world.explorer.Select(Inbox(0, 2));
  EXPECT_FALSE(File(0));
  EXPECT_EQ(Messages(), (Strings{kFolderDoesNotExist, kFolderDoesNotExist}));
  EXPECT_EQ(Caption(0), "Warning");
  EXPECT_EQ(config.UndoDetails.TargetPath, "");
  EXPECT_EQ(undo_button_placements.size(), 2u);
}

TEST_F(FilingEngineTest, FailingSelectionReadIsReportedAsAMissingFolder) {
  Configure(2, world.alpha);
  world.explorer.Select(Inbox(0, 1));
  world.outlook.FailCall("Explorer.Selection");
  EXPECT_FALSE(File(2));
  EXPECT_EQ(Messages(), Strings{kFolderDoesNotExist});
}

TEST_F(FilingEngineTest, CalendarTargetWarnsOncePerItem) {
  Configure(4, world.calendar);
  world.explorer.Select(Inbox(0, 3));
  EXPECT_TRUE(File(4));
  EXPECT_EQ(Messages(), (Strings{kNoMailItem, kNoMailItem, kNoMailItem}));
  for (const SimItem& item : Inbox(0, 3))
    EXPECT_EQ(item.folder(), world.inbox);
  EXPECT_FALSE(config.UndoDetails.IsComplete());
}

TEST_F(FilingEngineTest, ContactStopsTheRunWhereItStands) {
  Configure(1, world.beta);
  const std::vector<SimItem> mails = Inbox(0, 3);
  world.explorer.Select({mails[0], mails[1], world.contact, mails[2]});
  EXPECT_TRUE(File(1));
  EXPECT_EQ(Messages(), Strings{kNotMoved});
  EXPECT_EQ(mails[0].folder(), world.beta);
  EXPECT_EQ(mails[1].folder(), world.beta);
  EXPECT_EQ(world.contact.folder(), world.inbox);
  EXPECT_EQ(mails[2].folder(), world.inbox);
  // What moved before the contact can be undone.
  EXPECT_TRUE(config.UndoDetails.IsComplete());
  engine.CallUndo();
  EXPECT_EQ(mails[0].folder(), world.inbox);
  EXPECT_EQ(mails[1].folder(), world.inbox);
}

TEST_F(FilingEngineTest, OtherMessageKindsAreFiled) {
  Configure(1, world.beta);
  world.explorer.Select({world.meeting, world.report, world.task_request, world.post});
  EXPECT_TRUE(File(1));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(world.meeting.folder(), world.beta);
  EXPECT_EQ(world.report.folder(), world.beta);
  EXPECT_EQ(world.task_request.folder(), world.beta);
  EXPECT_EQ(world.post.folder(), world.beta);
}

TEST_F(FilingEngineTest, FilingIntoTheFolderShownIsRefused) {
  Configure(1, world.inbox);
  world.explorer.Select(Inbox(0, 2));
  EXPECT_TRUE(File(1));
  EXPECT_EQ(Messages(), Strings{kAlreadyInFolder});
  EXPECT_EQ(Caption(0), "Information");
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
}

TEST_F(FilingEngineTest, TheFolderShownIsKnownWhicheverFormOfItsIdTheExplorerGives) {
  // The explorer gives the Inbox's second EntryID, the button's path finds its first.
  Configure(1, world.inbox);
  world.explorer.Select(Inbox(0, 1));
  world.outlook.ResetCallCounts();
  EXPECT_TRUE(File(1));
  EXPECT_EQ(Messages(), Strings{kAlreadyInFolder});
  EXPECT_EQ(world.outlook.CallCount("Item.Move"), 0);
  EXPECT_EQ(world.outlook.CallCount("NameSpace.CompareEntryIDs"), 1);
  // A folder with one id is told apart by its text alone.
  sim.message_boxes.Clear();
  world.explorer.ShowFolder(world.projects);
  world.explorer.Select(world.projects.items());
  Configure(2, world.projects);
  world.outlook.ResetCallCounts();
  EXPECT_TRUE(File(2));
  EXPECT_EQ(Messages(), Strings{kAlreadyInFolder});
  EXPECT_EQ(world.outlook.CallCount("NameSpace.CompareEntryIDs"), 0);
}

TEST_F(FilingEngineTest, GivenItemReplacesASingleSelection) {
  Configure(1, world.alpha);
  world.explorer.Select(Inbox(0, 1));
  EXPECT_TRUE(engine.FileToFolder(1, world.inbox_mail[5].handle()));
  EXPECT_EQ(world.inbox_mail[5].folder(), world.alpha);
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
  // A given item that is no message gives way to the selection.
  world.outlook.ProcessMessages();
  world.explorer.Select(Inbox(1, 1));
  EXPECT_TRUE(engine.FileToFolder(1, world.contact.handle()));
  EXPECT_EQ(world.inbox_mail[1].folder(), world.alpha);
}

}  // namespace
}  // namespace quivra::core
