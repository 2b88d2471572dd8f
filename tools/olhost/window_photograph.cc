#include "tools/olhost/window_photograph.h"

namespace quivra::olhost {

bool PhotographWindow(HWND window, const std::wstring& path) {
  // Everything is drawn now, children included, rather than when the queue runs dry.
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC window_dc = ::GetWindowDC(window);
  HDC memory = ::CreateCompatibleDC(window_dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
  ::GdiFlush();
  // GDI leaves the fourth byte of a pixel as it was; it is not transparency.
  if (bits != nullptr) {
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) {
      pixels[i] |= 0xFF000000;
    }
  }
  const DWORD size = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + size;
  HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  bool ok = out != INVALID_HANDLE_VALUE && bits != nullptr;
  if (out != INVALID_HANDLE_VALUE) {
    ok = ok && ::WriteFile(out, &file, sizeof(file), &written, nullptr) &&
         ::WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
         ::WriteFile(out, bits, size, &written, nullptr);
    ::CloseHandle(out);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, window_dc);
  return ok;
}

}  // namespace quivra::olhost
