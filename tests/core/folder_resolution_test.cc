#include "core/folder_resolution.h"

#include <cctype>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core {
namespace {

using outlook::OutlookError;
using outlook::sim::FailMode;
using outlook::sim::SimFolder;
using test::AssignSlot;

class FolderResolutionTest : public test::SimulatedWorldTest {
 protected:
  outlook::MAPIFolderPtr Resolve(int slot) { return FindMapiFolder(*app, config, slot); }
};

TEST(RelativeFolderPathTest, IsEverythingAfterTheFirstName) {
  EXPECT_EQ(RelativeFolderPath("Mailbox"), "");
  EXPECT_EQ(RelativeFolderPath("Mailbox\\Inbox"), "Inbox");
  EXPECT_EQ(RelativeFolderPath("Mailbox\\Projects\\Beta\\Specs"), "Projects\\Beta\\Specs");
  // The store's name standing again further down is a folder's name like any other.
  EXPECT_EQ(RelativeFolderPath("Mailbox\\Mailbox\\Old"), "Mailbox\\Old");
  EXPECT_EQ(RelativeFolderPath("Inbox\\Mailbox\\Old"), "Mailbox\\Old");
}

TEST_F(FolderResolutionTest, FindStoreByExactStoreId) {
  outlook::MAPIFolderPtr root = FindStore(*app, world.archive.store_id());
  ASSERT_TRUE(root);
  EXPECT_EQ(root->EntryID(), world.archive.entry_id());
  EXPECT_FALSE(FindStore(*app, "0000"));
  EXPECT_FALSE(FindStore(*app, ""));
}

TEST_F(FolderResolutionTest, StoreIdsAreComparedCaseSensitively) {
  std::string lowered = world.mailbox.store_id();
  for (char& c : lowered) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  ASSERT_NE(lowered, world.mailbox.store_id());
  EXPECT_FALSE(FindStore(*app, lowered));
}

TEST_F(FolderResolutionTest, AStoreNamedByAnotherFormOfItsStoreIdIsFound) {
  world.archive.AddSecondStoreId();
  AssignSlot(config, 1, "Archive\\2023", world.archive.second_store_id());
  outlook::MAPIFolderPtr folder = Resolve(1);
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->EntryID(), world.archive_2023.entry_id());
  // The text as the store gives it is found without asking Outlook to compare.
  world.outlook.ResetCallCounts();
  EXPECT_TRUE(FindStore(*app, world.archive.store_id()));
  EXPECT_EQ(world.outlook.CallCount("NameSpace.CompareEntryIDs"), 0);
  // Outlook failing to compare leaves the store not found, as before it was asked.
  world.outlook.FailCall("NameSpace.CompareEntryIDs", FailMode::kAlways);
  EXPECT_FALSE(FindStore(*app, world.archive.second_store_id()));
}

TEST_F(FolderResolutionTest, FindFolderWalksNamesAsOutlookMatchesThem) {
  outlook::MAPIFolderPtr root = world.mailbox.handle();
  EXPECT_EQ(FindFolder(root, "Projects\\Beta\\Specs")->EntryID(), world.specs.entry_id());
  EXPECT_EQ(FindFolder(root, "projects\\BETA")->EntryID(), world.beta.entry_id());
  EXPECT_EQ(FindFolder(root, "Inbox")->EntryID(), world.inbox.entry_id());
}

TEST_F(FolderResolutionTest, FindFolderFailsOnAMissingOrEmptyName) {
  outlook::MAPIFolderPtr root = world.mailbox.handle();
  EXPECT_THROW(FindFolder(root, "Projects\\Gamma"), OutlookError);
  EXPECT_THROW(FindFolder(root, "Projects\\\\Alpha"), OutlookError);
  EXPECT_THROW(FindFolder(root, "Projects\\Alpha\\"), OutlookError);
  EXPECT_THROW(FindFolder(nullptr, "Inbox"), OutlookError);
}

TEST_F(FolderResolutionTest, FindMapiFolderResolvesEveryFolderGetFolderPathDescribes) {
  for (const SimFolder& folder : {world.mailbox, world.inbox, world.specs, world.archive,
                                  world.archive_alpha, world.calendar}) {
    FolderLocation location = GetFolderPath(folder.handle());
    EXPECT_EQ(location.path, folder.path());
    config.FolderNames[3] = location.path;
    config.StoreDetails[3] =
        TStoreDetails{location.store_name, location.store_name, location.store_id};
    outlook::MAPIFolderPtr found = Resolve(3);
    ASSERT_TRUE(found) << folder.path();
    EXPECT_EQ(found->EntryID(), folder.entry_id()) << folder.path();
  }
}

TEST_F(FolderResolutionTest, PathEqualToTheStoreNameIsTheRoot) {
  AssignSlot(config, 1, world.archive);
  ASSERT_EQ(config.FolderNames[1], "Archive");
  outlook::MAPIFolderPtr found = Resolve(1);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->EntryID(), world.archive.entry_id());
}

