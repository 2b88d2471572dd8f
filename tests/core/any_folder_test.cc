#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "dialogs/folder_picker.h"
#include "model/configuration_file.h"
#include "platform/ui/sim/sim_ui.h"
#include "tests/support/message_texts.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core {
namespace {

using outlook::sim::SimFolder;
using outlook::sim::SimItem;
using ui::sim::SimUser;

constexpr char kConfigFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml";

class AnyFolderTest : public test::SimulatedWorldTest {
 protected:
  AnyFolderTest() : module(sim.platform(), config, world.outlook.application()) {
    sim.screen.SetOnPendingMessages([this] { world.outlook.ProcessMessages(); });
    config.ExpandList.emplace();
  }

  void AddMru(const SimFolder& folder) { test::AddMru(config, folder); }
  std::vector<std::string> Mru() {
    std::vector<std::string> folders;
    for (int k = 1; k <= kMruCapacity && config.MruList[k].InUse(); ++k) {
      folders.push_back(config.MruList[k].Folder);
    }
    return folders;
  }
  void SelectInboxMail(int count, int first = 0) {
    world.explorer.Select(
        {world.inbox_mail.begin() + first, world.inbox_mail.begin() + first + count});
  }
  // Runs "Any Folder..." with the user picking the tree folder at `path` and pressing OK.
  void PickTreeFolder(const std::string& path) {
    sim.ui.Expect([path](SimUser& user) {
      user.SelectNode(path);
      user.Click("btnOK");
    });
    module.FileToAnyFolder();
  }
  void PickRow(int row) {
    sim.ui.Expect([row](SimUser& user) { user.DoubleClickRow(row); });
    module.FileToAnyFolder();
  }

