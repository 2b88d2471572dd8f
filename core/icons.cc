#include "core/icons.h"

#include <array>
#include <cstddef>

namespace quivra::core {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kOutline = 0xFF5A4A1E;
// A light rim around the dark outline: the folder stands out on a dark ribbon or a black
// high-contrast background as its outline does on a light one.
constexpr std::uint32_t kRim = 0xFFF4EEDC;

// One colour per filing slot, far enough apart to tell at a glance.
constexpr std::array<std::uint32_t, 11> kSlotColors = {0xE8B730, 0x4C8ED9, 0x5BB45A, 0xD9534F,
                                                       0x9B59B6, 0x2BB3B1, 0xF08A24, 0x8A6D3B,
                                                       0x7F8C8D, 0xE05BA8, 0x34495E};

}  // namespace

framework::TBitmap FolderIcon(int size, std::uint32_t color, int mark) {
  framework::TBitmap icon;
  icon.Width = size;
  icon.Height = size;
  icon.Pixels.assign(static_cast<size_t>(size * size), 0);
  const int unit = size / 16;
  auto fill = [&](int left, int top, int right, int bottom, std::uint32_t argb) {
    for (int y = top * unit; y < bottom * unit; ++y) {
      for (int x = left * unit; x < right * unit; ++x) {
        icon.Pixels[static_cast<size_t>(y * size + x)] = argb;
      }
    }
  };
  fill(0, 1, 8, 4, kRim);               // the rim around the tab
  fill(0, 3, 16, 15, kRim);             // and around the body
  fill(1, 2, 7, 4, kOutline);           // the tab
  fill(1, 4, 15, 14, kOutline);         // the body's outline
  fill(2, 5, 14, 13, kOpaque | color);  // the body
  for (int bit = 0; bit < 4; ++bit) {   // the mark
    if (mark & (1 << bit)) {
      fill(3 + 3 * bit, 10, 5 + 3 * bit, 12, kWhite);
    }
  }
  return icon;
}

framework::TBitmap SlotIcon(int slot) {
  return FolderIcon(16, kSlotColors[static_cast<size_t>(slot - 1)], slot);
}

}  // namespace quivra::core
