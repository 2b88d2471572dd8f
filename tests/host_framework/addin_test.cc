// The add-in object's connection lifecycle against the simulated Outlook: the order of the
// module's events, the start-state marker, explorer tracking, fast shutdown, unloading by the
// user and the error report.
#include "host/framework/module/addin.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/framework/module/start_mode_marker.h"
#include "host/office/sim/sim_office.h"
#include "tests/support/message_texts.h"
#include "tests/support/simulated_world_test.h"

namespace quivra::framework {
namespace {

using platform::RegistryKey;
using platform::RegistryRoot;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const char kProgId[] = "OLQuivra.coOLQuivra";
const RegistryKey kUserKey{RegistryRoot::kCurrentUser,
                           "Software\\Microsoft\\Office\\Outlook\\AddIns\\OLQuivra.coOLQuivra"};

// A module that writes each of its events into a log.
class LoggingModule : public TCOMAddInModule {
 public:
  LoggingModule(platform::Platform& platform, std::vector<std::string>& log)
      : TCOMAddInModule(platform), log_(log) {
    SetAddInName("QuivraOL");
    SetRegisterForAllUsers(true);
    OnAddInInitialize = [this](TCOMAddInModule&) { Add("Initialize"); };
    OnAddInStartupComplete = [this](TCOMAddInModule&) { Add("StartupComplete"); };
    OnAddInBeginShutdown = [this](TCOMAddInModule&) { Add("BeginShutdown"); };
    OnAddInFinalize = [this](TCOMAddInModule&) { Add("Finalize"); };
    OnOLNewExplorer = Logger("NewExplorer");
    OnOLExplorerActivate = Logger("Activate");
    OnOLExplorerDeactivate = Logger("Deactivate");
    OnOLExplorerFolderSwitch = Logger("FolderSwitch");
    OnOLExplorerClose = Logger("Close");
  }
  ~LoggingModule() override { Add("freed"); }

  TExplorerEvent Logger(std::string event) {
    return [this, event](TCOMAddInModule&, const outlook::ExplorerPtr& explorer) {
      Add(event + " " + explorer->CurrentFolder()->Name());
    };
  }
  void Add(const std::string& line) { log_.push_back(line); }

 private:
  std::vector<std::string>& log_;
};

class AddinTest : public test::SimulatedWorldTest {
 protected:
  AddinTest()
      : addin_(sim.platform(), kProgId, [this](const outlook::ApplicationPtr& application) {
          EXPECT_TRUE(application);
          auto module = std::make_unique<LoggingModule>(sim.platform(), log_);
          module_ = module.get();
          if (customize_) {
            customize_(*module);
          }
          return module;
        }) {}

  // Outlook's start: OnConnection, OnAddInsUpdate, OnStartupComplete.
  void Start(const char* version = test::kOutlook2010.version) {
    world.outlook.SetVersion(version);
    addin_.OnConnection(world.outlook.application(), ext_cm_Startup, com_add_in_, self_);
    addin_.OnAddInsUpdate();
    addin_.OnStartupComplete();
  }
  // Outlook's end without fast shutdown.
  void Stop() {
    addin_.OnBeginShutdown();
    addin_.OnDisconnection(ext_dm_HostShutdown);
  }

