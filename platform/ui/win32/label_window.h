#ifndef QUIVRA_PLATFORM_UI_WIN32_LABEL_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_LABEL_WINDOW_H_

#include "platform/ui/control.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// A line of text: a label, and any control without a window of its own kind. The window fits
// its text, so that a longer text is not cut off and a wide label does not cover its
// neighbours; it changes with the text and the font.
class LabelWindow : public ControlWindow {
 public:
  LabelWindow(Control& label, ControlHost& host);

 protected:
  WindowKind Describe() override;
  bool ShowsCaption() const override { return true; }
  bool FitsText() const override { return true; }
  // At the label's place, as wide as its text.
  Rect Placement() override;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_LABEL_WINDOW_H_
