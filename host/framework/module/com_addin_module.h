#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_COM_ADDIN_MODULE_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_COM_ADDIN_MODULE_H_

#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/framework/keyboard/shortcut_text.h"
#include "host/framework/module/component.h"
#include "host/framework/module/host_apps.h"
#include "host/office/ribbon.h"
#include "host/outlook/outlook.h"
#include "platform/platform.h"

namespace quivra::framework {

class TCOMAddInModule;

// Event types of the module. Sender is the module.
using TNotifyEvent = std::function<void(TCOMAddInModule& Sender)>;
// Set Handled to keep the framework from showing its error message.
using TOnError = std::function<void(const std::exception& E, bool& Handled)>;
// An explorer window was opened, activated, deactivated, switched folder or view, changed its
// selection or closed.
using TExplorerEvent =
    std::function<void(TCOMAddInModule& Sender, const outlook::ExplorerPtr& Explorer)>;
// The explorer is about to show NewFolder; set Cancel to keep the current folder.
using TBeforeFolderSwitch = std::function<void(TCOMAddInModule& Sender,
                                                  const outlook::ExplorerPtr& Explorer,
                                                  const outlook::MAPIFolderPtr& NewFolder,
                                                  bool& Cancel)>;
// The explorer is about to show the view named NewView; set Cancel to keep the current view.
using TBeforeViewSwitch = std::function<void(TCOMAddInModule& Sender,
                                                const outlook::ExplorerPtr& Explorer,
                                                const std::string& NewView,
                                                bool& Cancel)>;
// A key press no shortcut took; set Handled to keep it from the host.
using TKeyDownEventHandler =
    std::function<void(TCOMAddInModule& Sender, TKeyDownEventArgs& Args)>;
// The host is about to ask for the ribbon RibbonID.
using TRibbonBeforeCreate =
    std::function<void(TCOMAddInModule& Sender, const std::string& RibbonID)>;
// The ribbon description for RibbonID is ready; the handler may change Xml.
using TRibbonBeforeLoad =
    std::function<void(TCOMAddInModule& Sender, const std::string& RibbonID, std::string& Xml)>;

// Office has loaded the add-in's ribbon and handed over its ribbon UI.
using TRibbonLoaded =
    std::function<void(TCOMAddInModule& Sender, const office::RibbonUIPtr& RibbonUI)>;

// The add-in module: the container of the add-in's components (ribbon tabs, command bars,
// keyboard shortcuts, image lists), its published properties and events, and the common report
// of exceptions raised by the add-in's event handlers. A descendant's constructor is its design
// data: it sets the properties, creates the components and binds the handlers.
class TCOMAddInModule {
 public:
  explicit TCOMAddInModule(platform::Platform& platform);
  TCOMAddInModule(const TCOMAddInModule&) = delete;
  TCOMAddInModule& operator=(const TCOMAddInModule&) = delete;
  // Frees the components, last created first.
  virtual ~TCOMAddInModule();

  platform::Platform& Services() const { return platform_; }

  // Published properties.

  // The name Office shows for the add-in; may not be empty.
  const std::string& AddInName() const { return add_in_name_; }
  void SetAddInName(std::string value);
  const std::string& Description() const { return description_; }
  void SetDescription(std::string value) { description_ = std::move(value); }
  int LoadBehavior() const { return load_behavior_; }
  void SetLoadBehavior(int value) { load_behavior_ = value; }
  bool RegisterForAllUsers() const { return register_for_all_users_; }
  void SetRegisterForAllUsers(bool value) { register_for_all_users_ = value; }
  // The hosts the add-in is for; may not be empty.
  THostAppSet SupportedApps() const { return supported_apps_; }
  void SetSupportedApps(THostAppSet value);
  bool DisplayAlerts() const { return display_alerts_; }
  void SetDisplayAlerts(bool value) { display_alerts_ = value; }
  // Whether the framework takes the keyboard shortcuts of the module's shortcut components;
  // creating a shortcut component turns it on.
  bool HandleShortcuts() const { return handle_shortcuts_; }
  void SetHandleShortcuts(bool value) { handle_shortcuts_ = value; }

