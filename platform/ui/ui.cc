#include "platform/ui/ui.h"

#include <string>

namespace quivra::ui {

void ShowEventError(platform::MessageBoxes& boxes, const std::exception& error) {
  std::string text = error.what();
  if (!text.empty() && text.back() != '.') {
    text.push_back('.');
  }
  boxes.Show({"Error", text, platform::MessageIcon::kError, {platform::MessageButton::kOk}});
}

}  // namespace quivra::ui
