#ifndef QUIVRA_PLATFORM_UI_UI_H_
#define QUIVRA_PLATFORM_UI_UI_H_

#include <exception>
#include <string_view>

#include "platform/message_box.h"
#include "platform/ui/control.h"
#include "platform/ui/text_fit.h"

namespace quivra::ui {

class Form;

// The seam to the screen for forms: showing a form modally and measuring text. The sim backend
// plays a scripted user; the Windows one builds real windows and runs a modal loop. Either
// fits the form to its texts (FitToText) once its OnShow has run, before the user sees it.
class Ui : public TextMeasure {
 public:
  virtual ~Ui() = default;

  // Shows `form` modally: fires its OnShow, lets the user act on it until its modal result is
  // set, hides it and returns the result. An exception raised by an event handler while the
  // user acts is shown (ShowEventError) and the form stays up; one raised by OnShow leaves the
  // form hidden and reaches the caller.
  virtual ModalResult ShowModal(Form& form) = 0;
  // The width of `text` drawn in `font`, and the height of a line, in designed pixels.
  int TextWidth(const Font& font, std::string_view text) override = 0;
  int TextHeight(const Font& font) override = 0;
};

// The general error display for an exception an event handler did not handle: an error box with
// the exception's text and an OK button.
void ShowEventError(platform::MessageBoxes& boxes, const std::exception& error);

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_UI_H_
