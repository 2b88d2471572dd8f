#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_ADDIN_TRACKED_EXPLORER_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_ADDIN_TRACKED_EXPLORER_H_

// The add-in object's own parts shared by its files: how it runs the framework's work for an
// Outlook event and raises the module's events, and one tracked explorer window.

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <utility>

#include "host/framework/module/addin.h"

namespace quivra::framework {

template <typename F>
void TAddin::Raise(F&& raise) {
  if (TCOMAddInModule* module = module_.get()) {
    module->CallHandler([&] { raise(*module); });
  }
}

template <typename F>
void TAddin::Handle(F&& work) noexcept {
  try {
    work();
  } catch (const std::exception& error) {
    if (module_) {
      module_->ReportError(error);
    }
  } catch (...) {
    if (module_) {
      module_->ReportError(std::runtime_error("Unknown exception."));
    }
  }
}

// One tracked explorer: its event connection, whose events go to the add-in, and the handle of
// its top-level window once it is known. Outlook reports a new explorer before its window
// exists, so the handle is read when the explorer is activated (and, until it is known, when a
// key press asks whether a window is an explorer's).
class TAddin::TrackedExplorer : public outlook::ExplorerEvents {
 public:
  TrackedExplorer(TAddin& addin, outlook::ExplorerPtr explorer, std::uintptr_t window)
      : addin_(addin), explorer_(std::move(explorer)), window_(window) {}

  void Connect() { connection_ = explorer_->Advise(*this); }

  const outlook::ExplorerPtr& explorer() const { return explorer_; }
  // 0 while the window is not known.
  std::uintptr_t window() const { return window_; }
  // Asks Outlook for the window; a window that cannot be read yet leaves the handle known
  // before (0 at first). Never raises.
  std::uintptr_t ReadWindow() noexcept {
    try {
      if (const std::uintptr_t handle = explorer_->WindowHandle()) {
        window_ = handle;
      }
    } catch (...) {
      // No window yet: asked again at the next activation.
    }
    return window_;
  }

  void Activate() override {
    addin_.Handle([this] { addin_.ExplorerActivated(*this); });
  }
  void FolderSwitch() override {
    addin_.Handle([this] { addin_.ExplorerFolderSwitch(*this); });
  }
  void BeforeFolderSwitch(const outlook::MAPIFolderPtr& NewFolder, bool& Cancel) override {
    addin_.Handle([&] {
      addin_.Raise([&](TCOMAddInModule& module) {
        if (module.OnOLExplorerBeforeFolderSwitch) {
          module.OnOLExplorerBeforeFolderSwitch(module, explorer_, NewFolder, Cancel);
        }
      });
    });
  }
  void ViewSwitch() override { RaiseExplorerEvent(&TCOMAddInModule::OnOLExplorerViewSwitch); }
  void BeforeViewSwitch(const std::string& NewView, bool& Cancel) override {
    addin_.Handle([&] {
      addin_.Raise([&](TCOMAddInModule& module) {
        if (module.OnOLExplorerBeforeViewSwitch) {
          module.OnOLExplorerBeforeViewSwitch(module, explorer_, NewView, Cancel);
        }
      });
    });
  }
  void Deactivate() override { RaiseExplorerEvent(&TCOMAddInModule::OnOLExplorerDeactivate); }
  void SelectionChange() override {
    RaiseExplorerEvent(&TCOMAddInModule::OnOLExplorerSelectionChange);
  }
  void Close() override {
    addin_.Handle([this] { addin_.ExplorerClose(*this); });
  }

  void Disconnect() { connection_.reset(); }

  // Outlook 2007 raises no folder switch for a new window: its first activation brings one.
  bool switch_at_activation = false;

 private:
  void RaiseExplorerEvent(TExplorerEvent TCOMAddInModule::*event) {
    addin_.Handle([&] {
      addin_.Raise([&](TCOMAddInModule& module) {
        if (module.*event) {
          (module.*event)(module, explorer_);
        }
      });
    });
  }

  TAddin& addin_;
  outlook::ExplorerPtr explorer_;
  std::uintptr_t window_;
  outlook::EventConnectionPtr connection_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_ADDIN_TRACKED_EXPLORER_H_
