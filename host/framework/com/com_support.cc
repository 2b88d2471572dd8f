#include "host/framework/com/com_support.h"

#include <cstdio>

#include "platform/win32/wide_text.h"

namespace quivra::framework::com {

std::string GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  ::StringFromGUID2(guid, text, 40);
  return platform::win32::WideToUtf8(text);
}

namespace {
std::string Describe(const std::string& what, HRESULT result) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  return what + " failed (" + code + ")";
}
}  // namespace

ComError::ComError(const std::string& what, HRESULT result)
    : std::runtime_error(Describe(what, result)), result_(result) {}

void Check(HRESULT result, const char* what) {
  if (FAILED(result)) {
    throw ComError(what, result);
  }
}

}  // namespace quivra::framework::com
