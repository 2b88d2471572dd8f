#ifndef QUIVRA_PLATFORM_UI_WIN32_IMAGE_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_IMAGE_WINDOW_H_

#include "platform/ui/static_controls.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// A picture that takes clicks: the module's bitmap of the picture's name, or else the picture
// drawn in code; without either the control stays empty rather than showing a black box.
class ImageWindow : public ControlWindow {
 public:
  ImageWindow(Image& image, ControlHost& host);

  void OnCommand(int code) override;

 protected:
  WindowKind Describe() override;
  void Created() override;
  void Rescaled() override { SetPicture(); }
  void ColorsChanged() override { SetPicture(); }
  // A picture that takes clicks takes the focus too: Tab reaches it, Space presses it, and it
  // shows the focus rectangle while it has the focus.
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // Loads or draws the picture at the window's size and DPI and gives it to the window.
  void SetPicture();

  Image& image_;
  UniqueBitmap picture_;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_IMAGE_WINDOW_H_