  std::vector<std::string> log_;
  LoggingModule* module_ = nullptr;
  std::function<void(LoggingModule&)> customize_;
  std::shared_ptr<office::sim::SimCOMAddIn> com_add_in_ =
      std::make_shared<office::sim::SimCOMAddIn>();
  office::AddInObjectPtr self_ = std::make_shared<office::AddInObject>();
  TAddin addin_;
};

// Start-up.

TEST_F(AddinTest, NormalStartRaisesTheModuleEventsInOrderAndTracksTheOpenExplorers) {
  world.outlook.AddExplorer(world.projects);
  Start();
  EXPECT_THAT(log_, ElementsAre("Initialize", "StartupComplete", "NewExplorer Inbox",
                                "Activate Inbox", "NewExplorer Projects", "Activate Projects"));
  EXPECT_EQ(addin_.TrackedExplorerCount(), 2);
  EXPECT_EQ(addin_.HostMajorVersion(), 14);
  EXPECT_TRUE(addin_.RibbonHost());
  EXPECT_TRUE(addin_.HostIsOutlook());
  EXPECT_EQ(com_add_in_->object(), self_);

  Stop();
  EXPECT_THAT(std::vector<std::string>(log_.end() - 3, log_.end()),
              ElementsAre("BeginShutdown", "Finalize", "freed"));
  EXPECT_EQ(addin_.Module(), nullptr);
  EXPECT_EQ(world.outlook.EventConnectionCount(), 0);
}

TEST_F(AddinTest, StartupWorkRunsOncePerConnection) {
  Start();
  const size_t events = log_.size();
  addin_.OnStartupComplete();
  EXPECT_EQ(log_.size(), events);
  EXPECT_EQ(addin_.StartupCount(), 2);
}

TEST_F(AddinTest, ConnectedAfterOutlooksStartTheStartupWorkRunsInOnConnection) {
  addin_.OnConnection(world.outlook.application(), ext_cm_AfterStartup, com_add_in_, self_);
  EXPECT_THAT(log_,
              ElementsAre("Initialize", "StartupComplete", "NewExplorer Inbox", "Activate Inbox"));
  addin_.OnStartupComplete();
  EXPECT_EQ(log_.size(), 4u);
}

TEST_F(AddinTest, StartStateGoesFromFirstStartToNormalAndIsReadWithoutRegardToCase) {
  Start();
  EXPECT_EQ(addin_.StartState(), TStartMode::FirstStart);
  EXPECT_EQ(sim.registry.ReadString(kUserKey, "StartMode"), "NORMAL");
  Stop();

  sim.registry.WriteString(kUserKey, "StartMode", "normal");
  sim.registry.ClearChanges();
  Start();
  EXPECT_EQ(addin_.StartState(), TStartMode::Normal);
  EXPECT_THAT(sim.registry.changes(), Not(Contains(HasSubstr("StartMode"))));
  Stop();

  sim.registry.WriteString(kUserKey, "StartMode", "UNINSTALL");
  Start();
  EXPECT_EQ(addin_.StartState(), TStartMode::Uninstall);
  EXPECT_EQ(sim.registry.ReadString(kUserKey, "StartMode"), "UNINSTALL");
}

TEST_F(AddinTest, AnUpgradeKeepsTheStartStateWrittenUnderTheMarkersEarlierName) {
  // Each state an earlier build left is kept, moved to the current name, and the old value goes.
  sim.registry.CreateKey(kUserKey);
  for (const char* state : {"NORMAL", "UNINSTALL", "FIRSTSTART"}) {
    SCOPED_TRACE(state);
    sim.registry.DeleteValue(kUserKey, kStartModeValueName);
    sim.registry.WriteString(kUserKey, kEarlierStartModeValueName, state);
    Start();
    const TStartMode expected = std::string(state) == "NORMAL"      ? TStartMode::Normal
                                : std::string(state) == "UNINSTALL" ? TStartMode::Uninstall
                                                                    : TStartMode::FirstStart;
    EXPECT_EQ(addin_.StartState(), expected);
    EXPECT_EQ(sim.registry.ReadString(kUserKey, kStartModeValueName),
              expected == TStartMode::FirstStart ? "NORMAL" : state);
    EXPECT_EQ(sim.registry.ReadString(kUserKey, kEarlierStartModeValueName), std::nullopt);
    Stop();
  }

  // The marker under its current name wins; the earlier value is then not even read.
  sim.registry.WriteString(kUserKey, kStartModeValueName, "NORMAL");
  sim.registry.WriteString(kUserKey, kEarlierStartModeValueName, "UNINSTALL");
  Start();
  EXPECT_EQ(addin_.StartState(), TStartMode::Normal);
  Stop();

  // A second start after the move reads the moved value: still no first start.
  sim.registry.DeleteValue(kUserKey, kStartModeValueName);
  sim.registry.WriteString(kUserKey, kEarlierStartModeValueName, "NORMAL");
  Start();
  Stop();
  Start();
  EXPECT_EQ(addin_.StartState(), TStartMode::Normal);
}

TEST_F(AddinTest, AMarkerThatCannotBeMovedStillGivesTheEarlierStartState) {
  sim.registry.CreateKey(kUserKey);
  sim.registry.WriteString(kUserKey, kEarlierStartModeValueName, "NORMAL");
  sim.registry.DenyChanges(RegistryRoot::kCurrentUser);
  Start();
  EXPECT_EQ(addin_.StartState(), TStartMode::Normal);
  EXPECT_EQ(sim.registry.ReadString(kUserKey, kEarlierStartModeValueName), "NORMAL");
}

TEST_F(AddinTest, OutlookVersionsSetTheMajorVersionAndRibbonHost) {
  // Outlook 2007's item windows have a ribbon already.
  Start("12.0.0.6423");
  EXPECT_EQ(addin_.HostMajorVersion(), 12);
  EXPECT_TRUE(addin_.RibbonHost());
  Stop();
  Start("11.0.0.8312");
  EXPECT_FALSE(addin_.RibbonHost());
  // A module without ribbon tabs describes no ribbon.
  EXPECT_THAT(addin_.GetCustomUI("Microsoft.Outlook.Explorer"), Not(HasSubstr("<ribbon>")));
  EXPECT_TRUE(addin_.RibbonHost());
  Stop();
  Start("15.0.0.4569");
  EXPECT_EQ(addin_.HostMajorVersion(), 15);
}

// Explorers.

TEST_F(AddinTest, ANewExplorerReportedTwiceIsTrackedOnce) {
  Start();
  auto second = world.outlook.AddExplorer(world.projects);
  world.outlook.ReportNewExplorer(second);
  world.outlook.ReportNewExplorer(world.explorer);
  EXPECT_EQ(addin_.TrackedExplorerCount(), 2);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "NewExplorer Projects"), 1);
}

