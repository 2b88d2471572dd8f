#ifndef QUIVRA_HOST_FRAMEWORK_COM_RIBBON_DISPATCH_H_
#define QUIVRA_HOST_FRAMEWORK_COM_RIBBON_DISPATCH_H_

#include <windows.h>

#include <oaidl.h>

#include "host/framework/module/addin.h"

namespace quivra::framework::com {

// The DISPID of a ribbon callback name that the type library does not know; false for a name
// that is no callback.
bool RibbonCallbackId(LPOLESTR name, DISPID& id);

// Whether `id` is the DISPID of a ribbon callback (and not one for the type library).
bool IsRibbonCallback(DISPID id);

// Answers Office's call of a ribbon callback: converts the arguments (the IRibbonControl, the
// pressed state of a toggle, the IRibbonUI of onLoad), calls the add-in and converts its answer
// (VT_BOOL, VT_I4, VT_BSTR, or a picture as IPictureDisp). Nothing is thrown: a failure is
// DISP_E_EXCEPTION with `exception` filled in.
HRESULT InvokeRibbonCallback(TAddin& addin,
                             DISPID id,
                             DISPPARAMS* params,
                             VARIANT* result,
                             EXCEPINFO* exception) noexcept;

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_RIBBON_DISPATCH_H_
