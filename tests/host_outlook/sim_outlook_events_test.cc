// Events of the simulated Outlook: what a connected sink hears, and in which order, when the
// user opens, switches, activates and closes explorers or quits Outlook.
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/outlook/sim/sim_outlook.h"
#include "tests/support/simulated_world_test.h"

namespace quivra::outlook::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records the events of one explorer as "name" lines.
class ExplorerLog : public ExplorerEvents {
 public:
  explicit ExplorerLog(std::string name) : name_(std::move(name)) {}
  void Activate() override { Add("Activate"); }
  void FolderSwitch() override { Add("FolderSwitch"); }
  void BeforeFolderSwitch(const MAPIFolderPtr& folder, bool& cancel) override {
    Add("BeforeFolderSwitch " + folder->Name());
    cancel = cancel_switches;
  }
  void ViewSwitch() override { Add("ViewSwitch"); }
  void BeforeViewSwitch(const std::string& view, bool& cancel) override {
    Add("BeforeViewSwitch " + view);
    cancel = cancel_switches;
  }
  void Deactivate() override { Add("Deactivate"); }
  void SelectionChange() override { Add("SelectionChange"); }
  void Close() override {
    Add("Close");
    if (drop_on_close) {
      connection.reset();
    }
  }

  std::vector<std::string>* log = nullptr;
  EventConnectionPtr connection;
  bool cancel_switches = false;
  bool drop_on_close = false;

 private:
  void Add(const std::string& event) { log->push_back(name_ + " " + event); }
  std::string name_;
};

class SimOutlookEventsTest : public test::SimulatedWorldTest {
 protected:
  std::vector<std::string> log_;
};

TEST_F(SimOutlookEventsTest, NewExplorerComesBeforeItsWindowThenItIsActivatedInFront) {
  ExplorerLog first("first");
  first.log = &log_;
  first.connection = world.explorer.handle()->Advise(first);

  struct NewExplorers : ExplorersEvents {
    void NewExplorer(const ExplorerPtr& explorer) override {
      std::string report = explorer->CurrentFolder()->Name();
      try {
        explorer->WindowHandle();
      } catch (const OutlookError&) {
        report += ", no window yet";
      }
      seen.push_back(report);
    }
    std::vector<std::string> seen;
  } explorers;
  EventConnectionPtr connection = app->Explorers()->Advise(explorers);

  SimExplorer second = world.outlook.AddExplorer(world.projects);
  EXPECT_THAT(explorers.seen, ElementsAre("Projects, no window yet"));
  EXPECT_THAT(log_, ElementsAre("first Deactivate"));
  EXPECT_EQ(app->Explorers()->Count(), 2);
  EXPECT_EQ(app->Explorers()->Item(2)->WindowHandle(), second.window());
  EXPECT_NE(second.window(), world.explorer.window());

  // Bringing the first back to the front activates it; doing so again changes nothing.
  world.explorer.Activate();
  world.explorer.Activate();
  EXPECT_THAT(log_, ElementsAre("first Deactivate", "first Activate"));
}

TEST_F(SimOutlookEventsTest, FolderAndViewSwitchesCanBeCancelled) {
  ExplorerLog sink("e");
  sink.log = &log_;
  sink.connection = world.explorer.handle()->Advise(sink);

  EXPECT_TRUE(world.explorer.ShowFolder(world.drafts));
  EXPECT_TRUE(world.explorer.SwitchView("Compact"));
  sink.cancel_switches = true;
  EXPECT_FALSE(world.explorer.ShowFolder(world.projects));
  EXPECT_FALSE(world.explorer.SwitchView("Single"));
  EXPECT_EQ(world.explorer.current_folder(), world.drafts);
  EXPECT_THAT(log_, ElementsAre("e BeforeFolderSwitch Drafts", "e FolderSwitch",
                                "e BeforeViewSwitch Compact", "e ViewSwitch",
                                "e BeforeFolderSwitch Projects", "e BeforeViewSwitch Single"));
}

TEST_F(SimOutlookEventsTest, ClosingTheFrontExplorerActivatesTheOtherAndSinksMayDisconnect) {
  SimExplorer second = world.outlook.AddExplorer(world.projects);
  ExplorerLog first_sink("first");
  first_sink.log = &log_;
  first_sink.connection = world.explorer.handle()->Advise(first_sink);
  ExplorerLog second_sink("second");
  second_sink.log = &log_;
  second_sink.drop_on_close = true;
  second_sink.connection = second.handle()->Advise(second_sink);
  EXPECT_EQ(world.outlook.EventConnectionCount(), 2);

  second.Close();
  EXPECT_THAT(log_, ElementsAre("second Close", "first Activate"));
  EXPECT_EQ(world.outlook.EventConnectionCount(), 1);
  EXPECT_EQ(app->Explorers()->Count(), 1);
  EXPECT_THROW(second.handle()->Advise(second_sink), OutlookError);
}

TEST_F(SimOutlookEventsTest, InspectorsAndOtherProgramsDeactivateTheExplorer) {
  ExplorerLog sink("e");
  sink.log = &log_;
  sink.connection = world.explorer.handle()->Advise(sink);
  world.outlook.ActivateInspector();
  world.explorer.Activate();
  world.outlook.DeactivateWindows();
  world.outlook.DeactivateWindows();
  EXPECT_THAT(log_, ElementsAre("e Deactivate", "e Activate", "e Deactivate"));
}

TEST_F(SimOutlookEventsTest, QuitReachesConnectedSinksOnlyAndVersionIsSettable) {
  struct QuitLog : ApplicationEvents {
    void Quit() override { ++quits; }
    int quits = 0;
  } connected, dropped;
  EventConnectionPtr keep = app->Advise(connected);
  app->Advise(dropped);  // dropped at once
  world.outlook.Quit();
  EXPECT_EQ(connected.quits, 1);
  EXPECT_EQ(dropped.quits, 0);

  EXPECT_EQ(app->Version(), "14.0.0.7015");
  world.outlook.SetVersion("12.0.0.6423");
  EXPECT_EQ(app->Version(), "12.0.0.6423");
}

TEST_F(SimOutlookEventsTest, ConnectionsMayOutliveTheOutlook) {
  EventConnectionPtr connection;
  {
    StandardWorld other;
    ExplorerLog sink("x");
    sink.log = &log_;
    connection = other.explorer.handle()->Advise(sink);
  }
  connection.reset();
  EXPECT_THAT(log_, IsEmpty());
}

}  // namespace
}  // namespace quivra::outlook::sim
