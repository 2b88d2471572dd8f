#ifndef QUIVRA_PLATFORM_UI_TEXT_FIT_H_
#define QUIVRA_PLATFORM_UI_TEXT_FIT_H_

#include <optional>
#include <string>
#include <string_view>

#include "platform/caption_text.h"
#include "platform/ui/control.h"

namespace quivra::ui {

class Form;

// Measures text as the screen draws it, in designed (96 DPI) pixels: with the user's text size
// applied, so that a bigger text setting gives wider and taller text.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // The width of `text` drawn in `font`.
  virtual int TextWidth(const Font& font, std::string_view text) = 0;
  // The height of one line of text in `font`.
  virtual int TextHeight(const Font& font) = 0;
};

// A caption as it is drawn: an & marks the next letter as the access key and is not shown;
// && shows one &.
using platform::CaptionAsShown;

// The smallest box that shows a control's text unclipped: the text with the room its kind of
// control draws around it (a check box's box, a push button's edges, a group box's corners).
// Nothing for a control whose kind shows no text of its own or whose text is empty.
struct TextBox {
  int width = 0;  // 0: any width will do (an edit field scrolls its text)
  int height = 0;
};
std::optional<TextBox> NeededBox(const Control& control, TextMeasure& measure);

// Grows every control of `form` whose text does not fit, and what holds it, instead of letting
// the text be clipped: a control grows to the right and down; what stands to its right or below
// it and would now be covered moves along, keeping a small gap; a group box, panel or the form
// grows to keep what it holds inside. Controls that fit are left as they are, so a form whose
// texts all fit keeps its design, and fitting twice changes nothing.
void FitToText(Form& form, TextMeasure& measure);

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_TEXT_FIT_H_
