#include "platform/ui/control.h"

#include <algorithm>
#include <utility>

#include "platform/ui/form.h"

namespace quivra::ui {

Control::Control(Control* parent, std::string name, Rect bounds)
    : parent_(parent), name_(std::move(name)), bounds_(bounds) {
  if (parent_ != nullptr) {
    parent_->children_.push_back(this);
  }
}

Control::~Control() {
  if (Form* form = OwnerForm(); form != nullptr && form->active_control_ == this) {
    form->active_control_ = nullptr;
  }
  if (parent_ != nullptr) {
    std::erase(parent_->children_, this);
  }
}

Form* Control::OwnerForm() {
  Control* control = this;
  while (control->parent_ != nullptr) {
    control = control->parent_;
  }
  return dynamic_cast<Form*>(control);
}

Control* Control::FindControl(const std::string& name) {
  for (Control* child : children_) {
    if (child->name_ == name) {
      return child;
    }
    if (Control* found = child->FindControl(name)) {
      return found;
    }
  }
  return nullptr;
}

void Control::SetBounds(Rect bounds) {
  const int dx = bounds.width - bounds_.width;
  const int dy = bounds.height - bounds_.height;
  bounds_ = bounds;
  if (dx != 0 || dy != 0) {
    for (Control* child : children_) {
      child->ParentResized(dx, dy);
    }
  }
}

void Control::SetWidth(int width) {
  SetBounds({bounds_.left, bounds_.top, width, bounds_.height});
}

void Control::SetHeight(int height) {
  SetBounds({bounds_.left, bounds_.top, bounds_.width, height});
}

void Control::ParentResized(int dx, int dy) {
  Rect bounds = bounds_;
  if (anchors_ & kAnchorRight) {
    if (anchors_ & kAnchorLeft) {
      bounds.width += dx;
    } else {
      bounds.left += dx;
    }
  }
  if (anchors_ & kAnchorBottom) {
    if (anchors_ & kAnchorTop) {
      bounds.height += dy;
    } else {
      bounds.top += dy;
    }
  }
  SetBounds(bounds);
}

Font Control::GetFont() const {
  if (font_) {
    return *font_;
  }
  return parent_ != nullptr ? parent_->GetFont() : Font{"MS Sans Serif", 8, false};
}

bool Control::Reachable() const {
  for (const Control* control = this; control != nullptr; control = control->parent_) {
    if (!control->visible_ || !control->enabled_) {
      return false;
    }
  }
  return true;
}

void Control::SetFocus() {
  Form* form = OwnerForm();
  if (form == nullptr || form->active_control_ == this) {
    return;
  }
  Control* previous = form->active_control_;
  form->active_control_ = this;
  if (previous != nullptr && previous->OnExit) {
    previous->OnExit();
  }
  if (OnEnter) {
    OnEnter();
  }
}

bool Control::Focused() {
  Form* form = OwnerForm();
  return form != nullptr && form->active_control_ == this;
}

}  // namespace quivra::ui
