#include "core/icons.h"

#include <gtest/gtest.h>

namespace quivra::core {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// The dots on the folder's front spell the mark in binary, lowest bit on the left, at either
// size; the folder's body shows its colour and the corners stay transparent.
TEST(FolderIconTest, TheMarkIsWrittenInBinaryAsWhiteDots) {
  for (const int size : {16, 32}) {
    const int unit = size / 16;
    for (int mark = 0; mark < 16; ++mark) {
      SCOPED_TRACE(testing::Message() << "size " << size << ", mark " << mark);
      const framework::TBitmap icon = FolderIcon(size, 0x102030, mark);
      ASSERT_EQ(icon.Width, size);
      ASSERT_EQ(icon.Height, size);
      ASSERT_EQ(icon.Pixels.size(), static_cast<size_t>(size * size));
      const auto pixel = [&](int x, int y) {
        return icon.Pixels[static_cast<size_t>(y * unit * size + x * unit)];
      };
      for (int bit = 0; bit < 4; ++bit) {
        EXPECT_EQ(pixel(3 + 3 * bit, 10) == kWhite, ((mark >> bit) & 1) != 0) << "bit " << bit;
      }
      EXPECT_EQ(pixel(8, 6), 0xFF102030u);
      EXPECT_EQ(pixel(0, 0), 0u);
      EXPECT_EQ(pixel(15, 15), 0u);
    }
  }
}

// Luminance of a pixel, 0 ... 255.
int Luminance(std::uint32_t argb) {
  return static_cast<int>(
      (299 * ((argb >> 16) & 0xFF) + 587 * ((argb >> 8) & 0xFF) + 114 * (argb & 0xFF)) / 1000);
}

// Seen on a black ribbon every edge of the icon (an opaque pixel beside a transparent one or the
// border) is light, and on a white one the icon's outline inside that rim is dark: the folder's
// shape shows on either, whatever its own colour.
TEST(FolderIconTest, TheShapeShowsOnDarkAndLightBackgrounds) {
  for (const int slot : {1, 9, 11}) {
    const framework::TBitmap icon = SlotIcon(slot);
    const auto at = [&](int x, int y) -> std::uint32_t {
      if (x < 0 || y < 0 || x >= icon.Width || y >= icon.Height) {
        return 0;
      }
      return icon.Pixels[static_cast<size_t>(y * icon.Width + x)];
    };
    int edges = 0;
    for (int y = 0; y < icon.Height; ++y) {
      for (int x = 0; x < icon.Width; ++x) {
        if ((at(x, y) >> 24) == 0) {
          continue;
        }
        if ((at(x - 1, y) >> 24) == 0 || (at(x + 1, y) >> 24) == 0 || (at(x, y - 1) >> 24) == 0 ||
            (at(x, y + 1) >> 24) == 0) {
          ++edges;
          EXPECT_GE(Luminance(at(x, y)), 200) << "slot " << slot << " at " << x << ", " << y;
        }
      }
    }
    EXPECT_GT(edges, 40);
    // The outline just inside the rim, on the body's left edge.
    EXPECT_LE(Luminance(at(1, 8)), 100) << "slot " << slot;
  }
}

}  // namespace
}  // namespace quivra::core
