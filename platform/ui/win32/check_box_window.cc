#include "platform/ui/win32/check_box_window.h"

#include <windows.h>

namespace quivra::ui::win32 {

CheckBoxWindow::CheckBoxWindow(CheckBox& box, ControlHost& host)
    : ControlWindow(box, host), box_(box) {}

ControlWindow::WindowKind CheckBoxWindow::Describe() {
  return {.window_class = L"BUTTON", .style = kChildStyle | WS_TABSTOP | BS_NOTIFY | BS_CHECKBOX};
}

void CheckBoxWindow::SyncContent(bool first) {
  const bool checked = box_.Checked();
  if (first || checked != checked_) {
    ::SendMessageW(window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    checked_ = checked;
  }
}

void CheckBoxWindow::OnCommand(int code) {
  // A quick second click arrives as a double-click: it toggles too.
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
    DispatchClick(box_);
  }
}

}  // namespace quivra::ui::win32
