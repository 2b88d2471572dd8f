#ifndef QUIVRA_PLATFORM_KEYBOARD_H_
#define QUIVRA_PLATFORM_KEYBOARD_H_

#include <cstdint>

namespace quivra::platform {

// Virtual-key codes the product sends or looks at.
constexpr int kVkBack = 0x08;
constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;  // Alt
constexpr int kVkUp = 0x26;
constexpr int kVkDown = 0x28;

// Flags of a synthetic key event.
constexpr std::uint32_t kKeyEventExtendedKey = 0x1;
constexpr std::uint32_t kKeyEventKeyUp = 0x2;

// The map type of MapVirtualKey that turns a virtual-key code into a scan code.
constexpr unsigned kMapVkToScanCode = 0;

// Synthetic keyboard input and the thread's view of the keys. Synthetic events go into the
// system's input queue and reach the window with the focus when the thread processes its
// messages, not during the call.
class Keyboard {
 public:
  virtual ~Keyboard() = default;

  // One key press or release (keybd_event): `flags` combines kKeyEventExtendedKey and
  // kKeyEventKeyUp.
  virtual void KeyEvent(int virtual_key, int scan_code, std::uint32_t flags) = 0;
  // Translates a code by the keyboard layout (MapVirtualKeyA); 0 when there is no translation.
  virtual unsigned MapVirtualKeyCode(unsigned code, unsigned map_type) = 0;
  // The key's state as the thread's messages so far have left it (GetKeyState): the high bit
  // (0x8000 as a 16-bit value, so negative) while the key is down, bit 0 toggled by each press.
  virtual std::int16_t KeyState(int virtual_key) = 0;
};

// Whether a KeyState result says the key is down.
inline bool IsKeyDown(std::int16_t state) {
  return state < 0;
}

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_KEYBOARD_H_
