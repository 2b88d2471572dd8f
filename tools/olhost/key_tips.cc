#include "tools/olhost/key_tips.h"

namespace quivra::olhost {

namespace {

bool OpensItems(const office::sim::SimRibbonControl& control) {
  return control.Element == "splitButton" || control.Element == "menu" ||
         control.Element == "dynamicMenu";
}

}  // namespace

std::string KeyTipWalk::KeyTipOf(const office::sim::SimRibbonControl& control) {
  if (control.BuiltIn && control.Element == "tab" && control.Id == "TabMail") {
    return "H";
  }
  return control.KeyTip;
}

void KeyTipWalk::Start() {
  holder_ = -1;
  typed_.clear();
}

bool KeyTipWalk::InScope(const std::vector<office::sim::SimRibbonControl>& controls,
                         int index) const {
  const office::sim::SimRibbonControl& control = controls[static_cast<size_t>(index)];
  if (holder_ == -1) {
    return control.Parent == -1;
  }
  for (int up = control.Parent; up != -1; up = controls[static_cast<size_t>(up)].Parent) {
    if (up == holder_) {
      return true;
    }
    if (OpensItems(controls[static_cast<size_t>(up)])) {
      return false;  // inside a menu of its own
    }
  }
  return false;
}

bool KeyTipWalk::Type(char key) {
  typed_ += key;
  const std::vector<office::sim::SimRibbonControl>& controls = controls_();
  bool begins_one = false;
  for (size_t i = 0; i < controls.size(); ++i) {
    const office::sim::SimRibbonControl& control = controls[i];
    const std::string tip = KeyTipOf(control);
    if (tip.empty() || !InScope(controls, static_cast<int>(i)) ||
        (!control.BuiltIn && (!control.Enabled || !shown_(control.Id)))) {
      continue;
    }
    if (tip == typed_) {
      typed_.clear();
      if (control.Element == "tab" || OpensItems(control)) {
        holder_ = static_cast<int>(i);
        // A split button's items stand in its menu.
        for (size_t item = i + 1; item < controls.size(); ++item) {
          if (controls[item].Parent == static_cast<int>(i) && controls[item].Element == "menu") {
            holder_ = static_cast<int>(item);
          }
        }
        return true;
      }
      press_(control.Id);
      return false;
    }
    begins_one = begins_one || tip.rfind(typed_, 0) == 0;
  }
  if (!begins_one) {
    typed_.clear();
  }
  return begins_one;
}

}  // namespace quivra::olhost
