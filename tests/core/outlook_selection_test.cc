// What a filing run takes from the explorer as Outlook really hands it over: collapsed
// conversations, attachments in the reading pane, selections in the To-Do Bar, a selection
// that follows every move at once, and every kind of item a mail folder holds.
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

using Strings = std::vector<std::string>;

class OutlookSelectionTest : public test::SimulatedWorldTest {
 protected:
  OutlookSelectionTest() : engine(*app, config, sim.platform(), log, [](bool) {}) {
    sim.screen.SetOnPendingMessages([this] { world.outlook.ProcessMessages(); });
    test::AssignSlot(config, 1, world.beta.path(), world.beta.store_id());
    config.ButtonNames[1] = "Beta";
  }
  bool File() { return engine.FileToFolder(1, nullptr); }
  // Gives the mails one conversation, as Outlook 2010 and later do by ConversationID.
  static void OneConversation(const std::vector<SimItem>& items, const char* id) {
    for (const SimItem& item : items) {
      item.SetConversationId(id);
    }
  }

  DiagnosticLog log{sim.platform()};
  FilingEngine engine;
};

// Conversation view: a collapsed conversation is selected by its header only.

TEST_F(OutlookSelectionTest, ACollapsedConversationFilesItsItemsOfTheFolderShownOnly) {
  const SimItem reply = world.sent_items.items()[0];
  OneConversation({world.inbox_mail[2], world.inbox_mail[7], reply}, "conversation-1");
  OneConversation({world.inbox_mail[4]}, "conversation-2");
  world.explorer.ShowConversations(true);
  world.explorer.SelectConversations({world.inbox_mail[2], world.inbox_mail[4]});
  EXPECT_TRUE(File());
  EXPECT_EQ(Messages(), Strings{});
  EXPECT_EQ(test::Subjects(world.beta.items()),
            (Strings{world.beta.items()[0].subject(), world.inbox_mail[2].subject(),
                     world.inbox_mail[7].subject(), world.inbox_mail[4].subject()}));
  EXPECT_EQ(reply.folder(), world.sent_items) << "the user's reply stays in Sent Items";
  EXPECT_EQ(config.UndoDetails.SourcePath, "Mailbox\\Inbox");
}

TEST_F(OutlookSelectionTest, AReplySelectedOneByOneBesideItsHeaderFilesOnceEach) {
  const SimItem reply = world.sent_items.items()[0];
  OneConversation({world.inbox_mail[2], world.inbox_mail[7], reply}, "conversation-1");
  world.explorer.ShowConversations(true);
  world.explorer.SelectConversations({world.inbox_mail[2]}, {world.inbox_mail[7], reply});
  EXPECT_TRUE(File());
  EXPECT_EQ(Messages(), Strings{});
  EXPECT_EQ(world.inbox_mail[2].folder(), world.beta);
  EXPECT_EQ(world.inbox_mail[7].folder(), world.beta);
  EXPECT_EQ(reply.folder(), world.beta);
  EXPECT_EQ(world.beta.items().size(), 4u) << "no item moved twice";
}

// Elsewhere than the message list.

TEST_F(OutlookSelectionTest, AnAttachmentSelectedInTheReadingPaneFilesItsMail) {
  world.explorer.SelectElsewhere(outlook::kSelectionInAttachmentWell,
                                 {world.inbox_mail[3], world.inbox_mail[3]});
  EXPECT_TRUE(File());
  EXPECT_EQ(Messages(), Strings{});
  EXPECT_EQ(world.inbox_mail[3].folder(), world.beta);
  EXPECT_EQ(world.beta.items().size(), 2u);
}

TEST_F(OutlookSelectionTest, ASelectionInTheToDoBarOrTaskListFilesNothing) {
  for (int location : {outlook::kSelectionInToDoBarTaskList,
                       outlook::kSelectionInToDoBarAppointmentList,
                       outlook::kSelectionInDailyTaskList}) {
    world.explorer.Select({world.inbox_mail[0]});
    world.explorer.SelectElsewhere(location, {world.inbox_mail[5], world.task_request});
    EXPECT_TRUE(File());
    EXPECT_EQ(world.inbox_mail[5].folder(), world.inbox) << location;
    EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox) << location;
  }
  EXPECT_EQ(Messages(), Strings(3, test::kSelectionElsewhere));
}

