#ifndef QUIVRA_PLATFORM_UI_SIM_SIM_UI_H_
#define QUIVRA_PLATFORM_UI_SIM_SIM_UI_H_

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_box.h"
#include "platform/ui/form.h"
#include "platform/ui/ui.h"

namespace quivra::ui {
class ListView;
class TreeNode;
class TreeView;
}  // namespace quivra::ui

namespace quivra::ui::sim {

// The user in front of one modally shown form. Every action goes through the same control
// methods and events as a user's action in a real window; an exception an event handler raises
// is shown by the general error display and the form stays up. Acting on a form that has
// closed is a mistake of the script (std::logic_error).
class SimUser {
 public:
  SimUser(Form& form, platform::MessageBoxes& boxes) : form_(form), boxes_(boxes) {}

  Form& form() { return form_; }
  // The control of that name, of type T (std::logic_error when there is none).
  template <typename T>
  T& Get(const std::string& name) {
    auto* control = dynamic_cast<T*>(form_.FindControl(name));
    if (control == nullptr) {
      Fail("no control " + name);
    }
    return *control;
  }
  // The node of the form's tree view at this path of node texts, joined by backslashes.
  TreeNode& Node(std::string_view path);

  // Clicks a button, a check box or a picture.
  void Click(const std::string& name);
  // Clicks the check box when its state differs.
  void SetChecked(const std::string& name, bool checked);
  // Focuses the edit and replaces its text.
  void Type(const std::string& name, const std::string& text);
  void Focus(const std::string& name);
  void PressKey(char key);
  // Types the characters on the keyboard, one by one, to whatever has the focus: each goes
  // through the form's key preview first; one it leaves alone is typed into a focused edit
  // (elsewhere it does nothing).
  void TypeKeys(std::string_view characters);
  // Up and Down, through the form's key preview; a key it leaves alone does nothing here.
  void PressUp() { PressKeyDown(kUpKey); }
  void PressDown() { PressKeyDown(kDownKey); }
  void PressKeyDown(int key);
  void PressEnter() { PressKey(kEnterKey); }
  void PressEscape() { PressKey(kEscapeKey); }
  // F1: the form's help.
  void PressF1();
  void CloseBox();

  // The form's tree view: select (null: a click beside the nodes), double-click, expand and
  // collapse by the expander.
  void ClickNode(TreeNode* node);
  void SelectNode(std::string_view path);
  void DoubleClickNode(std::string_view path);
  void ExpandNode(std::string_view path);
  void CollapseNode(std::string_view path);
  // The form's list view: select a row (-1: the empty area), double-click a row.
  void ClickRow(int row);
  void DoubleClickRow(int row);

  bool Closed() const { return form_.GetModalResult() != ModalResult::kNone; }

 private:
  [[noreturn]] void Fail(const std::string& what);
  TreeView& Tree();
  ListView& List();
  // Runs one user action as the window's message loop would.
  void Act(const std::function<void()>& action);

  Form& form_;
  platform::MessageBoxes& boxes_;
};

using Script = std::function<void(SimUser&)>;

// Plays the user for modal forms: each ShowModal takes the next script from the queue and runs
// it on the form; the script must close the form. Text is measured as 6 pixels per character
// at 8 points, 7 in bold, a line 13 pixels high, in proportion for other sizes and for the
// user's text size.
class SimUi : public Ui {
 public:
  explicit SimUi(platform::MessageBoxes& boxes) : boxes_(boxes) {}

  // Queues the script for the next form shown.
  void Expect(Script script) { scripts_.push_back(std::move(script)); }
  int PendingScripts() const { return static_cast<int>(scripts_.size()); }
  // Drops the scripts no form took.
  void ClearScripts() { scripts_.clear(); }
  // Names of the forms shown, in order.
  const std::vector<std::string>& shown() const { return shown_; }

  // The user's "make text bigger" setting: 100 (the usual size) to 225 per cent.
  void SetTextScale(int percent) { text_scale_ = percent; }

  ModalResult ShowModal(Form& form) override;
  int TextWidth(const Font& font, std::string_view text) override;
  int TextHeight(const Font& font) override;

 private:
  platform::MessageBoxes& boxes_;
  std::deque<Script> scripts_;
  std::vector<std::string> shown_;
  int text_scale_ = 100;
};

}  // namespace quivra::ui::sim

#endif  // QUIVRA_PLATFORM_UI_SIM_SIM_UI_H_
