#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_BITMAP_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_BITMAP_H_

#include <cstdint>
#include <vector>

namespace quivra::framework {

// A colour as 0x00RRGGBB.
using TColor = std::uint32_t;
// No colour given: the code that draws a glyph takes its bottom-left pixel instead.
constexpr TColor clDefault = 0x20000000;

// A button image: rows top to bottom, each pixel 0xAARRGGBB. `BitsPerPixel` is the depth the
// image was made with; below 32 its alpha bytes carry nothing.
struct TBitmap {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 32;
  std::vector<std::uint32_t> Pixels;

  bool Empty() const { return Width <= 0 || Height <= 0; }
  bool operator==(const TBitmap&) const = default;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_BITMAP_H_
