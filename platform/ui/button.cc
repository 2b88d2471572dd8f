#include "platform/ui/button.h"

#include "platform/ui/form.h"

namespace quivra::ui {

void Button::Click() {
  if (!Reachable()) {
    return;
  }
  if (modal_result_ != ModalResult::kNone) {
    if (Form* form = OwnerForm()) {
      form->SetModalResult(modal_result_);
    }
  }
  if (OnClick) {
    OnClick();
  }
}

}  // namespace quivra::ui
