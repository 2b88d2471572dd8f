#ifndef QUIVRA_TOOLS_OLHOST_KEYBOARD_INPUT_H_
#define QUIVRA_TOOLS_OLHOST_KEYBOARD_INPUT_H_

#include <string>

namespace quivra::olhost {

// A person typing into the stand-in's window that has the keyboard focus (see StandInWindows).
// Key strokes are injected into the system's input as a keyboard would deliver them, one press
// after the other as a person's fingers move, then the thread takes its messages for a while, so
// that keyboard hooks and the messages they post run as they would in Outlook.
class KeyboardInput {
 public:
  // Types a key combination: "alt+3", "ctrl+shift+a", "bksp", "f5". Modifiers are pressed in
  // the order given and released in reverse. Raises std::invalid_argument for an unknown key.
  static void Type(const std::string& combination);

  // Types a character code on the numeric keypad with Alt held ("0233": Alt pressed, keypad 0,
  // 2, 3 and 3 each pressed and released, Alt released). Raises std::invalid_argument when
  // `digits` is not all digits.
  static void TypeAltCode(const std::string& digits);

  // Raises std::invalid_argument when the combination names a key that is not known: a script
  // line with such a key fails as it is read, not later inside a dialog's message loop.
  static void Validate(const std::string& combination);

  // Injects a key combination as Type does, without waiting for it: for a window whose own
  // message loop takes the keys (a modal dialog).
  static void Inject(const std::string& combination);

  // Whether the key-down of the last combination's main key reached the window it was typed
  // into, and that window's name.
  static bool MainKeyReached();
  static std::string TargetName();

  // Types one key (as Type names it) `count` times as fast as the window takes it: key-downs
  // and key-ups are injected in batches, and the next batch only once every key-down of the
  // last one has reached the window. The milliseconds from the first injection until the last
  // key-down arrived. Raises std::runtime_error when key-downs stop arriving.
  static double TypeRepeatedly(const std::string& key, int count);
};

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_KEYBOARD_INPUT_H_
