#ifndef QUIVRA_TOOLS_OLHOST_OUTLOOK_OBJECTS_H_
#define QUIVRA_TOOLS_OLHOST_OUTLOOK_OBJECTS_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <string>

#include "host/office/command_bars.h"
#include "host/outlook/outlook.h"

namespace quivra::olhost {

// Outlook's Application object over an Outlook of the product's interface (the simulated one):
// every object it hands out is a real automation object with Outlook's member names, answers
// Outlook's IIDs in QueryInterface, and raises Outlook's events through connection points.
// Failures of the Outlook behind it reach the caller as Outlook's raised errors.
// With `command_bars_of`, an explorer answers CommandBars with the command bars of its window
// (Outlook 2007); without, explorers have no CommandBars.
using CommandBarsOfWindow = std::function<office::CommandBarsPtr(std::uintptr_t window)>;
Microsoft::WRL::ComPtr<IDispatch> MakeApplicationObject(const outlook::ApplicationPtr& application,
                                                        CommandBarsOfWindow command_bars_of = {});

// Office's COMAddIn entry of one add-in: ProgId, Description, Guid, Connect and the Object
// property the add-in sets. With `refuse_object`, setting Object fails as it does where Office
// refuses it (E_ACCESSDENIED).
class COMAddInEntry;
Microsoft::WRL::ComPtr<IDispatch> MakeCOMAddInObject(const std::string& prog_id,
                                                     const std::string& description,
                                                     const std::string& guid,
                                                     bool refuse_object = false);
// The object the add-in set on its entry (none when unset), and clearing it when the add-in
// goes.
Microsoft::WRL::ComPtr<IDispatch> COMAddInObjectOf(IDispatch* entry);
void ClearCOMAddInObject(IDispatch* entry);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_OUTLOOK_OBJECTS_H_
