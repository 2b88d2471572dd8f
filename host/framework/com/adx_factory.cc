#include "host/framework/com/adx_factory.h"

#include <exception>
#include <utility>

#include "host/framework/com/com_support.h"

namespace quivra::framework::com {

TadxFactory::TadxFactory(TadxComServer& server, TadxFactoryDescription description)
    : server_(server), description_(std::move(description)) {}

HRESULT TadxFactory::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TadxFactory::AddRef() {
  server_.FactoryReferenced();
  return ++references_;
}

ULONG TadxFactory::Release() {
  // The factory belongs to the server; a client's last Release only lets the DLL go.
  server_.FactoryReleased();
  return --references_;
}

HRESULT TadxFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  *object = nullptr;
  if (outer != nullptr) {
    return CLASS_E_NOAGGREGATION;
  }
  try {
    Microsoft::WRL::ComPtr<ITypeInfo> class_info;
    Check(server_.TypeLibrary()->GetTypeInfoOfGuid(description_.ClassId, &class_info),
          "Finding the class in the type library");
    return description_.CreateObject(server_, class_info.Get(), iid, object);
  } catch (const ComError& error) {
    return error.result();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT TadxFactory::LockServer(BOOL lock) {
  server_.LockServer(lock != FALSE);
  return S_OK;
}

}  // namespace quivra::framework::com
