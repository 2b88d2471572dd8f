#include "host/framework/com/keyboard_hook.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <vector>

#include "host/framework/com/com_support.h"
#include "host/framework/module/com_addin_module.h"
#include "platform/win32/com/caught_error.h"
#include "platform/win32/this_module.h"
#include "platform/win32/wide_text.h"

namespace quivra::framework::com {

namespace {

constexpr wchar_t kWindowClass[] = L"TNativeWindow";
// Tells the shortcut window to report what went wrong inside the hook.
constexpr UINT kReportHookError = WM_USER + 0x100;

// The live hooks of the process, the current one last; all on the user-interface thread.
std::vector<TKeyboardHook*>& LiveHooks() {
  static std::vector<TKeyboardHook*> hooks;
  return hooks;
}

TKeyboardHook* CurrentHook() {
  const auto& hooks = LiveHooks();
  return hooks.empty() ? nullptr : hooks.back();
}

// A modifier counts as pressed when either of its keys is down (the high bit of its state).
bool ModifierDown(const BYTE (&state)[256], int either, int left, int right) {
  return ((state[either] | state[left] | state[right]) & 0x80) != 0;
}

// The keyboard layout's name of a key, as Windows shows it ("Num Lock", ";").
std::string LayoutKeyName(int virtual_key) {
  const UINT scan = ::MapVirtualKeyW(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC);
  if (scan == 0) {
    return {};
  }
  wchar_t name[64] = {};
  const int length = ::GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
  if (length <= 0) {
    return {};
  }
  return platform::win32::WideToUtf8(std::wstring_view(name, static_cast<size_t>(length)));
}

// The window with the focus on this thread and whether it shows the thread's caret.
TFocusedWindow FocusedWindow() {
  TFocusedWindow focused;
  const HWND focus = ::GetFocus();
  if (focus == nullptr) {
    return focused;
  }
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(focus, name, 256);
  if (length > 0) {
    focused.ClassName =
        platform::win32::WideToUtf8(std::wstring_view(name, static_cast<size_t>(length)));
  }
  // GUITHREADINFO.hwndCaret: the window that displays the thread's caret.
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (::GetGUIThreadInfo(::GetCurrentThreadId(), &info) && info.hwndCaret != nullptr) {
    focused.ShowsCaret = info.hwndCaret == focus || ::IsChild(focus, info.hwndCaret);
  }
  return focused;
}

std::wstring NewGuidTitle() {
  GUID guid = {};
  if (FAILED(::CoCreateGuid(&guid))) {
    return L"TNativeWindow";
  }
  return platform::win32::Utf8ToWide(GuidText(guid));
}

}  // namespace

UINT ShortcutMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"WM_SHORTCUTKEYDOWN");
  return message;
}

void DestroyObjectWindow(HWND window) {
  ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  ::DestroyWindow(window);
}

TKeyboardHook::TKeyboardHook(TKeyboardHookLogic& logic) : logic_(logic) {
  if (ShortcutMessage() == 0) {
    throw std::runtime_error("The shortcut message could not be registered.");
  }
  const HINSTANCE instance = platform::win32::ThisModule();
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &TKeyboardHook::WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kWindowClass;
  if (::RegisterClassExW(&window_class) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("The shortcut window class could not be registered: " +
                             platform::win32::SystemErrorText(::GetLastError()));
  }
  LiveHooks().push_back(this);
  try {
    const std::wstring title = NewGuidTitle();
    window_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, title.c_str(), WS_POPUP, 0, 0,
                                    0, 0, nullptr, nullptr, instance, this));
    if (window_.get() == nullptr) {
      throw std::runtime_error("The shortcut window could not be created: " +
                               platform::win32::SystemErrorText(::GetLastError()));
    }
    hook_.reset(::SetWindowsHookExW(WH_KEYBOARD, &TKeyboardHook::HookProc, nullptr,
                                    ::GetCurrentThreadId()));
    if (hook_.get() == nullptr) {
      throw std::runtime_error("The keyboard hook could not be installed: " +
                               platform::win32::SystemErrorText(::GetLastError()));
    }
  } catch (...) {
    hook_.reset();
    window_.reset();
    auto& hooks = LiveHooks();
    hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
    throw;
  }
  if (!logic_.KeyNames) {
    logic_.KeyNames = &LayoutKeyName;
  }
  if (!logic_.WindowInFront.Foreground) {
    logic_.WindowInFront.Foreground = [] {
      return reinterpret_cast<std::uintptr_t>(::GetForegroundWindow());
    };
  }
  if (!logic_.WindowInFront.Focused) {
    logic_.WindowInFront.Focused = &FocusedWindow;
  }
}

