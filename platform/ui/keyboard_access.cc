#include "platform/ui/keyboard_access.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/html_label.h"
#include "platform/ui/list_view.h"
#include "platform/ui/static_controls.h"
#include "platform/ui/text_fit.h"
#include "platform/ui/tree_view.h"

namespace quivra::ui {

char AccessKey(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') {
      continue;
    }
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

Rect FormBounds(const Control& control) {
  Rect bounds = control.BoundsRect();
  bounds.left = 0;
  bounds.top = 0;
  // The form's own bounds are its place on the screen, not in itself.
  for (const Control* at = &control; at->Parent() != nullptr; at = at->Parent()) {
    bounds.left += at->Left();
    bounds.top += at->Top();
  }
  return bounds;
}

bool TakesFocus(const Control& control) {
  return dynamic_cast<const Button*>(&control) != nullptr ||
         dynamic_cast<const CheckBox*>(&control) != nullptr ||
         dynamic_cast<const Edit*>(&control) != nullptr ||
         dynamic_cast<const TreeView*>(&control) != nullptr ||
         dynamic_cast<const ListView*>(&control) != nullptr ||
         (dynamic_cast<const Image*>(&control) != nullptr &&
          static_cast<bool>(static_cast<const Image&>(control).OnClick)) ||
         (dynamic_cast<const HtmlLabel*>(&control) != nullptr &&
          static_cast<const HtmlLabel&>(control).FollowsLinks());
}

namespace {

void Walk(Control& parent, bool all, std::vector<Control*>& sequence) {
  std::vector<Control*> children = parent.Controls();
  std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
    return a->TabOrder() < b->TabOrder();
  });
  for (Control* child : children) {
    if (!child->Visible() || (!all && !child->Enabled())) {
      continue;
    }
    if (all || TakesFocus(*child)) {
      sequence.push_back(child);
    }
    Walk(*child, all, sequence);
  }
}

bool SharesLine(const Rect& a, const Rect& b) {
  const int a_middle = a.top + a.height / 2;
  const int b_middle = b.top + b.height / 2;
  return a_middle >= b.top && a_middle < b.top + b.height && b_middle >= a.top &&
         b_middle < a.top + a.height;
}

// Captions that mark an access key the system acts on: buttons and check boxes press, labels
// and group boxes move the focus on.
bool HasKeyedCaption(const Control& control) {
  return dynamic_cast<const Button*>(&control) != nullptr ||
         dynamic_cast<const CheckBox*>(&control) != nullptr ||
         dynamic_cast<const Label*>(&control) != nullptr ||
         dynamic_cast<const GroupBox*>(&control) != nullptr;
}

std::string Named(const Control& control) {
  return control.Name() + " \"" + control.Caption() + "\"";
}

}  // namespace

std::vector<Control*> TabSequence(Control& form, bool all) {
  std::vector<Control*> sequence;
  Walk(form, all, sequence);
  return sequence;
}

