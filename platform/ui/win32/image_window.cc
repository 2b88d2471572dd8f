#include "platform/ui/win32/image_window.h"

#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <string>
#include <utility>

#include "platform/ui/win32/pictures.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

ImageWindow::ImageWindow(Image& image, ControlHost& host)
    : ControlWindow(image, host), image_(image) {}

ControlWindow::WindowKind ImageWindow::Describe() {
  // The picture itself is drawn once the window exists, at its DPI (SetPicture).
  const bool clickable = static_cast<bool>(image_.OnClick);
  return {.style = kChildStyle | SS_NOTIFY |
                   (image_.PictureName().empty() ? 0 : SS_BITMAP | SS_CENTERIMAGE) |
                   (clickable ? static_cast<DWORD>(WS_TABSTOP) : 0),
          .own_messages = clickable};
}

std::optional<LRESULT> ImageWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFOCUS:
      ::InvalidateRect(window(), nullptr, TRUE);
      Dispatch([this] { image_.SetFocus(); });
      return std::nullopt;
    case WM_KILLFOCUS:
      ::InvalidateRect(window(), nullptr, TRUE);
      return std::nullopt;
    case WM_KEYDOWN:
      if (wparam == VK_SPACE) {
        Dispatch([this] { image_.Click(); });
        return 0;
      }
      return std::nullopt;
    case WM_PAINT: {
      // The picture as the static control paints it, then the focus around it.
      const LRESULT painted = ::DefSubclassProc(window(), message, wparam, lparam);
      if (::GetFocus() == window()) {
        RECT client{};
        ::GetClientRect(window(), &client);
        WindowDc dc(window());
        ::DrawFocusRect(dc.get(), &client);
      }
      return painted;
    }
    default:
      return std::nullopt;
  }
}

void ImageWindow::Created() {
  SetPicture();
}

void ImageWindow::SetPicture() {
  const std::string& name = image_.PictureName();
  if (name.empty()) {
    return;
  }
  const std::wstring wide = platform::win32::Utf8ToWide(name);
  UniqueBitmap picture(static_cast<HBITMAP>(
      ::LoadImageW(ThisModule(), wide.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (!picture) {
    const Rect scaled = host().Fonts().Scale(image_.BoundsRect());
    picture = DrawPicture(name, scaled.width, scaled.height, host().BackgroundIndex());
  }
  // The window keeps showing the old picture until it has the new one.
  ::SendMessageW(window(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
  picture_ = std::move(picture);
}

void ImageWindow::OnCommand(int code) {
  if (code == STN_CLICKED) {
    Dispatch([this] { image_.Click(); });
  }
}

}  // namespace quivra::ui::win32
