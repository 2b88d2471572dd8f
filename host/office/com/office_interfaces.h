#ifndef QUIVRA_HOST_OFFICE_COM_OFFICE_INTERFACES_H_
#define QUIVRA_HOST_OFFICE_COM_OFFICE_INTERFACES_H_

#include <windows.h>

#include <oaidl.h>

// Office's add-in interfaces that Office calls by vtable, declared from their published
// documentation, with the IIDs of the Office interfaces the add-in queries.
namespace quivra::office::com {

constexpr GUID OfficeGuid(unsigned long prefix) {
  return {prefix, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

constexpr GUID IID_IDTExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
constexpr GUID IID_IRibbonExtensibility = OfficeGuid(0x000C0396);
constexpr GUID IID_ICustomTaskPaneConsumer = OfficeGuid(0x000C033E);
constexpr GUID IID_IRibbonControl = OfficeGuid(0x000C0395);
constexpr GUID IID_IRibbonUI = OfficeGuid(0x000C03A7);
constexpr GUID IID_COMAddIn = OfficeGuid(0x000C033A);
constexpr GUID IID_CommandBars = OfficeGuid(0x000C0302);

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
  virtual HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR RibbonID, BSTR* RibbonXml) = 0;
};

struct ICustomTaskPaneConsumer : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE CTPFactoryAvailable(IDispatch* CTPFactoryInst) = 0;
};

}  // namespace quivra::office::com

#endif  // QUIVRA_HOST_OFFICE_COM_OFFICE_INTERFACES_H_
