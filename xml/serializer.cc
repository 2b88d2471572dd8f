#include <string>

#include "xml/document.h"

namespace quivra::xml {

namespace {

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\0': break;
      default:
        if (c > 0 && c < 32) {
          out += "&#";
          out += std::to_string(static_cast<int>(c));
          out += ';';
        } else {
          out += c;
        }
    }
  }
}

class Writer {
 public:
  Writer(std::string_view line_break, std::string_view indent)
      : line_break_(line_break), indent_(indent) {}

  void Write(const Node& node, int depth) {
    for (int i = 0; i < depth; ++i) {
      out_ += indent_;
    }
    if (node.kind() == Node::Kind::kComment) {
      out_ += "<!--";
      out_ += node.Text();
      out_ += "-->";
      out_ += line_break_;
      return;
    }
    out_ += '<';
    out_ += node.Name();
    for (const Attribute& attribute : node.attributes()) {
      out_ += ' ';
      out_ += attribute.name;
      out_ += "=\"";
      AppendEscaped(out_, attribute.value);
      out_ += '"';
    }
    if (node.ChildCount() == 0 && node.Text().empty()) {
      out_ += "/>";
      out_ += line_break_;
      return;
    }
    out_ += '>';
    AppendEscaped(out_, node.Text());
    if (node.ChildCount() > 0) {
      out_ += line_break_;
      for (size_t i = 0; i < node.ChildCount(); ++i) {
        Write(node.Child(i), depth + 1);
      }
      for (int i = 0; i < depth; ++i) {
        out_ += indent_;
      }
    }
    out_ += "</";
    out_ += node.Name();
    out_ += '>';
    out_ += line_break_;
  }

  void WriteDeclaration(const std::string& declaration) {
    out_ += "<?";
    out_ += declaration;
    out_ += "?>";
    out_ += line_break_;
  }

  std::string Take() { return std::move(out_); }

 private:
  std::string_view line_break_;
  std::string_view indent_;
  std::string out_;
};

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text);
  return out;
}

std::string Document::Serialize(std::string_view line_break,
                                std::string_view indent) const {
  Writer writer(line_break, indent);
  if (!declaration_.empty()) {
    writer.WriteDeclaration(declaration_);
  }
  for (const auto& child : children_) {
    writer.Write(*child, 0);
  }
  return writer.Take();
}

const Node* Document::DocumentElement() const {
  for (const auto& child : children_) {
    if (child->kind() == Node::Kind::kElement) {
      return child.get();
    }
  }
  return nullptr;
}

Node* Document::DocumentElement() {
  return const_cast<Node*>(std::as_const(*this).DocumentElement());
}

Node& Document::AppendChild(std::unique_ptr<Node> node) {
  children_.push_back(std::move(node));
  return *children_.back();
}

}  // namespace quivra::xml
