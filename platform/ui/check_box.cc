#include "platform/ui/check_box.h"

namespace quivra::ui {

void CheckBox::Click() {
  if (!Reachable()) {
    return;
  }
  checked_ = !checked_;
  if (OnClick) {
    OnClick();
  }
}

}  // namespace quivra::ui
