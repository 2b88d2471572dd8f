#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/configuration_file.h"
#include "tests/core/module_fixture.h"

namespace quivra::core {
namespace {

using framework::TMsoButtonStyle;

class LifecycleTest : public ModuleTest {
 protected:
  // Writes a configuration file with slot 2 on Beta, slot 11 on Deleted Items and two expanded
  // folders, as an earlier session left it.
  void WriteFile(bool backspace_key) {
    Configuration saved;
    test::ConfigureSlot(saved, 2, world.beta, "Beta");
    test::ConfigureSlot(saved, 11, world.deleted_items, "Bin");
    saved.BackspaceKey = backspace_key;
    saved.ExpandList = std::vector<std::string>{"entry-a", "entry-b"};
    ConfigurationFile(saved, sim.platform()).SaveButtonsToFile();
  }
  void StartUp() { module.OnAddInStartupComplete(module); }
  void Activate() { module.OnOLExplorerActivate(module, world.explorer.handle()); }
  void Deactivate() { module.OnOLExplorerDeactivate(module, world.explorer.handle()); }
  bool BackspaceCaptured() {
    const auto& shortcut = module.keyboardShortcutBkSp;
    EXPECT_EQ(shortcut.Enabled(), !shortcut.ShortcutText().empty());
    return shortcut.Enabled();
  }
};

TEST_F(LifecycleTest, StartUpReadsTheFileAndPlacesTheButtons) {
  WriteFile(false);
  StartUp();
  EXPECT_EQ(config.ButtonNames[2], "Beta");
  EXPECT_EQ(config.MainButtonCaption, "Quivra");
  EXPECT_TRUE(config.HostChecked);
  EXPECT_EQ(module.WorkingCommandBar, &module.olExplorerCommandBar1);
  EXPECT_EQ(module.olExplorerCommandBar1.Controls()[0].Caption(), "&Quivra");
  EXPECT_TRUE(Bar(2).Visible());
  EXPECT_EQ(Shortcut(2).ShortcutText(), "Alt+2");

  auto& undo = Bar(13);
  EXPECT_TRUE(undo.Visible());
  EXPECT_FALSE(undo.Enabled());
  EXPECT_EQ(undo.Caption(), "&Undo");
  EXPECT_EQ(undo.Style(), TMsoButtonStyle::msoButtonCaption);
  EXPECT_EQ(undo.TooltipText(), "Undo last filing action");
  EXPECT_TRUE(undo.BeginGroup());

  // The Undo button undoes.
  const auto item = world.inbox_mail[0];
  world.explorer.Select({item});
  Bar(2).DoClick();
  ASSERT_EQ(item.folder(), world.beta);
  EXPECT_TRUE(undo.Enabled());
  undo.DoClick();
  EXPECT_EQ(item.folder(), world.inbox);
}

TEST_F(LifecycleTest, FilingsCanBeUndoneAfterOutlookRestarts) {
  WriteFile(false);
  StartUp();
  world.explorer.Select({world.inbox_mail[0], world.inbox_mail[1]});
  Bar(2).DoClick();
  world.outlook.ProcessMessages();
  world.explorer.Select({world.inbox_mail[2]});
  Bar(2).DoClick();
  ASSERT_EQ(world.inbox_mail[2].folder(), world.beta);

  // The next session: a module of its own, with the configuration read anew.
  Configuration next_config;
  TAddInModule next(sim.platform(), next_config, world.outlook.application());
  next.OnAddInStartupComplete(next);
  auto& undo = next.olExplorerCommandBar1.Controls().Item<framework::TCommandBarButton>(13);
  EXPECT_TRUE(undo.Enabled());
  EXPECT_EQ(undo.TooltipText(), "Undo: 1 item to Projects\\Beta");
  undo.DoClick();
  EXPECT_EQ(world.inbox_mail[2].folder(), world.inbox);
  EXPECT_EQ(undo.TooltipText(), "Undo: 2 items to Projects\\Beta");
  undo.DoClick();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
  EXPECT_EQ(world.inbox_mail[1].folder(), world.inbox);
  EXPECT_FALSE(undo.Enabled());
  EXPECT_EQ(undo.TooltipText(), "Undo last filing action");
}

TEST_F(LifecycleTest, BackspaceIsCapturedOnlyWhileAnExplorerIsActive) {
  WriteFile(true);
  StartUp();
  Activate();
  EXPECT_TRUE(BackspaceCaptured());
  EXPECT_EQ(module.keyboardShortcutBkSp.ShortcutText(), "Bksp");
  Deactivate();
  EXPECT_FALSE(BackspaceCaptured());
  Activate();
  EXPECT_TRUE(BackspaceCaptured());
}

TEST_F(LifecycleTest, BackspaceNeedsTheOptionAndASlotElevenCaption) {
  WriteFile(false);
  StartUp();
  Activate();
  EXPECT_FALSE(BackspaceCaptured());

  config.BackspaceKey = true;
  config.ButtonNames[11].clear();
  Activate();
  EXPECT_FALSE(BackspaceCaptured());
}

TEST_F(LifecycleTest, ShutDownWithoutAnExpandList) {
  module.OnAddInBeginShutdown(module);
  EXPECT_FALSE(config.ExpandList.has_value());
}

TEST_F(LifecycleTest, StartUpAfterShutDownBeginsWithAFreshList) {
  WriteFile(false);
  StartUp();
  ASSERT_TRUE(config.ExpandList.has_value());
  EXPECT_EQ(*config.ExpandList, (std::vector<std::string>{"entry-a", "entry-b"}));
  config.ExpandList->push_back("entry-c");  // expanded in this session, never saved

  module.OnAddInBeginShutdown(module);
  EXPECT_FALSE(config.ExpandList.has_value());

  StartUp();
  ASSERT_TRUE(config.ExpandList.has_value());
  EXPECT_EQ(*config.ExpandList, (std::vector<std::string>{"entry-a", "entry-b"}));
}

TEST_F(LifecycleTest, StartUpWithoutAFileCreatesAnEmptyList) {
  StartUp();
  ASSERT_TRUE(config.ExpandList.has_value());
  EXPECT_TRUE(config.ExpandList->empty());
  EXPECT_EQ(ArmedShortcuts(), (std::vector<std::string>{"Alt+K", "Alt+Z"}));
}

}  // namespace
}  // namespace quivra::core
