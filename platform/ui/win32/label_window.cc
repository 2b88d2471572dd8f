#include "platform/ui/win32/label_window.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/ui/static_controls.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

namespace {

// A label that leads to a field shows its access key underlined and moves the focus on when
// the key is pressed; any other shows its text as it is, an ampersand of a folder name too
// (SS_NOPREFIX: https://learn.microsoft.com/en-us/windows/win32/controls/static-control-styles).
bool LeadsToField(const Control& control) {
  const auto* label = dynamic_cast<const Label*>(&control);
  return label != nullptr && label->FocusControl() != nullptr;
}

}  // namespace

LabelWindow::LabelWindow(Control& label, ControlHost& host) : ControlWindow(label, host) {}

ControlWindow::WindowKind LabelWindow::Describe() {
  return {.style = kChildStyle | SS_LEFTNOWORDWRAP |
                   (LeadsToField(control()) ? 0 : static_cast<DWORD>(SS_NOPREFIX))};
}

Rect LabelWindow::Placement() {
  const Control& label = control();
  Rect bounds = host().Fonts().Scale(label.BoundsRect());
  if (label.Caption().empty()) {
    return bounds;
  }
  const std::wstring text = platform::win32::Utf8ToWide(label.Caption());
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  Selected chosen(dc.get(), host().Fonts().Get(label.GetFont()));
  // Measured as the static control draws it.
  RECT extent = {0, 0, 0, 0};
  ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_LEFT |
                  (LeadsToField(label) ? 0 : static_cast<UINT>(DT_NOPREFIX)));
  bounds.width = extent.right;
  bounds.height = std::max(bounds.height, static_cast<int>(extent.bottom));
  return bounds;
}

}  // namespace quivra::ui::win32
