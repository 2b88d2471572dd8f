#include "tools/olhost/outlook_stand_in.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "host/framework/module/host_apps.h"
#include "platform/win32/com/iids.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_screen.h"
#include "tools/olhost/outlook_objects.h"
#include "tools/olhost/stand_in_report.h"
#include "tools/olhost/stand_in_windows.h"

namespace quivra::olhost {

namespace {

using Microsoft::WRL::ComPtr;
using platform::RegistryKey;
using platform::RegistryRoot;
using platform::win32::Utf8ToWide;

constexpr char kOutlookClassId[] = "{0006F03A-0000-0000-C000-000000000046}";
constexpr char kAddInsKey[] = "Software\\Microsoft\\Office\\Outlook\\Addins";

// Outlook 2016 and later all report version 16.0: 2016 as an installer-based Office in
// "Office16", Microsoft 365 as a click-to-run Office below "root".
const OutlookVersion kVersions[] = {
    {"2007", 12, "12.0.0.6423", "Office12"},       {"2010", 14, "14.0.0.7015", "Office14"},
    {"2013", 15, "15.0.0.4569", "Office15"},       {"2016", 16, "16.0.0.4266", "Office16"},
    {"365", 16, "16.0.0.17928", "root\\Office16"},
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now;
}

}  // namespace

const OutlookVersion& VersionOf(const std::string& name) {
  for (const OutlookVersion& version : kVersions) {
    if (name == version.name) {
      return version;
    }
  }
  throw std::invalid_argument("Outlook " + name + " is not played");
}

OutlookStandIn::OutlookStandIn(const std::string& name, outlook::sim::Language language)
    : version_(VersionOf(name)), world_(language) {
  world_.outlook.SetVersion(version_.version);
  // Only Outlook 2007 has command bars in its explorers; from 2010 on they have the ribbon.
  if (version_.major < 14) {
    command_bars_ = std::make_unique<office::sim::SimCommandBarsHost>();
  }
  custom_ = ::SafeArrayCreateVector(VT_VARIANT, 0, 0);
  // The explorers are real windows, as the add-in's keyboard hook expects of Outlook's.
  world_.outlook.UseWindows(StandInWindows::ExplorerWindows());
  StandInWindows::SetContentSource(this);
}

OutlookStandIn::~OutlookStandIn() {
  StandInWindows::SetContentSource(nullptr);
  for (AddIn& add_in : add_ins_) {
    Release(add_in);
  }
  application_.Reset();
  if (custom_) {
    ::SafeArrayDestroy(custom_);
  }
}

void OutlookStandIn::Install() {
  const std::string server =
      std::string("C:\\Program Files\\Microsoft Office\\") + version_.folder + "\\OUTLOOK.EXE";
  for (platform::RegistryView view : {platform::RegistryView::k64, platform::RegistryView::k32}) {
    const RegistryKey prog_id{RegistryRoot::kClassesRoot, "Outlook.Application\\CLSID", view};
    registry_.CreateKey(prog_id);
    registry_.WriteString(prog_id, "", kOutlookClassId);
    const RegistryKey cur_ver{RegistryRoot::kClassesRoot, "Outlook.Application\\CurVer", view};
    registry_.CreateKey(cur_ver);
    registry_.WriteString(cur_ver, "",
                          "Outlook.Application." + std::string(version_.version).substr(0, 2));
    const RegistryKey local{RegistryRoot::kClassesRoot,
                            std::string("CLSID\\") + kOutlookClassId + "\\LocalServer32", view};
    registry_.CreateKey(local);
    registry_.WriteString(local, "", server);
  }
  Print(std::string("installed Outlook ") + version_.name + " (" + server + ")");
}

std::vector<OutlookStandIn::AddIn> OutlookStandIn::FindAddIns() {
  // The machine's add-ins first; a user's entry of the same ProgID takes precedence.
  std::vector<AddIn> found;
  for (RegistryRoot root : {RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser}) {
    const RegistryKey add_ins{root, kAddInsKey};
    for (const std::string& prog_id : registry_.SubkeyNames(add_ins)) {
      const RegistryKey key = add_ins.Sub(prog_id);
      const std::optional<std::uint32_t> behavior = registry_.ReadDword(key, "LoadBehavior");
      if (!behavior) {
        continue;
      }
      AddIn* existing = nullptr;
      for (AddIn& add_in : found) {
        if (_stricmp(add_in.prog_id.c_str(), prog_id.c_str()) == 0) {
          existing = &add_in;
        }
      }
      if (!existing) {
        found.push_back({});
        existing = &found.back();
        existing->prog_id = prog_id;
      }
      existing->key = key;
      existing->load_behavior = static_cast<int>(*behavior);
    }
  }
  return found;
}

OutlookStandIn::AddIn* OutlookStandIn::Find(const std::string& prog_id) {
  for (AddIn& add_in : add_ins_) {
    if (_stricmp(add_in.prog_id.c_str(), prog_id.c_str()) == 0) {
      return &add_in;
    }
  }
  return nullptr;
}

const OutlookStandIn::AddIn* OutlookStandIn::Find(const std::string& prog_id) const {
  return const_cast<OutlookStandIn*>(this)->Find(prog_id);
}

HRESULT OutlookStandIn::Report(const std::string& prog_id, const char* call, HRESULT result) {
  Print(prog_id + ": " + call + " -> " + Hex(result));
  return result;
}

bool OutlookStandIn::Load(AddIn& add_in) {
  CLSID class_id;
  ComPtr<IUnknown> object;
  HRESULT result = ::CLSIDFromProgID(Utf8ToWide(add_in.prog_id).c_str(), &class_id);
  if (FAILED(result) && UserClass(add_in.prog_id)) {
    result = CreateUserClassObject(add_in.prog_id, class_id, object.GetAddressOf());
    if (FAILED(result)) {
      Report(add_in.prog_id, "DllGetClassObject (per-user class)", result);
      return false;
    }
  } else if (FAILED(result)) {
    Report(add_in.prog_id, "CLSIDFromProgID", result);
    return false;
  } else {
    result = ::CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(object.GetAddressOf()));
  }
  if (FAILED(result)) {
    Report(add_in.prog_id, "CoCreateInstance", result);
    return false;
  }
  result = object->QueryInterface(quivra::com::IID_IDTExtensibility2,
                                  reinterpret_cast<void**>(add_in.object.GetAddressOf()));
  if (FAILED(result)) {
    Report(add_in.prog_id, "QueryInterface(IDTExtensibility2)", result);
    return false;
  }
  wchar_t guid[40] = {};
  ::StringFromGUID2(class_id, guid, 40);
  add_in.entry = MakeCOMAddInObject(add_in.prog_id, "", platform::win32::WideToUtf8(guid),
                                    refuse_addin_object_);
  return true;
}

