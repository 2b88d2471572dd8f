#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/synthetic_keys.h"
#include "tests/core/module_fixture.h"

namespace quivra::core {
namespace {

using framework::TCommandBarButton;
using framework::TCommandBarPopup;
using framework::TRibbonButton;
using framework::TRibbonGroup;
using framework::TRibbonMenu;
using framework::TRibbonSplitButton;
using outlook::sim::SimItem;
using platform::sim::SentKey;

class CommandRoutingTest : public ModuleTest {
 protected:
  CommandRoutingTest() {
    module.comAddInModuleAddInInitialize(module);
    Configure(3, world.alpha);
    Configure(10, world.specs);
    Configure(11, world.deleted_items);
    module.PlaceButtonBar();
  }

  // Selects one Inbox mail, lets `act` file it and tells the path of the folder it is in then.
  std::string FileOne(const std::function<void()>& act) {
    const SimItem item = world.inbox_mail[next_mail_++];
    world.explorer.Select({item});
    act();
    return item.folder().path();
  }

  TCommandBarButton& BarMenuItem(int index) {
    return module.olExplorerCommandBar1.Controls()
        .Item<TCommandBarPopup>(0)
        .Controls()
        .Item<TCommandBarButton>(index);
  }
  TRibbonButton& RibbonMenuItem(int index) {
    return module.ribbonTab1.Controls()
        .Item<TRibbonGroup>(0)
        .Controls()
        .Item<TRibbonSplitButton>(0)
        .Controls()
        .Item<TRibbonMenu>(0)
        .Controls()
        .Item<TRibbonButton>(index);
  }

