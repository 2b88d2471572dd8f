#include "core/synthetic_keys.h"

#include <array>
#include <cstdint>

#include "host/framework/keyboard/keyboard_hook_logic.h"

namespace quivra::core {

namespace {

struct Modifier {
  ModifierKey key;
  int virtual_key;
};

constexpr std::array<Modifier, 3> kModifiers = {{
    {ModifierKey::kCtrl, platform::kVkControl},
    {ModifierKey::kShift, platform::kVkShift},
    {ModifierKey::kAlt, platform::kVkMenu},
}};

void Send(platform::Keyboard& keyboard, int virtual_key, std::uint32_t flags) {
  const unsigned scan =
      keyboard.MapVirtualKeyCode(static_cast<unsigned>(virtual_key), platform::kMapVkToScanCode);
  keyboard.KeyEvent(virtual_key, static_cast<int>(scan), flags);
}

}  // namespace

void PostKey(platform::Keyboard& keyboard, int Key, ModifierKeys Modifiers, bool Extended) {
  for (const Modifier& modifier : kModifiers) {
    if (Modifiers.Contains(modifier.key)) {
      Send(keyboard, modifier.virtual_key, 0);
    }
  }
  const std::uint32_t flags = Extended ? platform::kKeyEventExtendedKey : 0;
  Send(keyboard, Key, flags);
  Send(keyboard, Key, flags | platform::kKeyEventKeyUp);
  for (auto modifier = kModifiers.rbegin(); modifier != kModifiers.rend(); ++modifier) {
    if (Modifiers.Contains(modifier->key)) {
      Send(keyboard, modifier->virtual_key, platform::kKeyEventKeyUp);
    }
  }
}

void SendBackspaceKey(platform::Keyboard& keyboard) {
  keyboard.KeyEvent(platform::kVkBack, framework::kPassedOnScanCode, 0);
}

}  // namespace quivra::core
