#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/filing_options.h"
#include "tests/core/filing_engine_fixture.h"
#include "tests/support/message_texts.h"

namespace quivra::core {
namespace {

using outlook::sim::ItemKind;
using outlook::sim::SimFolder;
using outlook::sim::SimItem;
using Strings = std::vector<std::string>;

class UndoTest : public FilingEngineTest {
 protected:
  // Files `items` into `folder` through slot 1.
  void FileItems(const SimFolder& folder, const std::vector<SimItem>& items) {
    Configure(1, folder);
    world.explorer.Select(items);
    ASSERT_TRUE(File(1));
    ASSERT_TRUE(config.UndoDetails.IsComplete());
    world.outlook.ProcessMessages();
    undo_button_placements.clear();
  }
  // Mails from two folders in one selection, as a conversation view lists them: `mails` of
  // the folder shown and a reply to each of them kept in Sent Items.
  std::vector<SimItem> WithReplies(const std::vector<SimItem>& mails) {
    std::vector<SimItem> items = mails;
    for (const SimItem& mail : mails) {
      const std::string conversation = "CONV-" + mail.subject();
      mail.SetConversationId(conversation);
      const SimItem reply = world.sent_items.AddItem(ItemKind::kMail, "RE: " + mail.subject());
      reply.SetConversationId(conversation);
      items.push_back(reply);
    }
    world.explorer.ShowFolder(mails.front().folder());
    world.explorer.ShowConversations(true);
    return items;
  }
  std::vector<SimItem> MailIn(const SimFolder& folder, int count) {
    std::vector<SimItem> items;
    for (int i = 0; i < count; ++i) {
      items.push_back(
          folder.AddItem(ItemKind::kMail, folder.name() + " mail " + std::to_string(i + 1)));
    }
    return items;
  }
  std::string Tip() { return engine.undo_history().Describe("nothing"); }
};

TEST_F(UndoTest, NothingToUndoAfterStartUp) {
  engine.CallUndo();
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(undo_button_placements.empty());
  EXPECT_EQ(sim.screen.cursor(), platform::CursorShape::kDefault);
  EXPECT_EQ(Tip(), "nothing");
}

TEST_F(UndoTest, TwelveItemsFromTwoFoldersGoBackEachToItsOwnFolder) {
  const std::vector<SimItem> items = WithReplies(Inbox(0, 6));
  ASSERT_EQ(items.size(), 12u);
  FileItems(world.alpha, items);
  for (const SimItem& item : items)
    ASSERT_EQ(item.folder(), world.alpha);
  EXPECT_EQ(Tip(), "Undo: 12 items to Projects\\Alpha");

  engine.CallUndo();
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(items[i].folder(), i < 6 ? world.inbox : world.sent_items) << items[i].subject();
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(config.UndoDetails.IsComplete());
  EXPECT_TRUE(engine.undo_history().empty());
  EXPECT_EQ(undo_button_placements, std::vector<bool>{true});
  engine.CallUndo();  // nothing left: nothing moves
  EXPECT_EQ(items[0].folder(), world.inbox);
  EXPECT_EQ(undo_button_placements.size(), 1u);
}

TEST_F(UndoTest, StepsAreUndoneNewestFirstAndTheOldestBeyondTenAreDropped) {
  const std::vector<SimItem> first = Inbox(0, 2);
  const std::vector<SimItem> second = Inbox(2, 1);
  const std::vector<SimItem> third = Inbox(3, 3);
  FileItems(world.alpha, first);
  FileItems(world.beta, second);
  FileItems(world.specs, third);
  EXPECT_EQ(Tip(), "Undo: 3 items to Projects\\Beta\\Specs");
  EXPECT_EQ(config.UndoDetails.TargetPath, world.specs.path());
  EXPECT_EQ(config.UndoDetails.ConversationIndex, third.back().conversation_index());

  auto folders = [](const std::vector<SimItem>& items) {
    std::vector<SimFolder> result;
    for (const SimItem& item : items)
      result.push_back(item.folder());
    return result;
  };
  using Folders = std::vector<SimFolder>;
  engine.CallUndo();
  EXPECT_EQ(folders(third), Folders(3, world.inbox));
  EXPECT_EQ(folders(second), Folders{world.beta});
  EXPECT_EQ(Tip(), "Undo: 1 item to Projects\\Beta");
  EXPECT_EQ(config.UndoDetails.TargetPath, world.beta.path());
  engine.CallUndo();
  EXPECT_EQ(folders(second), Folders{world.inbox});
  EXPECT_EQ(folders(first), Folders(2, world.alpha));
  engine.CallUndo();
  EXPECT_EQ(folders(first), Folders(2, world.inbox));
  EXPECT_TRUE(Messages().empty());

  for (int i = 0; i < 11; ++i)
    FileItems(world.alpha, Inbox(i, 1));
  EXPECT_EQ(engine.undo_history().size(), UndoHistory::kStepCapacity);
  for (int i = 0; i < 11; ++i)
    engine.CallUndo();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha) << "the oldest run was dropped";
  EXPECT_EQ(world.inbox_mail[1].folder(), world.inbox);
}

TEST_F(UndoTest, TheFiledCopyComesBackNotAnotherWithTheSameConversationIndex) {
  FileItems(world.specs, Inbox(0, 1));
  const std::string key = world.inbox_mail[0].conversation_index();
  // Nearer the end of the folder, where a search by ConversationIndex would find it first.
  const SimItem twin = world.specs.AddItem(ItemKind::kMail, "Inbox mail 1", key);
  engine.CallUndo();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
  EXPECT_EQ(twin.folder(), world.specs);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(UndoTest, ItemsFiledIntoAnotherStoreComeBackByTheirNewIdentity) {
  const std::vector<SimItem> items = Inbox(0, 3);
  const std::string before = items[0].entry_id();
  FileItems(world.archive_2024, items);
  ASSERT_NE(items[0].entry_id(), before);
  // Outlook's search by ConversationIndex would meet another kind of item first.
  world.archive_2024.AddItem(ItemKind::kContact, "Card");
  engine.CallUndo();
  for (const SimItem& item : items)
    EXPECT_EQ(item.folder(), world.inbox);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(UndoTest, WhatCannotComeBackIsNamedWithItsReasonAndTheRestComesBack) {
  const std::vector<SimItem> items = Inbox(0, 4);
  FileItems(world.alpha, items);
  items[1].Delete();
  items[2].MoveTo(world.beta);
  engine.CallUndo();
  EXPECT_EQ(Messages(),
            Strings{"Not moved back (2 of 4):\r\n"
                    "\"Inbox mail 2\": no longer in Projects\\Alpha (deleted or moved on)\r\n"
                    "\"Inbox mail 3\": moved to Projects\\Beta since"});
  EXPECT_EQ(Caption(0), "Warning");
  EXPECT_EQ(items[0].folder(), world.inbox);
  EXPECT_EQ(items[2].folder(), world.beta);
  EXPECT_EQ(items[3].folder(), world.inbox);
  // The step has left the history: nothing is moved twice.
  EXPECT_TRUE(engine.undo_history().empty());
  EXPECT_FALSE(config.UndoDetails.IsComplete());
  EXPECT_EQ(undo_button_placements, std::vector<bool>{true});
}

TEST_F(UndoTest, ASourceThatHoldsNoMailOrRefusesIsTheReason) {
  FileItems(world.beta, Inbox(1, 1));
  UndoSource& source = engine.undo_history().Newest().sources[0];
  source.path = world.calendar.path();
  source.entry_id = world.calendar.entry_id();
  engine.CallUndo();
  EXPECT_EQ(Messages(),
            Strings{"Not moved back (1 of 1):\r\n\"Inbox mail 2\": its folder holds no mail"});
  EXPECT_EQ(world.inbox_mail[1].folder(), world.beta);

  FileItems(world.alpha, Inbox(0, 1));
  world.outlook.RefuseMovesInto(world.mailbox, outlook::kErrorAccessDenied, "No permission.");
  engine.CallUndo();
  EXPECT_EQ(Messages().back(), "Not moved back (1 of 1):\r\n\"Inbox mail 1\": No permission.");
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha);
}

TEST_F(UndoTest, AGoneSourceFolderKeepsItsItemsForALaterUndo) {
  SimFolder incoming = world.projects.AddFolder("Incoming");
  const std::vector<SimItem> from_incoming = MailIn(incoming, 2);
  const std::vector<SimItem> items = WithReplies(from_incoming);
  FileItems(world.alpha, items);
  incoming.PermanentlyDelete();
  engine.CallUndo();
  EXPECT_EQ(items[2].folder(), world.sent_items);
  EXPECT_EQ(items[3].folder(), world.sent_items);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0],
            "Not moved back (2 of 4):\r\n"
            "\"Incoming mail 1\": its folder Projects\\Incoming no longer exists; Undo again once "
            "it is back\r\n"
            "\"Incoming mail 2\": its folder Projects\\Incoming no longer exists; Undo again once "
            "it is back");
  EXPECT_EQ(Tip(), "Undo: 2 items to Projects\\Alpha");

