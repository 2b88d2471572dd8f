#include "platform/ui/win32/button_window.h"

#include <windows.h>

namespace quivra::ui::win32 {

ButtonWindow::ButtonWindow(Button& button, ControlHost& host)
    : ControlWindow(button, host), button_(button) {}

ControlWindow::WindowKind ButtonWindow::Describe() {
  return {.window_class = L"BUTTON",
          .style = kChildStyle | WS_TABSTOP | BS_NOTIFY |
                   (button_.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
}

void ButtonWindow::OnCommand(int code) {
  // A quick second click arrives as a double-click: it clicks too.
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
    DispatchClick(button_);
  }
}

}  // namespace quivra::ui::win32
