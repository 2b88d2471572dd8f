#ifndef QUIVRA_TESTS_CORE_FAULT_SWEEP_SESSION_H_
#define QUIVRA_TESTS_CORE_FAULT_SWEEP_SESSION_H_

// The fault sweep's session: one scripted Outlook session that touches everything the add-in
// does — start-up, filing by button and by key, undo, the picker with a new folder, Configure OK,
// unload and reload, shutdown — driven through the add-in object's entry points against the
// simulated Outlook and Office. A first run counts every call the add-in makes into Outlook and
// Office (N); then run k fails call k, for every k. Each run must end without an exception out
// of an event entry point, with the configuration file always either the one before a step or
// the one the step saved, and with an add-in that still files on the next click.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "host/framework/module/addin.h"
#include "host/office/sim/sim_command_bars.h"
#include "host/office/sim/sim_office.h"
#include "host/office/sim/sim_ribbon.h"
#include "model/configuration_file.h"
#include "platform/ui/sim/sim_ui.h"
#include "tests/support/outlook_registration.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core::sweep {

using framework::TAddin;
using framework::THookVerdict;
using framework::TKeyPress;
using outlook::sim::SimFolder;
using ui::sim::SimUser;

constexpr char kConfigFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml";
constexpr char kExplorerRibbon[] = "Microsoft.Outlook.Explorer";
constexpr char kBar[] = "QuivraOL";
constexpr std::uint32_t kKeyDown = 0x00020001;

inline TKeyPress Alt(int vk) {
  return TKeyPress{vk, kKeyDown, false, false, true};
}

// What the runs of a sweep add up to.
struct SweepTally {
  int runs = 0;
  int failed_interface_calls = 0;  // returned to Office as a failure result by the COM skin
  int escaped_events = 0;          // exceptions out of an event entry point: must stay 0
  int bad_files = 0;               // files neither the old nor the new one: must stay 0
  int lost_slots = 0;              // runs whose file lost a slot the user had bound
  int dead_after_fault = 0;        // runs after which a click no longer files: must stay 0
  int told_and_restarted = 0;      // faults reported, after which the next start files
  int error_boxes = 0;             // error messages the user was shown and answered
  std::vector<std::string> problems;
};

// Counts every call the add-in makes into the simulated Outlook and Office and fails the one
// numbered `fail_at` (0: none).
class CallCounter {
 public:
  explicit CallCounter(int fail_at) : fail_at_(fail_at) {}

  bool operator()(std::string_view method) {
    if (!open_) {
      return false;
    }
    ++calls_;
    if (calls_ == fail_at_) {
      failed_method_ = std::string(method);
      return true;
    }
    return false;
  }
  int calls() const { return calls_; }
  bool struck() const { return !failed_method_.empty(); }
  const std::string& failed_method() const { return failed_method_; }
  // Calls made after this are neither counted nor failed (the checks after the run).
  void Close() { open_ = false; }

 private:
  int fail_at_;
  int calls_ = 0;
  bool open_ = true;
  std::string failed_method_;
};

// One Outlook session on a fresh machine, with the calls into Outlook and Office counted.
class Session {
 public:
  Session(bool ribbon, int fail_at, SweepTally& tally)
      : ribbon_(ribbon), counter_(fail_at), tally_(tally) {
    const test::OutlookRelease& release = ribbon ? test::kOutlook2013 : test::kOutlook2007;
    test::RegisterOutlookServer(sim_.registry, release.server_path);
    world_.outlook.SetVersion(release.version);
    Configuration saved;
    test::ConfigureSlot(saved, 2, world_.beta, "Beta");
    test::ConfigureSlot(saved, 3, world_.alpha, "Alpha");
    test::ConfigureSlot(saved, 11, world_.deleted_items, "Bin");
    test::AddMru(saved, world_.drafts);
    saved.ExpandList = std::vector<std::string>{world_.projects.entry_id()};
    ConfigurationFile(saved, sim_.platform()).SaveButtonsToFile();

    sim_.screen.SetOnPendingMessages([this] { world_.outlook.ProcessMessages(); });
    const auto gate = [this](std::string_view method) { return counter_(method); };
    world_.outlook.SetCallGate(gate);
    command_bars_->SetCallGate(gate);
    com_add_in_->SetCallGate(gate);
  }
  ~Session() {
    counter_.Close();
    addin_.reset();
  }

