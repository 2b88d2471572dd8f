// The add-in as Outlook starts it every day: the real module behind the add-in object, over the
// standard simulated Outlook with a full configuration file (the ten filing slots, the Backspace
// slot with Backspace filing on, and `recent_folders` recently used folders), connected as
// Outlook 2007 (command bars) or Outlook 2013 (ribbon) connects it. The benchmarks of start-up,
// the keyboard hook and the ribbon share it.
#ifndef QUIVRA_BENCH_STARTED_ADD_IN_H_
#define QUIVRA_BENCH_STARTED_ADD_IN_H_

#include <memory>
#include <string>
#include <vector>

#include "core/add_in_module.h"
#include "host/framework/module/addin.h"
#include "host/office/sim/sim_command_bars.h"
#include "host/office/sim/sim_office.h"
#include "host/office/sim/sim_ribbon.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "platform/compositions/sim/sim_platform.h"

namespace quivra::bench {

// The explorer's ribbon id, the one Outlook asks for when its main window first shows.
inline constexpr char kExplorerRibbon[] = "Microsoft.Outlook.Explorer";

// Outlook's side of the machine: the simulated Outlook, with twenty more folders to be
// recently used, and the Windows services holding the add-in's configuration file and its
// registration. Made once; each start of the add-in runs against it.
class OutlookMachine {
 public:
  // `year`: 2007, 2010 or 2013 (the version Outlook reports and the path it is registered by).
  OutlookMachine(int year, int recent_folders);

  int year() const { return year_; }
  bool ribbon() const { return year_ >= 2010; }
  outlook::sim::StandardWorld& world() { return world_; }
  platform::sim::SimPlatform& sim() { return sim_; }
  // The configuration the file was written from.
  const core::Configuration& saved() const { return saved_; }

 private:
  int year_;
  outlook::sim::StandardWorld world_;
  platform::sim::SimPlatform sim_;
  core::Configuration saved_;
};

// One load of the add-in: the add-in object, its module and the Office objects Outlook hands
// it, alive from Start() until the object goes.
class StartedAddIn {
 public:
  explicit StartedAddIn(OutlookMachine& machine);
  ~StartedAddIn();
  StartedAddIn(const StartedAddIn&) = delete;
  StartedAddIn& operator=(const StartedAddIn&) = delete;

  // Outlook's start of the add-in, as Outlook makes it: OnConnection; for a ribbon Outlook the
  // explorer's ribbon asked for and drawn; OnAddInsUpdate; OnStartupComplete.
  void Start();
  // Outlook's end without fast shutdown: OnBeginShutdown, OnDisconnection.
  void Stop();

  framework::TAddin& addin() { return addin_; }
  core::TAddInModule& module() { return *module_; }
  office::sim::SimCommandBarsHost& command_bars() { return command_bars_; }
  // The ribbon drawn at start-up; null for Outlook 2007.
  const std::shared_ptr<office::sim::SimRibbon>& ribbon() const { return ribbon_; }

  // The calls the add-in made into Office since it was made: command-bar calls and ribbon
  // invalidations.
  int OfficeCalls() const;
  // The callbacks Office made into the add-in while drawing the ribbon.
  int RibbonCallbacks() const { return ribbon_ ? ribbon_->callback_count() : 0; }

 private:
  OutlookMachine& machine_;
  core::Configuration config_;
  core::TAddInModule* module_ = nullptr;
  office::sim::SimCommandBarsHost command_bars_;
  std::shared_ptr<office::sim::SimCOMAddIn> com_add_in_ =
      std::make_shared<office::sim::SimCOMAddIn>();
  office::AddInObjectPtr self_ = std::make_shared<office::AddInObject>();
  framework::TAddin addin_;
  std::shared_ptr<office::sim::SimRibbon> ribbon_;
  bool started_ = false;
};

}  // namespace quivra::bench

#endif  // QUIVRA_BENCH_STARTED_ADD_IN_H_
