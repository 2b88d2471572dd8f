#include "host/office/com/com_ribbon.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <string>
#include <utility>

#include "host/office/com/office_interfaces.h"
#include "host/office/office.h"
#include "platform/win32/wide_text.h"

namespace quivra::office::com {

namespace {

using Microsoft::WRL::ComPtr;

constexpr DISPID kInvalidate = 1;
constexpr DISPID kInvalidateControl = 2;
constexpr DISPID kControlId = 1;
constexpr DISPID kControlContext = 2;
constexpr DISPID kControlTag = 3;

// Owns a VARIANT.
class OwnedVariant {
 public:
  OwnedVariant() { ::VariantInit(&value_); }
  ~OwnedVariant() { ::VariantClear(&value_); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
  VARIANT* get() { return &value_; }

 private:
  VARIANT value_;
};

HRESULT Call(IDispatch* object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result) {
  EXCEPINFO exception{};
  const HRESULT hr =
      object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, params, result, &exception, nullptr);
  ::SysFreeString(exception.bstrSource);
  ::SysFreeString(exception.bstrDescription);
  ::SysFreeString(exception.bstrHelpFile);
  if (hr == DISP_E_EXCEPTION && FAILED(exception.scode))
    return exception.scode;
  return hr;
}

std::string Text(IDispatch* object, DISPID id) {
  OwnedVariant value;
  DISPPARAMS none{};
  if (FAILED(Call(object, id, DISPATCH_PROPERTYGET, &none, value.get())))
    return {};
  if (FAILED(::VariantChangeType(value.get(), value.get(), 0, VT_BSTR)) ||
      V_BSTR(value.get()) == nullptr) {
    return {};
  }
  return platform::win32::WideToUtf8(
      std::wstring_view(V_BSTR(value.get()), ::SysStringLen(V_BSTR(value.get()))));
}

class ComRibbonUI : public RibbonUI {
 public:
  explicit ComRibbonUI(ComPtr<IDispatch> ribbon) : ribbon_(std::move(ribbon)) {}

  void Invalidate() override {
    DISPPARAMS none{};
    Check(Call(ribbon_.Get(), kInvalidate, DISPATCH_METHOD, &none, nullptr), "Invalidate");
  }

  void InvalidateControl(const std::string& ControlID) override {
    const std::wstring wide = platform::win32::Utf8ToWide(ControlID);
    BSTR id = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (id == nullptr)
      throw OfficeError(E_OUTOFMEMORY, "Out of memory. (InvalidateControl)");
    VARIANT argument;
    ::VariantInit(&argument);
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = id;
    DISPPARAMS params{&argument, nullptr, 1, 0};
    const HRESULT hr = Call(ribbon_.Get(), kInvalidateControl, DISPATCH_METHOD, &params, nullptr);
    ::VariantClear(&argument);
    Check(hr, "InvalidateControl");
  }

 private:
  static void Check(HRESULT hr, const char* what) {
    if (FAILED(hr))
      throw OfficeError(hr, std::string("The ribbon refused ") + what + ".");
  }

  ComPtr<IDispatch> ribbon_;
};

}  // namespace

RibbonUIPtr MakeComRibbonUI(IDispatch* ribbon_ui) {
  if (ribbon_ui == nullptr)
    return nullptr;
  ComPtr<IDispatch> typed;
  if (FAILED(ribbon_ui->QueryInterface(IID_IRibbonUI,
                                       reinterpret_cast<void**>(typed.GetAddressOf()))) ||
      !typed) {
    typed = ribbon_ui;
  }
  return std::make_shared<ComRibbonUI>(std::move(typed));
}

RibbonControl ReadComRibbonControl(IUnknown* control) {
  RibbonControl read;
  ComPtr<IDispatch> typed;
  if (control == nullptr ||
      FAILED(control->QueryInterface(IID_IRibbonControl,
                                     reinterpret_cast<void**>(typed.GetAddressOf()))) ||
      !typed) {
    return read;
  }
  read.Id = Text(typed.Get(), kControlId);
  read.Tag = Text(typed.Get(), kControlTag);
  OwnedVariant context;
  DISPPARAMS none{};
  if (SUCCEEDED(Call(typed.Get(), kControlContext, DISPATCH_PROPERTYGET, &none, context.get())) &&
      V_VT(context.get()) == VT_DISPATCH && V_DISPATCH(context.get()) != nullptr) {
    IDispatch* window = V_DISPATCH(context.get());
    window->AddRef();
    read.Context = std::shared_ptr<const void>(window, [](const void* object) {
      static_cast<IDispatch*>(const_cast<void*>(object))->Release();
    });
  }
  return read;
}

}  // namespace quivra::office::com
