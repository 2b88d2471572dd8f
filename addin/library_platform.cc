#include "addin/library_platform.h"

#include <stdexcept>
#include <string_view>

#include "platform/ui/ui.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_codec.h"

namespace quivra::addin {

namespace {

// Forms are not shown by the library yet: showing one fails with an error the caller reports.
class NoFormsUi : public ui::Ui {
 public:
  ui::ModalResult ShowModal(ui::Form&) override {
    throw std::runtime_error("The dialog cannot be shown.");
  }
  int TextWidth(const ui::Font& font, std::string_view text) override {
    // An average character of the dialog font at 96 dpi.
    return static_cast<int>(text.size()) * (font.size * 96 / 72) / 2;
  }
};

struct Backends {
  platform::win32::Win32FileSystem files;
  platform::win32::Win32Clock clock;
  platform::win32::Win32TextCodec codec;
  platform::win32::Win32Registry registry;
  platform::win32::Win32MessageBoxes message_boxes;
  platform::win32::Win32Screen screen;
  platform::win32::Win32Keyboard keyboard;
  platform::win32::Win32Collation collation;
  NoFormsUi ui;
  platform::win32::Win32Shell shell;
  platform::Platform platform{files,  clock,    codec,     registry, message_boxes,
                              screen, keyboard, collation, ui,       shell};
};

}  // namespace

platform::Platform& LibraryPlatform() {
  static Backends backends;
  return backends.platform;
}

}  // namespace quivra::addin
