#include "tests/support/outlook_world_test.h"

namespace quivra::test {

void AssignSlot(core::Configuration& configuration,
                int slot,
                const outlook::sim::SimFolder& folder) {
  outlook::sim::SimFolder root = folder;
  while (root.parent()) {
    root = root.parent();
  }
  configuration.StoreDetails.at(static_cast<size_t>(slot)) =
      core::TStoreDetails{root.name(), root.name(), root.store_id()};
  configuration.FolderNames.at(static_cast<size_t>(slot)) = folder.path();
}

std::vector<std::string> Subjects(const std::vector<outlook::sim::SimItem>& items) {
  std::vector<std::string> subjects;
  for (const auto& item : items) {
    subjects.push_back(item.subject());
  }
  return subjects;
}

}  // namespace quivra::test