  // Every source gone: "Folder doesn't exist.", and the step stays.
  engine.CallUndo();
  EXPECT_EQ(Messages().back(), test::kFolderDoesNotExist);
  EXPECT_EQ(engine.undo_history().size(), 1u);
  SimFolder again = world.projects.AddFolder("Incoming");
  engine.CallUndo();
  EXPECT_EQ(from_incoming[0].folder(), again);
  EXPECT_EQ(from_incoming[1].folder(), again);
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_TRUE(engine.undo_history().empty());
}

TEST_F(UndoTest, AClosedStoreFiledIntoKeepsTheStep) {
  FileItems(world.archive_2024, Inbox(0, 2));
  world.outlook.CloseStore(world.archive);
  engine.CallUndo();
  EXPECT_EQ(Messages(), Strings{test::kFolderDoesNotExist});
  EXPECT_EQ(engine.undo_history().size(), 1u);
  EXPECT_EQ(Tip(), "Undo: 2 items to 2024");
}

TEST_F(UndoTest, AnItemWhoseIdNoLongerFindsItIsSearchedNearTheEndOfTheFolder) {
  // Through another store and back: the item has a new EntryID in the same folder.
  FileItems(world.alpha, Inbox(0, 2));
  world.inbox_mail[0].MoveTo(world.archive_2023);
  world.inbox_mail[0].MoveTo(world.alpha);
  engine.CallUndo();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
  EXPECT_EQ(world.inbox_mail[1].folder(), world.inbox);
  EXPECT_TRUE(Messages().empty());

  // The search is bounded: beyond its reach the item is reported, not searched for.
  FileItems(world.alpha, Inbox(2, 1));
  world.inbox_mail[2].MoveTo(world.archive_2023);
  world.inbox_mail[2].MoveTo(world.alpha);
  for (int i = 0; i < FilingEngine::kUndoSearchLimit; ++i)
    world.alpha.AddItem(ItemKind::kMail, "Newer " + std::to_string(i));
  engine.CallUndo();
  EXPECT_EQ(world.inbox_mail[2].folder(), world.alpha);
  EXPECT_EQ(Messages().size(), 1u);
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

TEST_F(UndoTest, FailedRunsLeaveTheEarlierStepsToUndo) {
  FileItems(world.alpha, Inbox(0, 2));
  world.explorer.Select({});
  EXPECT_TRUE(File(1));  // "Nothing selected - nothing moved."
  Configure(2, world.calendar);
  world.explorer.Select(Inbox(2, 1));
  EXPECT_TRUE(File(2));  // no mail folder
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_TRUE(config.UndoDetails.IsComplete());
  EXPECT_EQ(config.UndoDetails.TargetPath, world.alpha.path());
  engine.CallUndo();
  EXPECT_EQ(world.inbox_mail[1].folder(), world.inbox);
}

TEST_F(UndoTest, MarkAsReadMarksFiledMailReadAndUndoLeavesItRead) {
  FileItems(world.alpha, Inbox(0, 1));
  EXPECT_TRUE(world.inbox_mail[0].unread()) << "off by default";
  MarkAsReadOption(sim.platform()).SetEnabled(true);
  FileItems(world.alpha, Inbox(1, 2));
  EXPECT_FALSE(world.inbox_mail[1].unread());
  EXPECT_FALSE(world.inbox_mail[2].unread());
  engine.CallUndo();
  EXPECT_EQ(world.inbox_mail[1].folder(), world.inbox);
  EXPECT_FALSE(world.inbox_mail[1].unread());
  // A mail Outlook will not mark is filed all the same.
  world.outlook.FailCall("Item.Save");
  FileItems(world.alpha, Inbox(3, 1));
  EXPECT_EQ(world.inbox_mail[3].folder(), world.alpha);
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace quivra::core
