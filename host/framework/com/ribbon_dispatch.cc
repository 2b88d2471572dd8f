#include "host/framework/com/ribbon_dispatch.h"

#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <variant>

#include "host/framework/ribbon/ribbon_connection.h"
#include "host/office/com/com_ribbon.h"
#include "platform/win32/bitmap_header.h"
#include "platform/win32/com/caught_error.h"
#include "platform/win32/com/excep_info.h"
#include "platform/win32/com/variant.h"
#include "platform/win32/wide_text.h"

namespace quivra::framework::com {

namespace {

// The argument Office passed at position `index` (in call order), through a reference if it
// came as one.
const VARIANT* Argument(const DISPPARAMS& params, UINT index) {
  if (index >= params.cArgs)
    return nullptr;
  const VARIANT* argument = &params.rgvarg[params.cArgs - 1 - index];
  if (V_VT(argument) == (VT_VARIANT | VT_BYREF))
    argument = V_VARIANTREF(argument);
  return argument;
}

IUnknown* ObjectArgument(const VARIANT* argument) {
  if (argument == nullptr)
    return nullptr;
  switch (V_VT(argument)) {
    case VT_DISPATCH:
      return V_DISPATCH(argument);
    case VT_UNKNOWN:
      return V_UNKNOWN(argument);
    case VT_DISPATCH | VT_BYREF:
      return V_DISPATCHREF(argument) ? *V_DISPATCHREF(argument) : nullptr;
    case VT_UNKNOWN | VT_BYREF:
      return V_UNKNOWNREF(argument) ? *V_UNKNOWNREF(argument) : nullptr;
    default:
      return nullptr;
  }
}

bool BoolArgument(const VARIANT* argument) {
  if (argument == nullptr)
    return false;
  if (V_VT(argument) == (VT_BOOL | VT_BYREF))
    return V_BOOLREF(argument) && *V_BOOLREF(argument) != VARIANT_FALSE;
  quivra::com::Variant converted;
  return SUCCEEDED(converted.ChangeType(*argument, VT_BOOL)) &&
         V_BOOL(converted.get()) != VARIANT_FALSE;
}

// A top-down 32-bit bitmap with alpha, handed to an OLE picture that owns it.
IDispatch* Picture(const office::RibbonPicture& picture) {
  BITMAPINFO info = platform::win32::TopDownBitmapInfo(picture.Width, picture.Height);
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) {
    if (bitmap != nullptr)
      ::DeleteObject(bitmap);
    throw std::bad_alloc();
  }
  std::memcpy(bits, picture.Pixels.data(), picture.Pixels.size() * sizeof(std::uint32_t));
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(PICTDESC);
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  IDispatch* created = nullptr;
  if (FAILED(::OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                        reinterpret_cast<void**>(&created))) ||
      created == nullptr) {
    ::DeleteObject(bitmap);
    throw std::bad_alloc();
  }
  return created;
}

// Answers the value in `result`, which the caller owns; nothing is answered when this raises.
void SetResult(const office::RibbonValue& value, VARIANT* result) {
  if (result == nullptr)
    return;
  quivra::com::Variant answer;
  if (const bool* flag = std::get_if<bool>(&value)) {
    answer = quivra::com::Variant::Bool(*flag);
  } else if (const int* number = std::get_if<int>(&value)) {
    answer = quivra::com::Variant::Int(*number);
  } else if (const std::string* text = std::get_if<std::string>(&value)) {
    answer = quivra::com::Variant::Text(*text);
  } else if (const auto* picture = std::get_if<office::RibbonPicture>(&value)) {
    if (picture->Width > 0 && picture->Height > 0 &&
        picture->Pixels.size() ==
            static_cast<size_t>(picture->Width) * static_cast<size_t>(picture->Height)) {
      V_VT(answer.get()) = VT_DISPATCH;
      V_DISPATCH(answer.get()) = Picture(*picture);
    }
  }
  answer.Detach(result);
}

}  // namespace

bool RibbonCallbackId(LPOLESTR name, DISPID& id) {
  if (name == nullptr)
    return false;
  const std::optional<int> found = RibbonCallbackDispId(platform::win32::WideToUtf8(name));
  if (!found)
    return false;
  id = *found;
  return true;
}

bool IsRibbonCallback(DISPID id) {
  return !RibbonCallbackName(static_cast<int>(id)).empty();
}

HRESULT InvokeRibbonCallback(TAddin& addin,
                             DISPID id,
                             DISPPARAMS* params,
                             VARIANT* result,
                             EXCEPINFO* exception) noexcept {
  if (params == nullptr)
    return E_INVALIDARG;
  if (result != nullptr)
    ::VariantInit(result);
  try {
    const std::string name(RibbonCallbackName(static_cast<int>(id)));
    if (id == static_cast<DISPID>(TRibbonCallback::RibbonLoaded)) {
      IUnknown* ribbon = ObjectArgument(Argument(*params, 0));
      Microsoft::WRL::ComPtr<IDispatch> dispatch;
      if (ribbon != nullptr)
        ribbon->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.GetAddressOf()));
      addin.RibbonLoad(name, office::com::MakeComRibbonUI(dispatch.Get()));
      return S_OK;
    }
    if (id == static_cast<DISPID>(TRibbonCallback::GetImages)) {
      // The customUI text names no images to load.
      return S_OK;
    }
    // The callbacks answer by the control's id and tag alone: the window it shows in is not
    // asked for, which saves Office a call on each of the hundreds of callbacks of a draw.
    const office::RibbonControl control = office::com::ReadComRibbonControl(
        ObjectArgument(Argument(*params, 0)), /*read_context=*/false);
    std::optional<bool> pressed;
    if (id == static_cast<DISPID>(TRibbonCallback::OnActionState))
      pressed = BoolArgument(Argument(*params, 1));
    SetResult(addin.RibbonCallback(name, control, pressed), result);
    return S_OK;
  } catch (...) {
    quivra::com::ExcepInfo::Fill(exception, E_FAIL, L"QuivraOL",
                                 quivra::com::MessageOfCaught("Unknown exception."));
  }
  return DISP_E_EXCEPTION;
}

}  // namespace quivra::framework::com
