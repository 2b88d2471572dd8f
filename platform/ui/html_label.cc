#include "platform/ui/html_label.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

namespace quivra::ui {

namespace {

std::string Lowercase(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return result;
}

std::string DecodeEntities(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
  std::string result;
  for (size_t i = 0; i < text.size();) {
    bool decoded = false;
    for (const auto& [entity, character] : kEntities) {
      if (text.substr(i, entity.size()) == entity) {
        result.push_back(character);
        i += entity.size();
        decoded = true;
        break;
      }
    }
    if (!decoded) {
      result.push_back(text[i++]);
    }
  }
  return result;
}

// The href value of an <a ...> tag's inside, quoted or not.
std::string HrefOf(std::string_view tag) {
  const size_t at = Lowercase(tag).find("href=");
  if (at == std::string::npos) {
    return {};
  }
  std::string_view value = tag.substr(at + 5);
  if (!value.empty() && (value.front() == '"' || value.front() == '\'')) {
    const char quote = value.front();
    value.remove_prefix(1);
    return std::string(value.substr(0, value.find(quote)));
  }
  return std::string(value.substr(0, value.find_first_of(" \t>")));
}

}  // namespace

void HtmlLabel::SetHTMLText(std::vector<std::string> lines) {
  html_text_ = std::move(lines);
  AutoSize();
}

void HtmlLabel::AddHTMLLine(std::string line) {
  html_text_.push_back(std::move(line));
  AutoSize();
}

std::vector<HtmlRun> HtmlLabel::Runs() const {
  std::string html;
  for (const std::string& line : html_text_) {
    html += line;
  }
  std::vector<HtmlRun> runs;
  int bold = 0;
  std::string link;
  auto add_text = [&](std::string_view text) {
    if (!text.empty()) {
      runs.push_back({DecodeEntities(text), bold > 0, link, false});
    }
  };
  size_t i = 0;
  while (i < html.size()) {
    const size_t open = html.find('<', i);
    const size_t close = open == std::string::npos ? open : html.find('>', open);
    if (close == std::string::npos) {
      add_text(std::string_view(html).substr(i));
      break;
    }
    add_text(std::string_view(html).substr(i, open - i));
    const std::string_view inside = std::string_view(html).substr(open + 1, close - open - 1);
    const std::string tag = Lowercase(inside.substr(0, inside.find_first_of(" \t/", 1)));
    if (tag == "b") {
      ++bold;
    } else if (tag == "/b") {
      bold = std::max(0, bold - 1);
    } else if (tag == "br") {
      runs.push_back({"", false, "", true});
    } else if (tag == "a") {
      link = HrefOf(inside);
    } else if (tag == "/a") {
      link.clear();
    }
    i = close + 1;
  }
  return runs;
}

std::string HtmlLabel::PlainText() const {
  std::string text;
  for (const HtmlRun& run : Runs()) {
    text += run.line_break ? "\n" : run.text;
  }
  return text;
}

int HtmlLabel::LineCount() const {
  const std::vector<HtmlRun> runs = Runs();
  return 1 + static_cast<int>(std::count_if(runs.begin(), runs.end(),
                                            [](const HtmlRun& run) { return run.line_break; }));
}

void HtmlLabel::ClickAnchor(const std::string& href) {
  if (Reachable() && OnAnchorClick) {
    OnAnchorClick(href);
  }
}

std::string HtmlLabel::FirstLink() const {
  for (const HtmlRun& run : Runs()) {
    if (!run.link.empty()) {
      return run.link;
    }
  }
  return "";
}

void HtmlLabel::AutoSize() {
  // A line is the font's height plus a little leading: 13 pixels at 8 points.
  SetHeight(LineCount() * (GetFont().size + 5));
}

}  // namespace quivra::ui
