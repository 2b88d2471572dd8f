#ifndef QUIVRA_PLATFORM_UI_WINDOW_PLACEMENT_H_
#define QUIVRA_PLATFORM_UI_WINDOW_PLACEMENT_H_

#include <vector>

#include "platform/ui/control.h"

namespace quivra::ui {

// Forms are designed at 96 dots per inch; a window shows them at the DPI of its monitor.
constexpr int kDesignDpi = 96;

// A designed length in pixels at `dpi`, rounded to the nearest pixel, and back.
int ScaleToDpi(int designed, int dpi);
int UnscaleFromDpi(int pixels, int dpi);
Rect ScaleToDpi(const Rect& designed, int dpi);

// The screen as a form's window sees it, in pixels of the virtual screen.
struct Screen {
  // The work area of every monitor (the screen less the task bar), the primary one first.
  std::vector<Rect> work_areas;
  // The work area of the monitor the owner window is on; empty (zero size) when there is no
  // owner.
  Rect owner_work_area;
};

// Where a window of `size` (width and height used) opens. `wanted` is the place it would take
// (a remembered or designed place, or one centred on its owner) with `centred` telling which.
// A window whose wanted place lies on no monitor at all (a monitor that has been unplugged, a
// desktop made smaller) opens centred on its owner's monitor, or else on the primary monitor;
// one that lies partly off its monitor moves, as little as needed, onto that monitor's work area
// (its top left corner wins when it is larger than the work area, so that its title bar can be
// reached).
Rect PlaceOnScreen(const Rect& wanted, const Screen& screen);

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_WINDOW_PLACEMENT_H_
