#include "platform/ui/win32/panel_window.h"

#include <windows.h>

namespace quivra::ui::win32 {

PanelWindow::PanelWindow(Panel& panel, ControlHost& host) : ControlWindow(panel, host) {}

ControlWindow::WindowKind PanelWindow::Describe() {
  return {.window_class = kWindowClass,
          .style = kChildStyle | WS_CLIPCHILDREN,
          .ex_style = WS_EX_CONTROLPARENT,
          .own_messages = true};
}

std::optional<LRESULT> PanelWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return ReportToForm(message, wparam, lparam);
}

}  // namespace quivra::ui::win32
