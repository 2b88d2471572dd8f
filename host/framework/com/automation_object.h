#ifndef QUIVRA_HOST_FRAMEWORK_COM_AUTOMATION_OBJECT_H_
#define QUIVRA_HOST_FRAMEWORK_COM_AUTOMATION_OBJECT_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <atomic>

#include "host/framework/com/adx_com_server.h"

namespace quivra::framework::com {

// A plain automation object of a coclass: IUnknown and IDispatch answered from the type
// information of the class's default interface, which it also answers to. It keeps the server
// in use while it lives.
class TadxAutomationObject : public IDispatch {
 public:
  // A TadxObjectCreator for classes whose object is a plain automation object.
  static HRESULT Create(TadxComServer& server, ITypeInfo* class_info, REFIID iid, void** object);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE
  GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id,
                                   REFIID iid,
                                   LCID locale,
                                   WORD flags,
                                   DISPPARAMS* params,
                                   VARIANT* result,
                                   EXCEPINFO* exception,
                                   UINT* bad_argument) override;

 private:
  TadxAutomationObject(TadxComServer& server,
                       Microsoft::WRL::ComPtr<ITypeInfo> dispatch_info,
                       Microsoft::WRL::ComPtr<ITypeInfo> interface_info,
                       IID default_iid);
  virtual ~TadxAutomationObject();

  TadxComServer& server_;
  Microsoft::WRL::ComPtr<ITypeInfo> dispatch_info_;   // the default interface as dispinterface
  Microsoft::WRL::ComPtr<ITypeInfo> interface_info_;  // the same, as vtable interface
  IID default_iid_;
  std::atomic<ULONG> references_{1};
};

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_AUTOMATION_OBJECT_H_
