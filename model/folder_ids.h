#ifndef QUIVRA_MODEL_FOLDER_IDS_H_
#define QUIVRA_MODEL_FOLDER_IDS_H_

#include <map>
#include <string>
#include <utility>

namespace quivra::core {

// The EntryIDs of the folders that buttons and recently used entries are bound to, by the
// store id and full path they are bound to. A path stops leading to its folder when the folder
// is renamed or moved; its EntryID, which Outlook keeps for as long as the folder lives in its
// store, still finds it.
class FolderIdBook {
 public:
  using Key = std::pair<std::string, std::string>;  // store id, full path

  // The EntryID known for the folder at `path` of the store, or null.
  const std::string* Find(const std::string& store_id, const std::string& path) const;
  void Learn(const std::string& store_id, const std::string& path, const std::string& entry_id);
  void Clear() { entries_.clear(); }
  const std::map<Key, std::string>& entries() const { return entries_; }

 private:
  std::map<Key, std::string> entries_;
};

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_FOLDER_IDS_H_