TEST_F(AddinTest, ANewExplorersActivationWaitsForItsFirstFolderSwitchFrom2010On) {
  Start();
  log_.clear();
  world.outlook.ReportNewExplorer(world.outlook.AddExplorer(world.projects));
  // The sim's new window deactivates the Inbox and activates itself.
  EXPECT_THAT(log_, ElementsAre("NewExplorer Projects", "Deactivate Inbox", "Activate Projects"));
  EXPECT_TRUE(addin_.ActivatePending());
  world.outlook.explorers().back().ShowFolder(world.alpha);
  EXPECT_FALSE(addin_.ActivatePending());
  EXPECT_THAT(std::vector<std::string>(log_.end() - 2, log_.end()),
              ElementsAre("Activate Alpha", "FolderSwitch Alpha"));
}

TEST_F(AddinTest, OnOutlook2007ANewExplorerIsActivatedAndSwitchedAtItsFirstActivation) {
  Start("12.0.0.6423");
  log_.clear();
  // Outlook 2007 raises no folder switch for a new window, and the window does not exist yet
  // when it is reported: both wait for its first activation.
  world.outlook.AddExplorer(world.projects);
  EXPECT_THAT(log_, ElementsAre("NewExplorer Projects", "Deactivate Inbox", "Activate Projects",
                                "FolderSwitch Projects"));
  EXPECT_FALSE(addin_.ActivatePending());
  EXPECT_TRUE(Messages().empty());
}

// A new explorer is reported before its window exists; the window is known from its first
// activation on.

TEST_F(AddinTest, ANewExplorersWindowIsTakenAtItsFirstActivationWithoutAnError) {
  Start();
  auto second = world.outlook.AddExplorer(world.projects);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(addin_.TrackedExplorerCount(), 2);
  ASSERT_NE(second.window(), 0u);
  EXPECT_TRUE(addin_.IsTrackedExplorerWindow(second.window()));
  EXPECT_TRUE(addin_.IsTrackedExplorerWindow(world.explorer.window()));
  // Closed, its window is no explorer's any more.
  const std::uintptr_t window = second.window();
  second.Close();
  EXPECT_FALSE(addin_.IsTrackedExplorerWindow(window));
}

TEST_F(AddinTest, AWindowThatCannotBeReadIsAskedForAgainAtTheNextActivation) {
  Start();
  world.outlook.FailCall("Explorer.WindowHandle", outlook::sim::FailMode::kAlways);
  auto second = world.outlook.AddExplorer(world.projects);
  EXPECT_FALSE(addin_.IsTrackedExplorerWindow(second.window()));
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "Activate Projects"), 1);
  world.outlook.StopFailing();
  world.explorer.Activate();
  EXPECT_FALSE(addin_.IsTrackedExplorerWindow(second.window()));
  second.Activate();
  EXPECT_TRUE(addin_.IsTrackedExplorerWindow(second.window()));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(AddinTest, AnExplorerReportedTwiceBeforeItsWindowExistsKeepsOneConnection) {
  Start();
  bool reported_again = false;
  module_->OnOLNewExplorer = [&](TCOMAddInModule&, const outlook::ExplorerPtr&) {
    log_.push_back("NewExplorer");
    if (!reported_again) {
      reported_again = true;
      world.outlook.ReportNewExplorer(world.outlook.explorers().back());
    }
  };
  log_.clear();
  world.outlook.AddExplorer(world.projects);
  EXPECT_THAT(log_, ElementsAre("NewExplorer", "NewExplorer", "Deactivate Inbox",
                                "Activate Projects"));
  EXPECT_EQ(addin_.TrackedExplorerCount(), 2);
  log_.clear();
  world.explorer.Activate();
  EXPECT_THAT(log_, ElementsAre("Deactivate Projects", "Activate Inbox"));
}

