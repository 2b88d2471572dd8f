#include "host/framework/com/automation_object.h"

#include <new>
#include <utility>

#include "host/framework/com/com_support.h"

namespace quivra::framework::com {

using Microsoft::WRL::ComPtr;

HRESULT TadxAutomationObject::Create(TadxComServer& server,
                                     ITypeInfo* class_info,
                                     REFIID iid,
                                     void** object) {
  *object = nullptr;
  // The coclass's default interface.
  TypeAttr class_attr(class_info);
  if (class_attr.get() == nullptr) {
    return E_UNEXPECTED;
  }
  ComPtr<ITypeInfo> dispatch_info;
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
  IID default_iid;
  {
    TypeAttr attr(dispatch_info.Get());
    if (attr.get() == nullptr) {
      return E_UNEXPECTED;
    }
    default_iid = attr.get()->guid;
  }
  // A dual interface's vtable half, which ITypeInfo::Invoke calls through.
  ComPtr<ITypeInfo> interface_info = dispatch_info;
  HREFTYPE vtable_reference = 0;
  ComPtr<ITypeInfo> vtable_info;
  if (SUCCEEDED(dispatch_info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable_reference)) &&
      SUCCEEDED(dispatch_info->GetRefTypeInfo(vtable_reference, &vtable_info))) {
    interface_info = vtable_info;
  }

  auto* created =
      new (std::nothrow) TadxAutomationObject(server, dispatch_info, interface_info, default_iid);
  if (created == nullptr) {
    return E_OUTOFMEMORY;
  }
  const HRESULT result = created->QueryInterface(iid, object);
  created->Release();
  return result;
}

TadxAutomationObject::TadxAutomationObject(TadxComServer& server,
                                           ComPtr<ITypeInfo> dispatch_info,
                                           ComPtr<ITypeInfo> interface_info,
                                           IID default_iid)
    : server_(server),
      dispatch_info_(std::move(dispatch_info)),
      interface_info_(std::move(interface_info)),
      default_iid_(default_iid) {
  server_.ObjectCreated();
}

TadxAutomationObject::~TadxAutomationObject() {
  server_.ObjectDestroyed();
}

HRESULT TadxAutomationObject::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, default_iid_)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TadxAutomationObject::AddRef() {
  return ++references_;
}

ULONG TadxAutomationObject::Release() {
  const ULONG remaining = --references_;
  if (remaining == 0) {
    delete this;
  }
  return remaining;
}

HRESULT TadxAutomationObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = 1;
  return S_OK;
}

HRESULT TadxAutomationObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) {
    return E_POINTER;
  }
  *info = nullptr;
  if (index != 0) {
    return DISP_E_BADINDEX;
  }
  return dispatch_info_.CopyTo(info);
}

HRESULT TadxAutomationObject::GetIDsOfNames(REFIID,
                                            LPOLESTR* names,
                                            UINT count,
                                            LCID,
                                            DISPID* ids) {
  return ::DispGetIDsOfNames(dispatch_info_.Get(), names, count, ids);
}

HRESULT TadxAutomationObject::Invoke(DISPID id,
                                     REFIID,
                                     LCID,
                                     WORD flags,
                                     DISPPARAMS* params,
                                     VARIANT* result,
                                     EXCEPINFO* exception,
                                     UINT* bad_argument) {
  return interface_info_->Invoke(static_cast<IDispatch*>(this), id, flags, params, result,
                                 exception, bad_argument);
}

}  // namespace quivra::framework::com
