#ifndef QUIVRA_XML_DOCUMENT_H_
#define QUIVRA_XML_DOCUMENT_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xml/node.h"

namespace quivra::xml {

// An XML document: an optional declaration, then top-level nodes (comments and the one
// document element).
class Document {
 public:
  Document() = default;
  Document(Document&&) = default;
  Document& operator=(Document&&) = default;

  // Parses UTF-8 text. Empty text gives no document; text that is not well-formed raises
  // ParseError. Element nesting is limited (kMaxDepth) so that hostile input cannot exhaust
  // the stack of whoever walks the tree.
  static std::optional<Document> Parse(std::string_view text);
  static constexpr int kMaxDepth = 256;

  // The text between "<?" and "?>" of the declaration, for example
  // `xml version="1.0"`; empty when the document has none.
  const std::string& Declaration() const { return declaration_; }
  void SetDeclaration(std::string declaration) { declaration_ = std::move(declaration); }

  // The top-level element, or nullptr.
  const Node* DocumentElement() const;
  Node* DocumentElement();

  // Appends a top-level node; a document holds at most one element.
  Node& AppendChild(std::unique_ptr<Node> node);

  // The document as text. Every node is written on a line of its own, indented by one
  // `indent` per level and ended by `line_break`:
  //   comment                      <!--text-->
  //   element without content      <name a="v"/>
  //   element with text only       <name a="v">text</name>
  //   element with children        <name a="v">, the children, </name>
  // Text and attribute values are escaped with EscapeText.
  std::string Serialize(std::string_view line_break, std::string_view indent) const;

 private:
  std::string declaration_;
  std::vector<std::unique_ptr<Node>> children_;
};

// `text` escaped for element content and attribute values: & " ' < > as named references,
// characters 1 ... 31 as decimal references, character 0 dropped.
std::string EscapeText(std::string_view text);

}  // namespace quivra::xml

#endif  // QUIVRA_XML_DOCUMENT_H_
