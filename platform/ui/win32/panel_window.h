#ifndef QUIVRA_PLATFORM_UI_WIN32_PANEL_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_PANEL_WINDOW_H_

#include <optional>

#include "platform/ui/static_controls.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// A plain area holding other controls, in a window class of this module.
class PanelWindow : public ControlWindow {
 public:
  static constexpr wchar_t kWindowClass[] = L"QuivraPanel";

  PanelWindow(Panel& panel, ControlHost& host);

 protected:
  WindowKind Describe() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_PANEL_WINDOW_H_
