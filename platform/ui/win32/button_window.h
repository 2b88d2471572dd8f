#ifndef QUIVRA_PLATFORM_UI_WIN32_BUTTON_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_BUTTON_WINDOW_H_

#include "platform/ui/button.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// A push button; the default button has the heavier frame.
class ButtonWindow : public ControlWindow {
 public:
  ButtonWindow(Button& button, ControlHost& host);

  void OnCommand(int code) override;

 protected:
  WindowKind Describe() override;
  bool ShowsCaption() const override { return true; }

 private:
  Button& button_;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_BUTTON_WINDOW_H_
