#ifndef QUIVRA_CORE_SYNTHETIC_KEYS_H_
#define QUIVRA_CORE_SYNTHETIC_KEYS_H_

#include "host/framework/module/enum_set.h"
#include "platform/keyboard.h"

namespace quivra::core {

// Modifier keys held around a synthetic key stroke.
enum class ModifierKey { kCtrl, kShift, kAlt };
using ModifierKeys = framework::TEnumSet<ModifierKey>;

// One synthetic key stroke: the modifiers pressed in the order Ctrl, Shift, Alt, the key pressed
// and released (as an extended key when `Extended`), the modifiers released in reverse order.
// The events take effect when the thread processes its messages.
void PostKey(platform::Keyboard& keyboard, int Key, ModifierKeys Modifiers, bool Extended);

// Hands a Backspace that a shortcut took back to Outlook: one key-down event, scan code 1.
void SendBackspaceKey(platform::Keyboard& keyboard);

}  // namespace quivra::core

#endif  // QUIVRA_CORE_SYNTHETIC_KEYS_H_
