// A store whose display name changed after a button was bound to one of its folders: the button
// keeps filing into the same folder, and its path and label follow the new name.
#include <string>

#include <gtest/gtest.h>

#include "platform/ui/sim/sim_ui.h"
#include "tests/core/module_fixture.h"

namespace quivra::core {
namespace {

using test::Subjects;

constexpr char kConfigFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml";

class RenamedStoreTest : public ModuleTest {
 protected:
  RenamedStoreTest() { module.PlaceButtonBar(); }

  // Files the Inbox's mail at `index` with the button of `slot`.
  bool FileMail(int slot, int index) {
    world.explorer.Select({world.inbox_mail[static_cast<size_t>(index)]});
    return module.FileToFolder(slot, nullptr);
  }
  std::string SavedFile() { return sim.files.ReadWholeFile(kConfigFile); }
};

TEST_F(RenamedStoreTest, AStoreRenamedBetweenTwoFilingsKeepsItsButtonsAndTheyFollowTheName) {
  Configure(2, world.archive_alpha, "Old mail");
  Configure(3, world.archive);
  ASSERT_TRUE(FileMail(2, 0));
  ASSERT_TRUE(FileMail(3, 1));

  world.archive.Rename("Archive 2019");
  EXPECT_TRUE(FileMail(2, 2));
  EXPECT_TRUE(FileMail(3, 3));

  EXPECT_EQ(Subjects(world.archive_alpha.items()),
            (std::vector<std::string>{"Alpha mail 1", "Inbox mail 1", "Inbox mail 3"}));
  EXPECT_EQ(Subjects(world.archive.items()),
            (std::vector<std::string>{"Inbox mail 2", "Inbox mail 4"}));
  EXPECT_TRUE(Messages().empty());

  EXPECT_EQ(config.FolderNames[2], "Archive 2019\\Projects\\Alpha");
  EXPECT_EQ(config.StoreDetails[2].StoreName, "Archive 2019");
  EXPECT_EQ(config.StoreDetails[2].StoreNameId, "Archive 2019");
  EXPECT_EQ(config.ButtonNames[2], "Old mail") << "a caption of the user's own stays";
  EXPECT_EQ(config.FolderNames[3], "Archive 2019");
  EXPECT_EQ(config.ButtonNames[3], "Archive 2019") << "the store's own name follows";
  EXPECT_EQ(Bar(3).Caption(), "Archive 2019");

  const std::string saved = SavedFile();
  EXPECT_NE(saved.find("<foldername>Archive 2019\\Projects\\Alpha</foldername>"),
            std::string::npos);
  EXPECT_NE(saved.find("<buttonname>Archive 2019</buttonname>"), std::string::npos);
  EXPECT_EQ(saved.find("<storename>Archive</storename>"), std::string::npos);

  // Undo finds the item in the renamed store.
  module.CallUndo();
  EXPECT_EQ(world.inbox_mail[3].folder(), world.inbox);
}

TEST_F(RenamedStoreTest, AStoreNamedLikeOneOfItsSubfoldersResolvesBelowItsRoot) {
  // The store now carries the name of its own subfolder "Projects", and the slot was written
  // with the new store name but the path from before: the name inside the path is a folder.
  world.archive.Rename("Projects");
  Configure(4, world.archive_alpha);
  config.FolderNames[4] = "Archive\\Projects\\Alpha";
  config.StoreDetails[4].StoreName = "Projects";
  config.StoreDetails[4].StoreNameId = "Projects";

  EXPECT_TRUE(FileMail(4, 0));
  EXPECT_EQ(world.inbox_mail[0].folder(), world.archive_alpha);
  EXPECT_EQ(config.FolderNames[4], "Projects\\Projects\\Alpha");
  EXPECT_TRUE(FileMail(4, 1)) << "the followed path resolves again";
  EXPECT_EQ(world.inbox_mail[1].folder(), world.archive_alpha);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RenamedStoreTest, AnUnchangedStoreSavesNothing) {
  Configure(2, world.alpha);
  ASSERT_TRUE(FileMail(2, 0));
  EXPECT_FALSE(sim.files.FileExists(kConfigFile));
}

TEST_F(RenamedStoreTest, ARecentlyUsedEntryFollowsTheStoreName) {
  test::AddMru(config, world.archive_2023);
  config.ExpandList.emplace();
  world.archive.Rename("Archive 2019");
  world.explorer.Select({world.inbox_mail[0]});
  sim.ui.Expect([](ui::sim::SimUser& user) { user.DoubleClickRow(0); });
  module.FileToAnyFolder();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.archive_2023);
  EXPECT_EQ(config.MruList[1].Folder, "Archive 2019\\2023");
  EXPECT_EQ(config.MruList[1].Store, "Archive 2019");
  EXPECT_NE(SavedFile().find("<mrufolder>Archive 2019\\2023</mrufolder>"), std::string::npos);
}

}  // namespace
}  // namespace quivra::core
