#include "core/folder_resolution.h"

#include <cctype>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/outlook_world_test.h"

namespace quivra::core {
namespace {

using outlook::OutlookError;
using outlook::sim::FailMode;
using outlook::sim::SimFolder;
using test::AssignSlot;

class FolderResolutionTest : public test::OutlookWorldTest {
 protected:
  outlook::MAPIFolderPtr Resolve(int slot) { return FindMapiFolder(*app_, config_, slot); }
};

TEST(RelativeFolderPathTest, RemovesTheStoreNameInFront) {
  EXPECT_EQ(RelativeFolderPath("Mailbox", "Mailbox"), "");
  EXPECT_EQ(RelativeFolderPath("Mailbox\\Inbox", "Mailbox"), "Inbox");
  EXPECT_EQ(RelativeFolderPath("Mailbox\\Projects\\Beta\\Specs", "Mailbox"),
            "Projects\\Beta\\Specs");
}

TEST(RelativeFolderPathTest, MatchesTheStoreNameExactly) {
  EXPECT_EQ(RelativeFolderPath("mailbox", "Mailbox"), "mailbox");
  EXPECT_EQ(RelativeFolderPath("mailbox\\Inbox", "Mailbox"), "mailbox\\Inbox");
  EXPECT_EQ(RelativeFolderPath("Mailbox2\\Inbox", "Mailbox"), "Mailbox2\\Inbox");
}

TEST(RelativeFolderPathTest, HandEditedPathLosesALaterOccurrence) {
  EXPECT_EQ(RelativeFolderPath("Inbox\\Old", "Mailbox"), "Inbox\\Old");
  EXPECT_EQ(RelativeFolderPath("Inbox\\Mailbox\\Old", "Mailbox"), "Inbox\\Old");
  EXPECT_EQ(RelativeFolderPath("Mailbox\\Mailbox\\Old", "Mailbox"), "Mailbox\\Old");
}

TEST_F(FolderResolutionTest, FindStoreByExactStoreId) {
  outlook::MAPIFolderPtr root = FindStore(*app_, world_.archive.store_id());
  ASSERT_TRUE(root);
  EXPECT_EQ(root->EntryID(), world_.archive.entry_id());
  EXPECT_FALSE(FindStore(*app_, "0000"));
  EXPECT_FALSE(FindStore(*app_, ""));
}

TEST_F(FolderResolutionTest, StoreIdsAreComparedCaseSensitively) {
  std::string lowered = world_.mailbox.store_id();
  for (char& c : lowered) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  ASSERT_NE(lowered, world_.mailbox.store_id());
  EXPECT_FALSE(FindStore(*app_, lowered));
}

TEST_F(FolderResolutionTest, FindFolderWalksNamesAsOutlookMatchesThem) {
  outlook::MAPIFolderPtr root = world_.mailbox.handle();
  EXPECT_EQ(FindFolder(root, "Projects\\Beta\\Specs")->EntryID(), world_.specs.entry_id());
  EXPECT_EQ(FindFolder(root, "projects\\BETA")->EntryID(), world_.beta.entry_id());
  EXPECT_EQ(FindFolder(root, "Inbox")->EntryID(), world_.inbox.entry_id());
}

TEST_F(FolderResolutionTest, FindFolderFailsOnAMissingOrEmptyName) {
  outlook::MAPIFolderPtr root = world_.mailbox.handle();
  EXPECT_THROW(FindFolder(root, "Projects\\Gamma"), OutlookError);
  EXPECT_THROW(FindFolder(root, "Projects\\\\Alpha"), OutlookError);
  EXPECT_THROW(FindFolder(root, "Projects\\Alpha\\"), OutlookError);
  EXPECT_THROW(FindFolder(nullptr, "Inbox"), OutlookError);
}

TEST_F(FolderResolutionTest, FindMapiFolderResolvesEveryFolderGetFolderPathDescribes) {
  for (const SimFolder& folder : {world_.mailbox, world_.inbox, world_.specs, world_.archive,
                                  world_.archive_alpha, world_.calendar}) {
    FolderLocation location = GetFolderPath(folder.handle());
    EXPECT_EQ(location.path, folder.path());
    config_.FolderNames[3] = location.path;
    config_.StoreDetails[3] =
        TStoreDetails{location.store_name, location.store_name, location.store_id};
    outlook::MAPIFolderPtr found = Resolve(3);
    ASSERT_TRUE(found) << folder.path();
    EXPECT_EQ(found->EntryID(), folder.entry_id()) << folder.path();
  }
}

TEST_F(FolderResolutionTest, PathEqualToTheStoreNameIsTheRoot) {
  AssignSlot(config_, 1, world_.archive);
  ASSERT_EQ(config_.FolderNames[1], "Archive");
  outlook::MAPIFolderPtr found = Resolve(1);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->EntryID(), world_.archive.entry_id());
}

TEST_F(FolderResolutionTest, StoresWithTheSameRootNameAreToldApartByStoreId) {
  SimFolder second = world_.outlook.AddStore("Mailbox");
  SimFolder second_alpha = second.AddFolder("Projects").AddFolder("Alpha");
  AssignSlot(config_, 1, world_.alpha);
  AssignSlot(config_, 2, second_alpha);
  ASSERT_EQ(config_.FolderNames[1], config_.FolderNames[2]);
  EXPECT_EQ(Resolve(1)->EntryID(), world_.alpha.entry_id());
  EXPECT_EQ(Resolve(2)->EntryID(), second_alpha.entry_id());
}

TEST_F(FolderResolutionTest, RenamedRootStillResolves) {
  AssignSlot(config_, 4, world_.specs);
  AssignSlot(config_, 5, world_.mailbox);
  world_.mailbox.Rename("Mailbox - Jane");
  EXPECT_EQ(Resolve(4)->EntryID(), world_.specs.entry_id());
  EXPECT_EQ(Resolve(5)->EntryID(), world_.mailbox.entry_id());
}

TEST_F(FolderResolutionTest, RenamedInnerFolderFails) {
  AssignSlot(config_, 4, world_.specs);
  world_.beta.Rename("Beta (old)");
  EXPECT_THROW(Resolve(4), OutlookError);
}

TEST_F(FolderResolutionTest, HandEditedPathKeepsItsFirstNameInTheLookup) {
  AssignSlot(config_, 6, world_.alpha);
  config_.FolderNames[6] = "Projects\\Alpha";  // the store name was edited away
  EXPECT_EQ(Resolve(6)->EntryID(), world_.alpha.entry_id())
      << "a path relative to the root still leads to the folder";
  config_.FolderNames[6] = "Postfach\\Projects\\Alpha";
  EXPECT_THROW(Resolve(6), OutlookError);
}

TEST_F(FolderResolutionTest, UndoTargetIsWrittenBeforeAFailingLookup) {
  AssignSlot(config_, 7, world_.specs);
  config_.UndoDetails.SourcePath = "Mailbox\\Inbox";
  config_.UndoDetails.ConversationIndex = "01ABCD";
  world_.specs.Delete();
  EXPECT_THROW(Resolve(7), OutlookError);
  EXPECT_EQ(config_.UndoDetails.TargetPath, "Mailbox\\Projects\\Beta\\Specs");
  EXPECT_EQ(config_.UndoDetails.TargetStore, config_.StoreDetails[7]);
  EXPECT_EQ(config_.UndoDetails.SourcePath, "Mailbox\\Inbox") << "the source half is left";
  EXPECT_EQ(config_.UndoDetails.ConversationIndex, "01ABCD");
}

TEST_F(FolderResolutionTest, UndoTargetIsWrittenWhenOutlookFails) {
  AssignSlot(config_, 2, world_.alpha);
  world_.outlook.FailCall("Folders.Count");
  EXPECT_THROW(Resolve(2), OutlookError);
  EXPECT_EQ(config_.UndoDetails.TargetPath, "Mailbox\\Projects\\Alpha");
}

TEST_F(FolderResolutionTest, ClosedStoreGivesNoneForItsRootAndFailsBelowIt) {
  AssignSlot(config_, 1, world_.archive);
  AssignSlot(config_, 2, world_.archive_alpha);
  world_.outlook.CloseStore(world_.archive);
  EXPECT_FALSE(Resolve(1));
  EXPECT_EQ(config_.UndoDetails.TargetPath, "Archive");
  EXPECT_THROW(Resolve(2), OutlookError);
  EXPECT_EQ(config_.UndoDetails.TargetPath, "Archive\\Projects\\Alpha");
}

TEST_F(FolderResolutionTest, SlotWithoutStoreLeavesTheUndoRecordAlone) {
  AssignSlot(config_, 1, world_.alpha);
  Resolve(1);
  config_.FolderNames[9] = "Mailbox\\Inbox";  // a path without store id is not enough
  world_.outlook.ResetCallCounts();
  EXPECT_FALSE(Resolve(9));
  EXPECT_EQ(config_.UndoDetails.TargetPath, "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(config_.UndoDetails.TargetStore, config_.StoreDetails[1]);
  EXPECT_EQ(world_.outlook.TotalCalls(), 0);
}

TEST_F(FolderResolutionTest, SlotOutsideTheTableIsRefused) {
  EXPECT_THROW(Resolve(12), std::out_of_range);
  EXPECT_THROW(Resolve(-1), std::out_of_range);
}

TEST_F(FolderResolutionTest, GetFolderPathOfADeepFolderAndOfARoot) {
  FolderLocation specs = GetFolderPath(world_.specs.handle());
  EXPECT_EQ(specs.path, "Mailbox\\Projects\\Beta\\Specs");
  EXPECT_EQ(specs.store_name, "Mailbox");
  EXPECT_EQ(specs.store_id, world_.mailbox.store_id());

  FolderLocation root = GetFolderPath(world_.archive.handle());
  EXPECT_EQ(root.path, "Archive");
  EXPECT_EQ(root.store_name, "Archive");
  EXPECT_EQ(root.store_id, world_.archive.store_id());
}

TEST_F(FolderResolutionTest, GetFolderPathPassesOnAFailedParentRead) {
  // A failure to read a parent is not the top of the store: a shortened path would send undo to
  // the wrong folder.
  world_.outlook.FailCall("MAPIFolder.Parent", FailMode::kOnce, 1);
  EXPECT_THROW(GetFolderPath(world_.specs.handle()), OutlookError);
  EXPECT_THROW(GetFolderPath(nullptr), OutlookError);
}

}  // namespace
}  // namespace quivra::core
