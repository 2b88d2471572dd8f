#ifndef QUIVRA_HOST_OFFICE_COM_OFFICE_INTERFACES_H_
#define QUIVRA_HOST_OFFICE_COM_OFFICE_INTERFACES_H_

#include <windows.h>

#include <oaidl.h>

#include "platform/win32/com/iids.h"

// Office's add-in interfaces that Office calls by vtable, declared from their published
// documentation; their IIDs are in platform/win32/com/iids.h.
namespace quivra::office::com {

// ext_ConnectMode and ext_DisconnectMode.
enum ext_ConnectMode : int {
  ext_cm_AfterStartup = 0,
  ext_cm_Startup = 1,
  ext_cm_External = 2,
  ext_cm_CommandLine = 3,
};
enum ext_DisconnectMode : int {
  ext_dm_HostShutdown = 0,
  ext_dm_UserClosed = 1,
};

struct IDTExtensibility2 : public IDispatch {
  static constexpr const IID& kIid = quivra::com::IID_IDTExtensibility2;
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* Application,
                                                 ext_ConnectMode ConnectMode,
                                                 IDispatch* AddInInst,
                                                 SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode RemoveMode,
                                                    SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

struct IRibbonExtensibility : public IDispatch {
  static constexpr const IID& kIid = quivra::com::IID_IRibbonExtensibility;
  virtual HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR RibbonID, BSTR* RibbonXml) = 0;
};

struct ICustomTaskPaneConsumer : public IDispatch {
  static constexpr const IID& kIid = quivra::com::IID_ICustomTaskPaneConsumer;
  virtual HRESULT STDMETHODCALLTYPE CTPFactoryAvailable(IDispatch* CTPFactoryInst) = 0;
};

}  // namespace quivra::office::com

#endif  // QUIVRA_HOST_OFFICE_COM_OFFICE_INTERFACES_H_
