#ifndef QUIVRA_PLATFORM_UI_HTML_LABEL_H_
#define QUIVRA_PLATFORM_UI_HTML_LABEL_H_

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace quivra::ui {

// One piece of an HTML label's text with its look.
struct HtmlRun {
  std::string text;
  bool bold = false;
  std::string link;         // the href of an <a> around the text; empty outside links
  bool line_break = false;  // a <br>: starts a new line; text is empty
  bool operator==(const HtmlRun&) const = default;
};

// A label that renders a small subset of HTML: <b>...</b>, <br> and <a href="...">...</a>;
// other tags are dropped, and &lt; &gt; &amp; &quot; stand for their characters. Its text is a
// list of lines that are joined without a break (only <br> breaks a line). Its height grows
// with the lines it shows.
class HtmlLabel : public Control {
 public:
  using Control::Control;

  const std::vector<std::string>& HTMLText() const { return html_text_; }
  void SetHTMLText(std::vector<std::string> lines);
  void AddHTMLLine(std::string line);

  // The text as drawn, piece by piece.
  std::vector<HtmlRun> Runs() const;
  // The text without markup, lines separated by "\n".
  std::string PlainText() const;
  // The lines drawn: one more than the line breaks.
  int LineCount() const;

  // The user's click on the link with this href.
  void ClickAnchor(const std::string& href);
  // The href of the first link, which the keyboard follows; empty without links.
  std::string FirstLink() const;
  // Whether the label has a link that the form answers: such a label takes the focus, so that
  // the link can be followed without a mouse.
  bool FollowsLinks() const { return OnAnchorClick && !FirstLink().empty(); }

  std::function<void(const std::string& href)> OnAnchorClick;

 private:
  void AutoSize();

  std::vector<std::string> html_text_;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_HTML_LABEL_H_
