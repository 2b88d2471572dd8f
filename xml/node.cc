#include "xml/node.h"

namespace quivra::xml {

Node::Node(Kind kind, std::string name, std::string text)
    : kind_(kind), name_(std::move(name)), text_(std::move(text)) {}

Node::~Node() {
  // Frees the subtree without recursion, so that no depth of nesting can exhaust the stack.
  std::vector<std::unique_ptr<Node>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children_) {
      pending.push_back(std::move(child));
    }
    node->children_.clear();
  }
}

std::unique_ptr<Node> Node::Element(std::string name, std::string text) {
  return std::unique_ptr<Node>(new Node(Kind::kElement, std::move(name), std::move(text)));
}

std::unique_ptr<Node> Node::Comment(std::string text) {
  return std::unique_ptr<Node>(new Node(Kind::kComment, {}, std::move(text)));
}

Node& Node::AppendChild(std::unique_ptr<Node> child) {
  children_.push_back(std::move(child));
  return *children_.back();
}

Node& Node::AppendElement(std::string name, std::string text) {
  return AppendChild(Element(std::move(name), std::move(text)));
}

Node& Node::AppendComment(std::string text) {
  return AppendChild(Comment(std::move(text)));
}

const std::string* Node::FindAttribute(std::string_view name) const {
  for (const Attribute& attribute : attributes_) {
    if (attribute.name == name) {
      return &attribute.value;
    }
  }
  return nullptr;
}

void Node::AddAttribute(std::string name, std::string value) {
  attributes_.push_back({std::move(name), std::move(value)});
}

}  // namespace quivra::xml
