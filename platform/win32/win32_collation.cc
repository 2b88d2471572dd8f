#include "platform/win32/win32_collation.h"

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace quivra::platform::win32 {

int Win32Collation::Compare(std::string_view a, std::string_view b) {
  const std::wstring left = Utf8ToWide(a);
  const std::wstring right = Utf8ToWide(b);
  const int result =
      ::CompareStringW(LOCALE_USER_DEFAULT, 0, left.c_str(), static_cast<int>(left.size()),
                       right.c_str(), static_cast<int>(right.size()));
  return result == CSTR_LESS_THAN ? -1 : result == CSTR_GREATER_THAN ? 1 : 0;
}

}  // namespace quivra::platform::win32
