#include "platform/win32/win32_text_codec.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace quivra::platform::win32 {

std::string Win32TextCodec::SystemCodePageToUtf8(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                        wide.data(), size);
  return WideToUtf8(wide);
}

}  // namespace quivra::platform::win32
