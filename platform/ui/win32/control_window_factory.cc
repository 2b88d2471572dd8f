#include "platform/ui/win32/control_window_factory.h"

#include <windows.h>

#include "platform/ui/win32/button_window.h"
#include "platform/ui/win32/check_box_window.h"
#include "platform/ui/win32/edit_window.h"
#include "platform/ui/win32/group_box_window.h"
#include "platform/ui/win32/html_label_window.h"
#include "platform/ui/win32/image_window.h"
#include "platform/ui/win32/label_window.h"
#include "platform/ui/win32/list_view_window.h"
#include "platform/ui/win32/panel_window.h"
#include "platform/ui/win32/tree_view_window.h"

namespace quivra::ui::win32 {

namespace {

// A kind of control and the window it is shown in. A window in a class of this module names
// it as its kWindowClass.
template <typename Model, typename View>
struct Kind {
  static std::unique_ptr<ControlWindow> Make(Control& control, ControlHost& host) {
    auto* model = dynamic_cast<Model*>(&control);
    return model != nullptr ? std::make_unique<View>(*model, host) : nullptr;
  }
  static void Register(const WNDCLASSEXW& model) {
    if constexpr (requires { View::kWindowClass; }) {
      // The window's own messages go through its OnMessage; the rest are the default's.
      WNDCLASSEXW own = model;
      own.lpfnWndProc = ::DefWindowProcW;
      own.lpszClassName = View::kWindowClass;
      ::RegisterClassExW(&own);
    }
  }
  static void Unregister(HINSTANCE module) {
    if constexpr (requires { View::kWindowClass; }) {
      ::UnregisterClassW(View::kWindowClass, module);
    }
  }
};

template <typename... Kinds>
struct KindList {
  // The window of the first kind the control is of.
  static std::unique_ptr<ControlWindow> Make(Control& control, ControlHost& host) {
    std::unique_ptr<ControlWindow> made;
    static_cast<void>(((made = Kinds::Make(control, host)) || ...));
    return made;
  }
  static void Register(const WNDCLASSEXW& model) { (Kinds::Register(model), ...); }
  static void Unregister(HINSTANCE module) { (Kinds::Unregister(module), ...); }
};

// Every kind of control, tried in this order; the last takes any control.
using ControlKinds = KindList<Kind<CheckBox, CheckBoxWindow>,
                              Kind<Button, ButtonWindow>,
                              Kind<Edit, EditWindow>,
                              Kind<HtmlLabel, HtmlLabelWindow>,
                              Kind<TreeView, TreeViewWindow>,
                              Kind<ListView, ListViewWindow>,
                              Kind<GroupBox, GroupBoxWindow>,
                              Kind<Panel, PanelWindow>,
                              Kind<Image, ImageWindow>,
                              Kind<Control, LabelWindow>>;

}  // namespace

std::unique_ptr<ControlWindow> MakeControlWindow(Control& control, ControlHost& host) {
  return ControlKinds::Make(control, host);
}

void RegisterControlWindowClasses(const WNDCLASSEXW& model) {
  ControlKinds::Register(model);
}

void UnregisterControlWindowClasses(HINSTANCE module) {
  ControlKinds::Unregister(module);
}

}  // namespace quivra::ui::win32