TKeyboardHook::~TKeyboardHook() {
  hook_.reset();
  window_.reset();
  auto& hooks = LiveHooks();
  hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
  if (hooks.empty()) {
    // A class left registered would outlive an unloaded library and point into freed code.
    ::UnregisterClassW(kWindowClass, platform::win32::ThisModule());
  }
}

std::unique_ptr<TInstalledKeyboardHook> TKeyboardHook::Install(TKeyboardHookLogic& logic) {
  return std::make_unique<TKeyboardHook>(logic);
}

LRESULT CALLBACK TKeyboardHook::HookProc(int code, WPARAM wparam, LPARAM lparam) {
  TKeyboardHook* hook = CurrentHook();
  if (code < 0 || hook == nullptr) {
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
  }
  return hook->KeyMessage(code, wparam, lparam);
}

LRESULT TKeyboardHook::KeyMessage(int code, WPARAM wparam, LPARAM lparam) {
  const HHOOK hook = hook_.get();
  if (code != HC_ACTION) {
    return ::CallNextHookEx(hook, code, wparam, lparam);
  }
  try {
    TKeyPress press;
    press.VirtualKey = static_cast<int>(wparam);
    press.KeyData = static_cast<std::uint32_t>(static_cast<std::uintptr_t>(lparam));
    // The thread's keyboard state in one call, and only for a message whose modifiers count:
    // every call reaches the window server, and key-ups and repeats need none.
    BYTE state[256] = {};
    if (TKeyboardHookLogic::UsesModifiers(press.KeyData) && ::GetKeyboardState(state)) {
      press.Ctrl = ModifierDown(state, VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
      press.Shift = ModifierDown(state, VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
      press.Alt = ModifierDown(state, VK_MENU, VK_LMENU, VK_RMENU);
    }
    const THookVerdict verdict = logic_.KeyMessage(press, window_.get() != nullptr);
    bool swallow = verdict.Action == THookVerdict::Kind::kSwallow;
    if (verdict.Action == THookVerdict::Kind::kPostShortcut) {
      // A message that cannot be posted would lose the key press: it goes on to the host.
      swallow = ::PostMessageW(window_.get(), ShortcutMessage(), static_cast<WPARAM>(verdict.Index),
                               0) != FALSE;
    }
    if (swallow) {
      logic_.KeySwallowed(verdict);
      ::CallNextHookEx(hook, code, wparam, lparam);
      return 1;
    }
  } catch (...) {
    pending_error_ = quivra::com::MessageOfCaught("Unknown exception.");
    ::PostMessageW(window_.get(), kReportHookError, 0, 0);
  }
  return ::CallNextHookEx(hook, code, wparam, lparam);
}

LRESULT CALLBACK TKeyboardHook::WindowProc(HWND window,
                                              UINT message,
                                              WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* hook = reinterpret_cast<TKeyboardHook*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (hook == nullptr) {
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  if (message == WM_QUERYENDSESSION) {
    return TRUE;
  }
  if (message == ShortcutMessage()) {
    bool ran = true;
    try {
      ran = hook->logic_.RunShortcut(static_cast<int>(wparam));
    } catch (const std::exception& error) {
      hook->logic_.Module().ReportError(error);
    } catch (...) {
      hook->logic_.Module().ReportError(std::runtime_error("Unknown exception."));
    }
    // The action may have freed the hook and this window: only the arguments are used now.
    return ran ? 0 : ::DefWindowProcW(window, message, wparam, lparam);
  }
  if (message == kReportHookError) {
    try {
      std::string text;
      text.swap(hook->pending_error_);
      if (!text.empty()) {
        hook->logic_.Module().ReportError(std::runtime_error(text));
      }
    } catch (...) {
      // Out of memory for the report itself: nothing more can be told.
    }
    return 0;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace quivra::framework::com