TEST_F(OutlookSelectionTest, Outlook2007WithoutSelectionLocationFilesTheSelection) {
  world.outlook.SetVersion("12.0.6423.1000");
  world.explorer.Select({world.inbox_mail[0], world.inbox_mail[1]});
  EXPECT_TRUE(File());
  EXPECT_EQ(Messages(), Strings{});
  EXPECT_EQ(world.inbox_mail[0].folder(), world.beta);
  EXPECT_EQ(world.inbox_mail[1].folder(), world.beta);
}

// The identities are taken before the first move: a view that refreshes during each move
// (an online store) neither skips nor repeats an item, and neither does one that waits.

TEST_F(OutlookSelectionTest, EveryItemOfASelectionFilesOnceWhetherItFollowsTheMovesOrNot) {
  for (bool live : {false, true}) {
    SCOPED_TRACE(live ? "live selection" : "selection updated later");
    world.outlook.SetLiveSelection(live);
    SimFolder target = world.projects.AddFolder(live ? "Live" : "Later");
    test::AssignSlot(config, 2, target.path(), target.store_id());
    const std::vector<SimItem> chosen = {world.inbox_mail[1], world.inbox_mail[2],
                                         world.inbox_mail[3], world.meeting, world.inbox_mail[9]};
    world.explorer.Select(chosen);
    EXPECT_TRUE(engine.FileToFolder(2, nullptr));
    EXPECT_EQ(Messages(), Strings{});
    EXPECT_EQ(test::Subjects(target.items()), test::Subjects(chosen));
    world.outlook.ProcessMessages();
    world.explorer.Select({});
    sim.message_boxes.Clear();
    // The next run starts from the same mails, now put back.
    for (const SimItem& item : chosen) {
      item.handle()->AsItem(item.kind() == ItemKind::kMeeting
                                ? outlook::ItemInterface::kMeetingItem
                                : outlook::ItemInterface::kMailItem)
          ->Move(world.inbox.handle());
    }
  }
}

TEST_F(OutlookSelectionTest, AnItemGoneBeforeItsTurnStopsTheRunThere) {
  const std::vector<SimItem> chosen = {world.inbox_mail[1], world.inbox_mail[2],
                                       world.inbox_mail[3]};
  world.explorer.Select(chosen);
  // The third item cannot be opened again by its id when its turn comes.
  world.outlook.FailCall("NameSpace.GetItemFromID", outlook::sim::FailMode::kOnce, 2);
  EXPECT_TRUE(File());
  EXPECT_EQ(chosen[0].folder(), world.beta);
  EXPECT_EQ(chosen[1].folder(), world.beta);
  EXPECT_EQ(chosen[2].folder(), world.inbox);
  EXPECT_EQ(Messages(), Strings{test::kNotMoved});
}

// Every kind of item that Outlook moves into a mail folder files as a message does.

TEST_F(OutlookSelectionTest, EveryMessageLikeKindFilesWithTheMails) {
  std::vector<SimItem> chosen = {world.inbox_mail[0]};
  for (ItemKind kind : {ItemKind::kTaskRequestAccept, ItemKind::kTaskRequestDecline,
                        ItemKind::kTaskRequestUpdate, ItemKind::kSharing, ItemKind::kDocument,
                        ItemKind::kRemote, ItemKind::kMobile}) {
    chosen.push_back(world.inbox.AddItem(kind, "kind " + std::to_string(static_cast<int>(kind))));
  }
  chosen.push_back(world.inbox_mail[1]);
  world.explorer.Select(chosen);
  EXPECT_TRUE(File());
  EXPECT_EQ(Messages(), Strings{});
  for (const SimItem& item : chosen) {
    EXPECT_EQ(item.folder(), world.beta) << item.subject();
  }
  EXPECT_EQ(config.UndoDetails.SourcePath, "Mailbox\\Inbox");
}

TEST_F(OutlookSelectionTest, UndoLooksPastItemsOfEveryMessageLikeKind) {
  world.explorer.Select({world.inbox_mail[0]});
  ASSERT_TRUE(File());
  world.outlook.ProcessMessages();
  world.beta.AddItem(ItemKind::kSharing, "Calendar shared with you");
  world.beta.AddItem(ItemKind::kTaskRequestAccept, "Accepted: Report");
  engine.CallUndo();
  EXPECT_EQ(Messages(), Strings{});
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
}

}  // namespace
}  // namespace quivra::core
