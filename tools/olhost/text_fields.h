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
// https://support.microsoft.com/en-us/office/insert-ascii-or-unicode-latin-based-symbols-and-characters-d13f58d3-7bcb-44a7-a4d5-972ee12e50e0
// https://learn.microsoft.com/en-us/windows/win32/intl/code-pages
void ComposeAltCodes(HWND edit);

// The text a window shows (an edit control's content), as UTF-8.
std::string WindowText(HWND window);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_TEXT_FIELDS_H_
