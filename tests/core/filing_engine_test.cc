#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/filing_engine.h"
#include "model/configuration.h"
#include "tests/support/message_texts.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

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

class FilingEngineTest : public test::SimulatedWorldTest {
 protected:
  FilingEngineTest()
      : engine(*app, config, sim.platform(), log, [this](bool visible) {
          undo_button_placements.push_back(visible);
        }) {
    sim.screen.SetOnPendingMessages([this] { world.outlook.ProcessMessages(); });
  }

  void Configure(int slot, const SimFolder& folder) {
    test::AssignSlot(config, slot, folder.path(), folder.store_id());
    config.ButtonNames[slot] = folder.name();
  }
  std::vector<SimItem> Inbox(int first, int count) {
    return {world.inbox_mail.begin() + first, world.inbox_mail.begin() + first + count};
  }
  // The texts of the message boxes shown, and a check that each is a standard message.
  std::vector<std::string> Messages() {
    for (const auto& box : sim.message_boxes.shown()) {
      EXPECT_EQ(box.buttons, std::vector<MessageButton>{MessageButton::kCancel});
      const bool kind_matches =
          (box.caption == "Warning" && box.icon == MessageIcon::kWarning) ||
          (box.caption == "Error" && box.icon == MessageIcon::kError) ||
          (box.caption == "Information" && box.icon == MessageIcon::kInformation);
      EXPECT_TRUE(kind_matches) << box.caption;
    }
    return SimulatedWorldTest::Messages();
  }
  std::string Caption(size_t index) { return sim.message_boxes.shown().at(index).caption; }
  bool File(int slot) { return engine.FileToFolder(slot, nullptr); }

  std::vector<bool> undo_button_placements;
  DiagnosticLog log{sim.platform()};
  FilingEngine engine;
};

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
  EXPECT_FALSE(config.UndoDetails.IsComplete());
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

class UndoTest : public FilingEngineTest {
 protected:
  // Files `items` from the Inbox into `folder` through slot 1.
  void FileItems(const SimFolder& folder, const std::vector<SimItem>& items) {
    Configure(1, folder);
    world.explorer.Select(items);
    ASSERT_TRUE(File(1));
    ASSERT_TRUE(config.UndoDetails.IsComplete());
    world.outlook.ProcessMessages();
    undo_button_placements.clear();
  }
};

TEST_F(UndoTest, NothingToUndoAfterStartUp) {
  engine.CallUndo();
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(undo_button_placements.empty());
  EXPECT_EQ(sim.screen.cursor(), platform::CursorShape::kDefault);
}

TEST_F(UndoTest, MovesBackOnlyTheLastOfFiveItems) {
  const std::vector<SimItem> items = Inbox(0, 5);
  FileItems(world.alpha, items);
  engine.CallUndo();
  EXPECT_EQ(items[4].folder(), world.inbox);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(items[i].folder(), world.alpha);
  EXPECT_EQ(config.UndoDetails.TargetStore, TStoreDetails());
  EXPECT_EQ(config.UndoDetails.SourcePath, "");
  EXPECT_EQ(undo_button_placements, std::vector<bool>{true});
  engine.CallUndo();
  EXPECT_EQ(items[3].folder(), world.alpha);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(UndoTest, TheMatchNearestTheEndMoves) {
  FileItems(world.specs, Inbox(0, 1));
  const std::string key = world.inbox_mail[0].conversation_index();
  const SimItem twin = world.specs.AddItem(ItemKind::kMail, "Twin", key);
  engine.CallUndo();
  EXPECT_EQ(twin.folder(), world.inbox);
  EXPECT_EQ(world.inbox_mail[0].folder(), world.specs);
}

TEST_F(UndoTest, ItemMovedOnMeanwhile) {
  FileItems(world.alpha, Inbox(0, 1));
  world.inbox_mail[0].MoveTo(world.beta);
  engine.CallUndo();
  EXPECT_EQ(Messages(), Strings{kNotMoved});
  EXPECT_EQ(world.inbox_mail[0].folder(), world.beta);
  EXPECT_FALSE(config.UndoDetails.IsComplete());
  EXPECT_TRUE(undo_button_placements.empty());
  engine.CallUndo();
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(UndoTest, SourceFolderGoneMeanwhileCanBeRetried) {
  SimFolder source = world.projects.AddFolder("Incoming");
  const SimItem item = source.AddItem(ItemKind::kMail, "Report");
  world.explorer.ShowFolder(source);
  FileItems(world.alpha, {item});
  source.Delete();
  engine.CallUndo();
  EXPECT_EQ(Messages(), Strings{kFolderDoesNotExist});
  EXPECT_TRUE(config.UndoDetails.IsComplete());
  SimFolder again = world.projects.AddFolder("Incoming");
  engine.CallUndo();
  EXPECT_EQ(item.folder(), again);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(UndoTest, ItemOfAnotherKindNearerTheEndStopsTheSearch) {
  FileItems(world.alpha, Inbox(0, 1));
  world.alpha.AddItem(ItemKind::kContact, "Card");
  engine.CallUndo();
  EXPECT_EQ(Messages(), Strings{kNotMoved});
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha);
  EXPECT_FALSE(config.UndoDetails.IsComplete());
}

TEST_F(UndoTest, SourceThatIsNoMailFolderClearsTheRecordSilently) {
  FileItems(world.alpha, Inbox(0, 1));
  config.UndoDetails.SourcePath = "Mailbox\\Calendar";
  engine.CallUndo();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha);
  EXPECT_EQ(config.UndoDetails.TargetPath, "");
  EXPECT_TRUE(undo_button_placements.empty());
}

TEST_F(UndoTest, WorksWhicheverFolderIsShownButNeedsAnExplorer) {
  FileItems(world.alpha, Inbox(0, 1));
  world.explorer.ShowFolder(world.drafts);
  engine.CallUndo();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);

  world.explorer.ShowFolder(world.inbox);
  FileItems(world.alpha, Inbox(1, 1));
  world.explorer.Close();
  engine.CallUndo();
  EXPECT_EQ(world.inbox_mail[1].folder(), world.alpha);
  EXPECT_TRUE(config.UndoDetails.IsComplete());
}

}  // namespace
}  // namespace quivra::core
