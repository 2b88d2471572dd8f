#ifndef QUIVRA_PLATFORM_UI_KEYBOARD_ACCESS_H_
#define QUIVRA_PLATFORM_UI_KEYBOARD_ACCESS_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/control.h"

// How a keyboard user reaches a form's controls, computed from the form itself: the access key
// of each caption, the order Tab visits the controls in, the order a reader takes them in by
// their place, and what breaks the Windows conventions for dialogs:
// https://learn.microsoft.com/en-us/windows/win32/uxguide/inter-keyboard (access keys),
// https://learn.microsoft.com/en-us/previous-versions/windows/desktop/dnacc/guidelines-for-keyboard-user-interface-design
// (logical order; identical sets of controls may go without access keys; OK and Cancel take
// Enter and Esc and no access key).
namespace quivra::ui {

// The character after a lone '&' of the caption, in upper case ("&&" is a literal ampersand);
// 0 when the caption has none.
char AccessKey(std::string_view caption);

// The control's place in its form's client area.
Rect FormBounds(const Control& control);
// The controls the user can reach, in the order Tab visits them: depth first, the children of
// each control by tab order (equal orders in the order of declaration). With `all`, every
// visible control (labels, boxes, disabled controls) in that order, as the system walks them
// for an access key.
std::vector<Control*> TabSequence(Control& form, bool all = false);
// A control that takes the focus: a button, check box, edit field, tree, list, a picture that
// takes clicks, or a label with a link the form answers.
bool TakesFocus(const Control& control);
// The controls in reading order: line by line from the top, each line from the left. A control
// joins the line of the topmost control above it when the vertical middle of each lies within
// the other.
std::vector<std::vector<Control*>> ReadingLines(const std::vector<Control*>& controls);
std::vector<Control*> ReadingOrder(const std::vector<Control*>& controls);

// What breaks the conventions on the form as it shows now, one sentence each; empty when
// nothing does.
std::vector<std::string> KeyboardAccessProblems(Control& form);

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_KEYBOARD_ACCESS_H_
