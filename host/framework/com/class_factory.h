#ifndef QUIVRA_HOST_FRAMEWORK_COM_CLASS_FACTORY_H_
#define QUIVRA_HOST_FRAMEWORK_COM_CLASS_FACTORY_H_

#include <windows.h>

#include <unknwn.h>

#include "host/framework/com/com_server.h"
#include "platform/win32/com/com_object.h"

namespace quivra::framework::com {

// The class factory of one COM class of the server, made for each client that asks the server
// for it. Like every object of the server it keeps the DLL loaded while it lives. Each
// CreateInstance makes a new object (multiple instances).
class TFactory : public quivra::com::Object<IClassFactory> {
 public:
  TFactory(TComServer& server, const TFactoryDescription& description);

  // IClassFactory
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ~TFactory() override;

  TComServer& server_;
  TFactoryDescription description_;
};

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_CLASS_FACTORY_H_
