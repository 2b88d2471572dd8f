// Folder and store ids that come in two forms, as the simulated Outlook gives them, and their
// comparison through Outlook.
#include "host/outlook/entry_ids.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/support/simulated_world_test.h"

namespace quivra::outlook {
namespace {

class EntryIdsTest : public test::SimulatedWorldTest {
 protected:
  NameSpacePtr Session() { return app->GetNamespace("MAPI"); }
  int Comparisons() { return world.outlook.CallCount("NameSpace.CompareEntryIDs"); }
};

TEST_F(EntryIdsTest, ADefaultFolderAnswersItsSecondIdWhenNotReachedByName) {
  const std::string& by_name = world.inbox.entry_id();
  const std::string& second = world.inbox.second_entry_id();
  ASSERT_FALSE(second.empty());
  ASSERT_NE(second, by_name);
  NameSpacePtr session = Session();
  EXPECT_EQ(session->Folders()->Item("Mailbox")->Folders()->Item("Inbox")->EntryID(), by_name);
  EXPECT_EQ(session->GetDefaultFolder(kFolderInbox)->EntryID(), second);
  EXPECT_EQ(app->ActiveExplorer()->CurrentFolder()->EntryID(), second);
  EXPECT_EQ(world.inbox_mail[0].handle()->AsItem(ItemInterface::kMailItem)
                ->Parent()
                ->AsMAPIFolder()
                ->EntryID(),
            second);
  // A folder with one id answers it however it is reached.
  EXPECT_EQ(world.specs.handle()->Parent()->AsMAPIFolder()->EntryID(), world.beta.entry_id());
}

TEST_F(EntryIdsTest, GetFolderFromIDTakesEitherFormOfEachId) {
  world.mailbox.AddSecondStoreId();
  NameSpacePtr session = Session();
  for (const std::string& entry_id : {world.inbox.entry_id(), world.inbox.second_entry_id()}) {
    for (const std::string& store_id : {world.mailbox.store_id(), world.mailbox.second_store_id()}) {
      EXPECT_EQ(session->GetFolderFromID(entry_id, store_id)->Name(), "Inbox");
    }
  }
  EXPECT_THROW(session->GetFolderFromID(world.inbox.entry_id(), world.archive.store_id()),
               OutlookError);
}

TEST_F(EntryIdsTest, CompareEntryIDsTellsTheFormsOfOneObjectFromOtherObjects) {
  world.mailbox.AddSecondStoreId();
  NameSpacePtr session = Session();
  EXPECT_TRUE(session->CompareEntryIDs(world.inbox.entry_id(), world.inbox.second_entry_id()));
  EXPECT_FALSE(session->CompareEntryIDs(world.inbox.entry_id(), world.drafts.entry_id()));
  EXPECT_TRUE(
      session->CompareEntryIDs(world.mailbox.store_id(), world.mailbox.second_store_id()));
  EXPECT_FALSE(session->CompareEntryIDs(world.mailbox.store_id(), world.archive.store_id()));
  // A store is not its root folder.
  EXPECT_FALSE(session->CompareEntryIDs(world.mailbox.store_id(), world.mailbox.entry_id()));
  EXPECT_THROW(session->CompareEntryIDs(world.inbox.entry_id(), "0000BEEF"), OutlookError);
  world.outlook.SetVersion("11.0.0.8312");
  EXPECT_THROW(session->CompareEntryIDs(world.inbox.entry_id(), world.inbox.entry_id()),
               OutlookError);
}

TEST_F(EntryIdsTest, EqualTextsAreTheSameWithoutAskingOutlook) {
  EXPECT_TRUE(SameEntryID(*app, world.alpha.entry_id(), world.alpha.entry_id()));
  EXPECT_FALSE(SameEntryID(*app, world.alpha.entry_id(), ""));
  EXPECT_EQ(Comparisons(), 0);
  EXPECT_EQ(world.outlook.TotalCalls(), 0);
}

TEST_F(EntryIdsTest, DifferentTextsAreAskedOfOutlook) {
  EXPECT_TRUE(SameEntryID(*app, world.inbox.entry_id(), world.inbox.second_entry_id()));
  EXPECT_FALSE(SameEntryID(*Session(), world.inbox.entry_id(), world.alpha.entry_id()));
  EXPECT_EQ(Comparisons(), 2);
}

TEST_F(EntryIdsTest, IdsOutlookCannotCompareAreDifferent) {
  world.outlook.FailCall("NameSpace.CompareEntryIDs");
  EXPECT_FALSE(SameEntryID(*app, world.inbox.entry_id(), world.inbox.second_entry_id()));
  world.outlook.FailCall("Application.GetNamespace");
  EXPECT_FALSE(SameEntryID(*app, world.inbox.entry_id(), world.inbox.second_entry_id()));
  // An id that names nothing, and an Outlook before 2007 that has no CompareEntryIDs.
  EXPECT_FALSE(SameEntryID(*app, world.inbox.entry_id(), "0000BEEF"));
  world.outlook.SetVersion("11.0.0.8312");
  EXPECT_FALSE(SameEntryID(*app, world.inbox.entry_id(), world.inbox.second_entry_id()));
}

}  // namespace
}  // namespace quivra::outlook
