#ifndef QUIVRA_HOST_FRAMEWORK_KEYBOARD_SHORTCUT_TEXT_H_
#define QUIVRA_HOST_FRAMEWORK_KEYBOARD_SHORTCUT_TEXT_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quivra::framework {

// A key press as the thread's keyboard hook sees it: the virtual-key code, the key data (repeat
// count, scan code and flags; bit 30 set for an auto-repeat, bit 31 set for a key release) and
// the state of the modifier keys at that moment.
struct TKeyPress {
  int VirtualKey = 0;
  std::uint32_t KeyData = 0;
  bool Ctrl = false;
  bool Shift = false;
  bool Alt = false;
};

// The arguments of the module's OnKeyDown event.
struct TKeyDownEventArgs {
  bool Ctrl = false;
  bool Alt = false;
  bool Shift = false;
  bool Handled = false;
  int VirtualKey = 0;
  std::uint32_t KeyData = 0;
};

// The keyboard layout's name of a key outside the named ranges, empty if it has none.
using TKeyNameSource = std::function<std::string(int virtual_key)>;

// The name of a key in shortcut texts: "BkSp", "Tab", "Enter", "Esc", "Space", "PgUp", "PgDn",
// "End", "Home", "Left", "Up", "Right", "Down", "Ins", "Del", the digit for the top-row and
// keypad digits, the letter for A-Z, "F1" … "F24". Other keys are named by `other_keys`, or not
// at all (empty) without it.
std::string KeyName(int virtual_key, const TKeyNameSource& other_keys = {});

// The shortcut text of a key press, upper-cased: "CTRL+", "SHIFT+", "ALT+" in that order for
// the modifiers held, then the key's name ("ALT+3", "CTRL+SHIFT+A", "BKSP"). Empty when the press
// cannot be a shortcut: a key release, an auto-repeat, a modifier key by itself, a press without
// key code or key data, or a key without a name.
std::string ShortcutTextOf(const TKeyPress& press, const TKeyNameSource& other_keys = {});

// A shortcut text in the form compared with key presses: upper-cased ("Bksp" → "BKSP").
std::string NormalizeShortcutText(std::string_view text);

// The menu accelerator of a caption: "ALT+" and the character after its first "&" upper-cased
// ("&3 Projects" → "ALT+3"); empty when the caption has no "&" followed by a character.
std::string AcceleratorText(std::string_view caption);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_KEYBOARD_SHORTCUT_TEXT_H_