std::vector<std::vector<Control*>> ReadingLines(const std::vector<Control*>& controls) {
  std::vector<Control*> by_top = controls;
  std::stable_sort(by_top.begin(), by_top.end(), [](const Control* a, const Control* b) {
    const Rect ra = FormBounds(*a);
    const Rect rb = FormBounds(*b);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  std::vector<std::vector<Control*>> lines;
  for (Control* control : by_top) {
    if (lines.empty() || !SharesLine(FormBounds(*lines.back().front()), FormBounds(*control))) {
      lines.emplace_back();
    }
    lines.back().push_back(control);
  }
  for (auto& line : lines) {
    std::stable_sort(line.begin(), line.end(), [](const Control* a, const Control* b) {
      return FormBounds(*a).left < FormBounds(*b).left;
    });
  }
  return lines;
}

std::vector<Control*> ReadingOrder(const std::vector<Control*>& controls) {
  std::vector<Control*> order;
  for (const auto& line : ReadingLines(controls)) {
    order.insert(order.end(), line.begin(), line.end());
  }
  return order;
}

std::vector<std::string> KeyboardAccessProblems(Control& form) {
  std::vector<std::string> problems;
  const std::vector<Control*> shown = TabSequence(form, true);
  const std::vector<Control*> stops = TabSequence(form, false);
  auto position = [&shown](const Control* control) {
    return std::find(shown.begin(), shown.end(), control) - shown.begin();
  };
  // The tab stop Tab reaches first after `control`, as the system moves the focus on from a
  // label or group box whose access key was pressed.
  auto next_stop = [&](const Control* control) -> Control* {
    for (auto at = shown.begin() + position(control) + 1; at != shown.end(); ++at) {
      if (TakesFocus(**at) && (*at)->Reachable()) {
        return *at;
      }
    }
    return nullptr;
  };

  std::map<std::string, int> captions;
  for (const Control* control : shown) {
    if (dynamic_cast<const Button*>(control) || dynamic_cast<const CheckBox*>(control)) {
      ++captions[CaptionAsShown(control->Caption())];
    }
  }
  const std::vector<std::vector<Control*>> lines = ReadingLines(shown);
  // A control of a repeated set is reached from the access key of its line, then Tab.
  auto reached_in_line = [&](const Control* control) {
    for (const auto& line : lines) {
      if (std::find(line.begin(), line.end(), control) == line.end()) {
        continue;
      }
      return std::any_of(line.begin(), line.end(), [&](const Control* other) {
        const auto* label = dynamic_cast<const Label*>(other);
        const bool acts = label == nullptr || label->FocusControl() != nullptr;
        return other != control && HasKeyedCaption(*other) && acts &&
               AccessKey(other->Caption()) != 0 && position(other) < position(control);
      });
    }
    return false;
  };

  std::map<char, std::vector<std::string>> keys;
  for (Control* control : shown) {
    if (!HasKeyedCaption(*control)) {
      continue;
    }
    const char key = AccessKey(control->Caption());
    if (key != 0) {
      keys[key].push_back(Named(*control));
    }
    const auto* button = dynamic_cast<const Button*>(control);
    const auto* label = dynamic_cast<const Label*>(control);
    if (label != nullptr) {
      if (label->FocusControl() == nullptr) {
        if (key != 0) {
          problems.push_back("the label " + Named(*control) + " marks a key but leads nowhere");
        }
      } else if (key == 0) {
        problems.push_back("the label " + Named(*control) + " has no access key");
      } else if (next_stop(control) != label->FocusControl()) {
        problems.push_back("the access key of " + Named(*control) + " does not lead to " +
                           label->FocusControl()->Name());
      }
      continue;
    }
    if (dynamic_cast<const GroupBox*>(control) != nullptr) {
      if (key != 0 && next_stop(control) == nullptr) {
        problems.push_back("the access key of " + Named(*control) + " leads nowhere");
      }
      continue;
    }
    // Buttons and check boxes. OK and Cancel take Enter and Esc instead, Help takes F1.
    const std::string shown_caption = CaptionAsShown(control->Caption());
    const bool standard =
        button != nullptr && (button->Default() || button->Cancel() || shown_caption == "OK" ||
                              shown_caption == "Cancel" || shown_caption == "Help");
    if (key != 0 || standard) {
      continue;
    }
    if (captions[CaptionAsShown(control->Caption())] > 1) {
      if (!reached_in_line(control)) {
        problems.push_back(Named(*control) +
                           " repeats a caption and no access key of its line "
                           "leads to it");
      }
    } else {
      problems.push_back(Named(*control) + " has no access key");
    }
  }
  for (const auto& [key, users] : keys) {
    if (users.size() > 1) {
      std::string list;
      for (const std::string& user : users) {
        list += (list.empty() ? "" : ", ") + user;
      }
      problems.push_back(std::string("the access key ") + key + " is used by " + list);
    }
  }

  // Inputs without a caption of their own need a label that leads to them. A link is named by
  // its own text and, like the system's link control, is reached with Tab.
  const Form* owner = form.OwnerForm();
  for (Control* control : stops) {
    if (HasKeyedCaption(*control) || dynamic_cast<const HtmlLabel*>(control) != nullptr ||
        (owner != nullptr && owner->ActiveControl() == control)) {
      continue;
    }
    const bool labelled = std::any_of(shown.begin(), shown.end(), [&](const Control* other) {
      const auto* label = dynamic_cast<const Label*>(other);
      const bool labels = label != nullptr && label->FocusControl() == control;
      const bool frames = dynamic_cast<const GroupBox*>(other) != nullptr &&
                          next_stop(other) == control && control->Parent() == other;
      return (labels || frames) && AccessKey(other->Caption()) != 0;
    });
    if (!labelled && !reached_in_line(control)) {
      problems.push_back(control->Name() + " has no label with an access key");
    }
  }

  const std::vector<Control*> reading = ReadingOrder(stops);
  if (reading != stops) {
    std::string tab;
    std::string read;
    for (size_t i = 0; i < stops.size(); ++i) {
      tab += (i == 0 ? "" : ", ") + stops[i]->Name();
      read += (i == 0 ? "" : ", ") + reading[i]->Name();
    }
    problems.push_back("Tab visits " + tab + "; reading order is " + read);
  }

  if (auto* as_form = dynamic_cast<Form*>(&form)) {
    if (as_form->DefaultButton() == nullptr) {
      problems.push_back("no default button takes Enter");
    }
    if (as_form->CancelButton() == nullptr && !(as_form->KeyPreview() && as_form->OnKeyPress)) {
      problems.push_back("nothing takes Esc");
    }
  }
  return problems;
}

}  // namespace quivra::ui
