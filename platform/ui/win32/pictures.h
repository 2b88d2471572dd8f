#ifndef QUIVRA_PLATFORM_UI_WIN32_PICTURES_H_
#define QUIVRA_PLATFORM_UI_WIN32_PICTURES_H_

#include <string>

#include "platform/ui/win32/handles.h"

namespace quivra::ui::win32 {

// The pictures of the forms by resource name, drawn in code at the picture control's size (in
// pixels) on the system colour `background_index` of the form (COLOR_BTNFACE or COLOR_WINDOW):
// the green move arrows (ARROWDOWN, ARROWUP), the Backspace key (BACKSPACEKEY), the blue
// numbered keys (KEY0 ... KEY9) and the product banner (BANNER); under high contrast, outlines
// in the form's text colour (system_ink.h). Null for an unknown name or an empty size.
UniqueBitmap DrawPicture(const std::string& name, int width, int height, int background_index);

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_PICTURES_H_
