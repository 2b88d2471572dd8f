#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_ADDIN_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_ADDIN_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/framework/command_bars/command_bar_connection.h"
#include "host/framework/keyboard/keyboard_hook_logic.h"
#include "host/framework/module/com_addin_module.h"
#include "host/framework/module/host_apps.h"
#include "host/framework/ribbon/ribbon_connection.h"
#include "host/office/office.h"
#include "host/office/ribbon.h"
#include "host/outlook/outlook.h"
#include "platform/platform.h"
#include "platform/registry.h"

namespace quivra::framework {

// How the host connects the add-in (Office's ext_ConnectMode) and disconnects it
// (ext_DisconnectMode).
constexpr int ext_cm_AfterStartup = 0;
constexpr int ext_cm_Startup = 1;
constexpr int ext_cm_External = 2;
constexpr int ext_cm_CommandLine = 3;
constexpr int ext_dm_HostShutdown = 0;
constexpr int ext_dm_UserClosed = 1;

// The start state the marker "StartMode" of the add-in key under HKEY_CURRENT_USER holds.
enum class TStartMode { FirstStart, Normal, Uninstall };

// The add-in's COM object as Office sees it, without the COM: the connection lifecycle that
// turns Office's calls (IDTExtensibility2, IRibbonExtensibility) into the module's events, the
// tracking of Outlook's explorer windows and their events, and fast shutdown. The COM skin
// converts the arguments and calls these methods; everything here runs on Outlook's
// user-interface thread.
//
// Exceptions raised by the module's event handlers go to the module's ReportError and the work
// goes on. Exceptions of the framework's own work inside an interface call propagate (the skin
// returns a failure result); inside an Outlook event they are reported like a handler's.
class TAddin : public office::RibbonExtensibility,
                  private outlook::ExplorersEvents,
                  private outlook::ApplicationEvents {
 public:
  // Creates the module, from its design data, for the host application given.
  using ModuleFactory =
      std::function<std::unique_ptr<TCOMAddInModule>(const outlook::ApplicationPtr&)>;

  // `prog_id` names the add-in key ("OLQuivra.coOLQuivra").
  TAddin(platform::Platform& platform, std::string prog_id, ModuleFactory create_module);
  ~TAddin() override;
  TAddin(const TAddin&) = delete;
  TAddin& operator=(const TAddin&) = delete;

  // IDTExtensibility2. `Application` is the host's application as Outlook's _Application, or
  // none for another host; `AddInInst` is the add-in's COMAddIn entry, or none; `self` is this
  // object as the skin hands it to Office.
  void OnConnection(outlook::ApplicationPtr Application,
                    int ConnectMode,
                    office::COMAddInPtr AddInInst,
                    office::AddInObjectPtr self);
  void OnAddInsUpdate() {}
  void OnStartupComplete();
  void OnBeginShutdown();
  void OnDisconnection(int RemoveMode);

  // IRibbonExtensibility: the customUI text of the ribbon RibbonID.
  std::string GetCustomUI(const std::string& RibbonID) override;
  // The ribbon's callbacks, by the names the customUI text gives them: onLoad keeps the ribbon
  // UI, the others answer from the ribbon components or click them. Without a module they answer
  // nothing; a name that is no callback raises office::OfficeError.
  void RibbonLoad(const std::string& callback, const office::RibbonUIPtr& ribbon) override;
  office::RibbonValue RibbonCallback(const std::string& callback,
                                     const office::RibbonControl& control,
                                     std::optional<bool> pressed) override;
  // The connection of the module's ribbon components to Office, made with the module; null
  // while there is none.
  TRibbonConnection* Ribbon();

  // What installs the keyboard hook of the module's shortcuts on this thread at start-up when
  // the module handles shortcuts; unset, shortcuts are not taken from the keyboard.
  void SetKeyboardHookInstaller(TKeyboardHookInstaller installer) {
    keyboard_hook_installer_ = std::move(installer);
  }
  // How the explorer command bars reach Office's CommandBars of each explorer window; unset,
  // the command bar components stay in the module only.
  void SetCommandBarsHost(TCommandBarsHost host) { command_bars_host_ = std::move(host); }
  // The connection of the explorer command bars, from start-up to disconnection; else null.
  TCommandBarConnection* CommandBars() const { return command_bars_.get(); }
  // The hook's logic while the hook is installed, else null.
  TKeyboardHookLogic* KeyboardHook() const {
    return keyboard_hook_ ? keyboard_hook_logic_.get() : nullptr;
  }

  // State, as the lifecycle leaves it.
  TCOMAddInModule* Module() const { return module_.get(); }
  const outlook::ApplicationPtr& HostAppObject() const { return host_app_; }
  bool HostIsOutlook() const { return host_is_outlook_; }
  int HostMajorVersion() const { return host_major_version_; }
  bool RibbonHost() const { return ribbon_host_; }
  const office::COMAddInPtr& COMAddInObject() const { return com_add_in_; }
  const platform::RegistryKey& AddInKey() const { return add_in_key_; }
  TStartMode StartState() const { return start_state_; }
  int StartupCount() const { return startup_count_; }
  bool ActivatePending() const { return activate_pending_; }
  bool QuitShutdown() const { return quit_shutdown_; }
  // The explorer windows tracked now.
  int TrackedExplorerCount() const { return static_cast<int>(tracked_explorers_.size()); }
  // Whether `window` is the top-level window of an explorer the add-in tracks, as far as their
  // windows are known (a new explorer's from its first activation on).
  bool IsTrackedExplorerWindow(std::uintptr_t window) const;
  // The same, asking the explorers whose windows are not known yet for theirs; what the
  // keyboard hook asks of each key press.
  bool FindExplorerWindow(std::uintptr_t window);
  // Whether Outlook's Quit event drives the shutdown (fast shutdown).
  bool QuitHooked() const { return quit_connection_ != nullptr; }

 private:
  class TrackedExplorer;

  // outlook::ExplorersEvents, outlook::ApplicationEvents
  void NewExplorer(const outlook::ExplorerPtr& Explorer) override;
  void Quit() override;

  void TrackExplorer(const outlook::ExplorerPtr& explorer, bool at_startup);
  // Outlook's Activate event of a tracked explorer: its window is read, a second connection to
  // the same window goes, and the activation work runs.
  void ExplorerActivated(TrackedExplorer& tracked);
  // Whether another tracked explorer has the same window; this one is then dropped.
  bool DropIfTrackedTwice(TrackedExplorer& tracked);
  void ExplorerActivation(TrackedExplorer& tracked);
  void ExplorerFolderSwitch(TrackedExplorer& tracked);
  void ExplorerClose(TrackedExplorer& tracked);
  // Disconnects the explorer and takes it out of the tracked ones; its object is freed later,
  // as the event that asked for this may still be running on it.
  void StopTracking(TrackedExplorer& tracked);
  bool FastShutdownApplies();
  void ReadStartState();
  // The marker under the name earlier builds gave it, moved to the current name; none if absent.
  std::optional<std::string> AdoptEarlierStartMode();
  // Calls a module event; a missing module or handler does nothing.
  template <typename F>
  void Raise(F&& raise);
  // Runs the framework's work for an Outlook event: failures are reported, never raised.
  template <typename F>
  void Handle(F&& work) noexcept;
  void ReleaseConnections();
  // The host's major version for the ribbon, read from Outlook when start-up has not yet.
  int RibbonHostVersion() const;
  void InstallKeyboardHook();
  // One line to the debugger's output, through the command bars host's sink.
  void DebugOutput(const std::string& line) const noexcept;
  void RemoveKeyboardHook() noexcept;

  platform::Platform& platform_;
  std::string prog_id_;
  ModuleFactory create_module_;

  std::unique_ptr<TCOMAddInModule> module_;
  outlook::ApplicationPtr host_app_;
  bool host_is_outlook_ = false;
  int host_major_version_ = 0;
  bool ribbon_host_ = false;
  office::COMAddInPtr com_add_in_;
  platform::RegistryKey add_in_key_;
  TStartMode start_state_ = TStartMode::FirstStart;
  int startup_count_ = 0;
  bool activate_pending_ = false;
  bool quit_shutdown_ = false;

  outlook::ExplorersPtr explorers_;
  outlook::EventConnectionPtr explorers_connection_;
  outlook::EventConnectionPtr quit_connection_;
  std::vector<std::unique_ptr<TrackedExplorer>> tracked_explorers_;
  // Connections closed while one of their own events ran; freed at the next entry.
  std::vector<std::unique_ptr<TrackedExplorer>> closed_explorers_;
  // Made with the module on the first ribbon request; goes with the module.
  std::unique_ptr<TRibbonConnection> ribbon_;

  TCommandBarsHost command_bars_host_;
  std::unique_ptr<TCommandBarConnection> command_bars_;
  TKeyboardHookInstaller keyboard_hook_installer_;
  std::unique_ptr<TKeyboardHookLogic> keyboard_hook_logic_;
  std::unique_ptr<TInstalledKeyboardHook> keyboard_hook_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_ADDIN_H_
