#include "platform/ui/form.h"

#include <utility>

#include "platform/ui/button.h"
#include "platform/ui/html_label.h"
#include "platform/ui/static_controls.h"

namespace quivra::ui {

namespace {

// The first reachable button below `control` for which `wanted` holds.
template <typename Predicate>
Button* FindButton(Control& control, Predicate wanted) {
  for (Control* child : control.Controls()) {
    if (auto* button = dynamic_cast<Button*>(child);
        button != nullptr && wanted(*button) && button->Reachable()) {
      return button;
    }
    if (Button* found = FindButton(*child, wanted)) {
      return found;
    }
  }
  return nullptr;
}

}  // namespace

Form::Form(std::string name) : Control(nullptr, std::move(name), {}) {}

Button* Form::DefaultButton() {
  return FindButton(*this, [](const Button& button) { return button.Default(); });
}

Button* Form::CancelButton() {
  return FindButton(*this, [](const Button& button) { return button.Cancel(); });
}

void Form::BeginModal() {
  modal_result_ = ModalResult::kNone;
  showing_ = true;
  // A window being shown takes the focus anew: the first control focused enters.
  active_control_ = nullptr;
  if (OnShow) {
    OnShow();
  }
}

void Form::EndModal() {
  showing_ = false;
}

void Form::KeyPress(char key) {
  Button* button = nullptr;
  if (key == kEnterKey) {
    // A picture that takes clicks is pressed by Enter as a button is.
    if (auto* picture = dynamic_cast<Image*>(active_control_);
        picture != nullptr && picture->OnClick) {
      picture->Click();
      return;
    }
    // Enter on a focused link follows it, as on the system's link control.
    // https://learn.microsoft.com/en-us/windows/win32/controls/syslink-overview
    if (auto* label = dynamic_cast<HtmlLabel*>(active_control_);
        label != nullptr && label->FollowsLinks()) {
      label->ClickAnchor(label->FirstLink());
      return;
    }
    button = dynamic_cast<Button*>(active_control_);
    if (button == nullptr) {
      button = DefaultButton();
    }
  } else if (key == kEscapeKey) {
    button = CancelButton();
  }
  if (button != nullptr) {
    button->Click();
    return;
  }
  if (key_preview_ && OnKeyPress) {
    OnKeyPress(key);
  }
}

void Form::KeyDown(int& key) {
  if (key_preview_ && OnKeyDown) {
    OnKeyDown(key);
  }
}

}  // namespace quivra::ui
