#ifndef QUIVRA_PLATFORM_UI_WIN32_SYSTEM_INK_H_
#define QUIVRA_PLATFORM_UI_WIN32_SYSTEM_INK_H_

#include <windows.h>

#include "platform/ui/win32/display.h"

namespace quivra::ui::win32 {

// The colours the pictures drawn in code use. In the usual scheme each part keeps its own
// colour on the background system colour it stands on. Under high contrast every colour maps
// to the scheme's one pair of foreground and background colours, as Windows asks of programs
// ("Map all colors to a single pair of foreground and background colors", Enabling High
// Contrast: https://learn.microsoft.com/previous-versions/windows/embedded/ms858566(v=msdn.10);
// High contrast mode: https://learn.microsoft.com/windows/win32/w8cookbook/high-contrast-mode):
// a picture becomes an outline drawing in the text colour, visible on a black background as on
// a white one.
struct Ink {
  // For a picture on the background `background_index` (COLOR_WINDOW or COLOR_BTNFACE), whose
  // text colour is COLOR_WINDOWTEXT or COLOR_BTNTEXT.
  static Ink For(int background_index) {
    const int text_index = background_index == COLOR_WINDOW ? COLOR_WINDOWTEXT : COLOR_BTNTEXT;
    return {HighContrast(), ::GetSysColor(background_index), ::GetSysColor(text_index)};
  }

  // The inside of a shape.
  COLORREF Fill(COLORREF own) const { return high_contrast ? background : own; }
  // A shape that is the picture itself (an arrow): solid in the text colour.
  COLORREF Solid(COLORREF own) const { return high_contrast ? foreground : own; }
  // Edges, lines and text.
  COLORREF Line(COLORREF own) const { return high_contrast ? foreground : own; }

  bool high_contrast;
  COLORREF background;
  COLORREF foreground;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_SYSTEM_INK_H_
