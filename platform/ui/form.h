#ifndef QUIVRA_PLATFORM_UI_FORM_H_
#define QUIVRA_PLATFORM_UI_FORM_H_

#include <functional>
#include <string>

#include "platform/ui/control.h"

namespace quivra::ui {

class Button;

enum class BorderStyle { kSizeable, kDialog };
// Where a form appears: at its designed place, or centred on the screen, the main window or the
// desktop.
enum class FormPosition { kDesigned, kScreenCenter, kMainFormCenter, kDesktopCenter };
// The colour a form's background and its labels are drawn in: the dialog face, or the window
// colour of text areas (white in the usual scheme).
enum class FormColor { kButtonFace, kWindow };

constexpr char kEnterKey = 13;
constexpr char kEscapeKey = 27;
// Keys that type no character, by their Windows virtual-key codes.
constexpr int kUpKey = 38;
constexpr int kDownKey = 40;

// A window. Its bounds are its client area, placed on the screen; Width and SetWidth of the
// window as a whole add the frame of its border style. Shown modally through the Ui seam, it
// stays up until its modal result is set.
class Form : public Control {
 public:
  explicit Form(std::string name);

  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientSize(int width, int height) { SetBounds({Left(), Top(), width, height}); }
  // The width of the window with its frame.
  int WindowWidth() const { return Width() + 2 * FrameWidth(); }
  void SetWindowWidth(int width) { SetWidth(width - 2 * FrameWidth()); }
  // The frame on either side: 3 pixels for a fixed dialog border, 4 for a sizeable one.
  int FrameWidth() const { return border_style_ == BorderStyle::kDialog ? 3 : 4; }

  BorderStyle GetBorderStyle() const { return border_style_; }
  void SetBorderStyle(BorderStyle style) { border_style_ = style; }
  // Only the close box in the title bar (no system menu, minimise or maximise).
  bool CloseBoxOnly() const { return close_box_only_; }
  void SetCloseBoxOnly(bool value) { close_box_only_ = value; }
  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition position) { position_ = position; }
  FormColor Color() const { return color_; }
  void SetColor(FormColor color) { color_ = color; }
  // The form sees key presses before the focused control (OnKeyPress).
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool value) { key_preview_ = value; }
  // The window's own icon, by resource name; empty for the application's.
  const std::string& IconName() const { return icon_name_; }
  void SetIconName(std::string name) { icon_name_ = std::move(name); }

  ModalResult GetModalResult() const { return modal_result_; }
  // Setting a result other than kNone closes a modal form.
  void SetModalResult(ModalResult result) { modal_result_ = result; }
  bool Showing() const { return showing_; }

  Control* ActiveControl() const { return active_control_; }
  // The enabled, visible button that Enter presses, and the one that Esc presses, or null.
  Button* DefaultButton();
  Button* CancelButton();

  // Called by the Ui seam around a modal showing: resets the result and fires OnShow; hides.
  void BeginModal();
  void EndModal();

  // The user's key press: Enter presses the focused button (or picture that takes clicks) or
  // else the default button, Esc
  // the cancel button; any other key, and Enter or Esc that no button takes, goes to
  // OnKeyPress when the form has key preview.
  void KeyPress(char key);
  // The user's Up or Down key: goes to OnKeyDown when the form has key preview. A key the
  // handler leaves alone moves within the focused control, as such keys do.
  void KeyDown(int& key);
  // The close box: closes with Cancel.
  void CloseBox() { SetModalResult(ModalResult::kCancel); }
  // F1: the form's help, when it has one (OnHelp); false when it has none.
  bool HelpKey() {
    if (!OnHelp) {
      return false;
    }
    OnHelp();
    return true;
  }

  std::function<void()> OnShow;
  // May set the key to 0 to mark it handled.
  std::function<void(char& key)> OnKeyPress;
  // May set the key to 0 to mark it handled.
  std::function<void(int& key)> OnKeyDown;
  // What F1 shows; empty for a form without help.
  std::function<void()> OnHelp;

 private:
  friend class Control;

  BorderStyle border_style_ = BorderStyle::kSizeable;
  bool close_box_only_ = false;
  FormPosition position_ = FormPosition::kDesigned;
  FormColor color_ = FormColor::kButtonFace;
  bool key_preview_ = false;
  std::string icon_name_;
  ModalResult modal_result_ = ModalResult::kNone;
  bool showing_ = false;
  Control* active_control_ = nullptr;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_FORM_H_
