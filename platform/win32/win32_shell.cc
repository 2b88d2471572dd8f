#include "platform/win32/win32_shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace quivra::platform::win32 {

bool Win32Shell::Open(const std::string& target) {
  const std::wstring wide = Utf8ToWide(target);
  // ShellExecute reports success with a value above 32.
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace quivra::platform::win32
