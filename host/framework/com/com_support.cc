#include "host/framework/com/com_support.h"

#include "platform/win32/wide_text.h"

namespace quivra::framework::com {

std::string GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  ::StringFromGUID2(guid, text, 40);
  return platform::win32::WideToUtf8(text);
}

}  // namespace quivra::framework::com
