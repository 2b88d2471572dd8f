#include "platform/win32/win32_clock.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace quivra::platform::win32 {

LocalTime Win32Clock::Now() {
  SYSTEMTIME time = {};
  ::GetLocalTime(&time);
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

std::string Win32Clock::TimeSeparator() {
  wchar_t buffer[8] = {};
  if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, buffer, 8) <= 1) {
    return ":";
  }
  return WideToUtf8(buffer);
}

}  // namespace quivra::platform::win32
