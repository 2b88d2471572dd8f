#ifndef QUIVRA_TOOLS_OLHOST_KEYBOARD_SCRIPT_H_
#define QUIVRA_TOOLS_OLHOST_KEYBOARD_SCRIPT_H_

#include <functional>
#include <string>

namespace quivra::olhost {

class OutlookStandIn;

// Records one expectation of a script: PASS or FAIL with what was found.
using ScriptCheck = std::function<void(bool ok, const std::string& what)>;

// The script commands of a person at the keyboard of the active explorer:
//
//   key <combination>             types it ("alt+3", "ctrl+shift+a", "bksp", "numpad3")
//   key-loop <key> <count>        types the key that many times as fast as the window takes it
//   alt-code <digits>             holds Alt and types the digits on the numeric keypad ("0233")
//   focus list|search|reading|inline-reply   clicks into that part of the active explorer
//   expect-key yes|no             the last key typed reached the window it was typed into
//   expect-text <part> [<text>]   the search box or the inline reply holds exactly that text
//   expect-key-tips yes|no        the active explorer shows the ribbon's key tips
//
// Returns false for a command it does not know; raises std::exception on a bad argument.
bool RunKeyboardCommand(const std::string& command,
                        const std::string& rest,
                        OutlookStandIn& outlook,
                        const ScriptCheck& check);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_KEYBOARD_SCRIPT_H_
