#ifndef QUIVRA_HOST_FRAMEWORK_KEYBOARD_ALT_KEY_SEQUENCE_H_
#define QUIVRA_HOST_FRAMEWORK_KEYBOARD_ALT_KEY_SEQUENCE_H_

#include "host/framework/keyboard/shortcut_text.h"

namespace quivra::framework {

// The key the keyboard hook presses in place of a key it swallowed while Alt was held: virtual
// key 0xE8, which Windows leaves unassigned, so no window gives it a meaning.
// https://learn.microsoft.com/nb-no/windows/win32/inputdev/virtual-key-codes
constexpr int kAltMaskKey = 0xE8;

// What the keys pressed since Alt went down say about the next one. Windows enters a character
// when the user holds Alt and types its code on the numeric keypad (Alt+0233 gives "é"); the
// keypad digits after the first one of such a code belong to the character, never to a
// shortcut.
// https://support.microsoft.com/el-gr/Word/insert-ascii-or-unicode-latin-based-symbols-and-characters
class TAltKeySequence {
 public:
  // Takes in one keyboard message the hook sees, whatever becomes of it. Pressing or releasing
  // Alt starts afresh; any other key pressed ends a code, except Shift and Ctrl and the hook's
  // own kAltMaskKey.
  void Take(const TKeyPress& press);

  // Whether this press is a keypad digit typed with Alt held after another keypad digit, Alt
  // not released between.
  bool ContinuesCharacterCode(const TKeyPress& press) const;

 private:
  int keypad_digits_ = 0;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_KEYBOARD_ALT_KEY_SEQUENCE_H_