TEST_F(AddinTest, AnActivationCausedByActivationWorkIsIgnored) {
  auto second = world.outlook.AddExplorer(world.projects);
  Start();
  log_.clear();
  module_->OnOLExplorerActivate = [&](TCOMAddInModule&, const outlook::ExplorerPtr& explorer) {
    log_.push_back("Activate " + explorer->CurrentFolder()->Name());
    second.Activate();  // a dialog or message pumping brings another window up
  };
  world.explorer.Activate();
  EXPECT_THAT(log_, ElementsAre("Deactivate Projects", "Activate Inbox", "Deactivate Inbox"));
  // The guard is down again afterwards.
  module_->OnOLExplorerActivate = module_->Logger("Activate");
  world.explorer.Activate();
  EXPECT_EQ(log_.back(), "Activate Inbox");
}

TEST_F(AddinTest, AClosedExplorerIsNoLongerTrackedAndItsEventsStop) {
  auto second = world.outlook.AddExplorer(world.projects);
  Start();
  log_.clear();
  second.Close();
  EXPECT_THAT(log_, ElementsAre("Close Projects", "Activate Inbox"));
  EXPECT_EQ(addin_.TrackedExplorerCount(), 1);
  // Only the Inbox explorer's and the Explorers' connections remain.
  EXPECT_EQ(world.outlook.EventConnectionCount(), 3);
}

// Shutdown.

TEST_F(AddinTest, FastShutdownOnOutlook2010FreesTheModuleWithoutShutdownEvents) {
  Start();
  ASSERT_TRUE(addin_.QuitHooked());
  log_.clear();
  world.outlook.Quit();
  EXPECT_THAT(log_, ElementsAre("freed"));
  EXPECT_TRUE(addin_.QuitShutdown());
  EXPECT_EQ(world.outlook.EventConnectionCount(), 0);
  // Whatever Outlook still calls finds nothing to do.
  Stop();
  EXPECT_THAT(log_, ElementsAre("freed"));
}

TEST_F(AddinTest, FastShutdownIsOffBefore2010AndWhereTheRegistrySwitchesItOff) {
  Start("12.0.0.6423");
  EXPECT_FALSE(addin_.QuitHooked());
  Stop();

  const RegistryKey options{RegistryRoot::kCurrentUser,
                            "Software\\Microsoft\\Office\\15.0\\Outlook\\Options\\Shutdown"};
  sim.registry.CreateKey(options);
  sim.registry.WriteDword(options, "AddinFastShutdownBehavior", 1);
  Start("15.0.0.4569");
  EXPECT_FALSE(addin_.QuitHooked());
  Stop();

  RegistryKey machine = kUserKey;
  machine.root = RegistryRoot::kLocalMachine;
  sim.registry.CreateKey(machine);
  sim.registry.WriteDword(machine, "RequireShutdownNotification", 1);
  Start("14.0.0.7015");
  EXPECT_FALSE(addin_.QuitHooked());
  log_.clear();
  world.outlook.Quit();
  EXPECT_THAT(log_, IsEmpty());
  Stop();
  EXPECT_THAT(log_, ElementsAre("BeginShutdown", "Finalize", "freed"));
}

TEST_F(AddinTest, UnloadingByTheUserEndsTheModuleAndRemovesItsSavedBarState) {
  Start();
  sim.registry.CreateKey(kUserKey.Sub("CommandBars"));
  sim.registry.CreateKey(kUserKey.Sub("Controls"));
  log_.clear();
  addin_.OnDisconnection(ext_dm_UserClosed);
  EXPECT_THAT(log_, ElementsAre("BeginShutdown", "Finalize", "freed"));
  EXPECT_FALSE(sim.registry.KeyExists(kUserKey.Sub("CommandBars")));
  EXPECT_FALSE(sim.registry.KeyExists(kUserKey.Sub("Controls")));
  EXPECT_TRUE(sim.registry.KeyExists(kUserKey));
  EXPECT_EQ(world.outlook.EventConnectionCount(), 0);

  // Ticked again in the COM add-ins dialog: a new module starts at once.
  log_.clear();
  addin_.OnConnection(world.outlook.application(), ext_cm_AfterStartup, nullptr, nullptr);
  EXPECT_THAT(log_,
              ElementsAre("Initialize", "StartupComplete", "NewExplorer Inbox", "Activate Inbox"));
}

// Errors.

