#include <string>

#include <gtest/gtest.h>

#include "model/configuration.h"

namespace quivra::core {
namespace {

std::string Name(int i) {
  return "Mailbox\\F" + std::to_string(i);
}

void Fill(Configuration& c, int count) {
  for (int i = 1; i <= count; ++i)
    c.MruList[i] = {Name(i), "Mailbox", "ID"};
}

TEST(MruList, NewFolderOnAFullListDropsTheLastEntry) {
  Configuration c;
  Fill(c, 20);
  c.MoveMruEntryToTop("Mailbox\\New", "Mailbox", "ID", -1);
  EXPECT_EQ(c.MruList[1].Folder, "Mailbox\\New");
  for (int i = 2; i <= 20; ++i)
    EXPECT_EQ(c.MruList[i].Folder, Name(i - 1));
  EXPECT_EQ(c.FindMruEntry(Name(20), "Mailbox", "ID"), -1);
}

TEST(MruList, ListedFolderMovesUpWithoutDuplicate) {
  Configuration c;
  Fill(c, 20);
  c.MoveMruEntryToTop(Name(7), "Mailbox", "ID", -1);
  EXPECT_EQ(c.MruList[1].Folder, Name(7));
  for (int i = 2; i <= 7; ++i)
    EXPECT_EQ(c.MruList[i].Folder, Name(i - 1));
  for (int i = 8; i <= 20; ++i)
    EXPECT_EQ(c.MruList[i].Folder, Name(i));

  Configuration top;
  Fill(top, 3);
  top.MoveMruEntryToTop(Name(1), "Mailbox", "ID", 1);
  EXPECT_EQ(top.MruList[1].Folder, Name(1));
  EXPECT_EQ(top.MruList[2].Folder, Name(2));
  EXPECT_EQ(top.MruList[3].Folder, Name(3));
  EXPECT_FALSE(top.MruList[4].InUse());
}

TEST(MruList, ShortListGrowsContiguously) {
  Configuration c;
  Fill(c, 2);
  c.MoveMruEntryToTop("Mailbox\\New", "Mailbox", "ID", -1);
  EXPECT_EQ(c.MruList[1].Folder, "Mailbox\\New");
  EXPECT_EQ(c.MruList[2].Folder, Name(1));
  EXPECT_EQ(c.MruList[3].Folder, Name(2));
  EXPECT_FALSE(c.MruList[4].InUse());
  EXPECT_FALSE(c.MruList[20].InUse());
}

TEST(MruList, FindComparesAllThreeFieldsCaseSensitively) {
  Configuration c;
  Fill(c, 3);
  EXPECT_EQ(c.FindMruEntry(Name(1), "Mailbox", "ID"), 1);
  EXPECT_EQ(c.FindMruEntry(Name(2), "Mailbox", "ID"), 2);
  EXPECT_EQ(c.FindMruEntry("mailbox\\f2", "Mailbox", "ID"), -1);
  EXPECT_EQ(c.FindMruEntry(Name(2), "Mailbox", "id"), -1);
}

TEST(MruList, FindReachesTheLastEntryOfAFullList) {
  Configuration c;
  Fill(c, 20);
  EXPECT_EQ(c.FindMruEntry(Name(20), "Mailbox", "ID"), 20);
}

TEST(MruList, RemoveClosesTheGap) {
  Configuration c;
  Fill(c, 3);
  c.RemoveMruEntry(1);
  EXPECT_EQ(c.MruList[1].Folder, Name(2));
  EXPECT_EQ(c.MruList[2].Folder, Name(3));
  EXPECT_FALSE(c.MruList[3].InUse());

  Configuration full;
  Fill(full, 20);
  full.RemoveMruEntry(20);
  EXPECT_FALSE(full.MruList[20].InUse());
  EXPECT_EQ(full.MruList[19].Folder, Name(19));

  // From the middle of a full list: the last entry moves up too.
  Configuration middle;
  Fill(middle, 20);
  middle.RemoveMruEntry(5);
  EXPECT_EQ(middle.MruList[5].Folder, Name(6));
  EXPECT_EQ(middle.MruList[19].Folder, Name(20));
  EXPECT_FALSE(middle.MruList[20].InUse());
}

TEST(Slots, ClearSlotsKeepsAnyFolderTargetOptionsAndLists) {
  Configuration c;
  for (int i = 0; i <= 11; ++i) {
    c.FolderNames[i] = Name(i);
    c.ButtonNames[i] = "B";
    c.StoreDetails[i] = {"Mailbox", "Mailbox", "ID"};
  }
  c.MainButtonCaption = "Main";
  c.Icons = false;
  Fill(c, 1);
  c.ExpandList = std::vector<std::string>{"E1"};
  c.ClearSlots();
  for (int i = 1; i <= 11; ++i) {
    EXPECT_EQ(c.FolderNames[i], "");
    EXPECT_EQ(c.ButtonNames[i], "");
    EXPECT_EQ(c.StoreDetails[i], TStoreDetails());
  }
  EXPECT_EQ(c.FolderNames[0], Name(0));
  EXPECT_EQ(c.StoreDetails[0].StoreId, "ID");
  EXPECT_EQ(c.MainButtonCaption, "Main");
  EXPECT_FALSE(c.Icons);
  EXPECT_TRUE(c.MruList[1].InUse());
  EXPECT_EQ(c.ExpandList->size(), 1u);
}

TEST(UndoRecord, CompleteInvalidateAndClear) {
  TUndoDetails undo{
      "CI", "Mailbox\\Inbox", {"Mailbox", "", "S"}, "Mailbox\\Done", {"Mailbox", "Mailbox", "S"}};
  EXPECT_TRUE(undo.IsComplete());
  undo.Invalidate();
  EXPECT_FALSE(undo.IsComplete());
  EXPECT_EQ(undo.ConversationIndex, "CI");
  EXPECT_EQ(undo.TargetStore.StoreId, "S");
  undo.Clear();
  EXPECT_EQ(undo.TargetStore.StoreId, "");
  EXPECT_EQ(undo.ConversationIndex, "");
}

}  // namespace
}  // namespace quivra::core
