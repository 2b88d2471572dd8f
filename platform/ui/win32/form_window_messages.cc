#include "platform/ui/win32/form_window.h"

#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <stdexcept>
#include <string>

// The messages of a form's own window: what its controls report, closing, activation, the
// dialog manager's focus moves, sizes, colours and DPI, and the form's own posted messages.
namespace quivra::ui::win32 {

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[32] = {};
  ::GetClassNameW(window, name, 32);
  return name;
}

}  // namespace

LRESULT CALLBACK FormWindow::FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  try {
    return self->OnFrameMessage(window, message, wparam, lparam);
  } catch (const std::exception& error) {
    self->ShowError(error);
  } catch (...) {
    self->ShowError(std::runtime_error("An unexpected error occurred"));
  }
  return 0;
}

LRESULT FormWindow::OnFrameMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (ControlWindow* control = Find(reinterpret_cast<HWND>(lparam))) {
        OnCommand(*control, HIWORD(wparam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (ControlWindow* control = Find(header->hwndFrom)) {
        return OnNotify(*control, *header);
      }
      break;
    }
    case WM_CLOSE:
      Dispatch([this] { form_.CloseBox(); });
      return 0;
    case WM_ACTIVATE:
      // Back in front (a dialog it opened has closed), the form gives the focus back to the
      // control that had it, as a dialog does, so that the keyboard goes on where it was.
      // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-defdlgprocw
      if (LOWORD(wparam) != WA_INACTIVE) {
        ControlWindow* shown = Find(form_.ActiveControl());
        if (shown != nullptr && ::IsWindowVisible(shown->window()) &&
            ::IsWindowEnabled(shown->window())) {
          ++writing_;
          ::SetFocus(shown->window());
          --writing_;
          return 0;
        }
      }
      break;
    case WM_NEXTDLGCTL: {
      // The dialog manager asks the form to move the focus: Tab and Shift+Tab, an arrow within
      // a group, the access key of a label or group box (the focus goes to the label, then on
      // to the next control). A dialog's own procedure does this; the form's window does it
      // as documented, so that it works whoever sends it (Wine sends it to any window).
      // https://learn.microsoft.com/en-us/windows/win32/dlgbox/wm-nextdlgctl
      HWND next = LOWORD(lparam) != 0
                      ? reinterpret_cast<HWND>(wparam)
                      : ::GetNextDlgTabItem(window, ::GetFocus(), wparam != 0 ? TRUE : FALSE);
      if (next != nullptr) {
        ::SetFocus(next);
        // An edit field entered from the keyboard has its text selected, as in a dialog.
        if (LOWORD(lparam) == 0 && (::SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)) {
          ::SendMessageW(next, EM_SETSEL, 0, -1);
        }
      }
      return 0;
    }
    case WM_SIZE:
      if (writing_ == 0 && wparam != SIZE_MINIMIZED &&
          form_.GetBorderStyle() == BorderStyle::kSizeable) {
        const int width = fonts_.Unscale(LOWORD(lparam));
        const int height = fonts_.Unscale(HIWORD(lparam));
        Dispatch([this, width, height] { form_.SetClientSize(width, height); });
      }
      return 0;
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(window, &client);
      ::FillRect(reinterpret_cast<HDC>(wparam), &client, Background());
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // Labels, pictures and check boxes stand on the form's colour; a read-only or disabled
      // edit field keeps its own.
      if (form_.Color() != FormColor::kButtonFace &&
          ::lstrcmpiW(ClassOf(reinterpret_cast<HWND>(lparam)).c_str(), L"Edit") != 0) {
        ::SetBkColor(reinterpret_cast<HDC>(wparam), ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(reinterpret_cast<HDC>(wparam), ::GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(Background());
      }
      break;
    case WM_DPICHANGED:
      Rescale(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SETTINGCHANGE:
      // High contrast turned on or off comes with its colours, which WM_SYSCOLORCHANGE brings.
      if (wparam != SPI_SETHIGHCONTRAST) {
        break;
      }
      [[fallthrough]];
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      // https://learn.microsoft.com/previous-versions/windows/embedded/ms858566(v=msdn.10):
      // the high-contrast state is read again whenever the colours change.
      ColorsChanged();
      break;
    case kSyncMessage:
      sync_posted_ = false;
      Sync();
      return 0;
    case kPostBackMessage:
      if (ControlWindow* control = Find(reinterpret_cast<HWND>(lparam))) {
        control->OnPosted();
      }
      return 0;
    case WM_DESTROY:
      destroyed_ = true;
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

void FormWindow::OnCommand(ControlWindow& control, int code) {
  if (writing_ > 0) {
    return;
  }
  if (code == BN_SETFOCUS || code == EN_SETFOCUS) {
    Control& focused = control.control();
    Dispatch([&focused] { focused.SetFocus(); });
    return;
  }
  control.OnCommand(code);
}

LRESULT FormWindow::OnNotify(ControlWindow& control, NMHDR& header) {
  if (writing_ > 0) {
    // Expanding and collapsing by the view itself goes ahead.
    return 0;
  }
  if (header.code == NM_SETFOCUS) {
    Control& focused = control.control();
    Dispatch([&focused] { focused.SetFocus(); });
    return 0;
  }
  return control.OnNotify(header);
}

}  // namespace quivra::ui::win32