void OutlookStandIn::Start() {
  Print(std::string("Outlook ") + version_.name + " (" + version_.version + ") starts");
  CommandBarsOfWindow command_bars_of;
  if (command_bars_) {
    command_bars_of = [bars = command_bars_.get()](std::uintptr_t window) {
      return bars->ForWindow(window);
    };
  }
  application_ = MakeApplicationObject(world_.outlook.application(), std::move(command_bars_of));
  started_ = true;
  add_ins_ = FindAddIns();
  std::vector<LARGE_INTEGER> began(add_ins_.size());
  for (size_t i = 0; i < add_ins_.size(); ++i) {
    AddIn& add_in = add_ins_[i];
    Print("add-in " + add_in.prog_id + " in " + add_in.key.ToString() + ", LoadBehavior " +
          std::to_string(add_in.load_behavior));
    if ((add_in.load_behavior & 3) != 3) {
      continue;
    }
    began[i] = Now();
    if (!Load(add_in)) {
      continue;
    }
    const LARGE_INTEGER loaded = Now();
    add_in.load_ms = Milliseconds(began[i], loaded);
    const HRESULT result = add_in.object->OnConnection(
        application_.Get(), office::com::ext_cm_Startup, add_in.entry.Get(), &custom_);
    add_in.connection_ms = Milliseconds(loaded, Now());
    add_in.connected = SUCCEEDED(Report(add_in.prog_id, "OnConnection(ext_cm_Startup)", result));
    Print(add_in.prog_id + ": COMAddIn.Object " +
          (COMAddInObjectOf(add_in.entry.Get()) ? "set" : "not set"));
  }
  // Outlook 2010 and later ask for the explorer's ribbon as the explorer first shows.
  if (version_.major >= 14) {
    for (AddIn& add_in : add_ins_) {
      ComPtr<office::com::IRibbonExtensibility> ribbon;
      if (!add_in.connected ||
          FAILED(add_in.object->QueryInterface(quivra::com::IID_IRibbonExtensibility,
                                               reinterpret_cast<void**>(ribbon.GetAddressOf())))) {
        continue;
      }
      // The ribbon renders from the customUI text, calling back into the add-in by name.
      add_in.ribbon = std::make_shared<RibbonHost>(add_in.object.Get());
      const LARGE_INTEGER asked = Now();
      const HRESULT result = add_in.ribbon->Load("Microsoft.Outlook.Explorer");
      const LARGE_INTEGER loaded = Now();
      Print(add_in.prog_id + ": GetCustomUI(Microsoft.Outlook.Explorer) -> " + Hex(result) + ", " +
            std::to_string(add_in.ribbon->CustomUI().size()) + " characters");
      if (SUCCEEDED(result)) {
        // The explorer shows the ribbon: Office asks for every value through the callbacks.
        const LARGE_INTEGER drawing = Now();
        add_in.ribbon->Text();
        const double draw_ms = Milliseconds(asked, loaded) + Milliseconds(drawing, Now());
        add_in.ribbon_ms = draw_ms;
        char line[200];
        std::snprintf(line, sizeof line,
                      "%s: first ribbon draw took %.2f ms (GetCustomUI and onLoad %.2f ms, "
                      "%d callbacks)",
                      add_in.prog_id.c_str(), draw_ms, Milliseconds(asked, loaded),
                      add_in.ribbon->CallbackCount());
        Print(line);
      }
    }
  }
  for (AddIn& add_in : add_ins_) {
    if (add_in.connected) {
      Report(add_in.prog_id, "OnAddInsUpdate", add_in.object->OnAddInsUpdate(&custom_));
    }
  }
  for (size_t i = 0; i < add_ins_.size(); ++i) {
    AddIn& add_in = add_ins_[i];
    if (!add_in.connected) {
      continue;
    }
    const LARGE_INTEGER completing = Now();
    const HRESULT completed = add_in.object->OnStartupComplete(&custom_);
    const LARGE_INTEGER done = Now();
    Report(add_in.prog_id, "OnStartupComplete", completed);
    add_in.startup_ms = Milliseconds(began[i], done);
    char line[240];
    std::snprintf(line, sizeof line,
                  "%s: start-up took %.1f ms (library and object %.2f ms, OnConnection %.2f ms, "
                  "ribbon %.2f ms, OnStartupComplete %.2f ms)",
                  add_in.prog_id.c_str(), add_in.startup_ms, add_in.load_ms, add_in.connection_ms,
                  add_in.ribbon_ms, Milliseconds(completing, done));
    Print(line);
  }
  // Outlook's message loop takes over: what the add-ins posted meanwhile (error messages held
  // back during start-up, say) runs now.
  platform::win32::DispatchPendingMessages();
}

