#ifndef QUIVRA_PLATFORM_WIN32_WIN32_KEYBOARD_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_KEYBOARD_H_

#include "platform/keyboard.h"

namespace quivra::platform::win32 {

class Win32Keyboard : public Keyboard {
 public:
  void KeyEvent(int virtual_key, int scan_code, std::uint32_t flags) override;
  unsigned MapVirtualKeyCode(unsigned code, unsigned map_type) override;
  std::int16_t KeyState(int virtual_key) override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_KEYBOARD_H_
