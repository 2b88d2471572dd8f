#include "platform/ui/win32/win32_ui.h"

#include <windows.h>

#include "platform/ui/win32/display.h"
#include "platform/ui/win32/form_window.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

FontCache::FontCache(int dpi, int text_scale_percent)
    : dpi_(dpi > 0 ? dpi : kDesignDpi), text_scale_(text_scale_percent) {}

HFONT FontCache::Get(const Font& font, bool underline) {
  const auto key = std::make_tuple(font.name, font.size, font.bold, underline, dpi_);
  UniqueFont& slot = fonts_[key];
  if (!slot) {
    LOGFONTW description{};
    // Points at the window's DPI, made bigger by the user's text size.
    description.lfHeight = -::MulDiv(font.size * text_scale_, dpi_, 72 * 100);
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfUnderline = underline ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = platform::win32::Utf8ToWide(font.name);
    ::lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
    slot.reset(::CreateFontIndirectW(&description));
  }
  return slot ? slot.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

int FontCache::TextWidth(const Font& font, std::string_view text) {
  const std::wstring wide = platform::win32::Utf8ToWide(text);
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  Selected chosen(dc.get(), Get(font));
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  // Rounded up: the text never gets less room than it takes.
  return (size.cx * kDesignDpi + dpi_ - 1) / dpi_;
}

int FontCache::TextHeight(const Font& font) {
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  Selected chosen(dc.get(), Get(font));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  return (metrics.tmHeight * kDesignDpi + dpi_ - 1) / dpi_;
}

Win32Ui::Win32Ui(platform::MessageBoxes& boxes) : boxes_(boxes) {}

Win32Ui::~Win32Ui() {
  if (classes_registered_) {
    FormWindow::UnregisterClasses();
  }
}

ModalResult Win32Ui::ShowModal(Form& form) {
  if (!classes_registered_) {
    FormWindow::RegisterClasses();
    classes_registered_ = true;
  }
  FormWindow window(form, boxes_);
  return window.ShowModal();
}

FontCache& Win32Ui::Measure() {
  if (!fonts_) {
    fonts_.emplace(SystemDpi(), TextScalePercent());
  }
  return *fonts_;
}

int Win32Ui::TextWidth(const Font& font, std::string_view text) {
  return Measure().TextWidth(font, text);
}

int Win32Ui::TextHeight(const Font& font) {
  return Measure().TextHeight(font);
}

}  // namespace quivra::ui::win32
