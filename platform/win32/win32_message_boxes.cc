#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "platform/win32/wide_text.h"

namespace quivra::platform::win32 {

namespace {

// Windows has no message box whose only button is Cancel. A box with a single OK button is
// shown instead, and a thread hook renames that button "Cancel" as the box is activated.
thread_local HHOOK rename_hook = nullptr;

LRESULT CALLBACK RenameOkButton(int code, WPARAM wparam, LPARAM lparam) {
  const HHOOK hook = rename_hook;
  if (code == HCBT_ACTIVATE && hook) {
    const HWND box = reinterpret_cast<HWND>(wparam);
    if (HWND ok = ::GetDlgItem(box, IDOK)) {
      ::SetWindowTextW(ok, L"Cancel");
    }
    ::UnhookWindowsHookEx(hook);
    rename_hook = nullptr;
  }
  return ::CallNextHookEx(hook, code, wparam, lparam);
}

// Removes the hook if the box never came up.
class RenameHookScope {
 public:
  RenameHookScope() {
    rename_hook = ::SetWindowsHookExW(WH_CBT, RenameOkButton, nullptr,
                                      ::GetCurrentThreadId());
  }
  ~RenameHookScope() {
    if (rename_hook) {
      ::UnhookWindowsHookEx(rename_hook);
      rename_hook = nullptr;
    }
  }
  RenameHookScope(const RenameHookScope&) = delete;
  RenameHookScope& operator=(const RenameHookScope&) = delete;
};

bool Has(const MessageBoxRequest& request, MessageButton button) {
  return std::find(request.buttons.begin(), request.buttons.end(), button) !=
         request.buttons.end();
}

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kWarning: return MB_ICONWARNING;
    case MessageIcon::kError: return MB_ICONERROR;
    case MessageIcon::kInformation: return MB_ICONINFORMATION;
    case MessageIcon::kQuestion: return MB_ICONQUESTION;
    case MessageIcon::kNone: break;
  }
  return 0;
}

}  // namespace

MessageButton Win32MessageBoxes::Show(const MessageBoxRequest& request) {
  UINT style = IconStyle(request.icon) | MB_TASKMODAL | MB_SETFOREGROUND;
  const bool cancel_only =
      request.buttons.size() == 1 && request.buttons[0] == MessageButton::kCancel;
  if (Has(request, MessageButton::kYes) && Has(request, MessageButton::kCancel)) {
    style |= MB_YESNOCANCEL;
  } else if (Has(request, MessageButton::kYes)) {
    style |= MB_YESNO;
  } else if (Has(request, MessageButton::kRetry)) {
    style |= MB_ABORTRETRYIGNORE;
  } else if (Has(request, MessageButton::kOk) && Has(request, MessageButton::kCancel)) {
    style |= MB_OKCANCEL;
  } else {
    style |= MB_OK;
  }
  int result = 0;
  {
    std::optional<RenameHookScope> rename;
    if (cancel_only) {
      rename.emplace();
    }
    result = ::MessageBoxW(::GetActiveWindow(), Utf8ToWide(request.text).c_str(),
                           Utf8ToWide(request.caption).c_str(), style);
  }
  switch (result) {
    case IDOK: return cancel_only ? MessageButton::kCancel : MessageButton::kOk;
    case IDYES: return MessageButton::kYes;
    case IDNO: return MessageButton::kNo;
    case IDRETRY: return MessageButton::kRetry;
    case IDIGNORE: return MessageButton::kIgnore;
    default: return MessageButton::kCancel;
  }
}

}  // namespace quivra::platform::win32
