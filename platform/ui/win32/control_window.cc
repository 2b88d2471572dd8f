#include "platform/ui/win32/control_window.h"

#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <stdexcept>
#include <utility>

#include "platform/ui/win32/accessible_object.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

using platform::win32::Utf8ToWide;

ControlWindow::ControlWindow(Control& control, ControlHost& host)
    : control_(control), host_(host) {}

ControlWindow::~ControlWindow() = default;

HWND ControlWindow::Create(HWND parent, int id) {
  const WindowKind kind = Describe();
  const Rect bounds = host_.Fonts().Scale(control_.BoundsRect());
  window_ =
      ::CreateWindowExW(kind.ex_style, kind.window_class, L"", kind.style, bounds.left, bounds.top,
                        bounds.width, bounds.height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
  if (window_ == nullptr) {
    return nullptr;
  }
  // Every window answers screen readers' WM_GETOBJECT; only some want their other messages.
  own_messages_ = kind.own_messages;
  ::SetWindowSubclass(window_, Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
  Created();
  return window_;
}

void ControlWindow::Sync() {
  HWND window = window_;
  const bool first = !written_;
  written_ = true;
  const bool rescale = std::exchange(rescale_, false);
  const Font font = control_.GetFont();
  const bool refit = FitsText() && (control_.Caption() != caption_ || font != font_);
  if (first || rescale || control_.BoundsRect() != bounds_ || refit) {
    const Rect placed = Placement();
    ::MoveWindow(window, placed.left, placed.top, placed.width, placed.height, TRUE);
    bounds_ = control_.BoundsRect();
  }
  if (first || rescale || font != font_) {
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(host_.Fonts().Get(font)), TRUE);
    font_ = font;
    ::InvalidateRect(window, nullptr, TRUE);
  }
  if (ShowsCaption() && (first || control_.Caption() != caption_)) {
    ::SetWindowTextW(window, Utf8ToWide(control_.Caption()).c_str());
    caption_ = control_.Caption();
  }
  SyncContent(first);
  if (rescale) {
    Rescaled();
  }
  if (first || control_.Hint() != hint_) {
    SyncHint();
  }
  if (first || control_.Enabled() != enabled_) {
    ::EnableWindow(window, control_.Enabled() ? TRUE : FALSE);
    enabled_ = control_.Enabled();
  }
  if (first || control_.Visible() != visible_) {
    ::ShowWindow(window, control_.Visible() ? SW_SHOWNA : SW_HIDE);
    visible_ = control_.Visible();
  }
}

void ControlWindow::SyncHint() {
  HWND hints = host_.Hints();
  if (hints == nullptr) {
    return;
  }
  // The tool is the control's window. The description leaves out the newest field, which older
  // common controls refuse.
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = host_.Frame();
  tool.uId = reinterpret_cast<UINT_PTR>(window_);
  if (!hint_.empty()) {
    ::SendMessageW(hints, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  hint_ = control_.Hint();
  if (!hint_.empty()) {
    std::wstring text = Utf8ToWide(hint_);
    tool.lpszText = text.data();
    ::SendMessageW(hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

std::optional<LRESULT> ControlWindow::ReportToForm(UINT message,
                                                   WPARAM wparam,
                                                   LPARAM lparam) const {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return ::SendMessageW(::GetAncestor(window_, GA_ROOT), message, wparam, lparam);
    default:
      return std::nullopt;
  }
}

LRESULT CALLBACK ControlWindow::Subclass(HWND window,
                                         UINT message,
                                         WPARAM wparam,
                                         LPARAM lparam,
                                         UINT_PTR,
                                         DWORD_PTR data) {
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, Subclass, 1);
    return ::DefSubclassProc(window, message, wparam, lparam);
  }
  auto* self = reinterpret_cast<ControlWindow*>(data);
  try {
    if (message == WM_GETOBJECT) {
      if (const std::optional<LRESULT> result =
              AnswerGetObject(window, self->control_, wparam, lparam)) {
        return *result;
      }
    }
    if (!self->own_messages_) {
      return ::DefSubclassProc(window, message, wparam, lparam);
    }
    if (const std::optional<LRESULT> result = self->OnMessage(message, wparam, lparam)) {
      return *result;
    }
  } catch (const std::exception& error) {
    self->host_.ShowError(error);
    return 0;
  } catch (...) {
    self->host_.ShowError(std::runtime_error("An unexpected error occurred"));
    return 0;
  }
  return ::DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace quivra::ui::win32
