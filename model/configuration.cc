#include "model/configuration.h"

namespace quivra::core {

void Configuration::ClearSlots() {
  for (int slot = kFirstFilingSlot; slot <= kBackspaceSlot; ++slot) {
    StoreDetails[slot] = TStoreDetails();
    FolderNames[slot].clear();
    ButtonNames[slot].clear();
  }
}

int Configuration::FindMruEntry(const std::string& folder,
                                const std::string& store,
                                const std::string& store_id) const {
  const TMruDetails wanted{folder, store, store_id};
  for (int position = 1; position <= kMruCapacity; ++position) {
    if (MruList[position] == wanted) {
      return position;
    }
  }
  return -1;
}

void Configuration::MoveMruEntryToTop(const std::string& folder,
                                      const std::string& store,
                                      const std::string& store_id,
                                      int index) {
  if (index == -1) {
    index = FindMruEntry(folder, store, store_id);
  }
  if (index == -1) {
    index = kMruCapacity;
  }
  for (int k = index; k >= 2; --k) {
    if (MruList[k - 1].InUse()) {
      MruList[k] = MruList[k - 1];
    }
  }
  MruList[1] = TMruDetails{folder, store, store_id};
}

void Configuration::RemoveMruEntry(int index) {
  MruList[index] = TMruDetails();
  for (int k = index + 1; k <= kMruCapacity; ++k) {
    if (MruList[k].InUse()) {
      MruList[k - 1] = MruList[k];
      MruList[k] = TMruDetails();
    }
  }
}

Configuration& TheConfiguration() {
  static Configuration configuration;
  return configuration;
}

}  // namespace quivra::core
