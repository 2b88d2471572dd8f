#include "host/framework/com/class_factory.h"

#include "platform/win32/com/caught_error.h"

namespace quivra::framework::com {

TFactory::TFactory(TComServer& server, const TFactoryDescription& description)
    : server_(server), description_(description) {
  server_.ObjectCreated();
}

TFactory::~TFactory() {
  server_.ObjectDestroyed();
}

HRESULT TFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  *object = nullptr;
  if (outer != nullptr) {
    return CLASS_E_NOAGGREGATION;
  }
  try {
    return description_.CreateObject(server_, iid, object);
  } catch (...) {
    return quivra::com::HResultFromCaught(E_UNEXPECTED);
  }
}

HRESULT TFactory::LockServer(BOOL lock) {
  server_.LockServer(lock != FALSE);
  return S_OK;
}

}  // namespace quivra::framework::com
