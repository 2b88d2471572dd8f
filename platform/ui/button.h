#ifndef QUIVRA_PLATFORM_UI_BUTTON_H_
#define QUIVRA_PLATFORM_UI_BUTTON_H_

#include <functional>
#include <string>

#include "platform/ui/control.h"

namespace quivra::ui {

// A push button. A click sets the form's modal result to the button's own (when it has one)
// and then fires OnClick.
class Button : public Control {
 public:
  using Control::Control;

  // Enter presses the default button, Esc the cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  ModalResult GetModalResult() const { return modal_result_; }
  void SetModalResult(ModalResult result) { modal_result_ = result; }

  // The user's click; nothing happens when the button cannot be reached.
  void Click();

  std::function<void()> OnClick;

 private:
  bool default_ = false;
  bool cancel_ = false;
  ModalResult modal_result_ = ModalResult::kNone;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_BUTTON_H_
