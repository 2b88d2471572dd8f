#ifndef QUIVRA_TOOLS_OLHOST_EXPLORER_KEYS_H_
#define QUIVRA_TOOLS_OLHOST_EXPLORER_KEYS_H_

#include <windows.h>

#include "tools/olhost/stand_in_windows.h"

namespace quivra::olhost {

// Keeps a key message that reached a window of the stand-in (see StandInWindows::KeyReached).
void RecordKey(HWND window, UINT message, WPARAM virtual_key);

// Office's key tips in an explorer, fed every key message that reaches a part of it: Alt
// pressed and released with no other key reaching the window between shows them (again: hides
// them), a letter or digit then walks them, any other key ends them. True when the key tips
// took the key, which then goes no further (a letter typed into them is not typed into a text
// field). A key the add-in's keyboard hook swallows never reaches the window, as in Outlook.
// https://support.microsoft.com/en-us/office/use-the-keyboard-to-work-with-the-ribbon-954cd3f7-2f77-4983-978d-c09b20e31f0e
bool KeyTipInput(HWND window, UINT message, WPARAM key, ExplorerContentSource* source);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_EXPLORER_KEYS_H_
