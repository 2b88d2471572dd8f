#include "platform/ui/win32/label_window.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

LabelWindow::LabelWindow(Control& label, ControlHost& host) : ControlWindow(label, host) {}

ControlWindow::WindowKind LabelWindow::Describe() {
  return {.style = kChildStyle | SS_LEFTNOWORDWRAP};
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
  // Measured as the static control draws it, with & marking a shortcut letter.
  RECT extent = {0, 0, 0, 0};
  ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
  bounds.width = extent.right;
  bounds.height = std::max(bounds.height, static_cast<int>(extent.bottom));
  return bounds;
}

}  // namespace quivra::ui::win32
