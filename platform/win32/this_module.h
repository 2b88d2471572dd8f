#ifndef QUIVRA_PLATFORM_WIN32_THIS_MODULE_H_
#define QUIVRA_PLATFORM_WIN32_THIS_MODULE_H_

#include <windows.h>

namespace quivra::platform::win32 {

// The module this code is linked into: the add-in library, or a program. Window classes are
// registered under it.
inline HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_THIS_MODULE_H_
