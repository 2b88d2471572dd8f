#include "core/command_bar_keys.h"

#include <cctype>

namespace quivra::core {

std::string WithAccessKey(std::string_view caption, std::string_view taken) {
  size_t free_letter = std::string_view::npos;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] != '&') {
        return std::string(caption);  // marks its own key
      }
      ++i;
      continue;
    }
    const auto c = static_cast<unsigned char>(caption[i]);
    if (free_letter == std::string_view::npos && std::isalpha(c) && c < 0x80 &&
        taken.find(static_cast<char>(std::toupper(c))) == std::string_view::npos) {
      free_letter = i;
    }
  }
  if (free_letter == std::string_view::npos) {
    return std::string(caption);
  }
  std::string marked(caption);
  marked.insert(free_letter, 1, '&');
  return marked;
}

}  // namespace quivra::core