RibbonHost* OutlookStandIn::Ribbon(const std::string& prog_id) {
  AddIn* add_in = Find(prog_id);
  return add_in != nullptr && add_in->connected ? add_in->ribbon.get() : nullptr;
}

RibbonHost* OutlookStandIn::LoadedRibbon(const std::string& RibbonID, std::string* prog_id) {
  for (AddIn& add_in : add_ins_) {
    if (!add_in.connected) {
      continue;
    }
    RibbonHost* ribbon = nullptr;
    if (RibbonID == "Microsoft.Outlook.Explorer") {
      ribbon = add_in.ribbon.get();
    } else if (auto found = add_in.inspector_ribbons.find(RibbonID);
               found != add_in.inspector_ribbons.end()) {
      ribbon = found->second.get();
    }
    if (ribbon != nullptr) {
      *prog_id = add_in.prog_id;
      return ribbon;
    }
  }
  return nullptr;
}

void OutlookStandIn::Restart() {
  Quit();
  std::vector<std::string> prog_ids;
  for (const AddIn& add_in : add_ins_) {
    if (LoadedLibrary(add_in.prog_id) != nullptr) {
      prog_ids.push_back(add_in.prog_id);
    }
  }
  // Outlook's process ends: what it loaded goes with it. The stand-in's process goes on, so it
  // frees the libraries that allow it, as COM would for a process that ends.
  ::CoFreeUnusedLibraries();
  for (const std::string& prog_id : prog_ids) {
    Print(prog_id + ": library " + (LoadedLibrary(prog_id) ? "still loaded" : "unloaded"));
  }
  inspectors_.clear();
  Start();
}

