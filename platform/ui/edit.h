#ifndef QUIVRA_PLATFORM_UI_EDIT_H_
#define QUIVRA_PLATFORM_UI_EDIT_H_

#include <functional>
#include <string>
#include <utility>

#include "platform/ui/control.h"

namespace quivra::ui {

// A single-line text field.
class Edit : public Control {
 public:
  using Control::Control;

  const std::string& Text() const { return text_; }
  // Replaces the text and fires OnChange, whether the user typed it or code set it.
  void SetText(std::string text) {
    text_ = std::move(text);
    if (OnChange) {
      OnChange();
    }
  }

  std::function<void()> OnChange;

 private:
  std::string text_;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_EDIT_H_
