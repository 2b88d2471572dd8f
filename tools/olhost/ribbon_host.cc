#include "tools/olhost/ribbon_host.h"

#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <utility>
#include <vector>

#include "host/office/com/office_interfaces.h"
#include "platform/win32/com/bstr.h"
#include "platform/win32/com/caught_error.h"
#include "platform/win32/com/excep_info.h"
#include "platform/win32/com/iids.h"
#include "platform/win32/com/variant.h"
#include "platform/win32/wide_text.h"
#include "tools/olhost/dispatch_object.h"

namespace quivra::olhost {

namespace {

// Office's IRibbonUI as the add-in receives it in onLoad: Invalidate (DISPID 1) and
// InvalidateControl (2) reach the rendered ribbon while it exists.
class RibbonUIObject : public DispatchObject {
 public:
  explicit RibbonUIObject(std::weak_ptr<office::sim::SimRibbon> ribbon)
      : DispatchObject({quivra::com::IID_IRibbonUI}), ribbon_(std::move(ribbon)) {
    AddMember(L"Invalidate", [this](const Args&, VARIANT*) {
      if (auto ribbon = ribbon_.lock())
        ribbon->Invalidate();
    });
    AddMember(L"InvalidateControl", [this](const Args& args, VARIANT*) {
      if (auto ribbon = ribbon_.lock())
        ribbon->InvalidateControl(args.Text(0));
    });
  }

 private:
  std::weak_ptr<office::sim::SimRibbon> ribbon_;
};

// Office's IRibbonControl: Id (DISPID 1), Context (2, no window here) and Tag (3).
class RibbonControlObject : public DispatchObject {
 public:
  explicit RibbonControlObject(office::RibbonControl control)
      : DispatchObject({quivra::com::IID_IRibbonControl}), control_(std::move(control)) {
    AddMember(L"Id", [this](const Args&, VARIANT* result) { ReturnText(result, control_.Id); });
    AddMember(L"Context", [](const Args&, VARIANT* result) { ReturnObject(result, nullptr); });
    AddMember(L"Tag", [this](const Args&, VARIANT* result) { ReturnText(result, control_.Tag); });
  }

 private:
  office::RibbonControl control_;
};

office::RibbonValue FromVariant(const VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_BOOL:
      return V_BOOL(&value) != VARIANT_FALSE;
    case VT_I4:
      return static_cast<int>(V_I4(&value));
    case VT_BSTR:
      return quivra::com::Utf8Of(V_BSTR(&value));
    case VT_DISPATCH: {
      // A picture: its size is what the stand-in shows of it.
      office::RibbonPicture picture;
      ComPtr<IPicture> typed;
      OLE_HANDLE handle = 0;
      BITMAP bitmap{};
      if (V_DISPATCH(&value) != nullptr &&
          SUCCEEDED(V_DISPATCH(&value)->QueryInterface(
              IID_IPicture, reinterpret_cast<void**>(typed.GetAddressOf()))) &&
          SUCCEEDED(typed->get_Handle(&handle)) &&
          ::GetObjectW(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)), sizeof bitmap,
                       &bitmap) != 0) {
        picture.Width = bitmap.bmWidth;
        picture.Height = bitmap.bmHeight < 0 ? -bitmap.bmHeight : bitmap.bmHeight;
      }
      return picture;
    }
    default:
      return {};
  }
}

}  // namespace

