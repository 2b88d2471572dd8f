#include "host/framework/com/addin_object.h"

#include <string>
#include <utility>

#include "host/framework/com/com_support.h"
#include "host/framework/com/ribbon_dispatch.h"
#include "host/office/com/com_command_bars.h"
#include "host/office/com/com_office.h"
#include "host/outlook/com/com_outlook.h"
#include "platform/win32/com/bstr.h"
#include "platform/win32/com/caught_error.h"
#include "platform/win32/wide_text.h"

namespace quivra::framework::com {

using Microsoft::WRL::ComPtr;

namespace {

// The coclass's default interface, as dispinterface and as the vtable interface that
// ITypeInfo::Invoke calls through.
HRESULT DefaultInterface(ITypeInfo* class_info,
                         ComPtr<ITypeInfo>& dispatch_info,
                         ComPtr<ITypeInfo>& interface_info,
                         IID& default_iid) {
  TypeAttr class_attr(class_info);
  if (class_attr.get() == nullptr) {
    return E_UNEXPECTED;
  }
  for (UINT i = 0; i < class_attr.get()->cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE reference = 0;
    if (SUCCEEDED(class_info->GetImplTypeFlags(i, &flags)) && (flags & IMPLTYPEFLAG_FDEFAULT) &&
        !(flags & IMPLTYPEFLAG_FSOURCE) &&
        SUCCEEDED(class_info->GetRefTypeOfImplType(i, &reference))) {
      class_info->GetRefTypeInfo(reference, &dispatch_info);
      break;
    }
  }
  if (!dispatch_info) {
    return E_NOINTERFACE;
  }
  {
    TypeAttr attr(dispatch_info.Get());
    if (attr.get() == nullptr) {
      return E_UNEXPECTED;
    }
    default_iid = attr.get()->guid;
  }
  interface_info = dispatch_info;
  HREFTYPE vtable_reference = 0;
  ComPtr<ITypeInfo> vtable_info;
  if (SUCCEEDED(dispatch_info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable_reference)) &&
      SUCCEEDED(dispatch_info->GetRefTypeInfo(vtable_reference, &vtable_info))) {
    interface_info = vtable_info;
  }
  return S_OK;
}

void Trace(const std::string& line) {
  ::OutputDebugStringW(platform::win32::Utf8ToWide("QuivraOL: " + line + "\n").c_str());
}

}  // namespace

TAddinObject::TAddinObject(TComServer& server,
                                 REFCLSID class_id,
                                 REFIID default_iid,
                                 std::unique_ptr<TAddin> addin)
    : server_(server), addin_(std::move(addin)), class_id_(class_id), default_iid_(default_iid) {
  server_.ObjectCreated();
}

HRESULT TAddinObject::LoadTypeInfo() noexcept {
  if (interface_info_) {
    return S_OK;
  }
  try {
    ComPtr<ITypeInfo> class_info;
    quivra::com::Check(server_.TypeLibrary()->GetTypeInfoOfGuid(class_id_, &class_info),
                       "Finding the class in the type library");
    ComPtr<ITypeInfo> dispatch_info;
    ComPtr<ITypeInfo> interface_info;
    IID library_iid{};
    quivra::com::Check(
        DefaultInterface(class_info.Get(), dispatch_info, interface_info, library_iid),
        "Finding the class's default interface");
    // The library and the object must agree on what the object answers to.
    if (!IsEqualIID(library_iid, default_iid_)) {
      return E_NOINTERFACE;
    }
    dispatch_info_ = std::move(dispatch_info);
    interface_info_ = std::move(interface_info);
    return S_OK;
  } catch (...) {
    return quivra::com::HResultFromCaught(E_UNEXPECTED);
  }
}

TAddinObject::~TAddinObject() {
  try {
    addin_.reset();
  } catch (...) {
    // Freeing the module must not take the host down.
  }
  server_.ObjectDestroyed();
}

template <typename F>
HRESULT TAddinObject::Guarded(const char* step, F&& work) noexcept {
  try {
    work();
    return S_OK;
  } catch (...) {
    const HRESULT result = quivra::com::HResultFromCaught(E_UNEXPECTED);
    try {
      const std::string what = quivra::com::MessageOfCaught("");
      if (result != E_OUTOFMEMORY && !what.empty()) {
        Trace(std::string(step) + ": " + what);
      }
    } catch (...) {
      // No memory for the trace: the result alone tells.
    }
    return result;
  }
}

