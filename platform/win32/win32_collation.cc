#include "platform/win32/win32_collation.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace quivra::platform::win32 {

namespace {

// The text with its accented letters decomposed into base letter and accents; the text itself
// when Windows cannot.
std::wstring Decomposed(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  const int needed = ::FoldStringW(MAP_COMPOSITE, text.c_str(), size, nullptr, 0);
  if (needed <= 0) {
    return text;
  }
  std::wstring result(static_cast<size_t>(needed), L'\0');
  const int written = ::FoldStringW(MAP_COMPOSITE, text.c_str(), size, result.data(), needed);
  if (written <= 0) {
    return text;
  }
  result.resize(static_cast<size_t>(written));
  return result;
}

// The text without its nonspacing marks (the accents of a decomposed text).
std::wstring WithoutMarks(const std::wstring& text) {
  if (text.empty()) {
    return text;
  }
  std::vector<WORD> types(text.size());
  if (!::GetStringTypeW(CT_CTYPE3, text.c_str(), static_cast<int>(text.size()), types.data())) {
    return text;
  }
  std::wstring result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if ((types[i] & C3_NONSPACING) == 0) {
      result += text[i];
    }
  }
  return result;
}

std::wstring Lowercase(const std::wstring& text) {
  if (text.empty()) {
    return text;
  }
  const int size = static_cast<int>(text.size());
  constexpr DWORD kFlags = LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING;
  const int needed = ::LCMapStringW(LOCALE_USER_DEFAULT, kFlags, text.c_str(), size, nullptr, 0);
  std::wstring result(static_cast<size_t>(needed > 0 ? needed : 0), L'\0');
  const int written = needed > 0 ? ::LCMapStringW(LOCALE_USER_DEFAULT, kFlags, text.c_str(), size,
                                                  result.data(), needed)
                                 : 0;
  if (written <= 0) {
    // Without the locale's rules: the simple lowercase of each character.
    result = text;
    ::CharLowerBuffW(result.data(), static_cast<DWORD>(result.size()));
    return result;
  }
  result.resize(static_cast<size_t>(written));
  return result;
}

}  // namespace

std::string Win32Collation::Fold(std::string_view text) {
  return WideToUtf8(Lowercase(WithoutMarks(Decomposed(Utf8ToWide(text)))));
}

int Win32Collation::Compare(std::string_view a, std::string_view b) {
  const std::wstring left = Utf8ToWide(a);
  const std::wstring right = Utf8ToWide(b);
  const int result =
      ::CompareStringW(LOCALE_USER_DEFAULT, 0, left.c_str(), static_cast<int>(left.size()),
                       right.c_str(), static_cast<int>(right.size()));
  return result == CSTR_LESS_THAN ? -1 : result == CSTR_GREATER_THAN ? 1 : 0;
}

}  // namespace quivra::platform::win32
