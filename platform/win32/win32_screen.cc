#include "platform/win32/win32_screen.h"

#include <utility>

#include "platform/platform_error.h"
#include "platform/win32/this_module.h"

#include <windows.h>

namespace quivra::platform::win32 {

void Win32Screen::SetCursor(CursorShape shape) {
  ::SetCursor(::LoadCursorW(nullptr, shape == CursorShape::kWait ? IDC_WAIT : IDC_ARROW));
}

Point Win32Screen::PointerPosition() {
  POINT point = {};
  ::GetCursorPos(&point);
  return {point.x, point.y};
}

void Win32Screen::SetPointerPosition(Point position) {
  ::SetCursorPos(position.x, position.y);
}

void Win32Screen::ProcessPendingMessages() {
  DispatchPendingMessages();
}

void DispatchPendingMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit request for the application's own loop.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

namespace {

constexpr wchar_t kPostedClass[] = L"QuivraPosted";
constexpr UINT kRunPosted = WM_APP + 1;

}  // namespace

Win32Screen::~Win32Screen() {
  if (posted_window_) {
    // Actions still waiting go with the window: their messages find no window any more. The
    // class can go only once its window has.
    posted_window_.reset();
    ::UnregisterClassW(kPostedClass, ThisModule());
  }
}

void Win32Screen::Post(std::function<void()> action) {
  if (!posted_window_) {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &Win32Screen::PostedProc;
    window_class.hInstance = ThisModule();
    window_class.lpszClassName = kPostedClass;
    ::RegisterClassExW(&window_class);  // already there for a second screen: that is fine
    posted_window_.reset(::CreateWindowExW(0, kPostedClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                           nullptr, ThisModule(), nullptr));
    if (!posted_window_) {
      throw PlatformError("The window for posted work could not be made.");
    }
    ::SetWindowLongPtrW(posted_window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  posted_.push_back(std::move(action));
  if (!::PostMessageW(posted_window_.get(), kRunPosted, 0, 0)) {
    posted_.pop_back();
    throw PlatformError("Work could not be posted to the message queue.");
  }
}

LRESULT CALLBACK Win32Screen::PostedProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kRunPosted) {
    if (auto* screen = reinterpret_cast<Win32Screen*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) {
      screen->RunPosted();
    }
    return 0;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

void Win32Screen::RunPosted() {
  if (posted_.empty()) {
    return;
  }
  std::function<void()> action = std::move(posted_.front());
  posted_.pop_front();
  try {
    action();
  } catch (...) {
    // Nothing may leave a window procedure.
  }
}

}  // namespace quivra::platform::win32
