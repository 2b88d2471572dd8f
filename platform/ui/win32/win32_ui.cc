#include "platform/ui/win32/win32_ui.h"

#include <windows.h>

#include "platform/ui/win32/form_window.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

HFONT FontCache::Get(const Font& font, bool underline) {
  const auto key = std::make_tuple(font.name, font.size, font.bold, underline);
  UniqueFont& slot = fonts_[key];
  if (!slot) {
    LOGFONTW description{};
    WindowDc screen(nullptr);
    description.lfHeight = -::MulDiv(font.size, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
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

int FontCache::Dpi() {
  if (dpi_ == 0) {
    WindowDc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    dpi_ = dpi > 0 ? dpi : 96;
  }
  return dpi_;
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
  FormWindow window(form, boxes_, fonts_);
  return window.ShowModal();
}

int Win32Ui::TextWidth(const Font& font, std::string_view text) {
  const std::wstring wide = platform::win32::Utf8ToWide(text);
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  Selected chosen(dc.get(), fonts_.Get(font));
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  // The forms lay out in designed (96 DPI) units.
  return fonts_.Unscale(size.cx);
}

}  // namespace quivra::ui::win32
