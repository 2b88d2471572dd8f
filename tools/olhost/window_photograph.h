#ifndef QUIVRA_TOOLS_OLHOST_WINDOW_PHOTOGRAPH_H_
#define QUIVRA_TOOLS_OLHOST_WINDOW_PHOTOGRAPH_H_

#include <windows.h>

#include <string>

namespace quivra::olhost {

// Saves the window as it is on the screen, frame and children included, as a 32-bit bitmap file
// at `path`; false when it could not be drawn or written.
bool PhotographWindow(HWND window, const std::wstring& path);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_WINDOW_PHOTOGRAPH_H_
