#ifndef QUIVRA_HOST_FRAMEWORK_COM_ADX_ADDIN_OBJECT_H_
#define QUIVRA_HOST_FRAMEWORK_COM_ADX_ADDIN_OBJECT_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <atomic>
#include <memory>

#include "host/framework/com/adx_com_server.h"
#include "host/framework/module/adx_addin.h"
#include "host/office/com/office_interfaces.h"

namespace quivra::framework::com {

// The add-in's COM object: the interfaces Office calls (IDTExtensibility2,
// IRibbonExtensibility, ICustomTaskPaneConsumer) and the IDispatch of its coclass's default
// interface, as a thin skin over the portable lifecycle (TadxAddin). Arguments are converted
// here; no exception leaves a method: a failure becomes the method's failure result.
class TadxAddinObject : public office::com::IDTExtensibility2,
                        public office::com::IRibbonExtensibility,
                        public office::com::ICustomTaskPaneConsumer {
 public:
  // Makes the object over `addin`, answering the coclass `class_info` of the server's type
  // library, and returns it as interface `iid`.
  static HRESULT Create(TadxComServer& server,
                        ITypeInfo* class_info,
                        std::unique_ptr<TadxAddin> addin,
                        REFIID iid,
                        void** object);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch, shared by every interface: the members of the default interface.
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
  // IDTExtensibility2
  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* Application,
                                         office::com::ext_ConnectMode ConnectMode,
                                         IDispatch* AddInInst,
                                         SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(office::com::ext_DisconnectMode RemoveMode,
                                            SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;
  // IRibbonExtensibility
  HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR RibbonID, BSTR* RibbonXml) override;
  // ICustomTaskPaneConsumer: the add-in has no task panes.
  HRESULT STDMETHODCALLTYPE CTPFactoryAvailable(IDispatch* CTPFactoryInst) override;

  TadxAddin& addin() { return *addin_; }

 protected:
  TadxAddinObject(TadxComServer& server,
                  std::unique_ptr<TadxAddin> addin,
                  Microsoft::WRL::ComPtr<ITypeInfo> dispatch_info,
                  Microsoft::WRL::ComPtr<ITypeInfo> interface_info,
                  IID default_iid);
  virtual ~TadxAddinObject();

 private:
  // Runs a lifecycle step; what it raises becomes the result.
  template <typename F>
  HRESULT Guarded(const char* step, F&& work) noexcept;

  TadxComServer& server_;
  std::unique_ptr<TadxAddin> addin_;
  Microsoft::WRL::ComPtr<ITypeInfo> dispatch_info_;
  Microsoft::WRL::ComPtr<ITypeInfo> interface_info_;
  IID default_iid_;
  std::atomic<ULONG> references_{1};
};

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_ADX_ADDIN_OBJECT_H_