// The add-in as the simulated ribbon calls it, reached through COM.
class ComRibbonAddIn : public office::RibbonExtensibility {
 public:
  explicit ComRibbonAddIn(IUnknown* add_in) {
    add_in->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch_.GetAddressOf()));
    add_in->QueryInterface(quivra::com::IID_IRibbonExtensibility,
                           reinterpret_cast<void**>(ribbon_.GetAddressOf()));
  }

  std::string GetCustomUI(const std::string& RibbonID) override {
    if (!ribbon_)
      throw office::OfficeError(E_NOINTERFACE, "The add-in has no IRibbonExtensibility.");
    quivra::com::Bstr xml;
    const HRESULT result =
        ribbon_->GetCustomUI(quivra::com::Bstr::FromUtf8(RibbonID).get(), xml.Receive());
    if (FAILED(result))
      throw office::OfficeError(result, "GetCustomUI failed.");
    return xml.Utf8();
  }

  void RibbonLoad(const std::string& callback, const office::RibbonUIPtr& ribbon) override {
    auto sim = std::dynamic_pointer_cast<office::sim::SimRibbon>(ribbon);
    ComPtr<IDispatch> object = Make<RibbonUIObject>(sim);
    std::vector<VARIANT> arguments{ObjectArgument(object.Get())};
    ++ribbon_loads_;
    Call(callback, arguments);
  }

  int ribbon_loads() const { return ribbon_loads_; }

  office::RibbonValue RibbonCallback(const std::string& callback,
                                     const office::RibbonControl& control,
                                     std::optional<bool> pressed) override {
    ComPtr<IDispatch> object = Make<RibbonControlObject>(control);
    // In reverse order: the control is the last one of the array.
    std::vector<VARIANT> arguments;
    const quivra::com::Variant state = quivra::com::Variant::Bool(pressed.value_or(false));
    if (pressed) {
      arguments.push_back(state.ref());
    }
    arguments.push_back(ObjectArgument(object.Get()));
    return Call(callback, arguments);
  }

 private:
  office::RibbonValue Call(const std::string& callback, std::vector<VARIANT>& arguments) {
    if (!dispatch_)
      throw office::OfficeError(E_NOINTERFACE, "The add-in has no IDispatch.");
    std::wstring name = platform::win32::Utf8ToWide(callback);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT result = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result))
      throw office::OfficeError(result, "Unknown callback " + callback);
    DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    quivra::com::Variant value;
    quivra::com::ExcepInfo exception;
    result = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                               value.get(), exception.get(), nullptr);
    if (FAILED(result))
      throw office::OfficeError(result, callback + " failed: " + exception.Description());
    return FromVariant(value.ref());
  }

  ComPtr<IDispatch> dispatch_;
  ComPtr<office::com::IRibbonExtensibility> ribbon_;
  int ribbon_loads_ = 0;
};

RibbonHost::RibbonHost(IUnknown* add_in) : add_in_(std::make_unique<ComRibbonAddIn>(add_in)) {}

RibbonHost::~RibbonHost() = default;

HRESULT RibbonHost::Load(const std::string& RibbonID) {
  try {
    ribbon_ = office::sim::SimRibbon::Load(*add_in_, RibbonID);
    return S_OK;
  } catch (...) {
    return quivra::com::HResultFromCaught(E_FAIL);
  }
}

int RibbonHost::RibbonLoadCount() const {
  return add_in_->ribbon_loads();
}

std::string RibbonHost::CustomUI() const {
  return ribbon_ ? ribbon_->CustomUI() : std::string();
}

std::string RibbonHost::Text() {
  return ribbon_ ? ribbon_->Text() : std::string();
}

bool RibbonHost::ClickLabel(const std::string& label) {
  if (!ribbon_)
    return false;
  for (const office::sim::SimRibbonControl& control : ribbon_->Controls()) {
    if (control.Label == label && !control.Attribute("onAction").empty() &&
        ribbon_->Shown(control.Id)) {
      return ribbon_->Click(control.Id);
    }
  }
  return false;
}

bool RibbonHost::ClickId(const std::string& id) {
  return ribbon_ && ribbon_->Shown(id) && ribbon_->Click(id);
}

bool RibbonHost::Shown(const std::string& id) {
  return ribbon_ && ribbon_->Shown(id);
}

const std::vector<office::sim::SimRibbonControl>& RibbonHost::Controls() {
  static const std::vector<office::sim::SimRibbonControl> none;
  return ribbon_ ? ribbon_->Controls() : none;
}

}  // namespace quivra::olhost
