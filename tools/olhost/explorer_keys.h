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
// Office shows the key tips when Alt is pressed (and released) alone:
// http://blogs.msdn.com/b/jensenh/archive/2005/10/13/480568.aspx
// https://docs.microsoft.com/en-us/archive/blogs/jensenh/verklrte-macht-keyboard-revisited
bool KeyTipInput(HWND window, UINT message, WPARAM key, ExplorerContentSource* source);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_EXPLORER_KEYS_H_
