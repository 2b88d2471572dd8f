#include <string>
#include <vector>

#include "dialogs/folder_picker.h"
#include "model/configuration_file.h"
#include "platform/ui/edit.h"
#include "tests/core/module_fixture.h"

namespace quivra::core {
namespace {

using ui::sim::SimUser;

constexpr char kConfigFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml";

class ConfigureCommandsTest : public ModuleTest {
 protected:
  ConfigureCommandsTest() {
    module.comAddInModuleAddInInitialize(module);
    Configure(3, world.alpha);
    module.PlaceButtonBar();
  }

  // The user chooses the tree folder at `path` for `row` with Browse.
  static void BrowseTo(SimUser& user, ui::sim::SimUi& ui, int row, const std::string& path) {
    ui.Expect([path](SimUser& picker) {
      picker.SelectNode(path);
      picker.Click("btnOK");
    });
    user.Click("BtnBrowse" + std::to_string(row));
  }
  // The configuration as the file now holds it.
  Configuration FromFile() {
    Configuration loaded;
    ConfigurationFile(loaded, sim.platform()).LoadButtonsFromFile();
    return loaded;
  }
};

TEST_F(ConfigureCommandsTest, CancelSavesNothingButBrowsedFoldersStayInMemory) {
  sim.ui.Expect([&](SimUser& user) {
    BrowseTo(user, sim.ui, 4, "Mailbox\\Projects");
    user.Type("EditBtn3", "Renamed");
    user.Click("btnCancel");
  });
  module.Configure();
  EXPECT_FALSE(sim.files.FileExists(kConfigFile));
  EXPECT_EQ(Own(3).Caption(), "Alpha");
  EXPECT_FALSE(Own(4).Visible());
  EXPECT_EQ(config.ButtonNames[3], "Alpha");
  EXPECT_EQ(config.FolderNames[4], "Mailbox\\Projects");
  // The filing engine already finds the new slot.
  world.explorer.Select({world.inbox_mail[0]});
  module.FileToFolder(4, nullptr);
  EXPECT_EQ(world.inbox_mail[0].folder(), world.projects);
}

TEST_F(ConfigureCommandsTest, OkLeavesModelFileAndButtonsInAgreement) {
  config.MainButtonCaption.clear();
  test::AddMru(config, world.beta);
  sim.ui.Expect([&](SimUser& user) {
    EXPECT_EQ(user.Get<ui::Edit>("MainButtonName").Text(), "Quivra");
    user.Type("MainButtonName", "");
    BrowseTo(user, sim.ui, 4, "Mailbox\\Projects");
    user.Type("EditBtn3", "Renamed");
    user.SetChecked("AddSeparator", true);
    user.Click("btnOK");
  });
  module.Configure();
  const Configuration file = FromFile();
  EXPECT_EQ(file.MainButtonCaption, "Quivra");
  EXPECT_EQ(config.MainButtonCaption, "Quivra");
  EXPECT_EQ(file.ButtonNames, config.ButtonNames);
  EXPECT_EQ(file.FolderNames, config.FolderNames);
  EXPECT_EQ(file.StoreDetails, config.StoreDetails);
  EXPECT_EQ(file.MruList, config.MruList);
  EXPECT_TRUE(file.Separators);
  EXPECT_TRUE(config.Separators);
  EXPECT_EQ(config.ButtonNames[3], "Renamed");
  EXPECT_EQ(config.ButtonNames[4], "Projects");
  EXPECT_EQ(Own(3).Caption(), "Renamed");
  EXPECT_EQ(Own(4).Caption(), "Projects");
  EXPECT_TRUE(Own(4).Visible());
  EXPECT_EQ(module.olExplorerCommandBar1.Controls()[0].Caption(), "&Quivra");
}

TEST_F(ConfigureCommandsTest, ThePickerBrowsesDuringTheDialogAndIsGivenBackAfterwards) {
  dialogs::TfrmFolders2& picker = module.FolderPicker();
  const int width = picker.Width();
  for (int opening = 0; opening < 2; ++opening) {
    sim.ui.Expect([&](SimUser& user) {
      EXPECT_EQ(sim.screen.cursor(), platform::CursorShape::kDefault);
      EXPECT_FALSE(picker.ListView1.Enabled());
      EXPECT_FALSE(picker.MruGroupList.Enabled());
      EXPECT_FALSE(picker.Panel1.Enabled());
      // The tree is filled before the dialog shows, and shared by its Browse clicks.
      ASSERT_GT(picker.treeFolders.Count(), 0);
      EXPECT_NE(dialogs::TfrmFolders2::FolderData(picker.treeFolders.Item(0)), nullptr);
      sim.ui.Expect([](SimUser& picker_user) {
        picker_user.ExpandNode("Archive");
        picker_user.SelectNode("Archive\\Projects");
        picker_user.Click("btnOK");
      });
      user.Click("BtnBrowse5");
      // The next Browse finds the node expanded.
      BrowseTo(user, sim.ui, 6, "Archive\\2023");
      user.PressEscape();
    });
    module.Configure();
  }
  EXPECT_EQ(sim.ui.shown(), (std::vector<std::string>{"frmConfig", "frmFolders2", "frmFolders2",
                                                      "frmConfig", "frmFolders2", "frmFolders2"}));
  EXPECT_EQ(picker.Width(), width);
  picker.treeFolders.ForEach(
      [](ui::TreeNode& node) { EXPECT_EQ(dialogs::TfrmFolders2::FolderData(node), nullptr); });
  EXPECT_EQ(sim.screen.cursor_history().front(), platform::CursorShape::kWait);
  EXPECT_EQ(sim.screen.cursor(), platform::CursorShape::kDefault);
  EXPECT_EQ(config.FolderNames[5], "Archive\\Projects");
  EXPECT_EQ(config.FolderNames[6], "Archive\\2023");
  EXPECT_TRUE(sim.message_boxes.shown().empty());

  // "Any Folder..." gets the list side back.
  sim.ui.Expect([&](SimUser& user) {
    EXPECT_TRUE(picker.ListView1.Visible());
    user.PressEscape();
  });
  module.FileToAnyFolder();
}

TEST_F(ConfigureCommandsTest, AFailureReadingTheTreeRestoresCursorAndPicker) {
  dialogs::TfrmFolders2& picker = module.FolderPicker();
  const int width = picker.Width();
  world.outlook.FailCall("MAPIFolder.Name", outlook::sim::FailMode::kOnce, 1);
  EXPECT_ANY_THROW(module.Configure());
  EXPECT_TRUE(sim.ui.shown().empty());
  EXPECT_EQ(sim.screen.cursor(), platform::CursorShape::kDefault);
  EXPECT_EQ(picker.Width(), width);
  picker.treeFolders.ForEach(
      [](ui::TreeNode& node) { EXPECT_EQ(dialogs::TfrmFolders2::FolderData(node), nullptr); });
}

TEST_F(ConfigureCommandsTest, DialogsAreMadeOnceAndKept) {
  std::vector<const ui::Form*> forms;
  for (int i = 0; i < 4; ++i) {
    sim.ui.Expect([&](SimUser& user) {
      forms.push_back(&user.form());
      user.PressEscape();
    });
  }
  module.Configure();
  module.Configure();
  module.ShowAbout();
  module.ShowAbout();
  EXPECT_EQ(forms[0], forms[1]);
  EXPECT_EQ(forms[2], forms[3]);
  EXPECT_EQ(forms[2]->Caption(), "About Quivra");
}

TEST_F(ConfigureCommandsTest, NoDialogOpensWhileAnotherIsUp) {
  // Requests from a second explorer while a dialog shows: none opens a form (the simulated user
  // has no script for one) and nothing is saved or filed.
  const auto requests = [this] {
    module.Configure();
    module.FileToAnyFolder();
    module.ShowAbout();
  };
  sim.ui.Expect([&](SimUser& user) {
    requests();
    user.PressEscape();
  });
  sim.ui.Expect([&](SimUser& user) {
    requests();
    user.PressEscape();
  });
  module.Configure();
  module.ShowAbout();
  EXPECT_EQ(sim.ui.shown(), (std::vector<std::string>{"frmConfig", "FormAbout"}));
  EXPECT_FALSE(sim.files.FileExists(kConfigFile));
  EXPECT_FALSE(module.AnyDialogShowing());

  // Once they are closed, each opens again.
  sim.ui.Expect([](SimUser& user) { user.PressEscape(); });
  module.FileToAnyFolder();
  EXPECT_EQ(sim.ui.shown().size(), 3u);
}

TEST_F(ConfigureCommandsTest, HelpOpensTheSupportPageWhateverTheShellSays) {
  sim.shell.SetRefuse(true);
  module.Help();
  EXPECT_EQ(sim.shell.opened(), (std::vector<std::string>{"https://www.quivra.example/support/"}));
  EXPECT_TRUE(sim.ui.shown().empty());
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

TEST_F(ConfigureCommandsTest, F1InTheDialogOpensTheSupportPageAndLeavesTheDialogOpen) {
  sim.ui.Expect([](SimUser& user) {
    user.PressF1();
    EXPECT_FALSE(user.Closed());
    user.PressEscape();
  });
  module.Configure();
  EXPECT_EQ(sim.shell.opened(), (std::vector<std::string>{"https://www.quivra.example/support/"}));
}

}  // namespace
}  // namespace quivra::core
