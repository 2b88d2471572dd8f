#ifndef QUIVRA_XML_NODE_H_
#define QUIVRA_XML_NODE_H_

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quivra::xml {

struct Attribute {
  std::string name;
  std::string value;  // unescaped
};

// An element or a comment of a document. An element has a name, attributes in document order,
// its character data (unescaped) and its child nodes. Parsed documents hold element children
// only: the line breaks and indentation between elements, comments and processing instructions
// are not nodes.
class Node {
 public:
  enum class Kind { kElement, kComment };

  static std::unique_ptr<Node> Element(std::string name, std::string text = {});
  static std::unique_ptr<Node> Comment(std::string text);

  ~Node();
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  Kind kind() const { return kind_; }
  // The element's name; empty for a comment.
  const std::string& Name() const { return name_; }
  // The element's character data, or the comment's text.
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }
  void AppendText(std::string_view text) { text_.append(text); }

  size_t ChildCount() const { return children_.size(); }
  const Node& Child(size_t index) const { return *children_.at(index); }
  Node& Child(size_t index) { return *children_.at(index); }
  // Adds `child` as the last child and returns it.
  Node& AppendChild(std::unique_ptr<Node> child);
  // Shorthands for AppendChild(Element(...)) and AppendChild(Comment(...)).
  Node& AppendElement(std::string name, std::string text = {});
  Node& AppendComment(std::string text);

  bool HasAttributes() const { return !attributes_.empty(); }
  // The value of the first attribute; the element must have one.
  const std::string& FirstAttributeValue() const { return attributes_.at(0).value; }
  const std::vector<Attribute>& attributes() const { return attributes_; }
  void AddAttribute(std::string name, std::string value);
  // The value of the attribute of that name, or none.
  const std::string* FindAttribute(std::string_view name) const;

 private:
  Node(Kind kind, std::string name, std::string text);

  Kind kind_;
  std::string name_;
  std::string text_;
  std::vector<Attribute> attributes_;
  std::vector<std::unique_ptr<Node>> children_;
};

}  // namespace quivra::xml

#endif  // QUIVRA_XML_NODE_H_
