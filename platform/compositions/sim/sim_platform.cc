#include "platform/compositions/sim/sim_platform.h"

#include <atomic>
#include <random>
#include <string>
#include <system_error>

namespace quivra::platform::sim {

namespace fs = std::filesystem;

namespace {
constexpr char kLocalAppData[] = "C:\\Users\\Tester\\AppData\\Local";
}

fs::path SimPlatform::MakeRoot() {
  static std::atomic<int> counter{0};
  fs::path root =
      fs::temp_directory_path() /
      ("quivra-sim-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++));
  fs::remove_all(root);
  fs::create_directories(root);
  return root;
}

SimPlatform::SimPlatform()
    : files(MakeRoot(), kLocalAppData),
      root_(files.HostPath("C:\\")),
      platform_{files,  clock,    codec,     registry, message_boxes,
                screen, keyboard, collation, ui,       shell, random} {}

SimPlatform::~SimPlatform() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

}  // namespace quivra::platform::sim
