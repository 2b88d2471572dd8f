#ifndef QUIVRA_HOST_FRAMEWORK_COM_ADX_FACTORY_H_
#define QUIVRA_HOST_FRAMEWORK_COM_ADX_FACTORY_H_

#include <windows.h>

#include <unknwn.h>

#include <atomic>

#include "host/framework/com/adx_com_server.h"

namespace quivra::framework::com {

// The class factory of one COM class of the server. It lives as long as the server; its
// references are counted by the server so that the DLL stays loaded while a client holds it.
// Each CreateInstance makes a new object (multiple instances).
class TadxFactory : public IClassFactory {
 public:
  TadxFactory(TadxComServer& server, TadxFactoryDescription description);
  virtual ~TadxFactory() = default;
  TadxFactory(const TadxFactory&) = delete;
  TadxFactory& operator=(const TadxFactory&) = delete;

  const TadxFactoryDescription& description() const { return description_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IClassFactory
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  TadxComServer& server_;
  TadxFactoryDescription description_;
  std::atomic<ULONG> references_{0};
};

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_ADX_FACTORY_H_
