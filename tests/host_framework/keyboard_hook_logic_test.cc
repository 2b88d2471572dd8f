// The keyboard hook's decisions over the simulated Outlook: which key presses the add-in takes,
// what runs when the shortcut window receives the posted message, command-bar accelerators
// before shortcut components, and the hook's installation by the add-in object.
#include "host/framework/keyboard/keyboard_hook_logic.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "host/framework/command_bars/command_bar.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "host/framework/module/addin.h"
#include "host/framework/module/com_addin_module.h"
#include "host/office/sim/sim_command_bars.h"
#include "host/office/sim/sim_office.h"
#include "model/configuration_file.h"
#include "tests/host_framework/framework_module_fixture.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::framework {
namespace {

using Kind = THookVerdict::Kind;

constexpr std::uint32_t kKeyDown = 0x00020001;  // repeat count 1, scan code 2
constexpr std::uint32_t kRepeat = kKeyDown | (1u << 30);
constexpr std::uint32_t kKeyUp = kKeyDown | (1u << 30) | (1u << 31);
constexpr int kVkAlt = 18;
constexpr int kVkBack = 8;
constexpr int kVkNumpad1 = 97;

TKeyPress Alt(int vk, std::uint32_t key_data = kKeyDown) {
  return TKeyPress{vk, key_data, false, false, true};
}

class KeyboardHookLogicTest : public FrameworkModuleTest {
 protected:
  KeyboardHookLogicTest() { ServeOutlook(); }

  TKeyboardShortcut& Shortcut(const std::string& text, int tag) {
    auto& shortcut = module_.CreateComponent<TKeyboardShortcut>();
    shortcut.SetShortcutText(text);
    shortcut.SetTag(tag);
    shortcut.OnAction = [this](TKeyboardShortcut& sender) {
      ran_.push_back("shortcut " + std::to_string(sender.Tag()));
    };
    return shortcut;
  }
  TCommandBarButton& BarButton(TCommandBarControls& controls,
                                  const std::string& caption,
                                  int tag) {
    auto& button = controls.Add<TCommandBarButton>();
    button.SetCaption(caption);
    button.SetTag(tag);
    button.OnClick = [this](TCommandBarButton& sender) {
      ran_.push_back("button " + std::to_string(sender.Tag()));
    };
    return button;
  }

  // The whole way of a key press: the hook's verdict, then, for a posted shortcut, the shortcut
  // window's message.
  THookVerdict Press(const TKeyPress& press) {
    const THookVerdict verdict = logic_.KeyMessage(press, true);
    if (verdict.Action == Kind::kPostShortcut) {
      EXPECT_TRUE(logic_.RunShortcut(verdict.Index));
    }
    return verdict;
  }

