#include "platform/ui/win32/display.h"

#include <windows.h>

#include <cwchar>

#include "platform/ui/win32/handles.h"

namespace quivra::ui::win32 {

namespace {

// A function of user32 that older Windows lacks, or null.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getdpiforwindow
// (Windows 10, version 1607 and later).
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setthreaddpiawarenesscontext
// (Windows 10, version 1607 and later); the context is a handle-sized value.
using SetThreadDpiAwarenessContextFunction = HANDLE(WINAPI*)(HANDLE);
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-adjustwindowrectexfordpi
// (Windows 10, version 1607 and later).
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 (Windows 10, version 1703 on) scales the frame
// and the common controls too; DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE is what 1607 offers.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& screen = *reinterpret_cast<Screen*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (::GetMonitorInfoW(monitor, &info)) {
    const RECT& work = info.rcWork;
    const Rect area{work.left, work.top, work.right - work.left, work.bottom - work.top};
    // The primary monitor first: it is where a window with no other place goes.
    if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
      screen.work_areas.insert(screen.work_areas.begin(), area);
    } else {
      screen.work_areas.push_back(area);
    }
  }
  return TRUE;
}

}  // namespace

int SystemDpi() {
  WindowDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
  static const auto get_dpi = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi != nullptr && window != nullptr) {
    if (const UINT dpi = get_dpi(window); dpi > 0) {
      return static_cast<int>(dpi);
    }
  }
  return SystemDpi();
}

bool HighContrast() {
  // https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-highcontrastw
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  if (::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
      (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
    return true;
  }
  // The user's saved setting, which SPI_SETHIGHCONTRAST writes with SPIF_UPDATEINIFILE: the
  // flags as a decimal number. Some systems (Wine 8) always answer the call above with the flag
  // off and ignore SPI_SETHIGHCONTRAST, yet keep this setting; Windows keeps the two alike. Were
  // it ever stale, pictures would be drawn as outlines in the text colour, which stay readable.
  wchar_t flags[16] = {};
  DWORD size = sizeof(flags);
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                     RRF_RT_REG_SZ, nullptr, flags, &size) != ERROR_SUCCESS) {
    return false;
  }
  return (std::wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

int TextScalePercent() {
  // Windows keeps the "make text bigger" slider (Settings, Accessibility, Text size) here as a
  // percentage; its documented reader, UISettings.TextScaleFactor
  // (https://learn.microsoft.com/uwp/api/windows.ui.viewmanagement.uisettings.textscalefactor),
  // is a Windows Runtime class that the Windows of older Outlooks and Wine lack, and gives the
  // same number from 1 to 2.25. Missing or out of that range: the usual size.
  DWORD percent = 0;
  DWORD size = sizeof(percent);
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility", L"TextScaleFactor",
                     RRF_RT_REG_DWORD, nullptr, &percent, &size) != ERROR_SUCCESS) {
    return 100;
  }
  return percent >= 100 && percent <= 225 ? static_cast<int>(percent) : 100;
}

void AdjustWindowRectForDpi(RECT& client, DWORD style, DWORD ex_style, int dpi) {
  static const auto adjust =
      User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjust == nullptr || !adjust(&client, style, FALSE, ex_style, static_cast<UINT>(dpi))) {
    ::AdjustWindowRectEx(&client, style, FALSE, ex_style);
  }
}

Screen ScreenOf(HWND owner) {
  Screen screen;
  ::EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&screen));
  if (owner != nullptr) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &info)) {
      const RECT& work = info.rcWork;
      screen.owner_work_area = {work.left, work.top, work.right - work.left,
                                work.bottom - work.top};
    }
  }
  return screen;
}

PerMonitorDpiScope::PerMonitorDpiScope() {
  static const auto set_context =
      User32Function<SetThreadDpiAwarenessContextFunction>("SetThreadDpiAwarenessContext");
  if (set_context != nullptr) {
    previous_ = set_context(kPerMonitorAwareV2);
    if (previous_ == nullptr) {
      previous_ = set_context(kPerMonitorAware);
    }
  }
}

PerMonitorDpiScope::~PerMonitorDpiScope() {
  static const auto set_context =
      User32Function<SetThreadDpiAwarenessContextFunction>("SetThreadDpiAwarenessContext");
  if (set_context != nullptr && previous_ != nullptr) {
    set_context(previous_);
  }
}

}  // namespace quivra::ui::win32
