// The keyboard hook's installation by the add-in object: from start-up until before the module
// is freed, only with shortcuts, and with the add-in's explorers as the windows where they act.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/framework/keyboard/keyboard_hook_logic.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "host/framework/module/addin.h"
#include "host/framework/module/com_addin_module.h"
#include "tests/support/simulated_world_test.h"

namespace quivra::framework {
namespace {

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
  // Starts the add-in with a hook that only hands over its logic, which it returns.
  TKeyboardHookLogic* StartWithHookLogic(TAddin& addin) {
    TKeyboardHookLogic* logic = nullptr;
    addin.SetKeyboardHookInstaller([&logic](TKeyboardHookLogic& installed) {
      logic = &installed;
      return std::make_unique<TInstalledKeyboardHook>();
    });
    Start(addin);
    return logic;
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
  TKeyboardHookLogic* logic = StartWithHookLogic(addin);
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
  TKeyboardHookLogic* logic = StartWithHookLogic(addin);
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

}  // namespace
}  // namespace quivra::framework
