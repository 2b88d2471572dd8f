#include "platform/win32/com/excep_info.h"

#include <oleauto.h>

#include "platform/win32/com/bstr.h"

namespace quivra::com {

ExcepInfo::~ExcepInfo() {
  ::SysFreeString(info_.bstrSource);
  ::SysFreeString(info_.bstrDescription);
  ::SysFreeString(info_.bstrHelpFile);
}

void ExcepInfo::FillInDeferred() noexcept {
  if (info_.pfnDeferredFillIn == nullptr) {
    return;
  }
  auto fill_in = info_.pfnDeferredFillIn;
  info_.pfnDeferredFillIn = nullptr;
  fill_in(&info_);
}

std::string ExcepInfo::Description() const {
  return Utf8Of(info_.bstrDescription);
}

void ExcepInfo::Fill(EXCEPINFO* out,
                     HRESULT code,
                     const wchar_t* source,
                     const std::string& description) noexcept {
  if (out == nullptr) {
    return;
  }
  *out = EXCEPINFO{};
  out->scode = code;
  out->bstrSource = ::SysAllocString(source);
  try {
    out->bstrDescription = Bstr::FromUtf8(description).Detach();
  } catch (...) {
    // No memory for the description: the code alone reaches the caller.
  }
}

}  // namespace quivra::com