  // The whole session; after the step in which the fault struck, the next click must file.
  void Run() {
    Step("start-up", [this] { Load(framework::ext_cm_Startup); });
    Step("file by button", [this] { ClickSlot(2, NextMail()); });
    Step("file by key", [this] { PressAltTwo(NextMail()); });
    Step("undo", [this] { Click(kUndoTag); });
    Step("picker with a new folder", [this] { PickNewFolder(NextMail()); });
    Step("Configure OK", [this] { ConfigureOk(); });
    Step("unload", [this] { Unload(); });
    Step("reload", [this] { Load(framework::ext_cm_AfterStartup); });
    Step("file after reload", [this] { ClickSlot(2, NextMail()); });
    Step("shutdown", [this] { Shutdown(); });
    counter_.Close();
    CheckFileKeepsTheSlots();
    if (!clicked_after_fault_) {
      // The fault left no add-in to click (or none struck): at Outlook's next start the
      // add-in loads and files.
      command_bars_ = std::make_unique<office::sim::SimCommandBarsHost>();
      Load(framework::ext_cm_Startup);
      if (!FilesOnClick()) {
        Problem("no filing in the next session");
        ++tally_.dead_after_fault;
      }
      Shutdown();
    }
    for (const auto& box : sim_.message_boxes.shown()) {
      tally_.error_boxes += box.icon == platform::MessageIcon::kError ? 1 : 0;
    }
  }

  int calls() const { return counter_.calls(); }

 private:
  // Runs a step as Outlook would make it; afterwards the file is the old or the new one, and
  // once the fault has struck the next click files.
  void Step(const char* name, const std::function<void()>& work) {
    step_ = name;
    failure_results_ = tally_.failed_interface_calls;
    const bool struck_before = counter_.struck();
    const std::string before = FileBytes();
    const int replaces_before = sim_.files.replace_count();
    const size_t boxes_before = sim_.message_boxes.shown().size();
    work();
    sim_.ui.ClearScripts();
    const std::string after = FileBytes();
    const bool saved = sim_.files.replace_count() != replaces_before;
    if (after.empty() ||
        (after != before && !(saved && after == sim_.files.last_replace_bytes(kConfigFile)))) {
      Problem("the file is neither the old nor the new one");
      ++tally_.bad_files;
    } else if (after != before) {
      Configuration loaded;
      try {
        ConfigurationFile(loaded, sim_.platform()).LoadButtonsFromFile();
      } catch (const std::exception& error) {
        Problem(std::string("the saved file does not load: ") + error.what());
        ++tally_.bad_files;
      }
    }
    if (!struck_before && counter_.struck() && addin_ != nullptr && Module() != nullptr) {
      counter_.Close();
      if (FilesOnClick()) {
        clicked_after_fault_ = true;
      } else if (failure_results_ != tally_.failed_interface_calls ||
                 sim_.message_boxes.shown().size() != boxes_before) {
        // The user was told (Outlook got a failed start-up, or an error message showed): the
        // buttons stay as far as they got until Outlook's next start, which must file.
        ++tally_.told_and_restarted;
      } else {
        Problem("the next click does not file, and nobody was told");
        ++tally_.dead_after_fault;
      }
    }
  }

  // An entry point Outlook or Office calls by interface: the COM skin turns an exception into
  // a failure result, which Office takes as the add-in's answer.
  void Interface(const std::function<void()>& call) {
    try {
      call();
    } catch (...) {
      ++tally_.failed_interface_calls;
      interface_failed_ = true;
    }
  }
  // An event entry point (a click, a key through the hook, a window message, an Outlook event):
  // nothing may come out of it.
  void Event(const char* what, const std::function<void()>& call) {
    try {
      call();
    } catch (const std::exception& error) {
      Problem(std::string(what) + " let out: " + error.what());
      ++tally_.escaped_events;
    } catch (...) {
      Problem(std::string(what) + " let out an exception");
      ++tally_.escaped_events;
    }
  }

  TAddInModule* Module() const {
    return addin_ ? static_cast<TAddInModule*>(addin_->Module()) : nullptr;
  }

