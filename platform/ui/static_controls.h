#ifndef QUIVRA_PLATFORM_UI_STATIC_CONTROLS_H_
#define QUIVRA_PLATFORM_UI_STATIC_CONTROLS_H_

#include <functional>
#include <string>
#include <utility>

#include "platform/ui/control.h"

// Controls that show something or hold other controls but take no input.
namespace quivra::ui {

// A line of text; its caption. A label that names an input control leads to it: its caption
// marks an access key ('&') that moves the focus to that control, which follows the label in
// the tab order. Any other label shows its caption as it is, ampersands included.
class Label : public Control {
 public:
  using Control::Control;

  Control* FocusControl() const { return focus_control_; }
  void SetFocusControl(Control* control) { focus_control_ = control; }

 private:
  Control* focus_control_ = nullptr;
};

// A framed box with its caption in the frame, holding other controls.
class GroupBox : public Control {
 public:
  using Control::Control;
};

// A plain area holding other controls.
class Panel : public Control {
 public:
  using Control::Control;
};

// A picture, by resource name. It takes clicks, like a button without a frame; one that does
// (OnClick set) is a tab stop too, pressed by Space or Enter like a button.
class Image : public Control {
 public:
  using Control::Control;

  const std::string& PictureName() const { return picture_name_; }
  void SetPictureName(std::string name) { picture_name_ = std::move(name); }

  // The user's click; nothing happens when the picture cannot be reached.
  void Click() {
    if (Reachable() && OnClick) {
      OnClick();
    }
  }

  std::function<void()> OnClick;

 private:
  std::string picture_name_;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_STATIC_CONTROLS_H_
