#ifndef QUIVRA_TOOLS_OLHOST_OUTLOOK_STAND_IN_H_
#define QUIVRA_TOOLS_OLHOST_OUTLOOK_STAND_IN_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <memory>
#include <string>
#include <vector>

#include "host/office/com/office_interfaces.h"
#include "host/office/sim/sim_command_bars.h"
#include "host/outlook/sim/standard_world.h"
#include "platform/registry.h"
#include "platform/win32/win32_registry.h"
#include "tools/olhost/ribbon_host.h"

namespace quivra::olhost {

// The Outlook versions the stand-in plays.
struct OutlookVersion {
  int year;              // 2007, 2010, 2013
  const char* version;   // Application.Version
  const char* folder;    // the Office folder of OUTLOOK.EXE
};
// The version of that year; raises std::invalid_argument for another year.
const OutlookVersion& VersionOf(int year);

// Outlook, played over the simulated mailbox: it registers itself as Outlook of its version,
// finds its COM add-ins in the registry as Outlook does, loads them in-process and talks to them
// through IDTExtensibility2 in Outlook's order, and lets a script act as the user. It prints
// what happens, one line per step.
class OutlookStandIn {
 public:
  explicit OutlookStandIn(int year);
  ~OutlookStandIn();

  outlook::sim::StandardWorld& world() { return world_; }
  const OutlookVersion& version() const { return version_; }

  // Writes the registry entries of an installed Outlook of this version: its ProgID and the
  // local server path that names the Office folder.
  void Install();
  // Outlook starts: every add-in with LoadBehavior 3 is loaded and connected.
  void Start();
  // The user closes Outlook.
  void Quit();
  // The user unticks or ticks the add-in in the COM add-ins dialog.
  void Disconnect(const std::string& prog_id);
  void Connect(const std::string& prog_id);

  // Whether the add-in is connected now.
  bool Connected(const std::string& prog_id) const;
  // DllCanUnloadNow of the add-in's library; S_OK too when the library is not loaded.
  HRESULT CanUnloadNow(const std::string& prog_id);
  // Start-up time of the add-in (OnConnection through OnStartupComplete), in milliseconds.
  double StartupMilliseconds(const std::string& prog_id) const;
  // The explorer ribbon of the add-in; null before Outlook asked for it and after disconnection.
  RibbonHost* Ribbon(const std::string& prog_id);
  // Office's command bars of the explorer windows (Outlook 2007); null for a ribbon Outlook.
  office::sim::SimCommandBarsHost* CommandBars() { return command_bars_.get(); }

 private:
  struct AddIn {
    std::string prog_id;
    platform::RegistryKey key;  // where its LoadBehavior was read
    int load_behavior = 0;
    Microsoft::WRL::ComPtr<office::com::IDTExtensibility2> object;
    Microsoft::WRL::ComPtr<IDispatch> entry;  // its COMAddIn
    bool connected = false;
    double startup_ms = 0;
    // Parts of the start-up: loading the library and making the object, OnConnection, and
    // the explorer ribbon asked for and drawn.
    double load_ms = 0;
    double connection_ms = 0;
    double ribbon_ms = 0;
    std::shared_ptr<RibbonHost> ribbon;
  };

  std::vector<AddIn> FindAddIns();
  AddIn* Find(const std::string& prog_id);
  const AddIn* Find(const std::string& prog_id) const;
  bool Load(AddIn& add_in);
  HRESULT Report(const std::string& prog_id, const char* call, HRESULT result);
  bool FastShutdown(const AddIn& add_in);
  void Release(AddIn& add_in);

  const OutlookVersion& version_;
  outlook::sim::StandardWorld world_;
  platform::win32::Win32Registry registry_;
  std::unique_ptr<office::sim::SimCommandBarsHost> command_bars_;
  Microsoft::WRL::ComPtr<IDispatch> application_;
  std::vector<AddIn> add_ins_;
  SAFEARRAY* custom_ = nullptr;
  bool started_ = false;
};

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_OUTLOOK_STAND_IN_H_
