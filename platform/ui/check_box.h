#ifndef QUIVRA_PLATFORM_UI_CHECK_BOX_H_
#define QUIVRA_PLATFORM_UI_CHECK_BOX_H_

#include <functional>

#include "platform/ui/control.h"

namespace quivra::ui {

// A check box. The user's click toggles it and fires OnClick; setting the state from code does
// not fire it.
class CheckBox : public Control {
 public:
  using Control::Control;

  bool Checked() const { return checked_; }
  void SetChecked(bool value) { checked_ = value; }

  void Click();

  std::function<void()> OnClick;

 private:
  bool checked_ = false;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_CHECK_BOX_H_