TEST_F(AddinTest, AHandlersExceptionIsReportedAndTheStartupGoesOn) {
  customize_ = [](LoggingModule& module) {
    module.OnAddInStartupComplete = [](TCOMAddInModule&) {
      throw std::runtime_error("The configuration file is damaged.");
    };
  };
  Start();
  // Outlook times OnConnection and OnStartupComplete: the message shows once they have returned
  // and Outlook's message loop runs again.
  EXPECT_THAT(Messages(), IsEmpty());
  sim.screen.ProcessPendingMessages();
  ASSERT_THAT(Messages(),
              ElementsAre(std::string(test::kAddInError) + "The configuration file is damaged."));
  EXPECT_EQ(sim.message_boxes.shown()[0].caption, "QuivraOL");
  EXPECT_EQ(sim.registry.ReadString(kUserKey, "StartMode"), "NORMAL");
  EXPECT_EQ(addin_.TrackedExplorerCount(), 1);
}

TEST_F(AddinTest, StartUpMessagesWaitForTheMessageLoopEvenWhenTheModuleHasGone) {
  customize_ = [](LoggingModule& module) {
    module.OnAddInInitialize = [](TCOMAddInModule&) { throw std::runtime_error("first"); };
    module.OnAddInStartupComplete = [](TCOMAddInModule&) { throw std::runtime_error("second"); };
  };
  Start();
  Stop();
  sim.screen.ProcessPendingMessages();
  EXPECT_THAT(Messages(), ElementsAre(std::string(test::kAddInError) + "first",
                                      std::string(test::kAddInError) + "second"));
  // Once started, a report shows at once.
  Start();
  sim.screen.ProcessPendingMessages();
  addin_.Module()->ReportError(std::runtime_error("later"));
  EXPECT_EQ(Messages().back(), std::string(test::kAddInError) + "later");
}

TEST_F(AddinTest, ARefusedComAddInObjectDoesNotFailTheConnection) {
  std::vector<std::string> debug_lines;
  addin_.SetCommandBarsHost(
      {nullptr, [&](const std::string& line) { debug_lines.push_back(line); }});
  com_add_in_->FailSetObject(true);
  EXPECT_NO_THROW(Start());
  EXPECT_EQ(addin_.TrackedExplorerCount(), 1);
  EXPECT_THAT(log_, Contains("StartupComplete"));
  ASSERT_EQ(debug_lines.size(), 1u);
  EXPECT_THAT(debug_lines[0], HasSubstr("COMAddIn.Object"));
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(AddinTest, OnErrorMayHandleTheReport) {
  customize_ = [](LoggingModule& module) {
    module.OnAddInInitialize = [](TCOMAddInModule&) { throw std::runtime_error("x"); };
    module.OnError = [&module](const std::exception& error, bool& handled) {
      module.Add(std::string("OnError ") + error.what());
      handled = true;
    };
  };
  Start();
  EXPECT_THAT(Messages(), IsEmpty());
  ASSERT_FALSE(log_.empty());
  EXPECT_EQ(log_[0], "OnError x");
}

TEST_F(AddinTest, AFailingOutlookCallOfTheFrameworkFailsTheStartupAfterTheModuleEvents) {
  world.outlook.FailCall("Application.Explorers");
  world.outlook.SetVersion(test::kOutlook2010.version);
  addin_.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr);
  EXPECT_THROW(addin_.OnStartupComplete(), outlook::OutlookError);
  EXPECT_THAT(log_, ElementsAre("Initialize", "StartupComplete"));
  EXPECT_EQ(addin_.TrackedExplorerCount(), 0);
  Stop();
  EXPECT_EQ(log_.back(), "freed");
}

TEST_F(AddinTest, AFailingOutlookCallInsideAnOutlookEventIsReportedNotRaised) {
  Start();
  world.outlook.FailCall("Explorer.Advise");
  EXPECT_NO_THROW(world.outlook.AddExplorer(world.projects));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_THAT(Messages()[0], ::testing::HasSubstr("(Explorer.Advise)"));
  EXPECT_EQ(addin_.TrackedExplorerCount(), 1);
}

TEST_F(AddinTest, AModuleThatCannotBeCreatedFailsTheConnection) {
  TAddin failing(sim.platform(), kProgId, [](const outlook::ApplicationPtr&) {
    return std::unique_ptr<TCOMAddInModule>();
  });
  EXPECT_THROW(failing.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr),
               std::runtime_error);
  EXPECT_EQ(failing.Module(), nullptr);
  EXPECT_NO_THROW(failing.OnStartupComplete());
}

}  // namespace
}  // namespace quivra::framework