  TKeyboardHookLogic logic_{module_, world.outlook.application()};
  std::vector<std::string> ran_;
};

TEST_F(KeyboardHookLogicTest, AltDigitIsTakenOnceAndItsActionRunsOnlyWhenTheMessageArrives) {
  Shortcut("Alt+2", 2);
  Shortcut("Alt+1", 1);

  const THookVerdict verdict = logic_.KeyMessage(Alt('1'), true);
  ASSERT_EQ(verdict.Action, Kind::kPostShortcut);
  EXPECT_TRUE(ran_.empty());  // nothing runs inside the hook
  EXPECT_TRUE(logic_.RunShortcut(verdict.Index));
  EXPECT_EQ(ran_, std::vector<std::string>{"shortcut 1"});

  // Holding the keys, letting them go, and Alt itself all reach Outlook.
  EXPECT_FALSE(Press(Alt('1', kRepeat)).Swallowed());
  EXPECT_FALSE(Press(Alt('1', kKeyUp)).Swallowed());
  EXPECT_FALSE(Press(Alt(kVkAlt)).Swallowed());
  EXPECT_FALSE(Press(Alt(kVkAlt, kKeyUp)).Swallowed());
  EXPECT_EQ(ran_.size(), 1u);

  // The keypad 1 gives the same text.
  EXPECT_TRUE(Press(Alt(kVkNumpad1)).Swallowed());
  EXPECT_EQ(ran_, (std::vector<std::string>{"shortcut 1", "shortcut 1"}));
  // Without Alt, or with a digit nobody took, the key passes.
  EXPECT_FALSE(Press(TKeyPress{'1', kKeyDown, false, false, false}).Swallowed());
  EXPECT_FALSE(Press(Alt('4')).Swallowed());
  EXPECT_EQ(ran_.size(), 2u);
}

TEST_F(KeyboardHookLogicTest, OnlyEnabledShortcutsForOutlookWithTheExactModifierOrderMatch) {
  Shortcut("Alt+1", 1).SetEnabled(false);
  Shortcut("Alt+2", 2).SetSupportedApps({TOfficeHostApp::ohaExcel});
  Shortcut("Shift+Ctrl+A", 3);
  Shortcut("", 4);
  Shortcut("bksp", 5);

  EXPECT_FALSE(Press(Alt('1')).Swallowed());
  EXPECT_FALSE(Press(Alt('2')).Swallowed());
  EXPECT_FALSE(Press(TKeyPress{'A', kKeyDown, true, true, false}).Swallowed());
  // A key without a name gives an empty text, which the empty shortcut text never matches.
  EXPECT_FALSE(Press(TKeyPress{186, kKeyDown, false, false, false}).Swallowed());
  EXPECT_TRUE(ran_.empty());

  // Backspace is taken everywhere; the text compares without regard to case.
  EXPECT_TRUE(Press(TKeyPress{kVkBack, kKeyDown}).Swallowed());
  EXPECT_EQ(ran_, std::vector<std::string>{"shortcut 5"});

  // The Backspace the add-in hands back to Outlook (scan code 1) passes, even once the user has
  // let go of the key, so it cannot come round again.
  constexpr std::uint32_t kPassedOnKeyDown = 0x00010001;
  EXPECT_FALSE(Press(TKeyPress{kVkBack, kPassedOnKeyDown}).Swallowed());
}

TEST_F(KeyboardHookLogicTest, ShortcutsActOnlyInAnExplorerAndBackspaceNeverWhileTheUserTypes) {
  Shortcut("Alt+3", 3);
  Shortcut("Alt+Z", 12);
  Shortcut("BkSp", 11);
  constexpr std::uintptr_t kExplorer = 0x100;
  constexpr std::uintptr_t kOtherExplorer = 0x200;
  std::uintptr_t foreground = kExplorer;
  TFocusedWindow focused{"SysListView32", false};
  int window_queries = 0;
  logic_.IsExplorerWindow = [&](std::uintptr_t window) {
    return window == kExplorer || window == kOtherExplorer;
  };
  logic_.WindowInFront.Foreground = [&] {
    ++window_queries;
    return foreground;
  };
  logic_.WindowInFront.Focused = [&] { return focused; };

  // In an explorer's message list every shortcut acts; a key nobody armed asks Windows nothing.
  EXPECT_TRUE(Press(Alt('3')).Swallowed());
  EXPECT_TRUE(Press(TKeyPress{kVkBack, kKeyDown}).Swallowed());
  foreground = kOtherExplorer;
  EXPECT_TRUE(Press(Alt('Z')).Swallowed());
  EXPECT_EQ(ran_, (std::vector<std::string>{"shortcut 3", "shortcut 11", "shortcut 12"}));
  window_queries = 0;
  EXPECT_FALSE(Press(Alt('4')).Swallowed());
  EXPECT_EQ(window_queries, 0);

  // A message window, the add-in's own dialog or no window in front: every key goes on.
  for (const std::uintptr_t other : {std::uintptr_t{0x300}, std::uintptr_t{0}}) {
    foreground = other;
    EXPECT_FALSE(Press(Alt('3')).Swallowed());
    EXPECT_FALSE(Press(Alt('Z')).Swallowed());
    EXPECT_FALSE(Press(TKeyPress{kVkBack, kKeyDown}).Swallowed());
  }
  EXPECT_EQ(ran_.size(), 3u);

  // In the explorer, Backspace goes on in a text field or any window showing the caret; Alt+3
  // still files from there.
  foreground = kExplorer;
  for (const TFocusedWindow& typing :
       {TFocusedWindow{"Edit", false}, TFocusedWindow{"richedit20w", false},
        TFocusedWindow{"RICHEDIT50W", false}, TFocusedWindow{"ComboBox", false},
        TFocusedWindow{"MailEditor", true}}) {
    focused = typing;
    EXPECT_FALSE(Press(TKeyPress{kVkBack, kKeyDown}).Swallowed()) << typing.ClassName;
  }
  EXPECT_TRUE(Press(Alt('3')).Swallowed());
  EXPECT_EQ(ran_.size(), 4u);
}

TEST(TextEntryWindowTest, OnlyWindowsThatTakeTextCountAsTyping) {
  for (const char* name : {"Edit", "EDIT", "RichEdit", "RichEdit20A", "RichEdit20W",
                           "RICHEDIT50W", "ComboBox", "ComboBoxEx32"}) {
    EXPECT_TRUE(IsTextEntryWindowClass(name)) << name;
  }
  for (const char* name : {"", "SysListView32", "SysTreeView32", "Button", "Edit2", "RichEdit2"}) {
    EXPECT_FALSE(IsTextEntryWindowClass(name)) << name;
    EXPECT_FALSE(IsTyping(TFocusedWindow{name, false})) << name;
    EXPECT_TRUE(IsTyping(TFocusedWindow{name, true})) << name;
  }
}

TEST_F(KeyboardHookLogicTest, ArmingAndDisarmingTakeEffectWithTheNextKeyPress) {
  TKeyboardShortcut& shortcut = Shortcut("", 3);
  EXPECT_FALSE(Press(Alt('3')).Swallowed());

  shortcut.SetShortcutText("Alt+3");
  EXPECT_TRUE(Press(Alt('3')).Swallowed());

  // Disarmed between the key press and the message: the posted entry no longer runs.
  const THookVerdict verdict = logic_.KeyMessage(Alt('3'), true);
  ASSERT_EQ(verdict.Action, Kind::kPostShortcut);
  shortcut.SetEnabled(false);
  EXPECT_TRUE(logic_.RunShortcut(verdict.Index));
  EXPECT_EQ(ran_, std::vector<std::string>{"shortcut 3"});
  EXPECT_FALSE(Press(Alt('3')).Swallowed());
}

TEST_F(KeyboardHookLogicTest, ActionsThatRaiseAreReportedAndStaleMessagesRunNothing) {
  Shortcut("Alt+1", 1).OnAction = [](TKeyboardShortcut&) {
    throw std::runtime_error("Folder gone");
  };
  EXPECT_TRUE(Press(Alt('1')).Swallowed());
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_NE(sim.message_boxes.shown()[0].text.find("Folder gone"), std::string::npos);

  EXPECT_FALSE(logic_.RunShortcut(7));
  EXPECT_FALSE(logic_.RunShortcut(-1));
}

TEST_F(KeyboardHookLogicTest, WithoutAWindowOnlyOnKeyDownSeesKeys) {
  Shortcut("Alt+1", 1);
  EXPECT_FALSE(logic_.KeyMessage(Alt('1'), false).Swallowed());

  std::vector<int> seen;
  module_.OnKeyDown = [&](TCOMAddInModule&, TKeyDownEventArgs& args) {
    seen.push_back(args.VirtualKey);
    args.Handled = args.VirtualKey == 'Q' && args.Alt;
  };
  // A shortcut with no window to run it is not taken; the handler sees it instead.
  EXPECT_FALSE(logic_.KeyMessage(Alt('1'), false).Swallowed());
  EXPECT_EQ(logic_.KeyMessage(Alt('Q'), false).Action, Kind::kSwallow);
  EXPECT_FALSE(logic_.KeyMessage(Alt('Q', kRepeat), true).Swallowed());
  EXPECT_FALSE(logic_.KeyMessage(Alt('Q', kKeyUp), true).Swallowed());
  // Taken shortcuts never reach the handler.
  EXPECT_EQ(logic_.KeyMessage(Alt('1'), true).Action, Kind::kPostShortcut);
  EXPECT_EQ(seen, (std::vector<int>{'1', 'Q'}));
}

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

// The hook's installation by the add-in object.

class FakeHook : public TInstalledKeyboardHook {
 public:
  explicit FakeHook(std::vector<std::string>& log) : log_(log) { log_.push_back("hooked"); }
  ~FakeHook() override { log_.push_back("unhooked"); }

