// Command-bar buttons' shortcuts and caption accelerators through the keyboard hook: they come
// before the shortcut components, only where their bar counts, and click only what Office shows.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "host/framework/command_bars/command_bar.h"
#include "host/framework/keyboard/keyboard_hook_logic.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "host/framework/module/addin.h"
#include "host/framework/module/com_addin_module.h"
#include "host/office/sim/sim_command_bars.h"
#include "host/office/sim/sim_office.h"
#include "model/configuration_file.h"
#include "tests/host_framework/keyboard_hook_logic_fixture.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::framework {
namespace {

class CommandBarShortcutTest : public KeyboardHookLogicTest {
 protected:
  CommandBarShortcutTest() : bar_(module_.CreateComponent<TOlExplorerCommandBar>()) {
    Shortcut("Alt+3", 33);
    projects_ = &BarButton(bar_.Controls(), "&3 Projects", 3);
  }

  TOlExplorerCommandBar& bar_;
  TCommandBarButton* projects_ = nullptr;
};

TEST_F(CommandBarShortcutTest, AnAcceleratorOfAnExplorerBarComesBeforeTheShortcutComponent) {
  EXPECT_TRUE(Press(Alt('3')).Swallowed());
  EXPECT_EQ(ran_, std::vector<std::string>{"button 3"});

  // A folder of another item type, a disabled bar or no explorer in front: the component wins.
  ran_.clear();
  world.explorer.ShowFolder(world.calendar);
  Press(Alt('3'));
  world.explorer.ShowFolder(world.inbox);
  bar_.SetEnabled(false);
  Press(Alt('3'));
  bar_.SetEnabled(true);
  world.outlook.DeactivateWindows();
  Press(Alt('3'));
  EXPECT_EQ(ran_, (std::vector<std::string>{"shortcut 33", "shortcut 33", "shortcut 33"}));
}

TEST_F(CommandBarShortcutTest, AKeyNoEntryHasAsksOutlookNothing) {
  const THookVerdict verdict = logic_.KeyMessage(Alt('3'), true);
  ASSERT_EQ(verdict.Action, Kind::kPostShortcut);
  world.outlook.ResetCallCounts();
  // Typing, and keys nobody has, before the posted message arrives: no window is asked for.
  EXPECT_FALSE(Press(TKeyPress{'Q', kKeyDown}).Swallowed());
  EXPECT_FALSE(Press(Alt('7')).Swallowed());
  EXPECT_EQ(world.outlook.TotalCalls(), 0);
  EXPECT_TRUE(logic_.RunShortcut(verdict.Index));
  EXPECT_EQ(ran_, std::vector<std::string>{"button 3"});

  // A text a bar has is looked up in the window in front, even where the bar does not count.
  world.explorer.ShowFolder(world.calendar);
  EXPECT_TRUE(Press(Alt('3')).Swallowed());
  EXPECT_GT(world.outlook.TotalCalls(), 0);
  EXPECT_EQ(ran_, (std::vector<std::string>{"button 3", "shortcut 33"}));

  // Only a fresh key-down has its modifiers looked at.
  EXPECT_TRUE(TKeyboardHookLogic::UsesModifiers(kKeyDown));
  EXPECT_FALSE(TKeyboardHookLogic::UsesModifiers(kRepeat));
  EXPECT_FALSE(TKeyboardHookLogic::UsesModifiers(kKeyUp));
}

TEST_F(CommandBarShortcutTest, AKeyOnlyADisabledBarHasAsksOutlookNothing) {
  // Beside the enabled bar, a disabled one holding the only Alt+4.
  auto& other = module_.CreateComponent<TOlExplorerCommandBar>();
  BarButton(other.Controls(), "&4 Archive", 4);
  other.SetEnabled(false);
  world.outlook.ResetCallCounts();
  EXPECT_FALSE(Press(Alt('4')).Swallowed());
  EXPECT_EQ(world.outlook.TotalCalls(), 0);

  other.SetEnabled(true);
  EXPECT_TRUE(Press(Alt('4')).Swallowed());
  EXPECT_EQ(ran_, std::vector<std::string>{"button 4"});
}

TEST_F(CommandBarShortcutTest, OutlookFailingToNameItsWindowLeavesTheBarsOut) {
  world.outlook.FailCall("Application.ActiveWindow");
  Press(Alt('3'));
  world.outlook.FailCall("MAPIFolder.DefaultItemType");
  Press(Alt('3'));
  EXPECT_EQ(ran_, (std::vector<std::string>{"shortcut 33", "shortcut 33"}));
}

TEST_F(CommandBarShortcutTest, AcceleratorsClickOnlyVisibleButtonsStraightOnAVisibleBar) {
  auto& popup = bar_.Controls().Add<TCommandBarPopup>();
  BarButton(popup.Controls(), "&4 Archive", 4);
  auto& shortcut_button = BarButton(popup.Controls(), "Find", 5);
  shortcut_button.SetShortcutText("Ctrl+Shift+F");

  // The pop-up's accelerator is found (and swallowed) but does not click.
  EXPECT_TRUE(Press(Alt('4')).Swallowed());
  // A button's own shortcut text works from inside a pop-up.
  EXPECT_TRUE(Press(TKeyPress{'F', kKeyDown, true, true, false}).Swallowed());
  projects_->SetVisible(false);
  Press(Alt('3'));
  projects_->SetVisible(true);
  bar_.SetVisible(false);
  Press(Alt('3'));
  bar_.SetVisible(true);
  projects_->SetEnabled(false);
  Press(Alt('3'));
  EXPECT_EQ(ran_, std::vector<std::string>{"button 5"});
}

TEST_F(CommandBarShortcutTest, AButtonWhoseOfficeControlDoesNotAnswerGetsNoClick) {
  logic_.OfficeButtonCheck = [](TCommandBarButton&) -> bool {
    throw std::runtime_error("The control is gone.");
  };
  const THookVerdict verdict = logic_.KeyMessage(Alt('3'), true);
  ASSERT_EQ(verdict.Action, Kind::kPostShortcut);
  EXPECT_FALSE(logic_.RunShortcut(verdict.Index));
  EXPECT_TRUE(ran_.empty());
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

// Outlook 2007 with the add-in's command bar in Office: a filing button's caption carries its
// slot's accelerator, and its control in Office decides whether the shortcut may click it.
class CommandBarAcceleratorTest : public test::SimulatedWorldTest {
 protected:
  CommandBarAcceleratorTest()
      : addin_(sim.platform(),
               "OLQuivra.coOLQuivra",
               [this](const outlook::ApplicationPtr& application) {
                 return std::make_unique<core::TAddInModule>(sim.platform(), config, application);
               }) {
    addin_.SetCommandBarsHost({[this](const outlook::ExplorerPtr& explorer) {
                                 return office_.ForWindow(explorer->WindowHandle());
                               },
                               {}});
    addin_.SetKeyboardHookInstaller(
        [](TKeyboardHookLogic&) { return std::make_unique<TInstalledKeyboardHook>(); });
    core::Configuration saved;
    test::ConfigureSlot(saved, 2, world.beta, "Beta");
    saved.Icons = false;
    core::ConfigurationFile(saved, sim.platform()).SaveButtonsToFile();
    InstallOutlook(test::kOutlook2007);
    addin_.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr);
    addin_.OnStartupComplete();
  }
  ~CommandBarAcceleratorTest() override { addin_.OnDisconnection(ext_dm_HostShutdown); }

  // Alt+2 on one selected Inbox mail; tells the folder the mail is in afterwards.
  std::string AltTwo(bool expect_run) {
    const outlook::sim::SimItem item = world.inbox_mail[next_mail_++];
    world.explorer.Select({item});
    TKeyboardHookLogic* logic = addin_.KeyboardHook();
    EXPECT_NE(logic, nullptr);
    if (logic == nullptr) {
      return {};
    }
    const THookVerdict verdict = logic->KeyMessage(Alt('2'), true);
    EXPECT_EQ(verdict.Action, Kind::kPostShortcut);
    EXPECT_TRUE(logic->ShortcutTable()[verdict.Index].IsAccelerator);
    EXPECT_EQ(logic->RunShortcut(verdict.Index), expect_run);
    return item.folder().path();
  }

  office::sim::SimCommandBarsHost office_;
  TAddin addin_;
  int next_mail_ = 0;
};

TEST_F(CommandBarAcceleratorTest, TheAcceleratorClicksTheButtonOnlyWhileItsOfficeControlAnswers) {
  EXPECT_EQ(AltTwo(true), world.beta.path());

  office_.FailCall("CommandBarControl.Enabled");
  EXPECT_EQ(AltTwo(false), world.inbox.path());
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

// A caption's accelerator acts only where Office shows the bar: on a ribbon Outlook the add-in
// keeps its bar out of the explorers, and the key goes on to Outlook.
class BarModule : public TCOMAddInModule {
 public:
  BarModule(platform::Platform& platform, bool ribbon_outlook) : TCOMAddInModule(platform) {
    SetAddInName("QuivraOL");
    SetSupportedApps({TOfficeHostApp::ohaOutlook});
    auto& bar = CreateComponent<TOlExplorerCommandBar>();
    bar.SetCommandBarName("QuivraOL");
    bar.SetUseForRibbon(!ribbon_outlook);
    bar.Controls().Add<TCommandBarButton>().SetCaption("R&D");
    CreateComponent<TKeyboardShortcut>().SetShortcutText("Alt+1");
  }
};

class CaptionAcceleratorHostTest : public test::SimulatedWorldTest,
                                   public ::testing::WithParamInterface<bool> {};

TEST_P(CaptionAcceleratorHostTest, IsTakenOnlyWhereTheCommandBarIsShown) {
  const bool command_bar_host = GetParam();
  InstallOutlook(command_bar_host ? test::kOutlook2007 : test::kOutlook2010);
  office::sim::SimCommandBarsHost office;
  TAddin addin(sim.platform(), "OLQuivra.coOLQuivra",
               [this, command_bar_host](const outlook::ApplicationPtr&) {
                 return std::make_unique<BarModule>(sim.platform(), !command_bar_host);
               });
  addin.SetCommandBarsHost({[&office](const outlook::ExplorerPtr& explorer) {
                              return office.ForWindow(explorer->WindowHandle());
                            },
                            {}});
  addin.SetKeyboardHookInstaller(
      [](TKeyboardHookLogic&) { return std::make_unique<TInstalledKeyboardHook>(); });
  addin.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr);
  addin.OnStartupComplete();
  ASSERT_NE(addin.KeyboardHook(), nullptr);
  EXPECT_EQ(addin.KeyboardHook()->KeyMessage(Alt('D'), true).Swallowed(), command_bar_host);
  // The shortcut component acts on both.
  EXPECT_TRUE(addin.KeyboardHook()->KeyMessage(Alt('1'), true).Swallowed());
  addin.OnDisconnection(ext_dm_HostShutdown);
}

INSTANTIATE_TEST_SUITE_P(Outlook2007And2010,
                         CaptionAcceleratorHostTest,
                         ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "CommandBarOutlook" : "RibbonOutlook";
                         });

}  // namespace
}  // namespace quivra::framework
