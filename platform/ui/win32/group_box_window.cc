#include "platform/ui/win32/group_box_window.h"

#include <windows.h>

namespace quivra::ui::win32 {

GroupBoxWindow::GroupBoxWindow(GroupBox& box, ControlHost& host) : ControlWindow(box, host) {}

ControlWindow::WindowKind GroupBoxWindow::Describe() {
  // Not clipped by its siblings, which it frames.
  return {.window_class = L"BUTTON",
          .style = WS_CHILD | BS_GROUPBOX | WS_CLIPCHILDREN,
          .ex_style = WS_EX_CONTROLPARENT,
          .own_messages = true};
}

std::optional<LRESULT> GroupBoxWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ERASEBKGND) {
    // The form does not draw below its controls, so a group box fills its own background.
    RECT client{};
    ::GetClientRect(window(), &client);
    ::FillRect(reinterpret_cast<HDC>(wparam), &client, host().Background());
    return TRUE;
  }
  return ReportToForm(message, wparam, lparam);
}

}  // namespace quivra::ui::win32