 private:
  std::vector<std::string>& log_;
};

class ShortcutModule : public TCOMAddInModule {
 public:
  ShortcutModule(platform::Platform& platform, std::vector<std::string>& log, bool shortcuts)
      : TCOMAddInModule(platform), log_(log) {
    SetAddInName("QuivraOL");
    SetSupportedApps({TOfficeHostApp::ohaOutlook});
    if (shortcuts) {
      CreateComponent<TKeyboardShortcut>().SetShortcutText("Alt+1");
    }
  }
  ~ShortcutModule() override { log_.push_back("module freed"); }

 private:
  std::vector<std::string>& log_;
};

class KeyboardHookInstallTest : public test::SimulatedWorldTest {
 protected:
  TAddin& Addin(bool shortcuts) {
    addin_ = std::make_unique<TAddin>(
        sim.platform(), "OLQuivra.coOLQuivra", [this, shortcuts](const outlook::ApplicationPtr&) {
          return std::make_unique<ShortcutModule>(sim.platform(), log_, shortcuts);
        });
    addin_->SetKeyboardHookInstaller(
        [this](TKeyboardHookLogic& logic) -> std::unique_ptr<TInstalledKeyboardHook> {
          if (refuse_) {
            throw std::runtime_error("SetWindowsHookEx failed.");
          }
          logic_module_ = &logic.Module();
          return std::make_unique<FakeHook>(log_);
        });
    return *addin_;
  }
  void Start(TAddin& addin) {
    addin.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr);
    addin.OnStartupComplete();
  }

