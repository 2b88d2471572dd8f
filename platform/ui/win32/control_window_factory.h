#ifndef QUIVRA_PLATFORM_UI_WIN32_CONTROL_WINDOW_FACTORY_H_
#define QUIVRA_PLATFORM_UI_WIN32_CONTROL_WINDOW_FACTORY_H_

#include <windows.h>

#include <memory>

#include "platform/ui/control.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// The window of a control, by its kind; a control of no known kind shows as a label.
std::unique_ptr<ControlWindow> MakeControlWindow(Control& control, ControlHost& host);

// The window classes of this module that control kinds are shown in, registered like `model`
// (its procedure and name aside); and unregistered.
void RegisterControlWindowClasses(const WNDCLASSEXW& model);
void UnregisterControlWindowClasses(HINSTANCE module);

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_CONTROL_WINDOW_FACTORY_H_
