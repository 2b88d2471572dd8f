#ifndef QUIVRA_TOOLS_OLHOST_OUTLOOK_STAND_IN_H_
#define QUIVRA_TOOLS_OLHOST_OUTLOOK_STAND_IN_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/office/com/office_interfaces.h"
#include "host/office/sim/sim_command_bars.h"
#include "host/outlook/sim/standard_world.h"
#include "platform/registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_registry.h"
#include "tools/olhost/key_tips.h"
#include "tools/olhost/ribbon_host.h"
#include "tools/olhost/stand_in_windows.h"

namespace quivra::olhost {

// The Outlook versions the stand-in plays.
struct OutlookVersion {
  const char* name;     // "2007", "2010", "2013", "2016", "365"
  int major;            // 12, 14, 15, 16
  const char* version;  // Application.Version
  const char* folder;   // the folder of OUTLOOK.EXE below "Microsoft Office"
};
// The version of that name; raises std::invalid_argument for another name.
const OutlookVersion& VersionOf(const std::string& name);

// Outlook, played over the simulated mailbox: it registers itself as Outlook of its version,
// finds its COM add-ins in the registry as Outlook does, loads them in-process and talks to them
// through IDTExtensibility2 in Outlook's order, and lets a script act as the user. It prints
// what happens, one line per step.
class OutlookStandIn : public ExplorerContentSource {
 public:
  // `language`: the mailbox as an Outlook of that language shows it (see StandardWorld).
  explicit OutlookStandIn(const std::string& name,
                          outlook::sim::Language language = outlook::sim::Language::kEnglish);
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
  // Outlook quits and starts again in the same session: the add-ins are released, their
  // libraries freed when they allow it, and found and loaded again through the registry.
  void Restart();
  // The user opens an item in its own window: an inspector of the ribbon kind RibbonID
  // ("Microsoft.Outlook.Mail.Read"). The first inspector of a kind has Office load that kind's
  // ribbon from every connected add-in.
  void OpenInspector(const std::string& RibbonID);
  // The user closes the inspector opened last; the explorer in front before comes back.
  void CloseInspector();
  // From the next start on, the COMAddIn entries refuse the add-ins' Object.
  void RefuseAddInObject() { refuse_addin_object_ = true; }
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
  // The ribbon RibbonID (the explorer's or an inspector kind's) of the first connected add-in
  // that has it loaded, with that add-in's ProgID; null when none has.
  RibbonHost* LoadedRibbon(const std::string& RibbonID, std::string* prog_id);
  // What an explorer window shows, and a click on one of the add-in's buttons there: its
  // ribbon tab's buttons (from its explorer ribbon) or, on Outlook 2007, its command bar's.
  ExplorerContent ContentOf(std::uintptr_t explorer) override;
  void ClickButton(std::uintptr_t explorer, const std::string& label) override;
  void ClickMessage(std::uintptr_t explorer, int row, bool toggle) override;
  void StartKeyTips(std::uintptr_t explorer) override;
  bool TypeKeyTip(std::uintptr_t explorer, char key) override;

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
    // The inspector ribbons by ribbon id, each loaded when the first inspector of its kind
    // opened and kept while the add-in is connected.
    std::map<std::string, std::shared_ptr<RibbonHost>> inspector_ribbons;
  };
  // The key tips the user walks, over the ribbon of the add-in that shows one.
  std::shared_ptr<RibbonHost> key_tip_ribbon_;
  std::optional<KeyTipWalk> key_tips_;

  std::vector<AddIn> FindAddIns();
  AddIn* Find(const std::string& prog_id);
  const AddIn* Find(const std::string& prog_id) const;
  bool Load(AddIn& add_in);
  HRESULT Report(const std::string& prog_id, const char* call, HRESULT result);
  bool FastShutdown(const AddIn& add_in);
  void Release(AddIn& add_in);
  // The add-in's library as loaded in the process now; null when it is not loaded.
  HMODULE LoadedLibrary(const std::string& prog_id);
  // The class id and in-process server of a ProgID registered for the current user only
  // (HKCU\Software\Classes); nullopt when there is none.
  std::optional<std::pair<CLSID, std::string>> UserClass(const std::string& prog_id);
  // Creates the object of a class registered for the current user only, through its server's
  // DllGetClassObject, as COM does from the merged HKEY_CLASSES_ROOT.
  HRESULT CreateUserClassObject(const std::string& prog_id, CLSID& class_id, IUnknown** object);

  const OutlookVersion& version_;
  outlook::sim::StandardWorld world_;
  platform::win32::Win32Registry registry_;
  // The servers of per-user classes the stand-in loaded itself; freed after every add-in
  // object is released.
  std::vector<platform::win32::UniqueModule> user_class_libraries_;
  std::unique_ptr<office::sim::SimCommandBarsHost> command_bars_;
  Microsoft::WRL::ComPtr<IDispatch> application_;
  std::vector<AddIn> add_ins_;
  SAFEARRAY* custom_ = nullptr;
  bool started_ = false;
  bool refuse_addin_object_ = false;
  // The inspectors open, by ribbon id, with the window of the explorer in front before each.
  std::vector<std::pair<std::string, std::uintptr_t>> inspectors_;
};

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_OUTLOOK_STAND_IN_H_
