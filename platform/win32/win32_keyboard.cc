#include "platform/win32/win32_keyboard.h"

#include <windows.h>

namespace quivra::platform::win32 {

void Win32Keyboard::KeyEvent(int virtual_key, int scan_code, std::uint32_t flags) {
  ::keybd_event(static_cast<BYTE>(virtual_key), static_cast<BYTE>(scan_code),
                static_cast<DWORD>(flags), 0);
}

unsigned Win32Keyboard::MapVirtualKeyCode(unsigned code, unsigned map_type) {
  return ::MapVirtualKeyA(code, map_type);
}

std::int16_t Win32Keyboard::KeyState(int virtual_key) {
  return ::GetKeyState(virtual_key);
}

}  // namespace quivra::platform::win32
