#include "platform/ui/win32/image_window.h"

#include <windows.h>

#include <string>

#include "platform/ui/win32/pictures.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

ImageWindow::ImageWindow(Image& image, ControlHost& host)
    : ControlWindow(image, host), image_(image) {}

ControlWindow::WindowKind ImageWindow::Describe() {
  const std::string& name = image_.PictureName();
  if (!name.empty()) {
    const std::wstring wide = platform::win32::Utf8ToWide(name);
    picture_.reset(static_cast<HBITMAP>(
        ::LoadImageW(ThisModule(), wide.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!picture_) {
      picture_ = DrawPicture(name, image_.Width(), image_.Height());
    }
  }
  return {.style = kChildStyle | SS_NOTIFY | (picture_ ? SS_BITMAP | SS_CENTERIMAGE : 0)};
}

void ImageWindow::Created() {
  if (picture_) {
    ::SendMessageW(window(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
  }
}

void ImageWindow::OnCommand(int code) {
  if (code == STN_CLICKED) {
    Dispatch([this] { image_.Click(); });
  }
}

}  // namespace quivra::ui::win32
