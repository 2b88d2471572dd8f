#ifndef QUIVRA_PLATFORM_UI_WIN32_CHECK_BOX_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_CHECK_BOX_WINDOW_H_

#include "platform/ui/check_box.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// A check box. Not an automatic one: the click toggles the form's check box, whose state is
// then written back.
class CheckBoxWindow : public ControlWindow {
 public:
  CheckBoxWindow(CheckBox& box, ControlHost& host);

  void OnCommand(int code) override;

 protected:
  WindowKind Describe() override;
  bool ShowsCaption() const override { return true; }
  void SyncContent(bool first) override;

 private:
  CheckBox& box_;
  bool checked_ = false;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_CHECK_BOX_WINDOW_H_
