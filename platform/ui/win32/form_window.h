#ifndef QUIVRA_PLATFORM_UI_WIN32_FORM_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_FORM_WINDOW_H_

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/message_box.h"
#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/list_view.h"
#include "platform/ui/tree_mirror.h"
#include "platform/ui/win32/handles.h"
#include "platform/ui/win32/win32_ui.h"

namespace quivra::ui::win32 {

// The windows of one modal showing of a form: built from the form when it is shown, kept in
// step with it while it is up, destroyed when it closes.
class FormWindow {
 public:
  FormWindow(Form& form, platform::MessageBoxes& boxes, FontCache& fonts);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  ModalResult ShowModal();

  // The window classes of forms, panels and HTML labels, in this module.
  static void RegisterClasses();
  static void UnregisterClasses();

 private:
  enum class Kind {
    kButton,
    kCheckBox,
    kEdit,
    kLabel,
    kGroupBox,
    kPanel,
    kImage,
    kHtmlLabel,
    kTreeView,
    kListView,
  };
  // A control and its window, with what was last written to the window.
  struct Binding {
    Control* control = nullptr;
    Kind kind = Kind::kLabel;
    HWND window = nullptr;
    bool written = false;
    Rect bounds;
    bool visible = false;
    bool enabled = false;
    std::string caption;
    Font font;
    bool checked = false;
    std::string text;
    std::vector<std::string> html;
    std::vector<std::tuple<std::string, int>> columns;
    std::vector<ListItem> rows;
    int row = -1;
    std::unique_ptr<TreeMirror> mirror;
    UniqueImageList state_images;
    UniqueBitmap picture;
    bool list_check_posted = false;
    std::string hint;
  };

  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK HtmlLabelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ContainerSubclass(HWND window,
                                            UINT message,
                                            WPARAM wparam,
                                            LPARAM lparam,
                                            UINT_PTR id,
                                            DWORD_PTR data);
  static LRESULT CALLBACK TreeSubclass(HWND window,
                                       UINT message,
                                       WPARAM wparam,
                                       LPARAM lparam,
                                       UINT_PTR id,
                                       DWORD_PTR data);
  // The form window a control window stands on.
  static FormWindow* Of(HWND window);

  void Build();
  void BuildChildren(Control& parent, HWND parent_window);
  HWND CreateControlWindow(Binding& binding, HWND parent_window, int id);
  void Place();
  bool Run();

  // Runs a user action on the form; what it raises is shown, and the windows are brought in
  // step afterwards (at once, or from the message queue when Windows is in the middle of the
  // action itself).
  void Dispatch(const std::function<void()>& action, bool sync_later = false);
  void ShowError(const std::exception& error);
  void Sync();
  void SyncBinding(Binding& binding);
  void SyncFrame();
  void SyncList(Binding& binding);
  void SyncHint(Binding& binding);
  // The brush of the form's background colour.
  HBRUSH Background() const;
  // Where a label's window goes: at the label's place, as wide as its text.
  Rect LabelBounds(const Control& label);
  void SyncFocus();
  Binding* Find(HWND window);
  Binding* Find(const Control* control);

  LRESULT OnFrameMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(Binding& binding, int code);
  LRESULT OnNotify(Binding& binding, NMHDR& header);
  void CheckListSelection(Binding& binding);
  bool PreTranslate(MSG& message);
  void TreeDoubleClick(Binding& binding, POINT point);
  void PaintHtmlLabel(Binding& binding, HDC dc);
  std::string LinkAt(Binding& binding, POINT point);

  Form& form_;
  platform::MessageBoxes& boxes_;
  FontCache& fonts_;
  UniqueWindow frame_;
  // The hints of the controls; owned by the frame and destroyed before it.
  UniqueWindow tooltips_;
  HWND owner_ = nullptr;
  bool destroyed_ = false;
  // While the view writes to the windows, the notifications this raises are not user actions.
  int writing_ = 0;
  bool sync_posted_ = false;
  Rect frame_bounds_;
  std::string frame_caption_;
  Control* focus_written_ = nullptr;
  std::vector<std::unique_ptr<Binding>> bindings_;
  std::unordered_map<HWND, Binding*> by_window_;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_FORM_WINDOW_H_
