#include "platform/win32/com/bstr.h"

#include <new>

#include "platform/win32/wide_text.h"

namespace quivra::com {

Bstr::Bstr(std::wstring_view text)
    : text_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
  if (text_ == nullptr) {
    throw std::bad_alloc();
  }
}

Bstr Bstr::FromUtf8(std::string_view utf8) {
  return Bstr(platform::win32::Utf8ToWide(utf8));
}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
  if (this != &other) {
    ::SysFreeString(text_);
    text_ = std::exchange(other.text_, nullptr);
  }
  return *this;
}

BSTR* Bstr::Receive() {
  ::SysFreeString(text_);
  text_ = nullptr;
  return &text_;
}

std::string Bstr::Utf8() const {
  return Utf8Of(text_);
}

std::string Utf8Of(BSTR text) {
  return text ? platform::win32::WideToUtf8(std::wstring_view(text, ::SysStringLen(text)))
              : std::string();
}

}  // namespace quivra::com