TEST_F(FolderResolutionTest, StoresWithTheSameRootNameAreToldApartByStoreId) {
  SimFolder second = world.outlook.AddStore("Mailbox");
  SimFolder second_alpha = second.AddFolder("Projects").AddFolder("Alpha");
  AssignSlot(config, 1, world.alpha);
  AssignSlot(config, 2, second_alpha);
  ASSERT_EQ(config.FolderNames[1], config.FolderNames[2]);
  EXPECT_EQ(Resolve(1)->EntryID(), world.alpha.entry_id());
  EXPECT_EQ(Resolve(2)->EntryID(), second_alpha.entry_id());
}

TEST_F(FolderResolutionTest, RenamedRootStillResolves) {
  AssignSlot(config, 4, world.specs);
  AssignSlot(config, 5, world.mailbox);
  world.mailbox.Rename("Mailbox - Jane");
  EXPECT_EQ(Resolve(4)->EntryID(), world.specs.entry_id());
  EXPECT_EQ(Resolve(5)->EntryID(), world.mailbox.entry_id());
}

TEST_F(FolderResolutionTest, RenamedInnerFolderFails) {
  AssignSlot(config, 4, world.specs);
  world.beta.Rename("Beta (old)");
  EXPECT_THROW(Resolve(4), OutlookError);
}

TEST_F(FolderResolutionTest, TheFirstNameOfAPathAlwaysStandsForTheStore) {
  AssignSlot(config, 6, world.alpha);
  config.FolderNames[6] = "Postfach\\Projects\\Alpha";  // another name for the same store
  EXPECT_EQ(Resolve(6)->EntryID(), world.alpha.entry_id());
  config.FolderNames[6] = "Projects\\Alpha";  // the store name was edited away
  EXPECT_THROW(Resolve(6), OutlookError);
}

TEST_F(FolderResolutionTest, UndoTargetIsWrittenBeforeAFailingLookup) {
  AssignSlot(config, 7, world.specs);
  config.UndoDetails.SourcePath = "Mailbox\\Inbox";
  config.UndoDetails.ConversationIndex = "01ABCD";
  world.specs.Delete();
  EXPECT_THROW(Resolve(7), OutlookError);
  EXPECT_EQ(config.UndoDetails.TargetPath, "Mailbox\\Projects\\Beta\\Specs");
  EXPECT_EQ(config.UndoDetails.TargetStore, config.StoreDetails[7]);
  EXPECT_EQ(config.UndoDetails.SourcePath, "Mailbox\\Inbox") << "the source half is left";
  EXPECT_EQ(config.UndoDetails.ConversationIndex, "01ABCD");
}

TEST_F(FolderResolutionTest, UndoTargetIsWrittenWhenOutlookFails) {
  AssignSlot(config, 2, world.alpha);
  world.outlook.FailCall("Folders.Count");
  EXPECT_THROW(Resolve(2), OutlookError);
  EXPECT_EQ(config.UndoDetails.TargetPath, "Mailbox\\Projects\\Alpha");
}

TEST_F(FolderResolutionTest, ClosedStoreGivesNoneForItsRootAndFailsBelowIt) {
  AssignSlot(config, 1, world.archive);
  AssignSlot(config, 2, world.archive_alpha);
  world.outlook.CloseStore(world.archive);
  EXPECT_FALSE(Resolve(1));
  EXPECT_EQ(config.UndoDetails.TargetPath, "Archive");
  EXPECT_THROW(Resolve(2), OutlookError);
  EXPECT_EQ(config.UndoDetails.TargetPath, "Archive\\Projects\\Alpha");
}

TEST_F(FolderResolutionTest, SlotWithoutStoreLeavesTheUndoRecordAlone) {
  AssignSlot(config, 1, world.alpha);
  Resolve(1);
  config.FolderNames[9] = "Mailbox\\Inbox";  // a path without store id is not enough
  world.outlook.ResetCallCounts();
  EXPECT_FALSE(Resolve(9));
  EXPECT_EQ(config.UndoDetails.TargetPath, "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(config.UndoDetails.TargetStore, config.StoreDetails[1]);
  EXPECT_EQ(world.outlook.TotalCalls(), 0);
}

TEST_F(FolderResolutionTest, SlotOutsideTheTableIsRefused) {
  EXPECT_THROW(Resolve(12), std::out_of_range);
  EXPECT_THROW(Resolve(-1), std::out_of_range);
}

TEST_F(FolderResolutionTest, GetFolderPathOfADeepFolderAndOfARoot) {
  FolderLocation specs = GetFolderPath(world.specs.handle());
  EXPECT_EQ(specs.path, "Mailbox\\Projects\\Beta\\Specs");
  EXPECT_EQ(specs.store_name, "Mailbox");
  EXPECT_EQ(specs.store_id, world.mailbox.store_id());

  FolderLocation root = GetFolderPath(world.archive.handle());
  EXPECT_EQ(root.path, "Archive");
  EXPECT_EQ(root.store_name, "Archive");
  EXPECT_EQ(root.store_id, world.archive.store_id());
}

TEST_F(FolderResolutionTest, GetFolderPathPassesOnAFailedParentRead) {
  // A failure to read a parent is not the top of the store: a shortened path would send undo to
  // the wrong folder.
  world.outlook.FailCall("MAPIFolder.Parent", FailMode::kOnce, 1);
  EXPECT_THROW(GetFolderPath(world.specs.handle()), OutlookError);
  EXPECT_THROW(GetFolderPath(nullptr), OutlookError);
}

}  // namespace
}  // namespace quivra::core
