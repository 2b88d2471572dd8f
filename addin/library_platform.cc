#include "addin/library_platform.h"

#include "platform/ui/win32/win32_ui.h"
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

struct Backends {
  platform::win32::Win32FileSystem files;
  platform::win32::Win32Clock clock;
  platform::win32::Win32TextCodec codec;
  platform::win32::Win32Registry registry;
  platform::win32::Win32MessageBoxes message_boxes;
  platform::win32::Win32Screen screen;
  platform::win32::Win32Keyboard keyboard;
  platform::win32::Win32Collation collation;
  ui::win32::Win32Ui ui{message_boxes};
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
