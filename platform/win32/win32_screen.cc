#include "platform/win32/win32_screen.h"

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

}  // namespace quivra::platform::win32
