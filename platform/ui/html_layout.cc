#include "platform/ui/html_layout.h"

namespace quivra::ui {

HtmlLayout::HtmlLayout(const std::vector<HtmlRun>& runs,
                       int line_height,
                       const std::function<int(std::string_view text, bool bold)>& width_of)
    : line_height_(line_height) {
  int left = 0;
  int top = 0;
  for (const HtmlRun& run : runs) {
    if (run.line_break) {
      left = 0;
      top += line_height;
      continue;
    }
    const int width = width_of(run.text, run.bold);
    pieces_.push_back({run.text, run.bold, run.link, left, top, width});
    left += width;
  }
}

std::string HtmlLayout::LinkAt(int x, int y) const {
  for (const HtmlPiece& piece : pieces_) {
    if (!piece.link.empty() && x >= piece.left && x < piece.left + piece.width && y >= piece.top &&
        y < piece.top + line_height_) {
      return piece.link;
    }
  }
  return {};
}

}  // namespace quivra::ui
