// Stores that refuse the items filed into them: a read-only shared mailbox, a public folder
// without rights, an offline store, a store closed while the filing runs. The user learns which
// mails stayed and Outlook's reason; nothing is moved twice; undo names what did move.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/module_fixture.h"
#include "tests/support/message_texts.h"

namespace quivra::core {
namespace {

using outlook::sim::SimFolder;
using outlook::sim::SimItem;
using Strings = std::vector<std::string>;

constexpr char kNoPermission[] = "You don't have appropriate permission to perform this operation.";

class RefusingStoreTest : public ModuleTest {
 protected:
  RefusingStoreTest() {
    shared = world.outlook.AddStore("Mailbox - Sales");
    orders = shared.AddFolder("Orders");
    module.PlaceButtonBar();
    Configure(5, orders);
  }
  std::vector<SimItem> SelectMail(int count) {
    std::vector<SimItem> mails(world.inbox_mail.begin(), world.inbox_mail.begin() + count);
    world.explorer.Select(mails);
    return mails;
  }
  int Moves() { return world.outlook.CallCount("Item.Move"); }

  SimFolder shared;
  SimFolder orders;
};

TEST_F(RefusingStoreTest, EveryKindOfRefusalNamesTheMailsLeftAndOutlooksReason) {
  struct Case {
    const char* store;
    std::int32_t code;
    const char* text;
  };
  const Case cases[] = {
      {"read-only shared mailbox", outlook::kErrorAccessDenied, kNoPermission},
      {"public folder without rights", outlook::kErrorAccessDenied,
       "You do not have sufficient permission to perform this operation on this object."},
      {"offline IMAP store", outlook::kErrorNetwork,
       "The connection to the server is unavailable. Outlook must be online or connected to "
       "complete this action."},
  };
  for (const Case& refusal : cases) {
    SCOPED_TRACE(refusal.store);
    sim.message_boxes.Clear();
    world.outlook.RefuseMovesInto(shared, refusal.code, refusal.text);
    const std::vector<SimItem> mails = SelectMail(2);
    world.outlook.ResetCallCounts();
    EXPECT_TRUE(module.FileToFolder(5, nullptr));
    EXPECT_EQ(Messages(), Strings{std::string(test::kNotMoved) + "\r\n\r\n" + refusal.text +
                                  "\r\n\r\nNot moved (2 of 2):\r\n\"Inbox mail 1\"\r\n"
                                  "\"Inbox mail 2\""});
    EXPECT_EQ(sim.message_boxes.shown().at(0).caption, "Error");
    EXPECT_EQ(mails[0].folder(), world.inbox);
    EXPECT_EQ(mails[1].folder(), world.inbox);
    EXPECT_EQ(Moves(), 1) << "the first refusal ends the run";
    EXPECT_FALSE(config.UndoDetails.IsComplete());
    EXPECT_FALSE(Bar(13).Enabled());
  }
}

TEST_F(RefusingStoreTest, AStoreClosedWhileFilingKeepsWhatMovedAndOffersUndoForIt) {
  const std::vector<SimItem> mails = SelectMail(3);
  int moves = 0;
  world.outlook.SetCallGate([&](std::string_view method) {
    if (method == "Item.Move" && ++moves == 2) {
      world.outlook.CloseStore(shared);
    }
    return false;
  });
  EXPECT_TRUE(module.FileToFolder(5, nullptr));
  world.outlook.SetCallGate({});
  EXPECT_EQ(moves, 2) << "nothing is tried twice, nothing after the refusal";
  EXPECT_EQ(Messages(),
            Strings{std::string(test::kNotMoved) +
                    "\r\n\r\nThe attempted operation failed.  An object could not be found."
                    "\r\n\r\nNot moved (2 of 3):\r\n\"Inbox mail 2\"\r\n\"Inbox mail 3\""});
  EXPECT_EQ(mails[1].folder(), world.inbox);
  EXPECT_EQ(mails[2].folder(), world.inbox);

  // The record describes the one mail that moved; Undo is offered for it.
  EXPECT_TRUE(config.UndoDetails.IsComplete());
  EXPECT_EQ(config.UndoDetails.ConversationIndex, mails[0].conversation_index());
  EXPECT_EQ(config.UndoDetails.SourcePath, "Mailbox\\Inbox");
  EXPECT_TRUE(Bar(13).Enabled());
}

TEST_F(RefusingStoreTest, ARefusalAfterSomeMovesLeavesUndoOnTheMailsMoved) {
  const std::vector<SimItem> mails = SelectMail(3);
  world.outlook.SetCallGate([&](std::string_view method) {
    if (method == "Item.Move" && world.outlook.CallCount("Item.Move") == 3) {
      world.outlook.RefuseMovesInto(shared, outlook::kErrorAccessDenied, kNoPermission);
    }
    return false;
  });
  module.FileToFolder(5, nullptr);
  world.outlook.SetCallGate({});
  EXPECT_EQ(mails[0].folder(), orders);
  EXPECT_EQ(mails[1].folder(), orders);
  EXPECT_EQ(mails[2].folder(), world.inbox);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("Not moved (1 of 3):\r\n\"Inbox mail 3\""), std::string::npos);

  EXPECT_EQ(config.UndoDetails.ConversationIndex, mails[1].conversation_index());
  module.CallUndo();
  EXPECT_EQ(mails[0].folder(), world.inbox);
  EXPECT_EQ(mails[1].folder(), world.inbox);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(RefusingStoreTest, ALongSelectionListsTenMailsAndCountsTheRest) {
  world.outlook.RefuseMovesInto(shared, outlook::kErrorAccessDenied, kNoPermission);
  SelectMail(13);
  module.FileToFolder(5, nullptr);
  ASSERT_EQ(Messages().size(), 1u);
  const std::string text = Messages()[0];
  EXPECT_NE(text.find("Not moved (13 of 13):"), std::string::npos);
  EXPECT_NE(text.find("\"Inbox mail 10\"\r\nand 3 more"), std::string::npos);
  EXPECT_EQ(text.find("Inbox mail 11"), std::string::npos);
}

}  // namespace
}  // namespace quivra::core
