#ifndef QUIVRA_PLATFORM_WIN32_WIDE_TEXT_H_
#define QUIVRA_PLATFORM_WIN32_WIDE_TEXT_H_

#include <string>
#include <string_view>

namespace quivra::platform::win32 {

// Conversions between the product's UTF-8 text and Windows' UTF-16 text.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// The message of a Windows error code, in UTF-8, without the trailing line break.
std::string SystemErrorText(unsigned long error);

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIDE_TEXT_H_