  int next_mail_ = 0;
};

TEST_F(CommandRoutingTest, FilingButtonsOfEverySurfaceFileIntoTheirSlot) {
  EXPECT_EQ(FileOne([&] { Bar(3).DoClick(); }), world.alpha.path());
  EXPECT_EQ(FileOne([&] { Own(3).DoClick({}); }), world.alpha.path());
  EXPECT_EQ(FileOne([&] { Home(3).DoClick({}); }), world.alpha.path());
  EXPECT_EQ(FileOne([&] { Bar(10).DoClick(); }), world.specs.path());
  EXPECT_EQ(FileOne([&] { Home(11).DoClick({}); }), world.deleted_items.path());
  EXPECT_EQ(FileOne([&] { Own(11).DoClick({}); }), world.deleted_items.path());
  EXPECT_EQ(FileOne([&] { Bar(11).DoClick(); }), world.deleted_items.path());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CommandRoutingTest, UndoButtonsOfEverySurfaceMoveTheItemBack) {
  for (const auto& undo :
       std::vector<std::function<void()>>{[&] { Bar(13).DoClick(); }, [&] { Own(13).DoClick({}); },
                                          [&] { Home(13).DoClick({}); }}) {
    const SimItem item = world.inbox_mail[next_mail_++];
    world.explorer.Select({item});
    Shortcut(3).DoAction();
    ASSERT_EQ(item.folder(), world.alpha);
    undo();
    EXPECT_EQ(item.folder(), world.inbox);
  }
}

TEST_F(CommandRoutingTest, AnyFolderOfEverySurfaceOpensThePicker) {
  const std::vector<std::function<void()>> surfaces = {
      [&] { Bar(12).DoClick(); }, [&] { Own(12).DoClick({}); }, [&] { Home(12).DoClick({}); },
      [&] { module.keyboardShortcutAnyF.DoAction(); }};
  for (const auto& click : surfaces) {
    sim.ui.Expect([](ui::sim::SimUser& user) { user.CloseBox(); });
    click();
  }
  EXPECT_EQ(sim.ui.shown().size(), surfaces.size());
  EXPECT_EQ(sim.ui.PendingScripts(), 0);
}

TEST_F(CommandRoutingTest, MenusOfBarAndRibbonReachTheirCommands) {
  // Each item is checked on its own: the configuration dialog, the help page in the browser, the
  // About box, in this order on both surfaces.
  const std::vector<std::function<void(int)>> menus = {
      [&](int item) { BarMenuItem(item).DoClick(); },
      [&](int item) { RibbonMenuItem(item).DoClick({}); }};
  for (const auto& click : menus) {
    const size_t forms = sim.ui.shown().size();
    const size_t pages = sim.shell.opened().size();
    sim.ui.Expect([](ui::sim::SimUser& user) { user.PressEscape(); });
    click(0);
    ASSERT_EQ(sim.ui.shown().size(), forms + 1);
    EXPECT_EQ(sim.ui.shown().back(), "frmConfig");
    EXPECT_EQ(sim.shell.opened().size(), pages);

    click(1);
    EXPECT_EQ(sim.ui.shown().size(), forms + 1);
    EXPECT_EQ(sim.shell.opened().size(), pages + 1);

    sim.ui.Expect([](ui::sim::SimUser& user) { user.PressEscape(); });
    click(2);
    ASSERT_EQ(sim.ui.shown().size(), forms + 2);
    EXPECT_EQ(sim.ui.shown().back(), "FormAbout");
    EXPECT_EQ(sim.shell.opened().size(), pages + 1);
    EXPECT_EQ(sim.ui.PendingScripts(), 0);
  }
}

TEST_F(CommandRoutingTest, DigitShortcutsFileIntoTheirSlot) {
  EXPECT_EQ(FileOne([&] { Shortcut(3).DoAction(); }), world.alpha.path());
  EXPECT_EQ(FileOne([&] { Shortcut(10).DoAction(); }), world.specs.path());
  // With no Outlook window in front the active explorer still serves.
  world.outlook.DeactivateWindows();
  EXPECT_EQ(FileOne([&] { Shortcut(3).DoAction(); }), world.alpha.path());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CommandRoutingTest, ShortcutsFileNothingOutsideAMailExplorer) {
  world.outlook.ActivateInspector();
  EXPECT_EQ(FileOne([&] { Shortcut(3).DoAction(); }), world.inbox.path());

  world.explorer.Activate();
  world.explorer.ShowFolder(world.calendar);
  world.explorer.Select({world.appointment});
  Shortcut(3).DoAction();
  EXPECT_EQ(world.appointment.folder(), world.calendar);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(sim.keyboard.sent().empty());
}

TEST_F(CommandRoutingTest, ShortcutsOffFileNothing) {
  config.ShortCuts = false;
  EXPECT_EQ(FileOne([&] { module.FormShortCutKey(Shortcut(3)); }), world.inbox.path());
  EXPECT_TRUE(sim.keyboard.sent().empty());
}

TEST_F(CommandRoutingTest, PostKeyPressesModifiersAroundTheKey) {
  PostKey(sim.keyboard, platform::kVkDown, {ModifierKey::kShift}, true);
  EXPECT_EQ(
      sim.keyboard.sent(),
      (std::vector<SentKey>{{0x10, 0x2A, 0}, {0x28, 0x50, 1}, {0x28, 0x50, 3}, {0x10, 0x2A, 2}}));
  sim.keyboard.ClearSent();
  PostKey(sim.keyboard, platform::kVkUp,
          {ModifierKey::kAlt, ModifierKey::kCtrl, ModifierKey::kShift}, false);
  std::vector<int> keys;
  for (const SentKey& key : sim.keyboard.sent()) {
    keys.push_back(key.released() ? -key.virtual_key : key.virtual_key);
  }
  ASSERT_EQ(keys, (std::vector<int>{0x11, 0x10, 0x12, 0x26, -0x26, -0x12, -0x10, -0x11}));
  EXPECT_EQ(sim.keyboard.sent()[3].flags, 0u);

  sim.keyboard.ClearSent();
  SendBackspaceKey(sim.keyboard);
  EXPECT_EQ(sim.keyboard.sent(), (std::vector<SentKey>{{0x08, 1, 0}}));
}

}  // namespace
}  // namespace quivra::core
