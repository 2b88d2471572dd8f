#ifndef QUIVRA_PLATFORM_UI_WIN32_FORM_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_FORM_WINDOW_H_

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/message_box.h"
#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/win32/control_window.h"
#include "platform/ui/win32/handles.h"
#include "platform/ui/win32/thread_windows_disabled.h"
#include "platform/ui/win32/win32_ui.h"

namespace quivra::ui::win32 {

// The windows of one modal showing of a form: built from the form when it is shown, kept in
// step with it while it is up, destroyed when it closes. The form's own window runs the modal
// loop, passes what the control windows report to them, and keeps the focus and the form's
// place and size; each control's window is one of its kind (control_window.h).
class FormWindow final : public ControlHost {
 public:
  FormWindow(Form& form, platform::MessageBoxes& boxes);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  ModalResult ShowModal();

  // The window classes of forms and of the control kinds drawn here, in this module.
  static void RegisterClasses();
  static void UnregisterClasses();

 private:
  // Posted to the form window: bring the windows in step with the form; pass a control
  // window's posted message back to it (its window handle in lParam).
  static constexpr UINT kSyncMessage = WM_APP + 1;
  static constexpr UINT kPostBackMessage = WM_APP + 2;

  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  void Build();
  void BuildChildren(Control& parent, HWND parent_window);
  void Place();
  bool Run();
  // The window is to be drawn at `dpi` (it moved to a monitor of another scale, or opened on
  // one): fonts, places and pictures anew at that scale, the form fitted to its texts as that
  // scale draws them, the frame at `suggested` (Windows' rectangle for the new DPI) when given.
  void Rescale(int dpi, const RECT* suggested);
  // The user changed the system colours or high contrast: everything is drawn again in them.
  void ColorsChanged();

  // ControlHost:
  void Dispatch(const std::function<void()>& action, bool sync_later) override;
  void ShowError(const std::exception& error) override;
  HBRUSH Background() const override;
  int BackgroundIndex() const override;
  FontCache& Fonts() override { return fonts_; }
  HWND Frame() const override { return frame_.get(); }
  HWND Hints() const override { return tooltips_.get(); }
  bool PostBack(ControlWindow& window) override;

  // Runs a user action on the form and brings the windows in step at once.
  void Dispatch(const std::function<void()>& action) { Dispatch(action, false); }
  void Sync();
  void SyncFrame();
  void SyncFocus();
  ControlWindow* Find(HWND window);
  ControlWindow* Find(const Control* control);

  LRESULT OnFrameMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(ControlWindow& control, int code);
  LRESULT OnNotify(ControlWindow& control, NMHDR& header);
  bool PreTranslate(MSG& message);

  Form& form_;
  platform::MessageBoxes& boxes_;
  // The fonts and the scale of this showing, at the DPI of the window's monitor.
  FontCache fonts_;
  UniqueWindow frame_;
  // The hints of the controls; owned by the frame and destroyed before it.
  UniqueWindow tooltips_;
  HWND owner_ = nullptr;
  // The thread's other windows, disabled while the form shows.
  std::optional<ThreadWindowsDisabled> disabled_;
  bool destroyed_ = false;
  // While the view writes to the windows, the notifications this raises are not user actions.
  int writing_ = 0;
  bool sync_posted_ = false;
  Rect frame_bounds_;
  std::string frame_caption_;
  Control* focus_written_ = nullptr;
  std::vector<std::unique_ptr<ControlWindow>> controls_;
  std::unordered_map<HWND, ControlWindow*> by_window_;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_FORM_WINDOW_H_
