#ifndef QUIVRA_HOST_OFFICE_COM_COM_RIBBON_H_
#define QUIVRA_HOST_OFFICE_COM_COM_RIBBON_H_

#include <windows.h>

#include <oaidl.h>

#include "host/office/ribbon.h"

namespace quivra::office::com {

// Office's IRibbonUI behind the object onLoad passes; none when the object is null. Calls go
// through IDispatch by the interface's DISPIDs (Invalidate 1, InvalidateControl 2).
RibbonUIPtr MakeComRibbonUI(IDispatch* ribbon_ui);

// The Id, Tag and, with `read_context`, Context of Office's IRibbonControl behind `control`.
// An object that is no ribbon control gives an empty control (the callbacks then answer their
// defaults).
RibbonControl ReadComRibbonControl(IUnknown* control, bool read_context = true);

}  // namespace quivra::office::com

#endif  // QUIVRA_HOST_OFFICE_COM_COM_RIBBON_H_
