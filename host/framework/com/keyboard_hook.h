#ifndef QUIVRA_HOST_FRAMEWORK_COM_KEYBOARD_HOOK_H_
#define QUIVRA_HOST_FRAMEWORK_COM_KEYBOARD_HOOK_H_

#include <windows.h>

#include <memory>
#include <string>

#include "host/framework/keyboard/keyboard_hook_logic.h"
#include "platform/win32/unique_handle.h"

namespace quivra::framework::com {

// The message the keyboard hook posts to the shortcut window: wParam is the entry of the
// shortcut table to run. Registered once per process as "WM_SHORTCUTKEYDOWN".
UINT ShortcutMessage();

// Destroys a window whose procedure finds its object through GWLP_USERDATA; messages still on
// their way find no object behind it.
void DestroyObjectWindow(HWND window);

// A thread hook, removed when it goes; the shortcut window, destroyed when it goes.
using HookHandle = platform::win32::UniqueHook;
using WindowHandle = platform::win32::Unique<HWND, &DestroyObjectWindow>;

// The add-in's keyboard hook on the calling thread (WH_KEYBOARD) with its shortcut window: a
// hidden tool window of class "TNativeWindow" whose title is a new GUID. The hook asks the
// logic about every keyboard message the thread takes from its queue; a taken key press is
// swallowed and its shortcut posted to the window, whose procedure runs it once the thread
// dispatches the message. No exception leaves the hook or the window procedure.
//
// The hook created last is the current one: the hook procedure serves only it.
class TKeyboardHook : public TInstalledKeyboardHook {
 public:
  // Raises std::runtime_error when the window or the hook cannot be made.
  explicit TKeyboardHook(TKeyboardHookLogic& logic);
  ~TKeyboardHook() override;

  HWND Window() const { return window_.get(); }

  // Installs the hook for `logic` on the calling thread (a TKeyboardHookInstaller).
  static std::unique_ptr<TInstalledKeyboardHook> Install(TKeyboardHookLogic& logic);

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  LRESULT KeyMessage(int code, WPARAM wparam, LPARAM lparam);

  TKeyboardHookLogic& logic_;
  TKeyboardHook* previous_ = nullptr;
  WindowHandle window_;
  HookHandle hook_;
  // What went wrong inside the hook, reported from the window once the hook has returned.
  std::string pending_error_;
};

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_KEYBOARD_HOOK_H_
