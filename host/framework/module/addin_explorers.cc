// The add-in object's tracking of Outlook's explorer windows: each explorer's event connection,
// the handle of its window, and the module's explorer events in the order Outlook's versions
// raise theirs.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

#include "host/framework/module/addin.h"
#include "host/framework/module/addin_tracked_explorer.h"

namespace quivra::framework {

namespace {

// Set while an explorer's activation work runs: an activation it causes (a dialog shown by a
// handler, message pumping) is ignored. One flag for the whole process, as there is one
// user-interface thread.
bool InActivateHandler = false;

}  // namespace

bool TAddin::IsTrackedExplorerWindow(std::uintptr_t window) const {
  return window != 0 && std::any_of(tracked_explorers_.begin(), tracked_explorers_.end(),
                                    [&](const auto& tracked) { return tracked->window() == window; });
}

bool TAddin::FindExplorerWindow(std::uintptr_t window) {
  if (window == 0 || IsTrackedExplorerWindow(window)) {
    return window != 0;
  }
  // An explorer whose window was not there when it was reported or activated: asked again.
  for (const auto& tracked : tracked_explorers_) {
    if (tracked->window() == 0 && tracked->ReadWindow() == window) {
      return true;
    }
  }
  return false;
}

void TAddin::NewExplorer(const outlook::ExplorerPtr& Explorer) {
  Handle([&] { TrackExplorer(Explorer, false); });
}

void TAddin::TrackExplorer(const outlook::ExplorerPtr& explorer, bool at_startup) {
  closed_explorers_.clear();
  if (!explorer || !module_) {
    return;
  }
  // Outlook reports a new explorer "after the new Explorer object is created but before the
  // explorer window appears" ("Explorers.NewExplorer event (Outlook)",
  // https://learn.microsoft.com/en-us/office/vba/api/outlook.explorers.newexplorer): its window
  // is asked for here only to know an explorer reported again, and a window that is not there
  // yet is no error; it is read when the explorer is activated.
  auto tracked = std::make_unique<TrackedExplorer>(*this, explorer, 0);
  if (const std::uintptr_t window = tracked->ReadWindow(); IsTrackedExplorerWindow(window)) {
    return;
  }
  tracked->Connect();
  TrackedExplorer& added = *tracked;
  tracked_explorers_.push_back(std::move(tracked));
  Raise([&](TCOMAddInModule& module) {
    if (module.OnOLNewExplorer) {
      module.OnOLNewExplorer(module, explorer);
    }
  });
  if (at_startup) {
    ExplorerActivation(added);
    return;
  }
  // A new window shows its folder before it is activated; its activation work waits for that
  // first folder switch. Outlook 2007 raises none: there the work is done, with the folder
  // switch, when the window is first activated.
  if (host_major_version_ == 12) {
    added.switch_at_activation = true;
  } else {
    activate_pending_ = true;
  }
}

bool TAddin::DropIfTrackedTwice(TrackedExplorer& tracked) {
  const std::uintptr_t window = tracked.window();
  const bool twice =
      window != 0 && std::any_of(tracked_explorers_.begin(), tracked_explorers_.end(),
                                 [&](const auto& other) {
                                   return other.get() != &tracked && other->window() == window;
                                 });
  if (!twice) {
    return false;
  }
  // Reported again before its window was there: the earlier connection stays.
  StopTracking(tracked);
  return true;
}

void TAddin::ExplorerActivated(TrackedExplorer& tracked) {
  tracked.ReadWindow();
  if (DropIfTrackedTwice(tracked)) {
    return;
  }
  ExplorerActivation(tracked);
  if (tracked.switch_at_activation) {
    tracked.switch_at_activation = false;
    ExplorerFolderSwitch(tracked);
  }
}

void TAddin::ExplorerActivation(TrackedExplorer& tracked) {
  if (InActivateHandler) {
    return;
  }
  InActivateHandler = true;
  struct Reset {
    ~Reset() { InActivateHandler = false; }
  } reset;
  // The explorer's command bars become the active ones: the module's explorer command bars are
  // found or created there and connected to them. They belong to its window: without one yet,
  // they wait for an activation that finds it.
  if (command_bars_ && tracked.window() != 0) {
    command_bars_->Activate(tracked.explorer(), ribbon_host_);
  }
  Raise([&](TCOMAddInModule& module) {
    if (module.OnOLExplorerActivate) {
      module.OnOLExplorerActivate(module, tracked.explorer());
    }
  });
}

void TAddin::ExplorerFolderSwitch(TrackedExplorer& tracked) {
  if (activate_pending_) {
    tracked.ReadWindow();
    ExplorerActivation(tracked);
    activate_pending_ = false;
  }
  if (command_bars_) {
    command_bars_->FolderSwitch(tracked.explorer());
  }
  Raise([&](TCOMAddInModule& module) {
    if (module.OnOLExplorerFolderSwitch) {
      module.OnOLExplorerFolderSwitch(module, tracked.explorer());
    }
  });
}

void TAddin::ExplorerClose(TrackedExplorer& tracked) {
  Raise([&](TCOMAddInModule& module) {
    if (module.OnOLExplorerClose) {
      module.OnOLExplorerClose(module, tracked.explorer());
    }
  });
  if (command_bars_ && tracked.window() != 0) {
    command_bars_->Close(tracked.window());
  }
  StopTracking(tracked);
}

void TAddin::StopTracking(TrackedExplorer& tracked) {
  auto found = std::find_if(tracked_explorers_.begin(), tracked_explorers_.end(),
                            [&](const auto& entry) { return entry.get() == &tracked; });
  if (found != tracked_explorers_.end()) {
    // One of its events is still running: the connection ends now, the object a little later.
    (*found)->Disconnect();
    closed_explorers_.push_back(std::move(*found));
    tracked_explorers_.erase(found);
  }
}

}  // namespace quivra::framework