HRESULT TAddinObject::QueryOther(REFIID iid, void** object) {
  if (IsEqualIID(iid, default_iid_)) {
    return HandOut(static_cast<office::com::IDTExtensibility2*>(this), object);
  }
  return E_NOINTERFACE;
}

HRESULT TAddinObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = 1;
  return S_OK;
}

HRESULT TAddinObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) {
    return E_POINTER;
  }
  *info = nullptr;
  if (index != 0) {
    return DISP_E_BADINDEX;
  }
  if (const HRESULT loaded = LoadTypeInfo(); FAILED(loaded)) {
    return loaded;
  }
  return dispatch_info_.CopyTo(info);
}

HRESULT TAddinObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  // The ribbon's callbacks first: Office asks for one by name on every callback, and the
  // type library's interface has no member of those names.
  if (names != nullptr && ids != nullptr && count == 1 && RibbonCallbackId(names[0], ids[0])) {
    return S_OK;
  }
  if (const HRESULT loaded = LoadTypeInfo(); FAILED(loaded)) {
    return loaded;
  }
  return ::DispGetIDsOfNames(dispatch_info_.Get(), names, count, ids);
}

HRESULT TAddinObject::Invoke(DISPID id,
                                REFIID,
                                LCID,
                                WORD flags,
                                DISPPARAMS* params,
                                VARIANT* result,
                                EXCEPINFO* exception,
                                UINT* bad_argument) {
  if (IsRibbonCallback(id)) {
    return InvokeRibbonCallback(*addin_, id, params, result, exception);
  }
  if (const HRESULT loaded = LoadTypeInfo(); FAILED(loaded)) {
    return loaded;
  }
  return interface_info_->Invoke(static_cast<office::com::IDTExtensibility2*>(this), id, flags,
                                 params, result, exception, bad_argument);
}

HRESULT TAddinObject::OnConnection(IDispatch* Application,
                                      office::com::ext_ConnectMode ConnectMode,
                                      IDispatch* AddInInst,
                                      SAFEARRAY**) {
  return Guarded("OnConnection", [&] {
    // The explorer command bars reach Office's CommandBars of each explorer window.
    addin_->SetCommandBarsHost({office::com::MakeComCommandBarsOf(Application),
                                [](const std::string& line) {
                                  ::OutputDebugStringA((line + "\n").c_str());
                                }});
    auto self = std::make_shared<office::com::ComAddInObject>(
        ComPtr<IDispatch>(static_cast<office::com::IDTExtensibility2*>(this)));
    addin_->OnConnection(outlook::com::MakeComApplication(Application),
                         static_cast<int>(ConnectMode), office::com::MakeComCOMAddIn(AddInInst),
                         std::move(self));
  });
}

HRESULT TAddinObject::OnDisconnection(office::com::ext_DisconnectMode RemoveMode, SAFEARRAY**) {
  // The host may drop its last reference while the module is freed.
  ComPtr<office::com::IDTExtensibility2> keep(this);
  return Guarded("OnDisconnection",
                 [&] { addin_->OnDisconnection(static_cast<int>(RemoveMode)); });
}

HRESULT TAddinObject::OnAddInsUpdate(SAFEARRAY**) {
  return Guarded("OnAddInsUpdate", [&] { addin_->OnAddInsUpdate(); });
}

HRESULT TAddinObject::OnStartupComplete(SAFEARRAY**) {
  return Guarded("OnStartupComplete", [&] { addin_->OnStartupComplete(); });
}

HRESULT TAddinObject::OnBeginShutdown(SAFEARRAY**) {
  return Guarded("OnBeginShutdown", [&] { addin_->OnBeginShutdown(); });
}

HRESULT TAddinObject::GetCustomUI(BSTR RibbonID, BSTR* RibbonXml) {
  if (RibbonXml == nullptr) {
    return E_POINTER;
  }
  *RibbonXml = nullptr;
  return Guarded("GetCustomUI", [&] {
    *RibbonXml =
        quivra::com::Bstr::FromUtf8(addin_->GetCustomUI(quivra::com::Utf8Of(RibbonID))).Detach();
  });
}

HRESULT TAddinObject::CTPFactoryAvailable(IDispatch*) {
  return S_OK;
}

}  // namespace quivra::framework::com
