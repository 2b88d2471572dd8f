#include "platform/caption_text.h"

namespace quivra::platform {

std::string CaptionAsShown(std::string_view caption) {
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      ++i;
    }
    shown += caption[i];
  }
  return shown;
}

}  // namespace quivra::platform
