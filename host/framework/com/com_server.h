#ifndef QUIVRA_HOST_FRAMEWORK_COM_COM_SERVER_H_
#define QUIVRA_HOST_FRAMEWORK_COM_COM_SERVER_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/framework/registration/registration.h"

namespace quivra::framework::com {

class TComServer;

// Creates the COM object of a class, returned as interface `iid`. The object reads its type
// information from the server's type library when a caller first needs it.
using TObjectCreator = HRESULT (*)(TComServer& server, REFIID iid, void** object);

// What a class factory is made from.
struct TFactoryDescription {
  CLSID ClassId;
  TObjectCreator CreateObject;
  // The module's registration properties, read at (un)registration.
  std::function<TRegistrationInfo()> ModuleInfo;
  std::string ThreadingModel = "Apartment";
};

// The in-process COM server: one per DLL. It knows the DLL's file, loads the type library
// embedded in it when first needed, keeps what its class factories are made from, and counts
// what keeps the DLL in use: live COM objects (class factories included) and server locks.
class TComServer {
 public:
  explicit TComServer(HMODULE module);
  ~TComServer();
  TComServer(const TComServer&) = delete;
  TComServer& operator=(const TComServer&) = delete;

  void AddFactory(TFactoryDescription description);

  // DllGetClassObject: the factory of the class, as interface `iid`.
  HRESULT GetClassObject(REFCLSID class_id, REFIID iid, void** object);
  // DllCanUnloadNow: S_OK when nothing holds the DLL, else S_FALSE.
  HRESULT CanUnloadNow() const;
  // DllRegisterServer and DllUnregisterServer: S_OK, or E_FAIL when any step failed.
  HRESULT UpdateRegistry(bool do_register);

  // The server's type library, loaded from the DLL's own file; raises ComError when it cannot
  // be loaded.
  ITypeLib* TypeLibrary();
  // The DLL's full path.
  const std::wstring& ModulePath() const { return module_path_; }

  void ObjectCreated() { ++objects_; }
  void ObjectDestroyed() { --objects_; }
  // IClassFactory::LockServer; an unlock without a lock is ignored.
  void LockServer(bool lock);

 private:
  std::wstring module_path_;
  CRITICAL_SECTION type_library_lock_;
  Microsoft::WRL::ComPtr<ITypeLib> type_library_;
  std::vector<TFactoryDescription> factories_;
  std::atomic<long> objects_{0};
  std::atomic<long> locks_{0};
};

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_COM_SERVER_H_
