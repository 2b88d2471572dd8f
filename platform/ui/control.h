#ifndef QUIVRA_PLATFORM_UI_CONTROL_H_
#define QUIVRA_PLATFORM_UI_CONTROL_H_

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quivra::ui {

class Form;

// How a form closed.
enum class ModalResult { kNone, kOk, kCancel };

// A control's place: its top-left corner in its parent's client area, and its size, in pixels.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// The edges of its parent a control keeps its distance to when the parent is resized. Anchored
// to left and right, it stretches; to the right only, it moves.
enum Anchor : unsigned {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
};
using Anchors = unsigned;
constexpr Anchors kDefaultAnchors = kAnchorLeft | kAnchorTop;

struct Font {
  std::string name;
  int size = 8;  // points
  bool bold = false;
  bool operator==(const Font&) const = default;
};

// What every control of a form has: a name, a parent, its place and anchors, a caption, its own
// font or its parent's, visibility, enabled state and tab order. Controls register with their
// parent when constructed and leave it when destroyed; the form that declares them owns them.
class Control {
 public:
  Control(Control* parent, std::string name, Rect bounds);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Controls() const { return children_; }
  // The form the control stands on; a form is its own.
  Form* OwnerForm();
  // The descendant of that name, or null.
  Control* FindControl(const std::string& name);

  const Rect& BoundsRect() const { return bounds_; }
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  // Moves and resizes the control; its children follow their anchors.
  void SetBounds(Rect bounds);
  void SetWidth(int width);
  void SetHeight(int height);
  Anchors GetAnchors() const { return anchors_; }
  void SetAnchors(Anchors anchors) { anchors_ = anchors; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  // The control's own font, or its parent's when it has none (a form without one: MS Sans
  // Serif 8 pt).
  Font GetFont() const;
  void SetFont(Font font) { font_ = std::move(font); }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  // Visible and enabled, and so are all its parents: the user can reach it.
  bool Reachable() const;
  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int order) { tab_order_ = order; }
  // A number for the form's own use: one handler serving like controls tells them apart by it.
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  // The tip shown while the pointer rests on the control.
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); }
  // What a screen reader announces for the control: its name, when neither its caption nor the
  // label before it says what it is, and a description of its state (a find box's match count).
  const std::string& AccessibleName() const { return accessible_name_; }
  void SetAccessibleName(std::string name) { accessible_name_ = std::move(name); }
  const std::string& AccessibleDescription() const { return accessible_description_; }
  void SetAccessibleDescription(std::string text) { accessible_description_ = std::move(text); }

  // Gives the control the input focus (OnExit of the control that had it, then OnEnter).
  void SetFocus();
  bool Focused();

  std::function<void()> OnEnter;
  std::function<void()> OnExit;

 private:
  void ParentResized(int dx, int dy);

  Control* parent_;
  std::string name_;
  Rect bounds_;
  Anchors anchors_ = kDefaultAnchors;
  std::string caption_;
  std::optional<Font> font_;
  bool visible_ = true;
  bool enabled_ = true;
  int tab_order_ = 0;
  int tag_ = 0;
  std::string hint_;
  std::string accessible_name_;
  std::string accessible_description_;
  std::vector<Control*> children_;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_CONTROL_H_
