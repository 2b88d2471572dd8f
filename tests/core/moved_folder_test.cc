// Folders renamed or moved after a button or a recently used entry was bound to them: found
// again by the EntryID kept beside the configuration file, filed into, and the binding follows.
// A folder gone for good is named to the user with the choice to pick another at once.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/configuration_file.h"
#include "model/folder_ids_file.h"
#include "platform/ui/sim/sim_ui.h"
#include "tests/core/module_fixture.h"

namespace quivra::core {
namespace {

using outlook::sim::SimFolder;
using platform::MessageButton;
using ui::sim::SimUser;

constexpr char kFolder[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL";
constexpr char kConfigFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml";
constexpr char kIdsFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\QelvoIds.xml";

class MovedFolderTest : public ModuleTest {
 protected:
  MovedFolderTest() {
    config.ExpandList.emplace();
    module.PlaceButtonBar();
  }
  // Binds the slot and saves, as Configure OK does: the folder's id is kept from then on.
  void Bind(int slot, const SimFolder& folder) {
    Configure(slot, folder);
    module.SaveButtonsToFile();
  }
  // Outlook starts again: the configuration and the folder ids are read from disk.
  void Restart() {
    config.FolderIds.Clear();
    module.LoadButtonsFromFile();
    module.PlaceButtonBar();
  }
  bool FileMail(int slot, int index) {
    world.explorer.Select({world.inbox_mail[static_cast<size_t>(index)]});
    return module.FileToFolder(slot, nullptr);
  }
  std::string Read(const char* path) { return sim.files.ReadWholeFile(path); }
  // The saved configuration, read back as the add-in reads it.
  Configuration Saved() {
    Configuration saved;
    ConfigurationFile::ReadBytes(Read(kConfigFile), saved, sim.codec);
    return saved;
  }
};

TEST_F(MovedFolderTest, ARenamedFolderIsFiledIntoAndTheButtonFollowsIt) {
  Bind(2, world.alpha);
  world.alpha.Rename("Alpha 2024");
  Restart();

  EXPECT_TRUE(FileMail(2, 0));
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(config.FolderNames[2], "Mailbox\\Projects\\Alpha 2024");
  EXPECT_EQ(config.ButtonNames[2], "Alpha 2024") << "the label was the folder's name";
  EXPECT_EQ(Bar(2).Caption(), "Alpha 2024");

  const Configuration saved = Saved();
  EXPECT_EQ(saved.FolderNames[2], "Mailbox\\Projects\\Alpha 2024");
  EXPECT_EQ(saved.ButtonNames[2], "Alpha 2024");
  EXPECT_EQ(Read(kConfigFile).find("entryid"), std::string::npos)
      << "the configuration file keeps its own layout";
  EXPECT_NE(Read(kIdsFile).find(">Mailbox\\Projects\\Alpha 2024</folder>"), std::string::npos);

  // Undo finds the folder under its new name.
  module.CallUndo();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
}

TEST_F(MovedFolderTest, ARenamedFolderIsFoundWhicheverFormOfItsIdsWasKept) {
  // The button was bound where Outlook gave another form of the store's id and of the
  // folder's; found again by them, the folder is in that store all the same.
  world.mailbox.AddSecondStoreId();
  world.alpha.AddSecondEntryId();
  test::AssignSlot(config, 2, world.alpha.path(), world.mailbox.second_store_id());
  config.ButtonNames[2] = "Alpha";
  config.FolderIds.Learn(world.mailbox.second_store_id(), world.alpha.path(),
                         world.alpha.second_entry_id());
  world.alpha.Rename("Alpha 2024");
  EXPECT_TRUE(FileMail(2, 0));
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(config.FolderNames[2], "Mailbox\\Projects\\Alpha 2024");
}

TEST_F(MovedFolderTest, AMovedFolderIsFiledIntoAndItsOwnLabelStays) {
  Configure(3, world.specs, "Specifications");
  module.SaveButtonsToFile();
  world.specs.MoveTo(world.alpha);
  Restart();

  EXPECT_TRUE(FileMail(3, 0));
  EXPECT_EQ(world.inbox_mail[0].folder(), world.specs);
  EXPECT_EQ(config.FolderNames[3], "Mailbox\\Projects\\Alpha\\Specs");
  EXPECT_EQ(config.ButtonNames[3], "Specifications");
  EXPECT_EQ(Saved().FolderNames[3], "Mailbox\\Projects\\Alpha\\Specs");
  EXPECT_TRUE(FileMail(3, 1)) << "the new path resolves by itself";
  EXPECT_EQ(world.inbox_mail[1].folder(), world.specs);
}

TEST_F(MovedFolderTest, AFolderFiledIntoOnceIsFoundEvenBeforeTheNextSave) {
  Configure(4, world.beta);
  ASSERT_TRUE(FileMail(4, 0));
  world.beta.Rename("Beta (old)");
  EXPECT_TRUE(FileMail(4, 1));
  EXPECT_EQ(world.inbox_mail[1].folder(), world.beta);
  EXPECT_EQ(config.FolderNames[4], "Mailbox\\Projects\\Beta (old)");
}

TEST_F(MovedFolderTest, AFolderGoneForGoodIsNamedWithTheChoiceToPickAnother) {
  Bind(2, world.alpha);
  world.alpha.Delete();
  sim.message_boxes.ScriptAnswer(MessageButton::kNo);
  EXPECT_FALSE(FileMail(2, 0));
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  const platform::MessageBoxRequest& box = sim.message_boxes.shown()[0];
  EXPECT_EQ(box.text,
            "The folder \"Mailbox\\Projects\\Alpha\" of the button \"Alpha\" no longer exists."
            "\r\n\r\nPick a new folder for this button now?");
  EXPECT_EQ(box.caption, "Warning");
  EXPECT_EQ(box.buttons, (std::vector<MessageButton>{MessageButton::kYes, MessageButton::kNo}));
  EXPECT_EQ(config.FolderNames[2], "Mailbox\\Projects\\Alpha") << "No changes nothing";

  // Yes: the picker binds the button to another folder, and the selection goes there.
  sim.message_boxes.ScriptAnswer(MessageButton::kYes);
  sim.ui.Expect([](SimUser& user) {
    user.ExpandNode("Mailbox\\Projects");
    user.SelectNode("Mailbox\\Projects\\Beta");
    user.Click("btnOK");
  });
  EXPECT_FALSE(FileMail(2, 1));
  EXPECT_EQ(world.inbox_mail[1].folder(), world.beta);
  EXPECT_EQ(config.FolderNames[2], "Mailbox\\Projects\\Beta");
  EXPECT_EQ(config.ButtonNames[2], "Beta");
  EXPECT_EQ(Saved().FolderNames[2], "Mailbox\\Projects\\Beta");
  EXPECT_EQ(Bar(2).Caption(), "Beta");
}

TEST_F(MovedFolderTest, AFolderRenamedTwiceAndMovedTwiceIsFollowedEveryTime) {
  Bind(2, world.alpha);
  const auto file_after_restart = [this](const char* expected_path) {
    Restart();
    const int mail = static_cast<int>(world.alpha.items().size());
    EXPECT_TRUE(FileMail(2, mail)) << expected_path;
    EXPECT_EQ(world.inbox_mail[static_cast<size_t>(mail)].folder(), world.alpha) << expected_path;
    EXPECT_EQ(config.FolderNames[2], expected_path);
    EXPECT_TRUE(Messages().empty()) << expected_path;
    // The id is kept under the path followed, for the next time the folder changes.
    FolderIdBook book;
    FolderIdsFile::Read(Read(kIdsFile), book);
    const std::string* kept = book.Find(world.mailbox.store_id(), expected_path);
    EXPECT_TRUE(kept && *kept == world.alpha.entry_id()) << expected_path;
  };
  world.alpha.Rename("Alpha 2025");
  file_after_restart("Mailbox\\Projects\\Alpha 2025");
  world.alpha.Rename("Alpha (done)");
  file_after_restart("Mailbox\\Projects\\Alpha (done)");
  world.alpha.MoveTo(world.beta);
  file_after_restart("Mailbox\\Projects\\Beta\\Alpha (done)");
  world.alpha.MoveTo(world.mailbox);
  file_after_restart("Mailbox\\Alpha (done)");
}

// Deleting a folder in Outlook moves it with its mail below its store's Deleted Items, where it
// keeps its EntryID: found by that id it is gone for the user all the same, on Outlook 2007
// (the store's PR_IPM_WASTEBASKET_ENTRYID) as on Outlook 2010 and later (Store.GetDefaultFolder).
TEST_F(MovedFolderTest, ADeletedFolderIsGoneAndNothingIsFiledIntoDeletedItems) {
  for (const char* version : {"12.0.6423.1000", "14.0.7015.1000"}) {
    SCOPED_TRACE(version);
    world.outlook.SetVersion(version);
    SimFolder folder = world.projects.AddFolder(std::string("Doomed ") + version);
    SimFolder archived = world.archive_projects.AddFolder(std::string("Doomed ") + version);
    Bind(2, folder);
    Bind(3, archived);
    folder.Delete();
    archived.Delete();
    ASSERT_EQ(folder.path(), "Mailbox\\Deleted Items\\Doomed " + std::string(version));
    ASSERT_EQ(archived.path(), "Archive\\Deleted Items\\Doomed " + std::string(version));
    Restart();
    for (int slot : {2, 3}) {
      sim.message_boxes.ScriptAnswer(MessageButton::kNo);
      EXPECT_FALSE(FileMail(slot, 0));
      EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
    }
    ASSERT_EQ(sim.message_boxes.shown().size(), 2u);
    EXPECT_NE(sim.message_boxes.shown()[0].text.find("no longer exists"), std::string::npos);
    EXPECT_NE(sim.message_boxes.shown()[1].text.find("no longer exists"), std::string::npos);
    EXPECT_TRUE(folder.items().empty());
    EXPECT_EQ(config.FolderNames[2], "Mailbox\\Projects\\Doomed " + std::string(version));
    sim.message_boxes.Clear();
  }
}

TEST_F(MovedFolderTest, AFolderKeptInDeletedItemsIsFollowedThere) {
  SimFolder kept = world.deleted_items.AddFolder("Kept");
  Bind(2, kept);
  kept.Rename("Kept 2025");
  Restart();
  EXPECT_TRUE(FileMail(2, 0));
  EXPECT_EQ(world.inbox_mail[0].folder(), kept);
  EXPECT_EQ(config.FolderNames[2], "Mailbox\\Deleted Items\\Kept 2025");
}

TEST_F(MovedFolderTest, AFolderDeletedTwiceOrEmptiedIsGone) {
  Bind(2, world.alpha);
  Bind(3, world.beta);
  world.alpha.Delete();
  world.alpha.Delete();  // deleted again in Deleted Items: gone for good
  world.beta.Delete();
  world.outlook.EmptyDeletedItems(world.mailbox);
  Restart();
  for (int slot : {2, 3}) {
    sim.message_boxes.ScriptAnswer(MessageButton::kNo);
    EXPECT_FALSE(FileMail(slot, 0));
  }
  EXPECT_EQ(sim.message_boxes.shown().size(), 2u);
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
}

// An EntryID that Outlook opens in another store than the one the button names is not the
// button's folder.
TEST_F(MovedFolderTest, AnIdOpenedInAnotherStoreIsRefused) {
  world.outlook.ResolveIdsInAnyStore(true);
  Bind(2, world.alpha);
  config.FolderIds.Learn(world.mailbox.store_id(), "Mailbox\\Projects\\Alpha",
                         world.archive_2024.entry_id());
  world.alpha.PermanentlyDelete();
  sim.message_boxes.ScriptAnswer(MessageButton::kNo);
  EXPECT_FALSE(FileMail(2, 0));
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
  EXPECT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_EQ(config.FolderNames[2], "Mailbox\\Projects\\Alpha");
}

TEST_F(MovedFolderTest, ARecentlyUsedEntryFollowsItsRenamedFolder) {
  test::AddMru(config, world.archive_2023);
  module.SaveButtonsToFile();
  world.archive_2023.Rename("Year 2023");
  Restart();
  world.explorer.Select({world.inbox_mail[0]});
  sim.ui.Expect([](SimUser& user) { user.DoubleClickRow(0); });
  module.FileToAnyFolder();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.archive_2023);
  EXPECT_EQ(config.MruList[1].Folder, "Archive\\Year 2023");
  EXPECT_EQ(Saved().MruList[1].Folder, "Archive\\Year 2023");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MovedFolderTest, ARecentlyUsedEntryOfADeletedFolderFilesNothingThere) {
  test::AddMru(config, world.archive_2023);
  module.SaveButtonsToFile();
  world.archive_2023.Delete();
  Restart();
  world.explorer.Select({world.inbox_mail[0]});
  sim.message_boxes.ScriptAnswer(MessageButton::kNo);
  sim.ui.Expect([](SimUser& user) { user.DoubleClickRow(0); });
  module.FileToAnyFolder();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
  EXPECT_TRUE(world.archive_2023.items().size() == 3u) << "nothing filed into Deleted Items";
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(MovedFolderTest, ADamagedIdsFileIsSetAsideAndTheButtonsStillFileByPath) {
  Bind(2, world.alpha);
  sim.files.ReplaceWholeFile(kIdsFile, "<folderids><folder storeid=\"1\">");
  Restart();
  std::vector<std::string> copies = sim.files.ListFiles(kFolder, FolderIdsFile::kDamagedFilePrefix);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(Read((std::string(kFolder) + "\\" + copies[0]).c_str()),
            "<folderids><folder storeid=\"1\">");
  EXPECT_TRUE(Messages().empty()) << "the user is not troubled";

  EXPECT_TRUE(FileMail(2, 0));
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha);
  module.SaveButtonsToFile();
  FolderIdBook book;
  FolderIdsFile::Read(Read(kIdsFile), book);
  ASSERT_TRUE(book.Find(world.mailbox.store_id(), "Mailbox\\Projects\\Alpha"));
  EXPECT_EQ(*book.Find(world.mailbox.store_id(), "Mailbox\\Projects\\Alpha"),
            world.alpha.entry_id());
}

TEST_F(MovedFolderTest, TheIdsFileHoldsOneEntryPerBoundFolderAndReadsBack) {
  Bind(1, world.alpha);
  Configure(5, world.alpha, "Alpha again");
  test::AddMru(config, world.archive_2024);
  test::AddMru(config, world.alpha);
  module.SaveButtonsToFile();
  const std::string text = Read(kIdsFile);
  EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n", 0), 0u);
  size_t entries = 0;
  for (size_t at = text.find("<folder "); at != std::string::npos;
       at = text.find("<folder ", at + 1)) {
    ++entries;
  }
  EXPECT_EQ(entries, 2u);
  FolderIdBook book;
  FolderIdsFile::Read(text, book);
  EXPECT_EQ(*book.Find(world.archive.store_id(), "Archive\\2024"), world.archive_2024.entry_id());
  EXPECT_THROW(FolderIdsFile::Read("<other/>", book), std::runtime_error);
  EXPECT_THROW(FolderIdsFile::Read("<folderids><folder storeid=\"1\">P</folder></folderids>", book),
               std::runtime_error);
}

}  // namespace
}  // namespace quivra::core
