#include "tests/support/slot_assignment.h"

#include <cstddef>

namespace quivra::test {

namespace {

std::string StoreOf(const std::string& path) {
  return path.substr(0, path.find('\\'));
}

}  // namespace

void AssignSlot(core::Configuration& configuration,
                int slot,
                const std::string& path,
                const std::string& store_id) {
  const std::string store = StoreOf(path);
  configuration.StoreDetails.at(static_cast<std::size_t>(slot)) =
      core::TStoreDetails{store, store, store_id};
  configuration.FolderNames.at(static_cast<std::size_t>(slot)) = path;
}

void AssignSlot(core::Configuration& configuration,
                int slot,
                const outlook::sim::SimFolder& folder) {
  outlook::sim::SimFolder root = folder;
  while (root.parent()) {
    root = root.parent();
  }
  configuration.StoreDetails.at(static_cast<std::size_t>(slot)) =
      core::TStoreDetails{root.name(), root.name(), root.store_id()};
  configuration.FolderNames.at(static_cast<std::size_t>(slot)) = folder.path();
}

void ConfigureSlot(core::Configuration& configuration,
                   int slot,
                   const outlook::sim::SimFolder& folder,
                   const std::string& caption) {
  AssignSlot(configuration, slot, folder);
  configuration.ButtonNames.at(static_cast<std::size_t>(slot)) =
      caption.empty() ? folder.name() : caption;
}

void AddMru(core::Configuration& configuration, const outlook::sim::SimFolder& folder) {
  configuration.MoveMruEntryToTop(folder.path(), StoreOf(folder.path()), folder.store_id(), -1);
}

}  // namespace quivra::test
