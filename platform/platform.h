#ifndef QUIVRA_PLATFORM_PLATFORM_H_
#define QUIVRA_PLATFORM_PLATFORM_H_

#include "platform/clock.h"
#include "platform/collation.h"
#include "platform/file_system.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/text_codec.h"

namespace quivra::ui {
class Ui;
}  // namespace quivra::ui

namespace quivra::platform {

// The Windows services the product uses, one reference per seam. The backends (simulated or
// real) are owned elsewhere and outlive this view.
struct Platform {
  FileSystem& files;
  Clock& clock;
  TextCodec& codec;
  Registry& registry;
  MessageBoxes& message_boxes;
  Screen& screen;
  Keyboard& keyboard;
  Collation& collation;
  // Forms and their controls (platform/ui).
  ui::Ui& ui;
  // The shell's "open" of web pages.
  Shell& shell;
  // Key material.
  RandomSource& random;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_PLATFORM_H_
