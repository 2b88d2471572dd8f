#include "host/framework/module/addin.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <stdexcept>
#include <utility>

#include "host/framework/module/addin_tracked_explorer.h"
#include "host/framework/module/start_mode_marker.h"

namespace quivra::framework {

namespace {

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

TAddin::TAddin(platform::Platform& platform, std::string prog_id, ModuleFactory create_module)
    : platform_(platform),
      prog_id_(std::move(prog_id)),
      create_module_(std::move(create_module)),
      add_in_key_{platform::RegistryRoot::kCurrentUser,
                  AddInKeyPath(TOfficeHostApp::ohaOutlook, prog_id_)} {}

TAddin::~TAddin() {
  // A host that releases the object without disconnecting it: the module goes all the same.
  ReleaseConnections();
  closed_explorers_.clear();
  module_.reset();
}

void TAddin::OnConnection(outlook::ApplicationPtr Application,
                             int ConnectMode,
                             office::COMAddInPtr AddInInst,
                             office::AddInObjectPtr self) {
  closed_explorers_.clear();
  if (module_) {
    // Connected again without a disconnection: the old connection ends first.
    ReleaseConnections();
    module_.reset();
  }
  quit_shutdown_ = false;
  ribbon_host_ = false;
  startup_count_ = 0;
  activate_pending_ = false;
  ribbon_.reset();
  module_ = create_module_(Application);
  if (!module_) {
    throw std::runtime_error("The add-in module could not be created.");
  }
  // Outlook times the start-up: error messages wait until OnStartupComplete has returned.
  module_->DeferErrorMessages();
  host_app_ = std::move(Application);
  if (ConnectMode != ext_cm_Startup) {
    // Connected while Outlook runs (the COM add-ins dialog): no OnStartupComplete will come.
    OnStartupComplete();
  }
  if (AddInInst) {
    com_add_in_ = std::move(AddInInst);
    // Only other programs reach the add-in through COMAddIn.Object; Office disables an add-in
    // whose OnConnection fails, so a refusal is only logged.
    try {
      com_add_in_->SetObject(self);
    } catch (const std::exception& error) {
      DebugOutput(std::string("COMAddIn.Object could not be set: ") + error.what());
    }
  }
}

void TAddin::DebugOutput(const std::string& line) const noexcept {
  try {
    if (command_bars_host_.DebugOutput)
      command_bars_host_.DebugOutput(line);
  } catch (...) {
  }
}

void TAddin::OnStartupComplete() {
  closed_explorers_.clear();
  if (++startup_count_ > 1 || !module_) {
    return;
  }
  // However start-up ends, its error messages are shown once Outlook's message loop runs again.
  struct ShowDeferredErrors {
    TAddin& addin;
    ~ShowDeferredErrors() {
      if (addin.module_)
        addin.module_->ShowDeferredErrorMessages();
    }
  } show_deferred_errors{*this};
  // A ribbon Office drew before start-up completes hears of the placed buttons once each, when
  // start-up ends (before any error message is shown).
  std::optional<TRibbonConnection::InvalidationHold> hold_invalidations;
  if (ribbon_) {
    hold_invalidations.emplace(*ribbon_);
  }
  // The host: only Outlook's application answers to _Application.
  host_is_outlook_ = host_app_ != nullptr;
  if (host_is_outlook_) {
    host_major_version_ = MajorVersionOf(host_app_->Version());
    ribbon_host_ = ribbon_host_ || host_major_version_ > 11;
  }
  ReadStartState();

  Raise([](TCOMAddInModule& module) {
    if (module.OnAddInInitialize) {
      module.OnAddInInitialize(module);
    }
  });
  // The explorer command bars: saved positions restored now, the bars found or created in each
  // explorer as it is tracked and activated below.
  if (host_is_outlook_ && command_bars_host_.CommandBarsOf) {
    command_bars_ = std::make_unique<TCommandBarConnection>(*module_, platform_.registry,
                                                               add_in_key_, command_bars_host_);
    command_bars_->RestorePositions();
  }
  Raise([](TCOMAddInModule& module) {
    if (module.OnAddInStartupComplete) {
      module.OnAddInStartupComplete(module);
    }
  });
  if (start_state_ == TStartMode::FirstStart) {
    platform_.registry.WriteString(add_in_key_, kStartModeValueName, "NORMAL");
  }
  if (!host_is_outlook_) {
    return;
  }
  explorers_ = host_app_->Explorers();
  explorers_connection_ = Require(explorers_).Advise(*this);
  const int count = explorers_->Count();
  for (int index = 1; index <= count; ++index) {
    TrackExplorer(explorers_->Item(index), true);
  }
  if (FastShutdownApplies()) {
    quit_connection_ = host_app_->Advise(*this);
  }
  if (module_->HandleShortcuts()) {
    InstallKeyboardHook();
  }
}

void TAddin::InstallKeyboardHook() {
  RemoveKeyboardHook();
  if (!keyboard_hook_installer_) {
    return;
  }
  keyboard_hook_logic_ = std::make_unique<TKeyboardHookLogic>(*module_, host_app_);
  keyboard_hook_logic_->IsExplorerWindow = [this](std::uintptr_t window) {
    return FindExplorerWindow(window);
  };
  // A ribbon Outlook shows only the bars made for it: the others' shortcuts and caption
  // accelerators would swallow keys with nothing to act on.
  keyboard_hook_logic_->BarInUse = [this](const TOlExplorerCommandBar& bar) {
    return command_bars_ != nullptr && (!ribbon_host_ || bar.UseForRibbon());
  };
  if (command_bars_) {
    // A button is clicked through its shortcut only when its control in Office answers (its
    // Enabled is read and written back) and is enabled.
    keyboard_hook_logic_->OfficeButtonCheck = [this](TCommandBarButton& button) {
      const office::CommandBarControlPtr control =
          command_bars_ ? command_bars_->OfficeControl(button) : nullptr;
      if (!control) {
        return false;
      }
      const bool enabled = control->GetBool("Enabled");
      control->Put("Enabled", enabled);
      return enabled;
    };
  }
  try {
    keyboard_hook_ = keyboard_hook_installer_(*keyboard_hook_logic_);
  } catch (const std::exception& error) {
    // Outlook goes on without the add-in's shortcuts; its buttons still work.
    keyboard_hook_logic_.reset();
    module_->ReportError(error);
  }
}

void TAddin::RemoveKeyboardHook() noexcept {
  keyboard_hook_.reset();
  keyboard_hook_logic_.reset();
}

void TAddin::ReadStartState() {
  // A key that cannot be made or read leaves the first start. The key is made only when no
  // marker reads: a marker shows it is there, and every later start saves two requests.
  start_state_ = TStartMode::FirstStart;
  std::optional<std::string> mode = platform_.registry.ReadString(add_in_key_, kStartModeValueName);
  if (!mode) {
    mode = AdoptEarlierStartMode();
  }
  if (!mode) {
    try {
      platform_.registry.CreateKey(add_in_key_);
    } catch (const std::exception&) {
      // Not made: the first start all the same.
    }
    return;
  }
  const std::string upper = UpperCase(*mode);
  if (upper == "UNINSTALL") {
    start_state_ = TStartMode::Uninstall;
  } else if (upper == "NORMAL") {
    start_state_ = TStartMode::Normal;
  }
}

std::optional<std::string> TAddin::AdoptEarlierStartMode() {
  // An upgrade from a build that wrote the marker under its earlier name keeps its start state:
  // the value moves to the current name, and the old one goes only once the new one is written.
  std::optional<std::string> mode =
      platform_.registry.ReadString(add_in_key_, kEarlierStartModeValueName);
  if (!mode) {
    return std::nullopt;
  }
  try {
    platform_.registry.WriteString(add_in_key_, kStartModeValueName, *mode);
    platform_.registry.DeleteValue(add_in_key_, kEarlierStartModeValueName);
  } catch (const std::exception&) {
    // Not moved: the earlier value still holds the state, and the next start tries again.
  }
  return mode;
}

bool TAddin::FastShutdownApplies() {
  if (!host_is_outlook_ || host_major_version_ <= 13) {
    return false;
  }
  const platform::RegistryKey outlook_options{platform::RegistryRoot::kCurrentUser,
                                              "Software\\Microsoft\\Office\\" +
                                                  std::to_string(host_major_version_) +
                                                  ".0\\Outlook\\Options\\Shutdown"};
  if (platform_.registry.ReadDword(outlook_options, "AddinFastShutdownBehavior") == 1u) {
    return false;
  }
  platform::RegistryKey registered = add_in_key_;
  if (module_ && module_->RegisterForAllUsers()) {
    registered.root = platform::RegistryRoot::kLocalMachine;
  }
  return platform_.registry.ReadDword(registered, "RequireShutdownNotification") != 1u;
}

void TAddin::Quit() {
  Handle([this] {
    quit_shutdown_ = true;
    OnBeginShutdown();
    OnDisconnection(ext_dm_HostShutdown);
  });
}

void TAddin::OnBeginShutdown() {
  if (quit_shutdown_) {
    return;
  }
  Raise([](TCOMAddInModule& module) {
    if (module.OnAddInBeginShutdown) {
      module.OnAddInBeginShutdown(module);
    }
  });
}

void TAddin::OnDisconnection(int RemoveMode) {
  if (!module_) {
    return;
  }
  if (RemoveMode != ext_dm_HostShutdown) {
    // The user unloads the add-in while Outlook keeps running: its command bars and their
    // saved state go with it.
    OnBeginShutdown();
    if (command_bars_) {
      command_bars_->Remove();
    }
    for (const char* subkey : {"CommandBars", "Controls"}) {
      try {
        platform_.registry.DeleteKey(add_in_key_.Sub(subkey));
      } catch (const std::exception&) {
        // What cannot be deleted stays; the next registration removes it.
      }
    }
  }
  if (!quit_shutdown_) {
    Raise([](TCOMAddInModule& module) {
      if (module.OnAddInFinalize) {
        module.OnAddInFinalize(module);
      }
    });
  }
  ReleaseConnections();
  module_.reset();
  ribbon_.reset();
  host_app_.reset();
  com_add_in_.reset();
}

void TAddin::ReleaseConnections() {
  // The hook goes first: no key press may reach a module that is about to go.
  RemoveKeyboardHook();
  command_bars_.reset();
  quit_connection_.reset();
  explorers_connection_.reset();
  explorers_.reset();
  for (auto& tracked : tracked_explorers_) {
    tracked->Disconnect();
    // An explorer event may be running (Quit from inside a handler): keep the object until then.
    closed_explorers_.push_back(std::move(tracked));
  }
  tracked_explorers_.clear();
}

std::string TAddin::GetCustomUI(const std::string& RibbonID) {
  ribbon_host_ = true;
  std::string xml;
  Raise([&](TCOMAddInModule& module) {
    if (module.OnRibbonBeforeCreate) {
      module.OnRibbonBeforeCreate(module, RibbonID);
    }
  });
  if (TRibbonConnection* ribbon = Ribbon()) {
    xml = ribbon->GetCustomUI(RibbonID, RibbonHostVersion());
  }
  Raise([&](TCOMAddInModule& module) {
    if (module.OnRibbonBeforeLoad) {
      module.OnRibbonBeforeLoad(module, RibbonID, xml);
    }
  });
  return xml;
}

}  // namespace quivra::framework
