#ifndef QUIVRA_CORE_ICONS_H_
#define QUIVRA_CORE_ICONS_H_

#include <cstdint>

#include "host/framework/module/bitmap.h"

namespace quivra::core {

// The add-in's artwork, drawn in code: a folder in the given colour (0xRRGGBB) on a transparent
// background, with `mark` (0 ... 15) drawn as a row of white dots on its front so that icons of
// similar colour stay apart. A dark outline with a light rim around it keeps the folder's shape
// visible on light and dark backgrounds alike. `size` is 16 or 32.
framework::TBitmap FolderIcon(int size, std::uint32_t color, int mark);

// The icon of filing slot `slot` (1 ... 11): each slot has its own colour and mark.
framework::TBitmap SlotIcon(int slot);

}  // namespace quivra::core

#endif  // QUIVRA_CORE_ICONS_H_
