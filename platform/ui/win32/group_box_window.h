#ifndef QUIVRA_PLATFORM_UI_WIN32_GROUP_BOX_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_GROUP_BOX_WINDOW_H_

#include <optional>

#include "platform/ui/static_controls.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// A framed box with its caption in the frame, holding other controls.
class GroupBoxWindow : public ControlWindow {
 public:
  GroupBoxWindow(GroupBox& box, ControlHost& host);

 protected:
  WindowKind Describe() override;
  bool ShowsCaption() const override { return true; }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_GROUP_BOX_WINDOW_H_
