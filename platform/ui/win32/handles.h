#ifndef QUIVRA_PLATFORM_UI_WIN32_HANDLES_H_
#define QUIVRA_PLATFORM_UI_WIN32_HANDLES_H_

#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include "platform/win32/unique_handle.h"

namespace quivra::ui::win32 {

// Owns one Windows handle and releases it with `Release` when dropped.
template <typename Handle, auto Release>
using Unique = platform::win32::Unique<Handle, Release>;

// A top-level window; its child windows go with it.
using UniqueWindow = platform::win32::UniqueWindow;
using UniqueFont = Unique<HFONT, &::DeleteObject>;
using UniqueBitmap = Unique<HBITMAP, &::DeleteObject>;
using UniqueBrush = Unique<HBRUSH, &::DeleteObject>;
using UniquePen = Unique<HPEN, &::DeleteObject>;
using UniqueMemoryDc = Unique<HDC, &::DeleteDC>;
using UniqueImageList = Unique<HIMAGELIST, &::ImageList_Destroy>;

// A window's device context, released with the window's.
class WindowDc {
 public:
  explicit WindowDc(HWND window, bool whole_window = false)
      : window_(window), dc_(whole_window ? ::GetWindowDC(window) : ::GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) {
      ::ReleaseDC(window_, dc_);
    }
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The device context of a WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
  ~PaintDc() { ::EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects an object into a device context for a scope, then the one it replaced.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  ~Selected() { ::SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_HANDLES_H_
