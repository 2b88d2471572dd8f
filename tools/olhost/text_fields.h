#ifndef QUIVRA_TOOLS_OLHOST_TEXT_FIELDS_H_
#define QUIVRA_TOOLS_OLHOST_TEXT_FIELDS_H_

#include <windows.h>

#include <string>

namespace quivra::olhost {

// Makes an edit control of the stand-in enter a character from its code typed on the numeric
// keypad with Alt held, as Windows does in every text field and Wine does not: a code with a
// leading 0 is a character of the Windows (ANSI) code page, "Alt+0233" giving "é"; without it,
// one of the OEM code page; only the low byte of the number counts. The character arrives as
// WM_CHAR when Alt is released; any other key pressed meanwhile drops the code.
// https://support.microsoft.com/el-gr/Word/insert-ascii-or-unicode-latin-based-symbols-and-characters
// The Windows (ANSI) and the OEM code page:
// https://learn.microsoft.com/en-us/openspecs/windows_protocols/ms-ucoderef/28fefe92-d66c-4b03-90a9-97b473223d43
void ComposeAltCodes(HWND edit);

// The text a window shows (an edit control's content), as UTF-8.
std::string WindowText(HWND window);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_TEXT_FIELDS_H_
