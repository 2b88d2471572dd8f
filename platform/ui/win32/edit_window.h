#ifndef QUIVRA_PLATFORM_UI_WIN32_EDIT_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_EDIT_WINDOW_H_

#include <string>

#include "platform/ui/edit.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// A single-line text field that scrolls sideways as the user types.
class EditWindow : public ControlWindow {
 public:
  EditWindow(Edit& edit, ControlHost& host);

  void OnCommand(int code) override;

 protected:
  WindowKind Describe() override;
  void SyncContent(bool first) override;

 private:
  Edit& edit_;
  std::string text_;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_EDIT_WINDOW_H_
