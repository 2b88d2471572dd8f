#ifndef QUIVRA_HOST_OFFICE_COM_COM_COMMAND_BARS_H_
#define QUIVRA_HOST_OFFICE_COM_COM_COMMAND_BARS_H_

#include <windows.h>

#include <oaidl.h>

#include <functional>

#include "host/office/command_bars.h"
#include "host/outlook/outlook.h"

namespace quivra::office::com {

// The CommandBars of an explorer window of the Outlook behind `application`, reached late-bound
// through IDispatch: the explorer is found among the application's explorers by its window.
// None when the window is not among them.
std::function<CommandBarsPtr(const outlook::ExplorerPtr&)> MakeComCommandBarsOf(
    IDispatch* application);

}  // namespace quivra::office::com

#endif  // QUIVRA_HOST_OFFICE_COM_COM_COMMAND_BARS_H_