bool OutlookStandIn::FastShutdown(const AddIn& add_in) {
  if (version_.major < 14) {
    return false;
  }
  const RegistryKey options{RegistryRoot::kCurrentUser,
                            std::string("Software\\Microsoft\\Office\\") +
                                std::string(version_.version).substr(0, 4) +
                                "\\Outlook\\Options\\Shutdown"};
  if (registry_.ReadDword(options, "AddinFastShutdownBehavior") == 1u) {
    return false;
  }
  return registry_.ReadDword(add_in.key, "RequireShutdownNotification") != 1u;
}

void OutlookStandIn::Release(AddIn& add_in) {
  add_in.ribbon.reset();
  add_in.inspector_ribbons.clear();
  if (add_in.entry) {
    ClearCOMAddInObject(add_in.entry.Get());
  }
  add_in.entry.Reset();
  add_in.object.Reset();
  add_in.connected = false;
}

void OutlookStandIn::Quit() {
  Print("Outlook quits");
  world_.outlook.Quit();
  for (AddIn& add_in : add_ins_) {
    if (!add_in.connected) {
      continue;
    }
    if (FastShutdown(add_in)) {
      Print(add_in.prog_id +
            ": fast shutdown, released without OnBeginShutdown and "
            "OnDisconnection");
    } else {
      Report(add_in.prog_id, "OnBeginShutdown", add_in.object->OnBeginShutdown(&custom_));
      Report(add_in.prog_id, "OnDisconnection(ext_dm_HostShutdown)",
             add_in.object->OnDisconnection(office::com::ext_dm_HostShutdown, &custom_));
    }
    Release(add_in);
  }
  application_.Reset();
  started_ = false;
}

void OutlookStandIn::Disconnect(const std::string& prog_id) {
  AddIn* add_in = Find(prog_id);
  if (!add_in || !add_in->connected) {
    Print(prog_id + ": not connected");
    return;
  }
  Report(prog_id, "OnDisconnection(ext_dm_UserClosed)",
         add_in->object->OnDisconnection(office::com::ext_dm_UserClosed, &custom_));
  Release(*add_in);
  // Outlook remembers the choice: loaded at start-up, not connected.
  try {
    registry_.WriteDword(add_in->key, "LoadBehavior", 2);
    add_in->load_behavior = 2;
  } catch (const std::exception&) {
  }
}

void OutlookStandIn::Connect(const std::string& prog_id) {
  if (!started_) {
    Print("Outlook has not started");
    return;
  }
  AddIn* add_in = Find(prog_id);
  if (!add_in) {
    for (AddIn& found : FindAddIns()) {
      if (_stricmp(found.prog_id.c_str(), prog_id.c_str()) == 0) {
        add_ins_.push_back(found);
        add_in = &add_ins_.back();
      }
    }
  }
  if (!add_in) {
    Print(prog_id + ": no such add-in");
    return;
  }
  if (add_in->connected) {
    Print(prog_id + ": connected already");
    return;
  }
  try {
    registry_.WriteDword(add_in->key, "LoadBehavior", 3);
    add_in->load_behavior = 3;
  } catch (const std::exception&) {
  }
  const LARGE_INTEGER began = Now();
  if (!Load(*add_in)) {
    return;
  }
  const HRESULT result = add_in->object->OnConnection(
      application_.Get(), office::com::ext_cm_AfterStartup, add_in->entry.Get(), &custom_);
  add_in->connected = SUCCEEDED(Report(prog_id, "OnConnection(ext_cm_AfterStartup)", result));
  add_in->startup_ms = Milliseconds(began, Now());
  // Outlook's message loop takes over: what the add-ins posted meanwhile (error messages held
  // back during start-up, say) runs now.
  platform::win32::DispatchPendingMessages();
}

bool OutlookStandIn::Connected(const std::string& prog_id) const {
  const AddIn* add_in = Find(prog_id);
  return add_in && add_in->connected;
}

double OutlookStandIn::StartupMilliseconds(const std::string& prog_id) const {
  const AddIn* add_in = Find(prog_id);
  return add_in ? add_in->startup_ms : 0;
}

}  // namespace quivra::olhost
