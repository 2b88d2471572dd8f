#ifndef QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_CONNECTION_H_
#define QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_CONNECTION_H_

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/command_bars/command_bar_controls.h"
#include "host/framework/command_bars/command_bar_positions.h"
#include "host/framework/module/com_addin_module.h"
#include "host/office/command_bars.h"
#include "host/outlook/outlook.h"
#include "platform/registry.h"

namespace quivra::framework {

// What the connection needs of Office beyond the add-in interfaces.
struct TCommandBarsHost {
  // The CommandBars of an explorer window; none when the window has none.
  std::function<office::CommandBarsPtr(const outlook::ExplorerPtr&)> CommandBarsOf;
  // One line to the debugger's output; unset, the line is dropped.
  std::function<void(const std::string&)> DebugOutput;
};

// Connects the module's explorer command bars to Office, explorer window by explorer window:
// finds or creates each bar and its controls in a window when it is activated, keeps every
// component connected to the Office objects of the most recently activated window, turns
// Office's Click events into the buttons' OnClick, carries property changes of the controls to
// their Office controls in every open window (so that all windows show the same state) and
// changes of a bar to the bar of the active window, and saves the bars' positions under the
// add-in key when a window closes.
//
// Failures of Office calls made for a property change go to the module's ReportError and leave
// the stored value; failures inside a window that is closing are dropped with the window.
class TCommandBarConnection {
 public:
  // `add_in_key` is the add-in's key under HKEY_CURRENT_USER. Hooks itself into the module's
  // PropertyChanged (after any hook set before) for as long as it lives.
  TCommandBarConnection(TCOMAddInModule& module,
                           platform::Registry& registry,
                           platform::RegistryKey add_in_key,
                           TCommandBarsHost host);
  ~TCommandBarConnection();
  TCommandBarConnection(const TCommandBarConnection&) = delete;
  TCommandBarConnection& operator=(const TCommandBarConnection&) = delete;

  // At start-up, before any bar is created: the saved positions become the bars' properties.
  void RestorePositions();
  // An explorer window was activated (or found at start-up): its bars are found or created and
  // the components connected to them. `ribbon_host`: the host shows a ribbon.
  void Activate(const outlook::ExplorerPtr& explorer, bool ribbon_host);
  // The explorer shows another folder: its bars are enabled and shown by the folder's item type.
  void FolderSwitch(const outlook::ExplorerPtr& explorer);
  // The explorer window with that handle (the one recorded when the explorer was first tracked;
  // a closing explorer is not asked again) closes: the positions of its bars are saved and its
  // objects dropped.
  void Close(std::uintptr_t window_handle);
  // The add-in is unloaded by the user: the bars and their controls leave the active window.
  void Remove();

  // The Office objects a component or control is connected to now; none when not connected.
  office::CommandBarPtr OfficeBar(const TOlExplorerCommandBar& bar) const;
  office::CommandBarControlPtr OfficeControl(const TCommandBarControl& control) const;
  // The windows whose bars are known.
  int WindowCount() const { return static_cast<int>(windows_.size()); }

  // A property change stored by a component or control (the module's PropertyChanged).
  void Carry(const TPropertyChange& change);

 private:
  class ButtonSink;
  struct Window {
    std::uintptr_t handle = 0;
    office::CommandBarsPtr bars;
    std::map<const TOlExplorerCommandBar*, office::CommandBarPtr> bar;
    std::map<const TCommandBarControl*, office::CommandBarControlPtr> controls;
  };

  Window* FindWindow(std::uintptr_t handle);
  office::CommandBarPtr FindBar(office::CommandBars& bars, const std::string& name);
  void CreateBar(Window& window, TOlExplorerCommandBar& bar);
  void ReconnectBar(Window& window,
                    TOlExplorerCommandBar& bar,
                    const office::CommandBarPtr& office_bar);
  void ApplyBarProperties(office::CommandBar& office_bar, const TOlExplorerCommandBar& bar);
  void CreateControls(Window& window,
                      TCommandBarControls& items,
                      office::CommandBarControls& parent);
  void CreateControl(Window& window,
                     TCommandBarControl& item,
                     office::CommandBarControls& parent);
  void ReconnectControls(Window& window, TCommandBarControls& items, office::CommandBar* bar);
  office::CommandBarControlPtr FindControl(Window& window,
                                           const TCommandBarControl& item,
                                           office::CommandBar* bar);
  // `added`: Office has just made the control, so it holds the values of a new one.
  void ApplyControlProperties(office::CommandBarControl& control,
                              const TCommandBarControl& item,
                              bool added);
  void ApplyGlyph(office::CommandBarControl& control, const TCommandBarButton& button);
  void ConnectItem(Window& window,
                   TCommandBarControl& item,
                   const office::CommandBarControlPtr& control);
  void ConnectButton(TCommandBarButton& button, const office::CommandBarControlPtr& control);
  void ApplyFolderRule(Window& window, const outlook::ExplorerPtr& explorer);
  void CarryToControl(office::CommandBarControl& control,
                      const TCommandBarControl& item,
                      TProperty property);
  void CarryToBar(office::CommandBar& office_bar,
                  const TOlExplorerCommandBar& bar,
                  TProperty property);
  void Click(ButtonSink& sink, const office::CommandBarControlPtr& ctrl);

  TCOMAddInModule& module_;
  TCommandBarPositions positions_;
  TCommandBarsHost host_;
  // Alive as long as the connection; the module's hook holds it weakly.
  std::shared_ptr<TCommandBarConnection*> self_;

  std::vector<std::unique_ptr<Window>> windows_;
  // The window of the most recent activation, whose bars the components are connected to.
  Window* active_ = nullptr;
  // Where changes of a bar's own properties go; the active window unless a folder switch of
  // another window runs.
  Window* bar_target_ = nullptr;
  // The Office button each button item listens on now, and its click sink (ButtonSinks).
  std::map<const TCommandBarControl*, office::CommandBarControlPtr> office_controls_;
  std::map<const TCommandBarButton*, std::unique_ptr<ButtonSink>> button_sinks_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_CONNECTION_H_