  // Published events; each is optional.
  TNotifyEvent OnAddInInitialize;
  TNotifyEvent OnAddInStartupComplete;
  TNotifyEvent OnAddInBeginShutdown;
  TNotifyEvent OnAddInFinalize;
  TOnError OnError;
  TExplorerEvent OnOLNewExplorer;
  TExplorerEvent OnOLExplorerActivate;
  TExplorerEvent OnOLExplorerFolderSwitch;
  TExplorerEvent OnOLExplorerViewSwitch;
  TExplorerEvent OnOLExplorerDeactivate;
  TExplorerEvent OnOLExplorerSelectionChange;
  TExplorerEvent OnOLExplorerClose;
  TBeforeFolderSwitch OnOLExplorerBeforeFolderSwitch;
  TBeforeViewSwitch OnOLExplorerBeforeViewSwitch;
  TKeyDownEventHandler OnKeyDown;
  TRibbonBeforeCreate OnRibbonBeforeCreate;
  TRibbonBeforeLoad OnRibbonBeforeLoad;
  TRibbonLoaded OnRibbonLoaded;

  // Components.

  // Creates a component of class T owned by the module, named `name`, or when `name` is empty
  // by its class ("ribbonTab" + the lowest number not taken). Raises std::invalid_argument
  // when the name is taken.
  template <typename T>
  T& CreateComponent(std::string name = {}) {
    name = ComponentName(T::kClassName, std::move(name));
    auto component = std::make_unique<T>(*this);
    T& created = *component;
    component->name_ = std::move(name);
    component->Named();
    components_.push_back(std::move(component));
    return created;
  }

  // The components in creation order.
  const std::vector<std::unique_ptr<TComponent>>& Components() const { return components_; }
  // The component of that name, not regarding case, or null.
  TComponent* FindComponent(std::string_view name) const;
  // The components of class T (or derived from it), in creation order.
  template <typename T>
  std::vector<T*> ComponentsOf() const {
    std::vector<T*> found;
    for (const auto& component : components_) {
      if (auto* typed = dynamic_cast<T*>(component.get()))
        found.push_back(typed);
    }
    return found;
  }

  // Errors.

  // The report of an exception raised by one of the add-in's event handlers: OnError, then,
  // unless it sets Handled, a modal error message naming the add-in and the exception. Never
  // raises; the add-in goes on.
  void ReportError(const std::exception& E) noexcept;

  // While Outlook starts the add-in (OnConnection through OnStartupComplete) it times the
  // start-up and disables add-ins that take too long: the messages of reports made meanwhile
  // are kept, and shown, in order, once Outlook's message loop runs again.
  void DeferErrorMessages();
  void ShowDeferredErrorMessages() noexcept;

  // Calls an event handler of the add-in; an exception it raises goes to ReportError. Tells
  // whether the handler ran to its end.
  template <typename F>
  bool CallHandler(F&& call) noexcept {
    try {
      std::forward<F>(call)();
      return true;
    } catch (const std::exception& error) {
      ReportError(error);
    } catch (...) {
      ReportError(std::runtime_error("Unknown exception."));
    }
    return false;
  }

  // Change notification.

  // Told of every change stored by a setter of a component or control (never of a value set to
  // what it already was); the code that connects the components to Office carries the change
  // there. Unset, changes are only stored.
  std::function<void(const TPropertyChange&)> PropertyChanged;
  void NotifyChanged(const TPropertyChange& change);

 private:
  std::string ComponentName(std::string_view class_name, std::string name) const;

  platform::Platform& platform_;
  std::string add_in_name_;
  std::string description_;
  int load_behavior_ = 3;
  bool register_for_all_users_ = false;
  THostAppSet supported_apps_{TOfficeHostApp::ohaExcel};
  bool display_alerts_ = false;
  bool handle_shortcuts_ = false;
  std::vector<std::unique_ptr<TComponent>> components_;
  bool deferring_errors_ = false;
  std::vector<platform::MessageBoxRequest> deferred_errors_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_COM_ADDIN_MODULE_H_
