#include <string>
#include <vector>

#include "dialogs/add_folder_form.h"
#include "tests/dialogs/picker_fixture.h"

namespace quivra::dialogs {
namespace {

using ui::ModalResult;
using ui::sim::SimUser;

TEST_F(PickerTest, AddAsksForTheNameBelowTheSelectedFolderAndReloadsTheTree) {
  config.ExpandList = {world.mailbox.entry_id(), world.projects.entry_id()};
  const ui::sim::Script name_dialog = [](SimUser& user) {
    EXPECT_EQ(user.form().Caption(), "Create New Folder");
    auto& label = user.Get<ui::HtmlLabel>("HTMLabel1");
    EXPECT_EQ(label.PlainText(), "Enter name of new folder to be created \nin Projects");
    EXPECT_TRUE(label.Runs().back().bold);
    EXPECT_EQ(user.form().ActiveControl()->Name(), "EditFolderName");
    EXPECT_TRUE(user.Get<ui::Edit>("EditFolderName").Text().empty());
    user.Type("EditFolderName", "Aardvark ");
    user.PressEnter();
  };
  const ModalResult result = ShowBrowse([&](SimUser& user) {
    user.SelectNode("Mailbox\\Projects");
    sim.ui.Expect(name_dialog);
    user.Click("ButtonAdd");
    EXPECT_FALSE(user.Closed());
    EXPECT_EQ(Children("Mailbox\\Projects"), (Strings{"Aardvark ", "Alpha", "Beta"}));
    user.SelectNode("Mailbox\\Projects\\Aardvark ");
    user.PressEnter();
  });
  EXPECT_EQ(result, ModalResult::kOk);
  EXPECT_EQ(picker.SelectedPath, "Mailbox\\Projects\\Aardvark ");
  EXPECT_EQ(world.projects["Aardvark "].default_item_type(), outlook::kMailItem);
  EXPECT_EQ(world.outlook.CallCount("Folders.Add"), 1);
}

TEST_F(PickerTest, AddBelowAStoresTopLevelAndCancelOrEscapeCreateNothing) {
  ShowAnyFolder([this](SimUser& user) {
    sim.ui.Expect([](SimUser& name) {
      name.Type("EditFolderName", "Ignored");
      name.PressEscape();
      EXPECT_TRUE(name.Closed());
    });
    sim.ui.Expect([](SimUser& name) { name.CloseBox(); });
    sim.ui.Expect([](SimUser& name) {
      name.Type("EditFolderName", "Receipts");
      name.Click("ButtonOK");
    });
    user.SelectNode("Archive");
    user.Click("ButtonAdd");
    user.Click("ButtonAdd");
    user.Click("ButtonAdd");
    user.Click("btnCancel");
  });
  EXPECT_EQ(world.outlook.CallCount("Folders.Add"), 1);
  EXPECT_EQ(world.outlook.FolderAt("Archive\\Receipts").parent(), world.archive);
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

TEST_F(PickerTest, AddWithNothingSelectedOnlySaysSo) {
  ShowAnyFolder([](SimUser& user) {  // the empty list took the focus: no tree selection
    user.Click("ButtonAdd");
    user.Click("btnCancel");
  });
  EXPECT_EQ(Messages(), Strings{"Select a folder in the tree where to place the new folder"});
  EXPECT_EQ(sim.ui.shown(), Strings{"frmFolders2"});
}

TEST_F(PickerTest, AnOutlookRefusalIsShownAndThePickerStaysWithItsTree) {
  ShowBrowse([this](SimUser& user) {
    sim.ui.Expect([](SimUser& name) {
      name.Type("EditFolderName", "Alpha");
      name.PressEnter();
    });
    user.ExpandNode("Mailbox\\Projects");
    user.SelectNode("Mailbox\\Projects");
    user.Click("ButtonAdd");
    EXPECT_FALSE(user.Closed());
    // Not rebuilt: what the user expanded is still there.
    EXPECT_TRUE(user.Node("Mailbox\\Projects").Expanded());
    user.Click("btnCancel");
  });
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_EQ(sim.message_boxes.shown()[0].icon, platform::MessageIcon::kError);
}

// The folder type the picker passes is not among those Outlook documents for Folders.Add; an
// Outlook that refuses it as an argument gets the call again without a type.
TEST_F(PickerTest, AnOutlookThatRefusesTheFolderTypeGetsTheFolderTypedAsItsParent) {
  const auto add_below_projects = [this](const std::string& folder) {
    ShowBrowse([this, folder](SimUser& user) {
      sim.ui.Expect([folder](SimUser& name) {
        name.Type("EditFolderName", folder);
        name.PressEnter();
      });
      user.SelectNode("Mailbox\\Projects");
      user.Click("ButtonAdd");
      user.Click("btnCancel");
    });
  };
  world.outlook.RefuseFolderType(15, outlook::kErrorInvalidArgument);
  add_below_projects("Invoices");
  world.outlook.RefuseFolderType(15, outlook::kErrorTypeMismatch);
  add_below_projects("Receipts");
  EXPECT_EQ(world.outlook.CallCount("Folders.Add"), 4);
  EXPECT_EQ(world.projects["Invoices"].default_item_type(), outlook::kMailItem);
  EXPECT_EQ(world.projects["Receipts"].default_item_type(), outlook::kMailItem);
  EXPECT_TRUE(sim.message_boxes.shown().empty());

  // Refused for another reason: no second call, and the error shows as before.
  world.outlook.RefuseFolderType(15, outlook::kErrorFailed);
  add_below_projects("Orders");
  EXPECT_EQ(world.outlook.CallCount("Folders.Add"), 5);
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_EQ(sim.message_boxes.shown()[0].icon, platform::MessageIcon::kError);
}

TEST(AskNewFolderNameTest, GivesTheNameAsTypedOnlyOnOk) {
  platform::sim::SimPlatform sim;
  std::string name = "stale";
  sim.ui.Expect([](SimUser& user) {
    user.Type("EditFolderName", "  two  words ");
    user.Click("ButtonCancel");
  });
  EXPECT_FALSE(AskNewFolderName(sim.ui, "Inbox", name));
  EXPECT_TRUE(name.empty());
  sim.ui.Expect([](SimUser& user) {
    user.Type("EditFolderName", "  two  words ");
    user.PressEnter();
  });
  EXPECT_TRUE(AskNewFolderName(sim.ui, "Inbox", name));
  EXPECT_EQ(name, "  two  words ");
  TFormAddFolder form;
  EXPECT_EQ(form.ClientWidth(), 239);
  EXPECT_EQ(form.ClientHeight(), 110);
  EXPECT_EQ(form.ButtonCancel.BoundsRect(), (ui::Rect{155, 74, 75, 25}));
  EXPECT_EQ(form.GetFont().name, "Tahoma");
}

}  // namespace
}  // namespace quivra::dialogs
