#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core {
namespace {

using framework::TCommandBarButton;
using framework::TCommandBarPopup;
using framework::TMsoButtonStyle;
using framework::TRibbonCustomControl;
using framework::TRibbonGroup;
using outlook::sim::SimFolder;

class AddInModuleTest : public test::SimulatedWorldTest {
 protected:
  AddInModuleTest() : module(sim.platform(), config, world.outlook.application()) {
    sim.screen.SetOnPendingMessages([this] { world.outlook.ProcessMessages(); });
  }

  void Configure(int slot, const SimFolder& folder) {
    test::AssignSlot(config, slot, folder.path(), folder.store_id());
    config.ButtonNames[slot] = folder.name();
  }
  framework::TCommandBarControl& BarUndo() {
    return module.olExplorerCommandBar1.Controls()[13];
  }
  TRibbonCustomControl& OwnUndo() { return module.OwnFilingGroup().Controls()[13]; }
  TRibbonCustomControl& HomeUndo() { return module.HomeFilingGroup().Controls()[13]; }
  // The enabled state of the three Undo buttons, which must always agree.
  bool UndoEnabled() {
    EXPECT_EQ(BarUndo().Enabled(), OwnUndo().Enabled());
    EXPECT_EQ(BarUndo().Enabled(), HomeUndo().Enabled());
    return BarUndo().Enabled();
  }

