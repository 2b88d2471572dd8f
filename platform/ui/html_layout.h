#ifndef QUIVRA_PLATFORM_UI_HTML_LAYOUT_H_
#define QUIVRA_PLATFORM_UI_HTML_LAYOUT_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/html_label.h"

namespace quivra::ui {

// A piece of an HTML label's text placed in the label's client area.
struct HtmlPiece {
  std::string text;
  bool bold = false;
  std::string link;
  int left = 0;
  int top = 0;
  int width = 0;
  bool operator==(const HtmlPiece&) const = default;
};

// Where an HTML label draws its text: the runs left to right, a <br> starting the next line
// `line_height` pixels lower. Lines are not wrapped: the label grows by whole lines instead.
class HtmlLayout {
 public:
  // `width_of` measures a text in the label's font, bold or not.
  HtmlLayout(const std::vector<HtmlRun>& runs,
             int line_height,
             const std::function<int(std::string_view text, bool bold)>& width_of);

  const std::vector<HtmlPiece>& Pieces() const { return pieces_; }
  // The href of the link drawn at (x, y), or empty when there is none.
  std::string LinkAt(int x, int y) const;

 private:
  std::vector<HtmlPiece> pieces_;
  int line_height_;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_HTML_LAYOUT_H_
