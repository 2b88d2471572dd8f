#ifndef QUIVRA_PLATFORM_COMPOSITIONS_SIM_SIM_PLATFORM_H_
#define QUIVRA_PLATFORM_COMPOSITIONS_SIM_SIM_PLATFORM_H_

#include <filesystem>

#include "platform/platform.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_collation.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_keyboard.h"
#include "platform/sim/sim_message_boxes.h"
#include "platform/sim/sim_random.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_screen.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_text_codec.h"
#include "platform/ui/sim/sim_ui.h"

namespace quivra::platform::sim {

// A whole simulated Windows for tests: every seam's sim backend, and the Platform view of them.
// The disk is a fresh temporary folder, removed again when the object goes.
class SimPlatform {
 public:
  SimPlatform();
  ~SimPlatform();
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  SimFileSystem files;
  SimClock clock;
  SimTextCodec codec;
  SimRegistry registry;
  SimMessageBoxes message_boxes;
  SimScreen screen;
  SimKeyboard keyboard;
  SimCollation collation;
  ui::sim::SimUi ui{message_boxes};
  SimShell shell;
  SimRandom random;

  Platform& platform() { return platform_; }

 private:
  static std::filesystem::path MakeRoot();

  std::filesystem::path root_;
  Platform platform_;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_COMPOSITIONS_SIM_SIM_PLATFORM_H_