  TAddInModule module;
};

using Strings = std::vector<std::string>;

TEST_F(AnyFolderTest, ATreeFolderIsFiledIntoAndEntersTheListFirst) {
  AddMru(world.drafts);
  SelectInboxMail(2);
  PickTreeFolder("Mailbox\\Projects");
  EXPECT_EQ(world.inbox_mail[0].folder(), world.projects);
  EXPECT_EQ(world.inbox_mail[1].folder(), world.projects);
  EXPECT_EQ(Mru(), (Strings{"Mailbox\\Projects", "Mailbox\\Drafts"}));
  EXPECT_EQ(config.MruList[1].Store, "Mailbox");
  EXPECT_EQ(config.MruList[1].StoreId, world.mailbox.store_id());
  EXPECT_EQ(config.FolderNames[0], "Mailbox\\Projects");
  EXPECT_EQ(config.StoreDetails[0],
            (TStoreDetails{"Mailbox", "Mailbox", world.mailbox.store_id()}));
  EXPECT_TRUE(config.UndoDetails.IsComplete());
  EXPECT_TRUE(sim.files.FileExists(kConfigFile));
}

// The element names of the saved configuration file.
std::set<std::string> Elements(const std::string& file) {
  std::set<std::string> names;
  const std::regex tag("<([A-Za-z_][A-Za-z0-9_]*)");
  for (std::sregex_iterator it(file.begin(), file.end(), tag), end; it != end; ++it) {
    names.insert((*it)[1]);
  }
  return names;
}

TEST_F(AnyFolderTest, AFolderFoundByTypingIsFiledIntoAndEntersTheListAsATreeFolderDoes) {
  AddMru(world.drafts);
  SelectInboxMail(1);
  PickTreeFolder("Mailbox\\Projects");
  const std::set<std::string> tree_choice = Elements(sim.files.ReadWholeFile(kConfigFile));

  SelectInboxMail(1, 1);
  sim.ui.Expect([](SimUser& user) {
    user.TypeKeys("pecs");
    user.PressEnter();
  });
  module.FileToAnyFolder();
  EXPECT_EQ(world.inbox_mail[1].folder(), world.specs);
  EXPECT_EQ(Mru(),
            (Strings{"Mailbox\\Projects\\Beta\\Specs", "Mailbox\\Projects", "Mailbox\\Drafts"}));
  EXPECT_EQ(config.MruList[1].StoreId, world.mailbox.store_id());
  // Nothing of the search is kept: the file holds what it held before.
  EXPECT_EQ(Elements(sim.files.ReadWholeFile(kConfigFile)), tree_choice);

  // The next showing starts with an empty box and the list of recently used folders.
  sim.ui.Expect([](SimUser& user) {
    EXPECT_EQ(user.Get<ui::Edit>("EditFind").Text(), "");
    EXPECT_EQ(user.Get<ui::ListView>("ListView1").Count(), 3);
    EXPECT_EQ(user.Get<ui::ListView>("ListView1").ItemIndex(), 0);
    user.PressEscape();
  });
  module.FileToAnyFolder();
}

TEST_F(AnyFolderTest, AFolderAlreadyListedMovesUpAndAFullListDropsItsLast) {
  for (int k = 20; k >= 1; --k) {
    config.MoveMruEntryToTop("Archive\\F" + std::to_string(k), "Archive", "other", -1);
  }
  AddMru(world.alpha);  // now Alpha, F1 ... F19
  config.ExpandList = {world.archive.entry_id()};
  PickTreeFolder("Archive\\2024");
  ASSERT_EQ(Mru().size(), 20u);
  EXPECT_EQ(Mru()[0], "Archive\\2024");
  EXPECT_EQ(Mru()[1], "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(Mru()[19], "Archive\\F18");
  config.ExpandList = {world.mailbox.entry_id(), world.projects.entry_id()};
  PickTreeFolder("Mailbox\\Projects\\Alpha");
  EXPECT_EQ(Mru()[0], "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(Mru()[1], "Archive\\2024");
  EXPECT_EQ(Mru()[19], "Archive\\F18");
}

TEST_F(AnyFolderTest, ATreeFolderEntersTheListBeforeFilingWhateverTheOutcome) {
  std::string top_when_reported;
  sim.message_boxes.SetOnShow(
      [this, &top_when_reported](const auto&) { top_when_reported = config.MruList[1].Folder; });
  PickTreeFolder("Mailbox\\Drafts");  // nothing selected in Outlook
  EXPECT_EQ(Messages(), Strings{test::kNothingSelected});
  EXPECT_EQ(top_when_reported, "Mailbox\\Drafts");
}

TEST_F(AnyFolderTest, AListEntryIsFiledIntoAndMovesToTheTop) {
  AddMru(world.alpha);
  AddMru(world.archive_2024);
  AddMru(world.drafts);
  SelectInboxMail(1);
  PickRow(1);
  EXPECT_EQ(world.inbox_mail[0].folder(), world.archive_2024);
  EXPECT_EQ(Mru(), (Strings{"Archive\\2024", "Mailbox\\Drafts", "Mailbox\\Projects\\Alpha"}));
  EXPECT_EQ(config.StoreDetails[0].StoreId, world.archive.store_id());
  // The entry at the top stays there.
  SelectInboxMail(1, 1);
  PickRow(0);
  EXPECT_EQ(world.inbox_mail[1].folder(), world.archive_2024);
  EXPECT_EQ(Mru(), (Strings{"Archive\\2024", "Mailbox\\Drafts", "Mailbox\\Projects\\Alpha"}));
}

TEST_F(AnyFolderTest, AnEntryWhoseFolderIsGoneLeavesTheListEvenWithUpdatesDisabled) {
  AddMru(world.beta);
  AddMru(world.alpha);
  AddMru(world.drafts);
  SelectInboxMail(1);
  world.alpha.Delete();
  PickRow(1);
  EXPECT_EQ(Messages(), Strings{test::kFolderDoesNotExist});
  EXPECT_EQ(Mru(), (Strings{"Mailbox\\Drafts", "Mailbox\\Projects\\Beta"}));
  config.NoListUpdates = true;
  world.beta.Delete();
  PickRow(1);
  EXPECT_EQ(Mru(), Strings{"Mailbox\\Drafts"});
}

TEST_F(AnyFolderTest, WithUpdatesDisabledTheListStaysAsItIs) {
  AddMru(world.alpha);
  AddMru(world.drafts);
  config.NoListUpdates = true;
  SelectInboxMail(1);
  PickTreeFolder("Mailbox\\Projects");
  SelectInboxMail(1, 1);
  PickRow(1);
  EXPECT_EQ(world.inbox_mail[0].folder(), world.projects);
  EXPECT_EQ(world.inbox_mail[1].folder(), world.alpha);
  EXPECT_EQ(Mru(), (Strings{"Mailbox\\Drafts", "Mailbox\\Projects\\Alpha"}));
}

TEST_F(AnyFolderTest, CancelFilesNothingYetSavesTheFile) {
  AddMru(world.alpha);
  SelectInboxMail(1);
  sim.ui.Expect([](SimUser& user) {
    user.Click("cbNoListUpdates");
    user.Click("btnCancel");
  });
  module.FileToAnyFolder();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
  EXPECT_EQ(Mru(), Strings{"Mailbox\\Projects\\Alpha"});
  EXPECT_EQ(sim.files.replace_count(), 2) << "the configuration and the folder ids beside it";
  EXPECT_NE(sim.files.ReadWholeFile(kConfigFile).find("<nolistupdates>-1</nolistupdates>"),
            std::string::npos);
  EXPECT_TRUE(config.NoListUpdates);
  EXPECT_TRUE(config.FolderNames[0].empty());
}

// A start-up that failed before the file was read leaves the configuration in memory empty; the
// picker's save must not write that over the user's file.
TEST_F(AnyFolderTest, BeforeTheFileWasReadASaveLeavesTheFileAsItIs) {
  Configuration saved;
  test::ConfigureSlot(saved, 2, world.beta, "Beta");
  ConfigurationFile(saved, sim.platform()).SaveButtonsToFile();
  const std::string before = sim.files.ReadWholeFile(kConfigFile);

  SelectInboxMail(1);
  // The button's click reports the error.
  EXPECT_THROW(PickTreeFolder("Mailbox\\Projects"), ConfigurationFileError);
  EXPECT_EQ(sim.files.ReadWholeFile(kConfigFile), before);

  // Once read, the file is saved again.
  module.LoadButtonsFromFile();
  SelectInboxMail(1, 1);
  PickTreeFolder("Mailbox\\Projects");
  Configuration loaded;
  ConfigurationFile(loaded, sim.platform()).LoadButtonsFromFile();
  EXPECT_EQ(loaded.ButtonNames[2], "Beta");
  EXPECT_EQ(loaded.MruList[1].Folder, "Mailbox\\Projects");
}

TEST_F(AnyFolderTest, ThePickerIsKeptAndLeftReleasedAfterEachUse) {
  sim.ui.Expect([](SimUser& user) {
    EXPECT_EQ(user.form().Caption(), "File to Any Folder...");
    user.PressEscape();
  });
  module.FileToAnyFolder();
  dialogs::TfrmFolders2& picker = module.FolderPicker();
  EXPECT_EQ(picker.Caption(), "Folders");
  picker.treeFolders.ForEach(
      [](ui::TreeNode& node) { EXPECT_EQ(dialogs::TfrmFolders2::FolderData(node), nullptr); });
  EXPECT_EQ(sim.screen.cursor(), platform::CursorShape::kDefault);
  PickTreeFolder("Archive");
  EXPECT_EQ(&module.FolderPicker(), &picker);
  EXPECT_EQ(config.FolderNames[0], "Archive");
  EXPECT_EQ(config.StoreDetails[0].StoreName, "Archive");
}

TEST_F(AnyFolderTest, ThePickerLeftInBrowseModeShowsItsListAgain) {
  // The configuration dialog's Browse leaves the list and its panel disabled.
  dialogs::TfrmFolders2& picker = module.FolderPicker();
  picker.MruGroupList.SetEnabled(false);
  picker.ListView1.SetEnabled(false);
  picker.Panel1.SetEnabled(false);
  AddMru(world.archive_2024);
  sim.ui.Expect([](SimUser& user) {
    EXPECT_TRUE(user.Get<ui::GroupBox>("MruGroupList").Enabled());
    EXPECT_TRUE(user.Get<ui::GroupBox>("MruGroupList").Visible());
    EXPECT_TRUE(user.Get<ui::ListView>("ListView1").Enabled());
    EXPECT_TRUE(user.Get<ui::Panel>("Panel1").Enabled());
    user.PressEscape();
  });
  module.FileToAnyFolder();
  EXPECT_EQ(sim.ui.PendingScripts(), 0);
}

}  // namespace
}  // namespace quivra::core
