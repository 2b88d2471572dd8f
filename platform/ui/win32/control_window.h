#ifndef QUIVRA_PLATFORM_UI_WIN32_CONTROL_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_CONTROL_WINDOW_H_

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "platform/ui/control.h"
#include "platform/ui/win32/handles.h"
#include "platform/ui/win32/win32_ui.h"
#include "platform/win32/this_module.h"

namespace quivra::ui::win32 {

class ControlWindow;

using platform::win32::ThisModule;

// What a control's window needs of the form window it stands on.
class ControlHost {
 public:
  // Runs a user action on the form; what it raises is shown, and the windows are brought in
  // step afterwards: at once, or from the message queue when `sync_later` (Windows is in the
  // middle of the action itself).
  virtual void Dispatch(const std::function<void()>& action, bool sync_later) = 0;
  virtual void ShowError(const std::exception& error) = 0;
  // The brush of the form's background colour, and that colour's system index (COLOR_WINDOW or
  // COLOR_BTNFACE).
  virtual HBRUSH Background() const = 0;
  virtual int BackgroundIndex() const = 0;
  virtual FontCache& Fonts() = 0;
  // The form's own window.
  virtual HWND Frame() const = 0;
  // The window that shows the controls' hints; null when it could not be made.
  virtual HWND Hints() const = 0;
  // Posts a message to the form that comes back as `window`'s OnPosted once Windows has
  // finished what it is doing; false when it cannot be posted.
  virtual bool PostBack(ControlWindow& window) = 0;

 protected:
  ~ControlHost() = default;
};

// The window of one control of a form. Each kind of control has its own: it says how the
// window is made, writes what changed in the control to it, and turns what the user does in it
// into the control's methods and events. What all kinds share (place, font, caption, hint,
// enabled and visible) is written here, once, in that order.
class ControlWindow {
 public:
  ControlWindow(Control& control, ControlHost& host);
  virtual ~ControlWindow();
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  Control& control() const { return control_; }
  HWND window() const { return window_; }

  // Makes the window as child `id` of `parent`; null when Windows refuses (GetLastError says
  // why).
  HWND Create(HWND parent, int id);
  // Writes what changed in the control since the last time; everything the first time.
  void Sync();
  // The form's window moved to a DPI of its own: the next Sync places the window and sets its
  // font anew, and the kind redraws what it drew at the old scale.
  void Rescale() { rescale_ = true; }
  // The user changed the system's colours (high contrast on or off): what the kind drew in the
  // old colours is drawn again.
  virtual void ColorsChanged() {}

  // A WM_COMMAND notification of the window, other than gaining the focus, while the view is
  // not writing to the windows.
  virtual void OnCommand(int /*code*/) {}
  // A WM_NOTIFY of the window, other than gaining the focus, while the view is not writing to
  // the windows.
  virtual LRESULT OnNotify(NMHDR& /*header*/) { return 0; }
  // What the window posted through its host has come back.
  virtual void OnPosted() {}

 protected:
  // Child windows are clipped by their siblings: a group box does not paint over its controls.
  static constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS;

  // How the window is made.
  struct WindowKind {
    const wchar_t* window_class = L"STATIC";
    DWORD style = kChildStyle;
    DWORD ex_style = 0;
    // The window's messages pass through OnMessage before the window's own procedure.
    bool own_messages = false;
  };

  // The window's class and styles, asked for just before it is made.
  virtual WindowKind Describe() = 0;
  // Sets the window up once it is made.
  virtual void Created() {}
  // The window shows the control's caption as its text.
  virtual bool ShowsCaption() const { return false; }
  // The window's size follows its text: it is placed anew when the caption or font changes.
  virtual bool FitsText() const { return false; }
  // Where the window goes: at the control's bounds unless the kind says otherwise.
  virtual Rect Placement() { return host_.Fonts().Scale(control_.BoundsRect()); }
  // Writes what is the kind's own; `first` on the first writing.
  virtual void SyncContent(bool /*first*/) {}
  // Called from Sync after a change of DPI, once the window has its new place and font.
  virtual void Rescaled() {}
  // A message of a window made with `own_messages`: a result answers it, none passes it on to
  // the window's own procedure. What it raises is shown and the message answered with 0.
  virtual std::optional<LRESULT> OnMessage(UINT /*message*/, WPARAM /*wparam*/, LPARAM /*lparam*/) {
    return std::nullopt;
  }

  ControlHost& host() const { return host_; }
  void Dispatch(const std::function<void()>& action, bool sync_later = false) {
    host_.Dispatch(action, sync_later);
  }
  // A user's click on a button or check box: the control takes the focus, then is clicked.
  template <typename Clickable>
  void DispatchClick(Clickable& control) {
    Dispatch([&control] {
      control.SetFocus();
      control.Click();
    });
  }
  // For a window holding other controls: what they report to their parent goes on to the
  // form, as the form's own controls report to it.
  std::optional<LRESULT> ReportToForm(UINT message, WPARAM wparam, LPARAM lparam) const;

 private:
  static LRESULT CALLBACK
  Subclass(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data);
  void SyncHint();

  Control& control_;
  ControlHost& host_;
  HWND window_ = nullptr;
  // What was last written to the window.
  bool written_ = false;
  bool rescale_ = false;
  bool own_messages_ = false;
  Rect bounds_;
  Font font_;
  std::string caption_;
  std::string hint_;
  bool enabled_ = false;
  bool visible_ = false;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_CONTROL_WINDOW_H_