  std::vector<std::string> log_;
  TCOMAddInModule* logic_module_ = nullptr;
  bool refuse_ = false;
  std::unique_ptr<TAddin> addin_;
};

TEST_F(KeyboardHookInstallTest, TheHookLivesFromStartUpUntilBeforeTheModuleIsFreed) {
  TAddin& addin = Addin(true);
  addin.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr);
  EXPECT_EQ(addin.KeyboardHook(), nullptr);
  addin.OnStartupComplete();
  ASSERT_NE(addin.KeyboardHook(), nullptr);
  EXPECT_EQ(logic_module_, addin.Module());
  EXPECT_EQ(log_, std::vector<std::string>{"hooked"});

  addin.OnBeginShutdown();
  addin.OnDisconnection(ext_dm_HostShutdown);
  EXPECT_EQ(addin.KeyboardHook(), nullptr);
  EXPECT_EQ(log_, (std::vector<std::string>{"hooked", "unhooked", "module freed"}));
}

TEST_F(KeyboardHookInstallTest, TheAddinsExplorersAreTheWindowsWhereShortcutsAct) {
  TAddin& addin = Addin(true);
  TKeyboardHookLogic* logic = nullptr;
  addin.SetKeyboardHookInstaller([&](TKeyboardHookLogic& installed) {
    logic = &installed;
    return std::make_unique<TInstalledKeyboardHook>();
  });
  Start(addin);
  ASSERT_NE(logic, nullptr);
  ASSERT_TRUE(logic->IsExplorerWindow);
  const std::uintptr_t first = world.explorer.window();
  EXPECT_TRUE(logic->IsExplorerWindow(first));
  EXPECT_FALSE(logic->IsExplorerWindow(0));
  EXPECT_FALSE(logic->IsExplorerWindow(first + 1));

  // A second explorer counts from when Outlook reports it; a closed one no longer does.
  outlook::sim::SimExplorer second = world.outlook.AddExplorer(world.inbox);
  EXPECT_TRUE(logic->IsExplorerWindow(second.window()));
  second.Close();
  EXPECT_FALSE(logic->IsExplorerWindow(second.window()));
  EXPECT_TRUE(logic->IsExplorerWindow(first));
}

TEST_F(KeyboardHookInstallTest, ANewExplorersWindowNotReadAtItsActivationIsAskedForByAKey) {
  TAddin& addin = Addin(true);
  TKeyboardHookLogic* logic = nullptr;
  addin.SetKeyboardHookInstaller([&](TKeyboardHookLogic& installed) {
    logic = &installed;
    return std::make_unique<TInstalledKeyboardHook>();
  });
  Start(addin);
  ASSERT_NE(logic, nullptr);
  world.outlook.FailCall("Explorer.WindowHandle", outlook::sim::FailMode::kAlways);
  outlook::sim::SimExplorer second = world.outlook.AddExplorer(world.inbox);
  world.outlook.StopFailing();
  EXPECT_EQ(addin.TrackedExplorerCount(), 2);
  EXPECT_FALSE(addin.IsTrackedExplorerWindow(second.window()));
  EXPECT_TRUE(sim.message_boxes.shown().empty());
  // The first key pressed in its window finds it; another window is still none of Outlook's.
  EXPECT_FALSE(logic->IsExplorerWindow(second.window() + 1));
  EXPECT_TRUE(logic->IsExplorerWindow(second.window()));
  EXPECT_TRUE(addin.IsTrackedExplorerWindow(second.window()));
  EXPECT_TRUE(logic->IsExplorerWindow(world.explorer.window()));
}

TEST_F(KeyboardHookInstallTest, NoHookWithoutShortcutsAndARefusedHookIsReported) {
  TAddin& plain = Addin(false);
  Start(plain);
  EXPECT_EQ(plain.KeyboardHook(), nullptr);
  EXPECT_EQ(log_, std::vector<std::string>{});

  refuse_ = true;
  TAddin& refused = Addin(true);
  Start(refused);
  EXPECT_EQ(refused.KeyboardHook(), nullptr);
  // Outlook times the start-up: the message waits until its message loop runs again.
  EXPECT_TRUE(sim.message_boxes.shown().empty());
  sim.screen.ProcessPendingMessages();
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_NE(sim.message_boxes.shown()[0].text.find("SetWindowsHookEx"), std::string::npos);
  // The start-up went on: the explorer is tracked.
  EXPECT_EQ(refused.TrackedExplorerCount(), 1);
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
