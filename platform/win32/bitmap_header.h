#ifndef QUIVRA_PLATFORM_WIN32_BITMAP_HEADER_H_
#define QUIVRA_PLATFORM_WIN32_BITMAP_HEADER_H_

#include <windows.h>

namespace quivra::platform::win32 {

// The header of a top-down device-independent bitmap of that size (rows from the top, as the
// product's pictures hold their pixels), uncompressed, `bit_count` bits a pixel.
inline BITMAPINFO TopDownBitmapInfo(int width, int height, WORD bit_count = 32) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bit_count;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_BITMAP_HEADER_H_
