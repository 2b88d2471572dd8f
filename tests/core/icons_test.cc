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

}  // namespace
}  // namespace quivra::core
