#include "model/folder_ids.h"

namespace quivra::core {

const std::string* FolderIdBook::Find(const std::string& store_id, const std::string& path) const {
  auto found = entries_.find(Key(store_id, path));
  return found == entries_.end() ? nullptr : &found->second;
}

void FolderIdBook::Learn(const std::string& store_id,
                         const std::string& path,
                         const std::string& entry_id) {
  if (store_id.empty() || path.empty() || entry_id.empty()) {
    return;
  }
  entries_[Key(store_id, path)] = entry_id;
}

}  // namespace quivra::core
