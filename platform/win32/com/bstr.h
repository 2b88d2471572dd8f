#ifndef QUIVRA_PLATFORM_WIN32_COM_BSTR_H_
#define QUIVRA_PLATFORM_WIN32_COM_BSTR_H_

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace quivra::com {

// Owns a BSTR.
class Bstr {
 public:
  Bstr() = default;
  // A copy of `text`; raises std::bad_alloc when the system has no memory for it.
  explicit Bstr(std::wstring_view text);
  static Bstr FromUtf8(std::string_view utf8);
  ~Bstr() { ::SysFreeString(text_); }
  Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR get() const { return text_; }
  // Frees the text held and hands out its place for a result.
  BSTR* Receive();
  // Gives the text up to a caller who frees it.
  BSTR Detach() { return std::exchange(text_, nullptr); }
  std::wstring str() const { return text_ ? std::wstring(text_, ::SysStringLen(text_)) : L""; }
  std::string Utf8() const;

 private:
  BSTR text_ = nullptr;
};

// The UTF-8 text of a BSTR owned elsewhere; empty for null.
std::string Utf8Of(BSTR text);

}  // namespace quivra::com

#endif  // QUIVRA_PLATFORM_WIN32_COM_BSTR_H_
