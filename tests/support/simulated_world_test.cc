#include "tests/support/simulated_world_test.h"

namespace quivra::test {

std::vector<std::string> SimulatedPlatformTest::Messages() const {
  std::vector<std::string> texts;
  for (const auto& box : sim.message_boxes.shown()) {
    texts.push_back(box.text);
  }
  return texts;
}

void SimulatedWorldTest::InstallOutlook(const OutlookRelease& release) {
  RegisterOutlookServer(sim.registry, release.server_path);
  world.outlook.SetVersion(release.version);
}

std::vector<std::string> Subjects(const std::vector<outlook::sim::SimItem>& items) {
  std::vector<std::string> subjects;
  for (const auto& item : items) {
    subjects.push_back(item.subject());
  }
  return subjects;
}

}  // namespace quivra::test
