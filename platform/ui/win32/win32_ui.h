#ifndef QUIVRA_PLATFORM_UI_WIN32_WIN32_UI_H_
#define QUIVRA_PLATFORM_UI_WIN32_WIN32_UI_H_

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/message_box.h"
#include "platform/ui/ui.h"
#include "platform/ui/win32/handles.h"
#include "platform/ui/window_placement.h"

namespace quivra::ui::win32 {

// The fonts of one form's windows at the DPI they are drawn at, with the user's text size, made
// once each and kept while the cache lives; and the scaling between the forms' designed units
// (96 DPI) and those windows' pixels. It measures text at its DPI, in designed units, so that a
// form fits its texts as that DPI draws them.
class FontCache : public TextMeasure {
 public:
  FontCache(int dpi, int text_scale_percent);

  HFONT Get(const Font& font, bool underline = false);

  int Dpi() const { return dpi_; }
  // A window moved to a monitor of another DPI: fonts are made anew at it (those made before
  // stay alive with the cache, as windows may still hold them).
  void SetDpi(int dpi) { dpi_ = dpi > 0 ? dpi : kDesignDpi; }
  int TextScale() const { return text_scale_; }
  int Scale(int designed) const { return ScaleToDpi(designed, dpi_); }
  int Unscale(int pixels) const { return UnscaleFromDpi(pixels, dpi_); }
  Rect Scale(const Rect& designed) const { return ScaleToDpi(designed, dpi_); }

  // TextMeasure: measured with GetTextExtentPoint32 and the font's metrics.
  int TextWidth(const Font& font, std::string_view text) override;
  int TextHeight(const Font& font) override;

 private:
  std::map<std::tuple<std::string, int, bool, bool, int>, UniqueFont> fonts_;
  int dpi_;
  int text_scale_;
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
  // Measured at the system DPI with the user's text size.
  int TextWidth(const Font& font, std::string_view text) override;
  int TextHeight(const Font& font) override;

 private:
  FontCache& Measure();

  platform::MessageBoxes& boxes_;
  // Made at the first measurement, when the screen can be asked.
  std::optional<FontCache> fonts_;
  bool classes_registered_ = false;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_WIN32_UI_H_
