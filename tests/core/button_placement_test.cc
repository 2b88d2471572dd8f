#include <cctype>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/command_bar_keys.h"
#include "platform/ui/keyboard_access.h"
#include "tests/core/module_fixture.h"

namespace quivra::core {
namespace {

using framework::TMsoButtonStyle;
using Strings = std::vector<std::string>;

class ButtonPlacementTest : public ModuleTest {
 protected:
  ButtonPlacementTest() { config.MainButtonCaption = "Quivra"; }

  // Whether the filing button of the slot shows on the command bar and in both ribbon groups.
  void ExpectShown(int slot, bool shown) {
    EXPECT_EQ(Bar(slot).Visible(), shown) << "command bar, slot " << slot;
    EXPECT_EQ(Own(slot).Visible(), shown) << "own tab, slot " << slot;
    EXPECT_EQ(Home(slot).Visible(), shown) << "Home tab, slot " << slot;
  }
};

TEST_F(ButtonPlacementTest, NoSlotConfigured) {
  module.PlaceButtonBar();
  EXPECT_EQ(module.olExplorerCommandBar1.Controls()[0].Caption(), "&Quivra");
  for (int slot = 1; slot <= 11; ++slot) {
    ExpectShown(slot, false);
  }
  EXPECT_TRUE(Bar(12).Visible());
  EXPECT_TRUE(Bar(12).Enabled());
  EXPECT_TRUE(Bar(13).Visible());
  EXPECT_FALSE(Bar(13).Enabled());  // nothing filed yet
  EXPECT_TRUE(Own(12).Visible());
  EXPECT_EQ(Own(12).ScreenTip(), "Move to Any Folder... (Alt+Z)");
  EXPECT_EQ(Own(13).ScreenTip(), "Undo last filing action");
  EXPECT_EQ(ArmedShortcuts(), (Strings{"Alt+K", "Alt+Z"}));
  EXPECT_TRUE(module.HomeFilingGroup().Visible());
}

TEST_F(ButtonPlacementTest, FirstButtonAlwaysStartsAGroup) {
  Configure(1, world.alpha);
  Configure(3, world.beta);
  module.PlaceButtonBar();
  EXPECT_TRUE(Bar(1).BeginGroup());
  EXPECT_FALSE(Bar(3).BeginGroup());
  ExpectShown(1, true);
  ExpectShown(2, false);
  ExpectShown(3, true);
  EXPECT_EQ(ArmedShortcuts(), (Strings{"Alt+1", "Alt+3", "Alt+K", "Alt+Z"}));

  config.Separators = true;
  module.PlaceButtonBar();
  EXPECT_TRUE(Bar(3).BeginGroup());
  EXPECT_TRUE(Bar(2).BeginGroup());
}

TEST_F(ButtonPlacementTest, CommandBarWithoutIconsShowsDigitAccelerators) {
  config.Icons = false;
  config.BackspaceKey = true;
  Configure(3, world.projects);
  Configure(10, world.alpha);
  Configure(11, world.deleted_items, "Bin");
  module.PlaceButtonBar();
  EXPECT_EQ(Bar(3).Caption(), "&3 Projects");
  EXPECT_EQ(Bar(10).Caption(), "&0 Alpha");
  EXPECT_EQ(Bar(11).Caption(), "Bin (Bksp)");
  EXPECT_EQ(Bar(3).Style(), TMsoButtonStyle::msoButtonCaption);
  // Ribbon captions never carry accelerators or hints.
  EXPECT_EQ(Own(3).Caption(), "Projects");
  EXPECT_EQ(Own(11).Caption(), "Bin");
  EXPECT_FALSE(module.HomeFilingGroup().Visible());
  EXPECT_TRUE(module.OwnFilingGroup().Visible());

  config.Icons = true;
  module.PlaceButtonBar();
  EXPECT_EQ(Bar(3).Caption(), "Projects");
  EXPECT_EQ(Bar(11).Caption(), "Bin");
  EXPECT_EQ(Bar(3).Style(), TMsoButtonStyle::msoButtonIconAndCaption);
  EXPECT_TRUE(module.HomeFilingGroup().Visible());
}

TEST_F(ButtonPlacementTest, RibbonHostKeepsCommandBarCaptionsBare) {
  UseRibbonHost();
  config.Icons = false;
  Configure(3, world.projects);
  module.PlaceButtonBar();
  EXPECT_EQ(Bar(3).Caption(), "Projects");
  EXPECT_EQ(Own(3).Caption(), "Projects");
  EXPECT_EQ(Own(3).ScreenTip(), "Mailbox\\Projects (Alt+3)");
  EXPECT_FALSE(module.HomeFilingGroup().Visible());
}

TEST_F(ButtonPlacementTest, IconsAreDrawnOnWhite) {
  Configure(2, world.beta);
  module.PlaceButtonBar();
  const framework::TBitmap& icon = module.ImageList1[1];
  const framework::TBitmap& glyph = Bar(2).Glyph();
  ASSERT_EQ(glyph.Width, icon.Width);
  ASSERT_EQ(glyph.Pixels.size(), icon.Pixels.size());
  bool saw_clear = false;
  bool saw_solid = false;
  for (size_t i = 0; i < icon.Pixels.size(); ++i) {
    const std::uint32_t alpha = icon.Pixels[i] >> 24;
    if (alpha == 0) {
      saw_clear = true;
      EXPECT_EQ(glyph.Pixels[i], 0xFFFFFFFFu) << i;
    } else if (alpha == 0xFF) {
      saw_solid = true;
      EXPECT_EQ(glyph.Pixels[i], icon.Pixels[i]) << i;
    }
  }
  EXPECT_TRUE(saw_clear && saw_solid);
}

TEST_F(ButtonPlacementTest, ShortcutsOffGivesBareTipsAndArmsNothing) {
  config.ShortCuts = false;
  config.Icons = false;
  config.BackspaceKey = true;
  Configure(1, world.alpha);
  Configure(11, world.deleted_items);
  module.PlaceButtonBar();
  EXPECT_EQ(Bar(1).TooltipText(), "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(Own(1).ScreenTip(), "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(Bar(11).TooltipText(), "Mailbox\\Deleted Items");
  EXPECT_EQ(Bar(1).Caption(), "Alpha");
  EXPECT_TRUE(ArmedShortcuts().empty());
  EXPECT_EQ(Bar(12).TooltipText(), "Move to Any Folder... (Alt+Z)");
  EXPECT_EQ(Own(12).ScreenTip(), "Move to Any Folder... (Alt+Z)");
  EXPECT_EQ(Home(12).ScreenTip(), "Move to Any Folder... (Alt+Z)");
}

TEST_F(ButtonPlacementTest, BackspaceSlotWithoutBackspaceKey) {
  Configure(11, world.deleted_items, "Bin");
  module.PlaceButtonBar();
  ExpectShown(11, true);
  EXPECT_EQ(Bar(11).TooltipText(), "Mailbox\\Deleted Items (Bksp)");
  EXPECT_FALSE(module.keyboardShortcutBkSp.Enabled());

  config.BackspaceKey = true;
  module.PlaceButtonBar();
  EXPECT_EQ(ArmedShortcuts(), (Strings{"Alt+K", "Alt+Z", "BkSp"}));
}

TEST_F(ButtonPlacementTest, SlotTenIsAltZero) {
  Configure(10, world.specs);
  module.PlaceButtonBar();
  EXPECT_EQ(Bar(10).TooltipText(), "Mailbox\\Projects\\Beta\\Specs (Alt+0)");
  EXPECT_EQ(Own(10).ScreenTip(), "Mailbox\\Projects\\Beta\\Specs (Alt+0)");
  EXPECT_EQ(Shortcut(10).ShortcutText(), "Alt+0");
  EXPECT_TRUE(Shortcut(10).Enabled());
  EXPECT_FALSE(Shortcut(1).Enabled());  // its design text "Alt+1" is gone
  EXPECT_EQ(Shortcut(1).ShortcutText(), "");
}

TEST_F(ButtonPlacementTest, EmptiedCaptionDisappearsEverywhere) {
  Configure(2, world.beta);
  module.PlaceButtonBar();
  ExpectShown(2, true);
  EXPECT_EQ(Home(2).Caption(), "Beta");
  EXPECT_EQ(Home(2).Tag(), 2);
  EXPECT_EQ(Home(2).Glyph(), Own(2).Glyph());

  config.ButtonNames[2].clear();
  module.PlaceButtonBar();
  ExpectShown(2, false);
  EXPECT_FALSE(Shortcut(2).Enabled());
}

TEST_F(ButtonPlacementTest, BarIsHiddenAndShownAgain) {
  std::vector<bool> bar_visible;
  module.PropertyChanged = [&](const framework::TPropertyChange& change) {
    if (change.Component == &module.olExplorerCommandBar1 && !change.CommandBarControl &&
        change.Property == framework::TProperty::Visible) {
      bar_visible.push_back(module.olExplorerCommandBar1.Visible());
    }
  };
  module.PlaceButtonBar();
  EXPECT_EQ(bar_visible, (std::vector<bool>{false, true}));
}

TEST_F(ButtonPlacementTest, EnableShortcutIgnoresOtherDigits) {
  module.DisableShortcuts();
  module.EnableShortcut(12);
  module.EnableShortcut(-1);
  module.EnableShortcut(11);  // BackspaceKey is off
  EXPECT_TRUE(ArmedShortcuts().empty());
  module.EnableShortcut(0);
  module.EnableShortcut(9);
  EXPECT_EQ(ArmedShortcuts(), (Strings{"Alt+0", "Alt+9"}));
}

// Outlook 2007's explorer presses a bar button for Alt and its marked letter: each key on the
// bar at most once and none of Outlook's menus, with or without icons, the main button's key
// taken from its caption.
TEST_F(ButtonPlacementTest, TheBarsAccessKeysAreUniqueAndLeaveOutlooksMenusAlone) {
  for (const bool icons : {false, true}) {
    SCOPED_TRACE(icons ? "icons" : "no icons");
    config.Icons = icons;
    config.MainButtonCaption = "Filing";  // F is Outlook's File menu: I is taken instead
    Configure(3, world.alpha);
    module.PlaceButtonBar();
    auto& bar = module.olExplorerCommandBar1.Controls();
    std::map<char, std::string> keys;
    for (int position = 0; position < bar.Count(); ++position) {
      const framework::TCommandBarControl& control = bar[position];
      if (!control.Visible()) {
        continue;
      }
      const char key = ui::AccessKey(control.Caption());
      if (key == 0) {
        continue;
      }
      EXPECT_TRUE(keys.emplace(key, control.Caption()).second)
          << control.Caption() << " and " << keys[key];
      if (!std::isdigit(static_cast<unsigned char>(key))) {
        EXPECT_EQ(std::string("FEVGTAH").find(key), std::string::npos) << control.Caption();
      }
    }
    EXPECT_EQ(bar[0].Caption(), "F&iling");
    EXPECT_EQ(bar[kUndoTag].Caption(), "&Undo");
    EXPECT_EQ(ui::AccessKey(bar[3].Caption()), icons ? 0 : '3');
  }
}

TEST(CommandBarKeysTest, TheFirstFreeLetterIsMarkedAndAMarkedCaptionIsKept) {
  EXPECT_EQ(WithAccessKey("Quivra", "FEVGTAH"), "&Quivra");
  EXPECT_EQ(WithAccessKey("Tagged", "FEVGTAH"), "Tagge&d");
  EXPECT_EQ(WithAccessKey("R&D", "FEVGTAH"), "R&D");
  EXPECT_EQ(WithAccessKey("Tom && Fea", "TOMFEA"), "Tom && Fea");
  EXPECT_EQ(WithAccessKey("Ab && Cd", "A"), "A&b && Cd");
  EXPECT_EQ(WithAccessKey("123", "FEVGTAH"), "123");
}

}  // namespace
}  // namespace quivra::core
