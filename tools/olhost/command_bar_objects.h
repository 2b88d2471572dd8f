#ifndef QUIVRA_TOOLS_OLHOST_COMMAND_BAR_OBJECTS_H_
#define QUIVRA_TOOLS_OLHOST_COMMAND_BAR_OBJECTS_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <vector>

#include "host/office/command_bars.h"

namespace quivra::olhost {

// Office's CommandBars of one window over command bars of the product's interface (the simulated
// ones): CommandBars, CommandBar, CommandBarControls and CommandBarControl as automation objects
// reached by name, with Office's member names and arguments. A button answers
// IConnectionPointContainer with _CommandBarButtonEvents, whose Click (DISPID 1) carries the
// clicked button and a Boolean by reference. Office's errors reach the caller as raised errors.
Microsoft::WRL::ComPtr<IDispatch> MakeCommandBarsObject(office::CommandBarsPtr bars);

// The bits per pixel of every button picture an add-in set, in order.
std::vector<int>& PictureDepths();

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_COMMAND_BAR_OBJECTS_H_
