#include "addin/library_platform.h"

#include "platform/compositions/win32/win32_platform.h"

namespace quivra::addin {

platform::Platform& LibraryPlatform() {
  static platform::win32::Win32Platform windows;
  return windows.platform();
}

}  // namespace quivra::addin