  void Load(int connect_mode) {
    addin_ = std::make_unique<TAddin>(
        sim_.platform(), "OLQuivra.coOLQuivra", [this](const outlook::ApplicationPtr& app) {
          return std::make_unique<TAddInModule>(sim_.platform(), config_, app);
        });
    addin_->SetCommandBarsHost({[this](const outlook::ExplorerPtr& explorer) {
                                  return command_bars_->ForWindow(explorer->WindowHandle());
                                },
                                {}});
    addin_->SetKeyboardHookInstaller([](framework::TKeyboardHookLogic&) {
      return std::make_unique<framework::TInstalledKeyboardHook>();
    });
    interface_failed_ = false;
    Interface([&] {
      addin_->OnConnection(world_.outlook.application(), connect_mode, com_add_in_, self_);
    });
    if (interface_failed_) {
      // Outlook keeps no add-in whose connection failed.
      addin_.reset();
      return;
    }
    if (ribbon_) {
      ribbon_view_.reset();
      Interface([&] {
        auto ribbon = office::sim::SimRibbon::Load(*addin_, kExplorerRibbon);
        ribbon->SetCallGate([this](std::string_view method) { return counter_(method); });
        ribbon->Controls();
        ribbon_view_ = ribbon;
      });
    }
    if (connect_mode == framework::ext_cm_Startup) {
      Interface([&] { addin_->OnAddInsUpdate(); });
      Interface([&] { addin_->OnStartupComplete(); });
    }
    Event("the message loop", [&] { sim_.screen.ProcessPendingMessages(); });
  }

  void Unload() {
    if (addin_ == nullptr) {
      return;
    }
    Interface([&] { addin_->OnDisconnection(framework::ext_dm_UserClosed); });
    ribbon_view_.reset();
    addin_.reset();
  }

  void Shutdown() {
    if (addin_ == nullptr) {
      return;
    }
    if (ribbon_) {
      // Outlook 2013 shuts down fast: its Quit event, then the add-in is released.
      Event("Quit", [&] { world_.outlook.Quit(); });
    } else {
      Interface([&] { addin_->OnBeginShutdown(); });
      Interface([&] { addin_->OnDisconnection(framework::ext_dm_HostShutdown); });
    }
    ribbon_view_.reset();
    addin_.reset();
  }

  outlook::sim::SimItem NextMail() { return world_.inbox_mail[next_mail_++]; }

  // The user clicks the add-in's button of that tag in Outlook's window.
  bool Click(int tag) {
    TAddInModule* module = Module();
    if (module == nullptr) {
      return false;
    }
    bool clicked = false;
    if (ribbon_) {
      if (ribbon_view_ == nullptr) {
        return false;
      }
      const std::string id = module->OwnFilingGroup().Controls()[tag].Id();
      Event("a ribbon click", [&] { clicked = ribbon_view_->Click(id); });
    } else {
      const std::string caption = module->olExplorerCommandBar1.Controls()[tag].Caption();
      Event("a command bar click",
            [&] { clicked = command_bars_->Click(world_.explorer.window(), kBar, caption); });
    }
    Event("the message loop", [&] { sim_.screen.ProcessPendingMessages(); });
    return clicked;
  }
  void ClickSlot(int slot, const outlook::sim::SimItem& mail) {
    world_.explorer.Select({mail});
    Click(slot);
  }
  void PressAltTwo(const outlook::sim::SimItem& mail) {
    world_.explorer.Select({mail});
    if (addin_ == nullptr || addin_->KeyboardHook() == nullptr) {
      return;
    }
    framework::TKeyboardHookLogic& hook = *addin_->KeyboardHook();
    Event("the keyboard hook", [&] {
      const THookVerdict verdict = hook.KeyMessage(Alt('2'), true);
      if (verdict.Action == THookVerdict::Kind::kPostShortcut) {
        hook.RunShortcut(verdict.Index);
      }
    });
    Event("the message loop", [&] { sim_.screen.ProcessPendingMessages(); });
  }
  // "Any Folder...": the user adds "Sweep" below Projects and files into it.
  void PickNewFolder(const outlook::sim::SimItem& mail) {
    world_.explorer.Select({mail});
    sim_.ui.Expect([this](SimUser& user) {
      Answer(user, [&] {
        sim_.ui.Expect([](SimUser& name) {
          name.Type("EditFolderName", "Sweep");
          name.PressEnter();
        });
        user.SelectNode("Mailbox\\Projects");
        user.Click("ButtonAdd");
        user.SelectNode("Mailbox\\Projects\\Sweep");
        user.Click("btnOK");
      });
    });
    Click(kAnyFolderTag);
  }
  // "Configure Buttons": the user renames slot 3 and presses OK.
  void ConfigureOk() {
    sim_.ui.Expect([this](SimUser& user) {
      Answer(user, [&] {
        user.Type("EditBtn3", "Renamed");
        user.Click("btnOK");
      });
    });
    TAddInModule* module = Module();
    if (module == nullptr) {
      return;
    }
    if (ribbon_) {
      if (ribbon_view_ == nullptr) {
        return;
      }
      for (const auto& control : ribbon_view_->Controls()) {
        if (control.Label == "Configure Buttons") {
          const std::string id = control.Id;
          Event("a ribbon click", [&] { ribbon_view_->Click(id); });
          break;
        }
      }
    } else {
      Event("a command bar click",
            [&] { command_bars_->Click(world_.explorer.window(), kBar, "Configure Buttons"); });
    }
    Event("the message loop", [&] { sim_.screen.ProcessPendingMessages(); });
  }
  // Plays the user's part on a form; when the form is not as the script expects (a fault left
  // the tree short), the user cancels.
  void Answer(SimUser& user, const std::function<void()>& actions) {
    try {
      actions();
    } catch (const std::logic_error&) {
      if (!user.Closed()) {
        user.Click("btnCancel");
      }
    }
  }

