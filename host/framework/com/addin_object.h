#ifndef QUIVRA_HOST_FRAMEWORK_COM_ADDIN_OBJECT_H_
#define QUIVRA_HOST_FRAMEWORK_COM_ADDIN_OBJECT_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <memory>

#include "host/framework/com/com_server.h"
#include "host/framework/module/addin.h"
#include "host/office/com/office_interfaces.h"
#include "platform/win32/com/com_object.h"

namespace quivra::framework::com {

// The add-in's COM object: the interfaces Office calls (IDTExtensibility2,
// IRibbonExtensibility, ICustomTaskPaneConsumer) and the IDispatch of its coclass's default
// interface, as a thin skin over the portable lifecycle (TAddin). Arguments are converted
// here; no exception leaves a method: a failure becomes the method's failure result. The
// add-in's own COM class derives from it and supplies the TAddin.
class TAddinObject : public quivra::com::Object<office::com::IDTExtensibility2,
                                                   office::com::IRibbonExtensibility,
                                                   office::com::ICustomTaskPaneConsumer> {
 public:
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

  TAddin& addin() { return *addin_; }

 protected:
  // The object over `addin`, of the coclass `class_id` whose default interface is
  // `default_iid`. The coclass's type information is read from the server's type library only
  // when a late-bound caller first asks for it: Office calls the add-in through its vtables,
  // and reading the library costs every start of Outlook requests to Windows.
  TAddinObject(TComServer& server,
                  REFCLSID class_id,
                  REFIID default_iid,
                  std::unique_ptr<TAddin> addin);
  ~TAddinObject() override;

  // The coclass's default interface is the IDTExtensibility2 face too.
  HRESULT QueryOther(REFIID iid, void** object) override;

 private:
  // Runs a lifecycle step; what it raises becomes the result.
  template <typename F>
  HRESULT Guarded(const char* step, F&& work) noexcept;

  // The default interface's type information, read once; a failure is returned each time.
  HRESULT LoadTypeInfo() noexcept;

  TComServer& server_;
  std::unique_ptr<TAddin> addin_;
  CLSID class_id_;
  IID default_iid_;
  Microsoft::WRL::ComPtr<ITypeInfo> dispatch_info_;
  Microsoft::WRL::ComPtr<ITypeInfo> interface_info_;
};

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_ADDIN_OBJECT_H_
