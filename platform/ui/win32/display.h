#ifndef QUIVRA_PLATFORM_UI_WIN32_DISPLAY_H_
#define QUIVRA_PLATFORM_UI_WIN32_DISPLAY_H_

#include <windows.h>

#include "platform/ui/window_placement.h"

// What the forms follow of the user's display settings: the DPI of each monitor, high contrast,
// the text size, and where the monitors are. Functions that only newer Windows has are looked
// up when called, so that the add-in still loads on the Windows that Outlook 2007 ran on.
namespace quivra::ui::win32 {

// The system DPI: that of the primary monitor when the process started (96 at 100 %).
int SystemDpi();

// The DPI `window` is drawn at: its monitor's for a per-monitor aware window, the system DPI
// for a system aware one, 96 for an unaware one; the system DPI where Windows cannot tell.
int WindowDpi(HWND window);

// The user has turned high contrast on: every colour comes from the system's colours, and
// pictures are drawn in the text colour on the window colour.
bool HighContrast();

// Windows' "make text bigger" setting in per cent (100 ... 225).
int TextScalePercent();

// The size of a window whose client area is `client` (from 0, 0) at `dpi`, with the frame of
// its styles as that DPI draws it (Windows 10, version 1607 on; the system DPI's frame before).
void AdjustWindowRectForDpi(RECT& client, DWORD style, DWORD ex_style, int dpi);

// The work areas of the monitors, and that of the monitor `owner` is on (none when null).
Screen ScreenOf(HWND owner);

// Makes the windows this thread creates in its scope per-monitor DPI aware, where Windows can
// (10, version 1607 on): they are told when they move to a monitor of another DPI and draw
// sharp at it, whatever the DPI awareness of the process that loaded the add-in. The thread's
// previous awareness is restored at the end of the scope.
class PerMonitorDpiScope {
 public:
  PerMonitorDpiScope();
  ~PerMonitorDpiScope();
  PerMonitorDpiScope(const PerMonitorDpiScope&) = delete;
  PerMonitorDpiScope& operator=(const PerMonitorDpiScope&) = delete;

 private:
  HANDLE previous_ = nullptr;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_DISPLAY_H_