  // Whether a click on slot 2 moves the selected mail into Beta now.
  bool FilesOnClick() {
    const outlook::sim::SimItem mail = NextMail();
    // The user comes back to Outlook's window and clicks the button.
    Event("an explorer's activation", [&] {
      world_.outlook.DeactivateWindows();
      world_.explorer.Activate();
    });
    world_.explorer.Select({mail});
    Click(2);
    return mail.folder() == world_.beta;
  }

  // The slots the user bound before the session are still bound in the file.
  void CheckFileKeepsTheSlots() {
    Configuration loaded;
    try {
      ConfigurationFile(loaded, sim_.platform()).LoadButtonsFromFile();
    } catch (const std::exception& error) {
      Problem(std::string("the file does not load: ") + error.what());
      ++tally_.bad_files;
      return;
    }
    if (loaded.FolderNames[2] != world_.beta.path() ||
        loaded.FolderNames[3] != world_.alpha.path() ||
        loaded.FolderNames[11] != world_.deleted_items.path()) {
      Problem("the file lost a bound slot");
      ++tally_.lost_slots;
    }
  }

  std::string FileBytes() {
    return sim_.files.FileExists(kConfigFile) ? sim_.files.ReadWholeFile(kConfigFile) : "";
  }

  void Problem(const std::string& what) {
    tally_.problems.push_back(std::string(step_) + " (call " +
                              (counter_.struck() ? counter_.failed_method() : "none") +
                              "): " + what);
  }

  bool ribbon_;
  CallCounter counter_;
  SweepTally& tally_;
  const char* step_ = "";
  outlook::sim::StandardWorld world_;
  platform::sim::SimPlatform sim_;
  Configuration config_;
  // Office's command bars of this Outlook process; the next session gets new ones.
  std::unique_ptr<office::sim::SimCommandBarsHost> command_bars_ =
      std::make_unique<office::sim::SimCommandBarsHost>();
  std::shared_ptr<office::sim::SimCOMAddIn> com_add_in_ =
      std::make_shared<office::sim::SimCOMAddIn>();
  office::AddInObjectPtr self_ = std::make_shared<office::AddInObject>();
  std::unique_ptr<TAddin> addin_;
  std::shared_ptr<office::sim::SimRibbon> ribbon_view_;
  bool interface_failed_ = false;
  bool clicked_after_fault_ = false;
  int failure_results_ = 0;
  int next_mail_ = 0;
};

}  // namespace quivra::core::sweep

#endif  // QUIVRA_TESTS_CORE_FAULT_SWEEP_SESSION_H_
