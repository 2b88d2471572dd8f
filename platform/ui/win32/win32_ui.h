#ifndef QUIVRA_PLATFORM_UI_WIN32_WIN32_UI_H_
#define QUIVRA_PLATFORM_UI_WIN32_WIN32_UI_H_

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/message_box.h"
#include "platform/ui/ui.h"
#include "platform/ui/win32/handles.h"

namespace quivra::ui::win32 {

// The fonts of the forms, made once each and kept while the view lives.
class FontCache {
 public:
  HFONT Get(const Font& font, bool underline = false);

  // The system's dots per inch (96 at 100 %), read once. Forms are designed at 96: their
  // places and sizes are scaled by Dpi() / 96 on the way to the windows, and pixels read back
  // from the windows are scaled back, so the forms keep seeing their designed units.
  int Dpi();
  int Scale(int designed) { return ::MulDiv(designed, Dpi(), 96); }
  int Unscale(int pixels) { return ::MulDiv(pixels, 96, Dpi()); }
  Rect Scale(const Rect& designed) {
    return {Scale(designed.left), Scale(designed.top), Scale(designed.width),
            Scale(designed.height)};
  }

 private:
  std::map<std::tuple<std::string, int, bool, bool>, UniqueFont> fonts_;
  int dpi_ = 0;
};

// Shows forms as real windows: a top-level window at the form's client size and place, a
// Windows control for each control of the form, and a modal loop that runs until the form's
// modal result is set. What the user does in the windows reaches the form through the same
// control methods and events a scripted user calls; what the form's handlers change is written
// back to the windows after each event. Errors that handlers raise are shown with the general
// error display and the form stays up.
class Win32Ui : public Ui {
 public:
  explicit Win32Ui(platform::MessageBoxes& boxes);
  ~Win32Ui() override;
  Win32Ui(const Win32Ui&) = delete;
  Win32Ui& operator=(const Win32Ui&) = delete;

  ModalResult ShowModal(Form& form) override;
  // Measured with GetTextExtentPoint32 in the font itself.
  int TextWidth(const Font& font, std::string_view text) override;

 private:
  platform::MessageBoxes& boxes_;
  FontCache fonts_;
  bool classes_registered_ = false;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_WIN32_UI_H_
