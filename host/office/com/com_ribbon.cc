#include "host/office/com/com_ribbon.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <new>
#include <string>
#include <utility>

#include "host/office/office.h"
#include "platform/win32/com/bstr.h"
#include "platform/win32/com/excep_info.h"
#include "platform/win32/com/iids.h"
#include "platform/win32/com/variant.h"

namespace quivra::office::com {

namespace {

using Microsoft::WRL::ComPtr;
using quivra::com::Variant;

constexpr DISPID kInvalidate = 1;
constexpr DISPID kInvalidateControl = 2;
constexpr DISPID kControlId = 1;
constexpr DISPID kControlContext = 2;
constexpr DISPID kControlTag = 3;

HRESULT Call(IDispatch* object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result) {
  quivra::com::ExcepInfo exception;
  const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, params, result,
                                    exception.get(), nullptr);
  if (hr == DISP_E_EXCEPTION && FAILED(exception.ref().scode))
    return exception.ref().scode;
  return hr;
}

std::string Text(IDispatch* object, DISPID id) {
  Variant value;
  DISPPARAMS none{};
  if (FAILED(Call(object, id, DISPATCH_PROPERTYGET, &none, value.get())))
    return {};
  // Office answers with text: read it as it is, without a converted copy.
  if (V_VT(value.get()) == VT_BSTR)
    return V_BSTR(value.get()) == nullptr ? std::string()
                                          : quivra::com::Utf8Of(V_BSTR(value.get()));
  Variant text;
  if (FAILED(text.ChangeType(value.ref(), VT_BSTR)) || V_BSTR(text.get()) == nullptr)
    return {};
  return quivra::com::Utf8Of(V_BSTR(text.get()));
}

class ComRibbonUI : public RibbonUI {
 public:
  explicit ComRibbonUI(ComPtr<IDispatch> ribbon) : ribbon_(std::move(ribbon)) {}

  void Invalidate() override {
    DISPPARAMS none{};
    Check(Call(ribbon_.Get(), kInvalidate, DISPATCH_METHOD, &none, nullptr), "Invalidate");
  }

  void InvalidateControl(const std::string& ControlID) override {
    Variant argument;
    try {
      argument = Variant::Text(ControlID);
    } catch (const std::bad_alloc&) {
      throw OfficeError(E_OUTOFMEMORY, "Out of memory. (InvalidateControl)");
    }
    DISPPARAMS params{argument.get(), nullptr, 1, 0};
    Check(Call(ribbon_.Get(), kInvalidateControl, DISPATCH_METHOD, &params, nullptr),
          "InvalidateControl");
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
  if (FAILED(ribbon_ui->QueryInterface(quivra::com::IID_IRibbonUI,
                                       reinterpret_cast<void**>(typed.GetAddressOf()))) ||
      !typed) {
    typed = ribbon_ui;
  }
  return std::make_shared<ComRibbonUI>(std::move(typed));
}

RibbonControl ReadComRibbonControl(IUnknown* control, bool read_context) {
  RibbonControl read;
  ComPtr<IDispatch> typed;
  if (control == nullptr ||
      FAILED(control->QueryInterface(quivra::com::IID_IRibbonControl,
                                     reinterpret_cast<void**>(typed.GetAddressOf()))) ||
      !typed) {
    return read;
  }
  read.Id = Text(typed.Get(), kControlId);
  read.Tag = Text(typed.Get(), kControlTag);
  if (!read_context)
    return read;
  Variant context;
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
