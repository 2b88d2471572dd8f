#ifndef QUIVRA_PLATFORM_COMPOSITIONS_WIN32_WIN32_PLATFORM_H_
#define QUIVRA_PLATFORM_COMPOSITIONS_WIN32_WIN32_PLATFORM_H_

#include "platform/platform.h"
#include "platform/ui/win32/win32_ui.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_random.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_codec.h"

namespace quivra::platform::win32 {

// The real Windows behind every seam, and the Platform view of them. A program may put its own
// shell in place of Windows' (a test that records what would be opened).
class Win32Platform {
 public:
  Win32Platform() : Win32Platform(default_shell_) {}
  explicit Win32Platform(Shell& shell)
      : platform_{files,  clock,    codec,     registry, message_boxes,
                  screen, keyboard, collation, forms,    shell, random} {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Win32FileSystem files;
  Win32Clock clock;
  Win32TextCodec codec;
  Win32Registry registry;
  Win32MessageBoxes message_boxes;
  Win32Screen screen;
  Win32Keyboard keyboard;
  Win32Collation collation;
  Win32Random random;
  ui::win32::Win32Ui forms{message_boxes};

  Platform& platform() { return platform_; }

 private:
  Win32Shell default_shell_;
  Platform platform_;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_COMPOSITIONS_WIN32_WIN32_PLATFORM_H_