  TAddInModule module;
};

TEST_F(AddInModuleTest, ModuleSettingsAndComponents) {
  EXPECT_EQ(module.AddInName(), "QuivraOL");
  EXPECT_TRUE(module.RegisterForAllUsers());
  EXPECT_TRUE(module.HandleShortcuts());
  const std::vector<std::string> expected = {"olExplorerCommandBar1",
                                             "ribbonTab1",
                                             "ribbonTab2",
                                             "ImageList1",
                                             "keyboardShortcutBkSp",
                                             "keyboardShortcutAnyF",
                                             "keyboardShortcutSugg",
                                             "keyboardShortcut01",
                                             "keyboardShortcut10"};
  for (const std::string& name : expected) {
    EXPECT_NE(module.FindComponent(name), nullptr) << name;
  }
  EXPECT_EQ(module.Components().size(), 17u);
}

TEST_F(AddInModuleTest, CommandBarControlsStandAtTheirTags) {
  const auto& bar = module.olExplorerCommandBar1;
  EXPECT_EQ(bar.CommandBarName(), "QuivraOL");
  ASSERT_EQ(bar.Controls().Count(), 15);
  const auto& main = bar.Controls().Item<TCommandBarPopup>(0);
  EXPECT_EQ(main.TooltipText(), "Quivra for Outlook");
  ASSERT_EQ(main.Controls().Count(), 3);
  EXPECT_EQ(main.Controls()[0].Caption(), "&Configure Buttons");
  EXPECT_EQ(main.Controls()[2].Caption(), "&About");
  for (int position = 1; position <= 14; ++position) {
    EXPECT_EQ(bar.Controls()[position].Tag(), position);
  }
  EXPECT_EQ(bar.Controls()[10].Caption(), "Folder0");
  EXPECT_FALSE(bar.Controls()[10].Visible());
  EXPECT_EQ(bar.Controls()[11].Caption(), "FolderBkSp");
  const auto& any_folder = bar.Controls().Item<TCommandBarButton>(12);
  EXPECT_EQ(any_folder.TooltipText(), "Move to Any Folder... (Alt+Z)");
  EXPECT_EQ(any_folder.Style(), TMsoButtonStyle::msoButtonIconAndCaption);
  EXPECT_FALSE(any_folder.Glyph().Empty());
  EXPECT_EQ(bar.Controls().Item<TCommandBarButton>(13).Style(),
            TMsoButtonStyle::msoButtonCaption);
  EXPECT_EQ(bar.Controls()[14].Caption(), "&Suggested");
}

TEST_F(AddInModuleTest, TheLargeMainButtonHasALargeIconItsMenuSmallOnes) {
  auto& main = module.ribbonTab1.Controls()
                   .Item<TRibbonGroup>(0)
                   .Controls()
                   .Item<framework::TRibbonSplitButton>(0);
  EXPECT_EQ(main.Size(), framework::TRibbonXControlSize::csLarge);
  EXPECT_EQ(main.Glyph().Width, 32);
  EXPECT_EQ(main.Glyph().Height, 32);
  auto& menu = main.Controls().Item<framework::TRibbonMenu>(0).Controls();
  ASSERT_EQ(menu.Count(), 3);
  for (int item = 0; item < 3; ++item) {
    const framework::TBitmap& icon = menu.Item<framework::TRibbonButton>(item).Glyph();
    EXPECT_EQ(icon.Width, 16) << item;
    EXPECT_EQ(icon.Height, 16) << item;
  }
}

TEST_F(AddInModuleTest, RibbonGroupsCorrespondItemForItem) {
  EXPECT_EQ(module.ribbonTab1.Caption(), "Quivra");
  ASSERT_EQ(module.ribbonTab1.Controls().Count(), 2);
  EXPECT_EQ(module.ribbonTab1.Controls()[0].Caption(), "Configure");
  TRibbonGroup& own = module.OwnFilingGroup();
  TRibbonGroup& home = module.HomeFilingGroup();
  EXPECT_EQ(own.ScreenTip(), "Quivra - Filing Buttons");
  EXPECT_EQ(module.ribbonTab2.IdMso(), "TabMail");
  EXPECT_EQ(home.InsertAfterIdMso(), "GroupMoveActions");
  EXPECT_FALSE(home.Visible());
  ASSERT_EQ(own.Controls().Count(), 15);
  ASSERT_EQ(home.Controls().Count(), 15);
  // The placeholder at position 0 is never shown nor clicked, in either group.
  EXPECT_FALSE(own.Controls()[0].Visible());
  EXPECT_FALSE(own.Controls()[0].Enabled());
  EXPECT_FALSE(home.Controls()[0].Visible());
  EXPECT_FALSE(home.Controls()[0].Enabled());
  for (int position = 1; position <= 14; ++position) {
    EXPECT_EQ(own.Controls()[position].Tag(), position);
  }
  EXPECT_EQ(own.Controls()[9].Caption(), "Folder9");
  EXPECT_EQ(home.Controls()[10].Caption(), "Folder0");
  EXPECT_EQ(home.Controls()[12].Caption(), "Move");
  EXPECT_EQ(home.Controls()[13].Caption(), "Undo");
  std::set<std::string> ids;
  for (int position = 0; position <= 13; ++position) {
    ids.insert(own.Controls()[position].Id());
    ids.insert(home.Controls()[position].Id());
  }
  EXPECT_EQ(ids.size(), 28u);
}

TEST_F(AddInModuleTest, ElevenDistinctSlotIcons) {
  ASSERT_EQ(module.ImageList1.Count(), 11);
  std::vector<framework::TBitmap> seen;
  for (int i = 0; i < 11; ++i) {
    const framework::TBitmap& icon = module.ImageList1[i];
    EXPECT_EQ(icon.Width, 16);
    EXPECT_EQ(icon.Height, 16);
    for (const auto& other : seen)
      EXPECT_NE(icon, other);
    seen.push_back(icon);
    EXPECT_EQ(module.OwnFilingGroup().Controls()[i + 1].Glyph(), icon);
  }
}

TEST_F(AddInModuleTest, ShortcutsAtDesignTime) {
  for (int slot = 1; slot <= 10; ++slot) {
    const auto* shortcut = module.keyboardShortcuts[static_cast<size_t>(slot - 1)];
    EXPECT_EQ(shortcut->Tag(), slot);
    EXPECT_FALSE(shortcut->Enabled());
  }
  EXPECT_EQ(module.keyboardShortcuts[0]->ShortcutText(), "Alt+1");
  EXPECT_EQ(module.keyboardShortcuts[1]->ShortcutText(), "");
  EXPECT_EQ(module.keyboardShortcutBkSp.Tag(), 11);
  EXPECT_EQ(module.keyboardShortcutAnyF.Tag(), 12);
  EXPECT_EQ(module.keyboardShortcutAnyF.ShortcutText(), "");
}

TEST_F(AddInModuleTest, UndoButtonsFollowTheUndoRecord) {
  module.PlaceUndoButton(true);
  EXPECT_TRUE(BarUndo().Visible());
  EXPECT_TRUE(OwnUndo().Visible());
  EXPECT_TRUE(HomeUndo().Visible());
  EXPECT_TRUE(module.HomeFilingGroup().Visible());
  EXPECT_FALSE(UndoEnabled());

  Configure(1, world.alpha);
  world.explorer.Select({world.inbox_mail[0], world.inbox_mail[1]});
  EXPECT_TRUE(module.FileToFolder(1, nullptr));
  EXPECT_TRUE(UndoEnabled());
  // Each tip says what the next Undo does.
  EXPECT_EQ(BarUndo().TooltipText(), "Undo: 2 items to Projects\\Alpha");
  EXPECT_EQ(OwnUndo().ScreenTip(), "Undo: 2 items to Projects\\Alpha");
  EXPECT_EQ(HomeUndo().ScreenTip(), "Undo: 2 items to Projects\\Alpha");
  EXPECT_EQ(OwnUndo().Caption(), "Undo");

  module.CallUndo();
  EXPECT_EQ(world.inbox_mail[0].folder(), world.inbox);
  EXPECT_EQ(world.inbox_mail[1].folder(), world.inbox);
  EXPECT_FALSE(UndoEnabled());
  EXPECT_EQ(OwnUndo().ScreenTip(), "Undo last filing action");

  world.explorer.Select({});
  EXPECT_TRUE(module.FileToFolder(1, nullptr));  // "Nothing selected - nothing moved."
  EXPECT_FALSE(UndoEnabled());
}

TEST_F(AddInModuleTest, HomeTabUndoFollowsIcons) {
  config.Icons = false;
  Configure(1, world.alpha);
  world.explorer.Select({world.inbox_mail[0]});
  module.FileToFolder(1, nullptr);
  EXPECT_TRUE(OwnUndo().Visible());
  EXPECT_TRUE(module.OwnFilingGroup().Visible());
  EXPECT_FALSE(HomeUndo().Visible());
  EXPECT_FALSE(module.HomeFilingGroup().Visible());
  EXPECT_TRUE(UndoEnabled());
}

TEST_F(AddInModuleTest, NeedsTheHostApplication) {
  EXPECT_THROW(TAddInModule(sim.platform(), config, nullptr), std::invalid_argument);
}

}  // namespace
}  // namespace quivra::core
