#include "platform/ui/sim/sim_ui.h"

#include <stdexcept>

#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_view.h"
#include "platform/ui/static_controls.h"
#include "platform/ui/tree_view.h"

namespace quivra::ui::sim {

namespace {

// The first control of type T on the form, in creation order.
template <typename T>
T* FindFirst(Control& control) {
  for (Control* child : control.Controls()) {
    if (auto* found = dynamic_cast<T*>(child)) {
      return found;
    }
    if (T* found = FindFirst<T>(*child)) {
      return found;
    }
  }
  return nullptr;
}

}  // namespace

void SimUser::Fail(const std::string& what) {
  throw std::logic_error("script on " + form_.Name() + ": " + what);
}

void SimUser::Act(const std::function<void()>& action) {
  if (Closed()) {
    Fail("the form has closed");
  }
  try {
    action();
  } catch (const std::exception& error) {
    ShowEventError(boxes_, error);
  }
}

TreeView& SimUser::Tree() {
  TreeView* tree = FindFirst<TreeView>(form_);
  if (tree == nullptr) {
    Fail("no tree view");
  }
  return *tree;
}

ListView& SimUser::List() {
  ListView* list = FindFirst<ListView>(form_);
  if (list == nullptr) {
    Fail("no list view");
  }
  return *list;
}

TreeNode& SimUser::Node(std::string_view path) {
  TreeView& tree = Tree();
  TreeNode* node = nullptr;
  while (!path.empty()) {
    const size_t cut = path.find('\\');
    const std::string_view text = path.substr(0, cut);
    TreeNode* next = nullptr;
    const int count = node == nullptr ? tree.Count() : node->Count();
    for (int i = 0; i < count && next == nullptr; ++i) {
      TreeNode& candidate = node == nullptr ? tree.Item(i) : node->Item(i);
      if (candidate.Text() == text) {
        next = &candidate;
      }
    }
    if (next == nullptr) {
      Fail("no node " + std::string(text));
    }
    node = next;
    path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
  }
  if (node == nullptr) {
    Fail("empty node path");
  }
  return *node;
}

void SimUser::Click(const std::string& name) {
  Control& control = Get<Control>(name);
  Act([&control] {
    if (auto* button = dynamic_cast<Button*>(&control)) {
      button->SetFocus();
      button->Click();
    } else if (auto* box = dynamic_cast<CheckBox*>(&control)) {
      box->SetFocus();
      box->Click();
    } else if (auto* image = dynamic_cast<Image*>(&control)) {
      image->Click();
    } else {
      throw std::logic_error(control.Name() + " cannot be clicked");
    }
  });
}

void SimUser::SetChecked(const std::string& name, bool checked) {
  if (Get<CheckBox>(name).Checked() != checked) {
    Click(name);
  }
}

void SimUser::Type(const std::string& name, const std::string& text) {
  Edit& edit = Get<Edit>(name);
  Act([&edit, &text] {
    edit.SetFocus();
    edit.SetText(text);
  });
}

void SimUser::Focus(const std::string& name) {
  Control& control = Get<Control>(name);
  Act([&control] { control.SetFocus(); });
}

void SimUser::PressKey(char key) {
  Act([this, key] { form_.KeyPress(key); });
}

void SimUser::TypeKeys(std::string_view characters) {
  for (const char c : characters) {
    Act([this, c] {
      char key = c;
      if (form_.KeyPreview() && form_.OnKeyPress) {
        form_.OnKeyPress(key);
      }
      if (auto* edit = dynamic_cast<Edit*>(form_.ActiveControl()); edit != nullptr && key != 0) {
        edit->SetText(edit->Text() + key);
      }
    });
  }
}

void SimUser::PressKeyDown(int key) {
  Act([this, key] {
    int pressed = key;
    form_.KeyDown(pressed);
  });
}

void SimUser::PressF1() {
  Act([this] { form_.HelpKey(); });
}

void SimUser::CloseBox() {
  Act([this] { form_.CloseBox(); });
}

void SimUser::ClickNode(TreeNode* node) {
  TreeView& tree = Tree();
  Act([&tree, node] { tree.UserClick(node); });
}

void SimUser::SelectNode(std::string_view path) {
  ClickNode(&Node(path));
}

void SimUser::DoubleClickNode(std::string_view path) {
  TreeView& tree = Tree();
  TreeNode& node = Node(path);
  Act([&tree, &node] { tree.UserDoubleClick(&node); });
}

void SimUser::ExpandNode(std::string_view path) {
  TreeView& tree = Tree();
  TreeNode& node = Node(path);
  Act([&tree, &node] { tree.Expand(node); });
}

void SimUser::CollapseNode(std::string_view path) {
  TreeView& tree = Tree();
  TreeNode& node = Node(path);
  Act([&tree, &node] { tree.Collapse(node); });
}

void SimUser::ClickRow(int row) {
  ListView& list = List();
  Act([&list, row] { list.UserClick(row); });
}

void SimUser::DoubleClickRow(int row) {
  ListView& list = List();
  Act([&list, row] { list.UserDoubleClick(row); });
}

ModalResult SimUi::ShowModal(Form& form) {
  shown_.push_back(form.Name());
  if (scripts_.empty()) {
    throw std::logic_error("no script for the form " + form.Name());
  }
  Script script = std::move(scripts_.front());
  scripts_.pop_front();
  struct Hide {
    Form& form;
    ~Hide() { form.EndModal(); }
  } hide{form};
  form.BeginModal();
  FitToText(form, *this);
  SimUser user(form, boxes_);
  script(user);
  if (form.GetModalResult() == ModalResult::kNone) {
    throw std::logic_error("the script left the form " + form.Name() + " open");
  }
  return form.GetModalResult();
}

int SimUi::TextWidth(const Font& font, std::string_view text) {
  int characters = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++characters;
    }
  }
  return characters * (font.bold ? 7 : 6) * font.size * text_scale_ / (8 * 100);
}

int SimUi::TextHeight(const Font& font) {
  // Rounded up: a line is never shorter than the text drawn in it.
  return (13 * font.size * text_scale_ + 8 * 100 - 1) / (8 * 100);
}

}  // namespace quivra::ui::sim
