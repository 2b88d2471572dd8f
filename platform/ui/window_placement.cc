#include "platform/ui/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace quivra::ui {

namespace {

bool Empty(const Rect& rect) {
  return rect.width <= 0 || rect.height <= 0;
}

// The area two rectangles share, 0 when they do not meet.
std::int64_t Shared(const Rect& a, const Rect& b) {
  const int left = std::max(a.left, b.left);
  const int top = std::max(a.top, b.top);
  const int right = std::min(a.left + a.width, b.left + b.width);
  const int bottom = std::min(a.top + a.height, b.top + b.height);
  if (right <= left || bottom <= top) {
    return 0;
  }
  return static_cast<std::int64_t>(right - left) * (bottom - top);
}

Rect CentredIn(const Rect& area, int width, int height) {
  return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width,
          height};
}

// Moves the window as little as needed onto `area`; the top left corner wins.
Rect ClampTo(Rect window, const Rect& area) {
  window.left = std::max(area.left, std::min(window.left, area.left + area.width - window.width));
  window.top = std::max(area.top, std::min(window.top, area.top + area.height - window.height));
  return window;
}

}  // namespace

int ScaleToDpi(int designed, int dpi) {
  const std::int64_t scaled = static_cast<std::int64_t>(designed) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kDesignDpi / 2) / kDesignDpi
                                      : -((-scaled + kDesignDpi / 2) / kDesignDpi));
}

int UnscaleFromDpi(int pixels, int dpi) {
  if (dpi <= 0) {
    return pixels;
  }
  const std::int64_t designed = static_cast<std::int64_t>(pixels) * kDesignDpi;
  return static_cast<int>(designed >= 0 ? (designed + dpi / 2) / dpi
                                        : -((-designed + dpi / 2) / dpi));
}

Rect ScaleToDpi(const Rect& designed, int dpi) {
  return {ScaleToDpi(designed.left, dpi), ScaleToDpi(designed.top, dpi),
          ScaleToDpi(designed.width, dpi), ScaleToDpi(designed.height, dpi)};
}

Rect PlaceOnScreen(const Rect& wanted, const Screen& screen) {
  if (screen.work_areas.empty()) {
    return wanted;
  }
  // The monitor that shows most of the window.
  const Rect* best = nullptr;
  std::int64_t best_shared = 0;
  for (const Rect& area : screen.work_areas) {
    const std::int64_t shared = Shared(wanted, area);
    if (shared > best_shared) {
      best = &area;
      best_shared = shared;
    }
  }
  if (best == nullptr) {
    const Rect& home =
        Empty(screen.owner_work_area) ? screen.work_areas.front() : screen.owner_work_area;
    return ClampTo(CentredIn(home, wanted.width, wanted.height), home);
  }
  return ClampTo(wanted, *best);
}

}  // namespace quivra::ui
