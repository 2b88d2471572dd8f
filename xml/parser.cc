#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "xml/document.h"
#include "xml/utf8.h"
#include "xml/xml_error.h"

namespace quivra::xml {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameStart(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
         byte >= 0x80;
}

bool IsNameChar(char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// A single-pass parser over the whole text. Open elements are kept on an explicit stack, so
// the depth of nesting never reaches the machine stack.
class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Document Parse() {
    // XML allows the character U+0000 nowhere, not even as a reference; a run of zero bytes is
    // what a file cut short by a crash often holds, and the writer could not give it back.
    const size_t zero = text_.find('\0');
    if (zero != std::string_view::npos) {
      FailAt("the character U+0000 is not allowed", zero);
    }
    Document document;
    if (LookingAt("<?xml") && pos_ + 5 < text_.size() && IsSpace(text_[pos_ + 5])) {
      document.SetDeclaration(ReadProcessingInstruction());
    }
    ParseProlog(document);
    if (AtEnd()) {
      Fail("the document has no element");
    }
    document.AppendChild(ParseElementTree());
    ParseMisc();
    if (!AtEnd()) {
      Fail("text after the document element");
    }
    return document;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const { FailAt(what, pos_); }

  [[noreturn]] void FailAt(const std::string& what, size_t at) const {
    int line = 1;
    int column = 1;
    const size_t end = std::min(at, text_.size());
    for (size_t i = 0; i < end; ++i) {
      const char c = text_[i];
      if (c == '\n') {
        ++line;
        column = 1;
      } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
        ++column;
      }
    }
    throw ParseError(what, line, column);
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  bool LookingAt(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

  void Expect(std::string_view s, const char* what) {
    if (!LookingAt(s)) {
      Fail(what);
    }
    pos_ += s.size();
  }

  void SkipSpace() {
    while (!AtEnd() && IsSpace(text_[pos_])) {
      ++pos_;
    }
  }

  // Comments, processing instructions and white space before the document element.
  void ParseProlog(Document& document) {
    for (;;) {
      SkipSpace();
      if (LookingAt("<!--")) {
        document.AppendChild(Node::Comment(ReadComment()));
      } else if (LookingAt("<?")) {
        ReadProcessingInstruction();
      } else if (LookingAt("<!DOCTYPE")) {
        Fail("document type declarations are not supported");
      } else if (AtEnd() || LookingAt("<")) {
        return;
      } else {
        Fail("text before the document element");
      }
    }
  }

  // Comments, processing instructions and white space after the document element.
  void ParseMisc() {
    for (;;) {
      SkipSpace();
      if (LookingAt("<!--")) {
        ReadComment();
      } else if (LookingAt("<?")) {
        ReadProcessingInstruction();
      } else {
        return;
      }
    }
  }

  std::string ReadComment() {
    const size_t start = pos_;
    pos_ += 4;
    const size_t end = text_.find("--", pos_);
    if (end == std::string_view::npos) {
      FailAt("unterminated comment", start);
    }
    if (end + 2 >= text_.size() || text_[end + 2] != '>') {
      FailAt("\"--\" inside a comment", end);
    }
    std::string comment(text_.substr(pos_, end - pos_));
    pos_ = end + 3;
    return comment;
  }

  // Returns the text between "<?" and "?>".
  std::string ReadProcessingInstruction() {
    const size_t start = pos_;
    pos_ += 2;
    const size_t name_start = pos_;
    ReadName("a processing instruction needs a target");
    const std::string_view target = text_.substr(name_start, pos_ - name_start);
    if (start != 0 && (target == "xml" || target == "XML")) {
      FailAt("the XML declaration must come first", start);
    }
    const size_t end = text_.find("?>", pos_);
    if (end == std::string_view::npos) {
      FailAt("unterminated processing instruction", start);
    }
    std::string content(text_.substr(name_start, end - name_start));
    pos_ = end + 2;
    return content;
  }

  std::string_view ReadName(const char* what) {
    const size_t start = pos_;
    if (AtEnd() || !IsNameStart(text_[pos_])) {
      Fail(what);
    }
    while (!AtEnd() && IsNameChar(text_[pos_])) {
      ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }

  // Reads a reference after its "&" and appends the character it stands for.
  void ReadReference(std::string& out) {
    const size_t start = pos_ - 1;
    // The longest reference this parser knows is "&#x10FFFF;": look no further for the ";".
    const size_t semicolon = text_.substr(pos_, 10).find(';');
    const size_t end = semicolon == std::string_view::npos ? semicolon : pos_ + semicolon;
    if (end == std::string_view::npos) {
      FailAt("unterminated entity reference", start);
    }
    const std::string_view name = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (name == "amp") out += '&';
    else if (name == "lt") out += '<';
    else if (name == "gt") out += '>';
    else if (name == "quot") out += '"';
    else if (name == "apos") out += '\'';
    else if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x';
      const std::string_view digits = name.substr(hex ? 2 : 1);
      uint32_t code = 0;
      if (digits.empty()) {
        FailAt("empty character reference", start);
      }
      for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else FailAt("bad character reference", start);
        code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
        if (code > 0x10FFFF) {
          FailAt("character reference out of range", start);
        }
      }
      if (code == 0 || (code >= 0xD800 && code <= 0xDFFF)) {
        FailAt("character reference to a character XML does not allow", start);
      }
      AppendUtf8(out, code);
    } else {
      FailAt("unknown entity reference &" + std::string(name) + ";", start);
    }
  }

  // Character data up to the next "<", with references resolved and line ends normalised.
  void ReadText(std::string& out) {
    while (!AtEnd() && text_[pos_] != '<') {
      const char c = text_[pos_++];
      if (c == '&') {
        ReadReference(out);
      } else if (c == '\r') {
        out += '\n';
        if (!AtEnd() && text_[pos_] == '\n') {
          ++pos_;
        }
      } else {
        out += c;
      }
    }
  }

  std::string ReadAttributeValue() {
    if (AtEnd() || (text_[pos_] != '"' && text_[pos_] != '\'')) {
      Fail("an attribute value must be quoted");
    }
    const char quote = text_[pos_++];
    std::string value;
    for (;;) {
      if (AtEnd()) {
        Fail("unterminated attribute value");
      }
      const char c = text_[pos_++];
      if (c == quote) {
        return value;
      }
      if (c == '<') {
        FailAt("\"<\" in an attribute value", pos_ - 1);
      }
      if (c == '&') {
        ReadReference(value);
      } else if (c == '\r' || c == '\n' || c == '\t') {
        if (c == '\r' && !AtEnd() && text_[pos_] == '\n') {
          ++pos_;
        }
        value += ' ';
      } else {
        value += c;
      }
    }
  }

  // Reads a start tag after its "<"; returns the element and whether it was empty ("/>").
  std::unique_ptr<Node> ReadStartTag(bool& empty) {
    auto element = Node::Element(std::string(ReadName("an element needs a name")));
    std::unordered_set<std::string_view> names;
    for (;;) {
      const size_t before_space = pos_;
      SkipSpace();
      if (LookingAt("/>")) {
        pos_ += 2;
        empty = true;
        return element;
      }
      if (LookingAt(">")) {
        ++pos_;
        empty = false;
        return element;
      }
      if (pos_ == before_space) {
        Fail("expected \">\", \"/>\" or white space before an attribute");
      }
      const size_t name_at = pos_;
      const std::string_view name = ReadName("expected an attribute name");
      if (!names.insert(name).second) {
        FailAt("attribute \"" + std::string(name) + "\" given twice", name_at);
      }
      SkipSpace();
      Expect("=", "expected \"=\" after an attribute name");
      SkipSpace();
      element->AddAttribute(std::string(name), ReadAttributeValue());
    }
  }

  // Parses the document element and everything inside it.
  std::unique_ptr<Node> ParseElementTree() {
    if (!LookingAt("<")) {
      Fail("expected an element");
    }
    ++pos_;
    bool empty = false;
    std::unique_ptr<Node> root = ReadStartTag(empty);
    if (empty) {
      return root;
    }
    std::vector<Node*> open{root.get()};
    std::string text;
    while (!open.empty()) {
      Node& current = *open.back();
      text.clear();
      ReadText(text);
      current.AppendText(text);
      if (AtEnd()) {
        Fail("element \"" + current.Name() + "\" is not closed");
      }
      if (LookingAt("</")) {
        pos_ += 2;
        const size_t name_at = pos_;
        const std::string_view name = ReadName("an end tag needs a name");
        if (name != current.Name()) {
          FailAt("end tag \"" + std::string(name) + "\" does not match \"" +
                     current.Name() + "\"",
                 name_at);
        }
        SkipSpace();
        Expect(">", "expected \">\" to end the end tag");
        // The line breaks and indentation between child elements are not content.
        if (current.ChildCount() > 0 && IsBlank(current.Text())) {
          current.SetText({});
        }
        open.pop_back();
      } else if (LookingAt("<!--")) {
        ReadComment();
      } else if (LookingAt("<![CDATA[")) {
        const size_t start = pos_;
        pos_ += 9;
        const size_t end = text_.find("]]>", pos_);
        if (end == std::string_view::npos) {
          FailAt("unterminated CDATA section", start);
        }
        current.AppendText(text_.substr(pos_, end - pos_));
        pos_ = end + 3;
      } else if (LookingAt("<?")) {
        ReadProcessingInstruction();
      } else if (LookingAt("<!")) {
        Fail("markup declarations are not allowed inside an element");
      } else {
        ++pos_;
        bool child_empty = false;
        Node& child = current.AppendChild(ReadStartTag(child_empty));
        if (!child_empty) {
          if (static_cast<int>(open.size()) >= Document::kMaxDepth) {
            Fail("elements are nested too deeply");
          }
          open.push_back(&child);
        }
      }
    }
    return root;
  }

  static bool IsBlank(std::string_view text) {
    for (char c : text) {
      if (!IsSpace(c)) {
        return false;
      }
    }
    return true;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

std::optional<Document> Document::Parse(std::string_view text) {
  if (text.empty()) {
    return std::nullopt;
  }
  return Parser(text).Parse();
}

}  // namespace quivra::xml
