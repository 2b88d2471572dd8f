#ifndef QUIVRA_DIALOGS_FOLDER_INDEX_H_
#define QUIVRA_DIALOGS_FOLDER_INDEX_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/collation.h"

namespace quivra::dialogs {

// One folder the search can offer.
struct IndexedFolder {
  std::string name;
  // The store's top-level folder name followed by each folder name down to this one, joined by
  // "\", as the picker reports a chosen folder.
  std::string path;
  std::string store_id;
  std::string entry_id;
  // The position of the parent folder in the index; -1 for a store's top-level folder.
  int parent = -1;
  // Name and path as the collation folds them: lowercase, without accents.
  std::string folded_name;
  std::string folded_path;
  // The folder's position in the recently used list (1 the most recent); 0 when not in it.
  int recent = 0;
  // Whether the folder is suggested for the selection the picker opened on.
  bool suggested = false;
  // The folder's place in the tree's order: default store first, the other stores and the
  // folders below each parent in the locale's order of their names.
  int order = 0;
};

// The mail folders of the open stores, with their names folded once so that each keystroke
// only compares bytes. A typed text finds, in this order, the folders:
//   1. whose name is the text;
//   2. whose name starts with it, also after a leading number or date ("01 ", "2024-05 ");
//   3. a word of whose name starts with it;
//   4. whose name contains it;
//   5. whose path holds every typed word in order, store names included ("proj alp" finds
//      Mailbox\Projects\Alpha), for two words or more or a text with a "\", which matches the
//      path's separator ("projects\" finds what lies below Projects);
//   6. whose name holds the text's characters in order ("prjalp" finds "Project Alpha"), for a
//      text of three characters or more without blanks.
// Among folders of one kind the suggested ones come first, then the recently used by recency,
// then shorter paths, then the tree's order.
class FolderIndex {
 public:
  // Adds a folder below `parent` (-1: a store's top-level folder, which takes its name as its
  // path); returns its position. Parents come before their subfolders.
  int Add(std::string name, int parent, std::string store_id, std::string entry_id);
  // Folds the names and paths and orders the folders as the tree does; the top-level folder of
  // the store `default_store_id` comes first. Call once, after the last Add.
  void Finish(platform::Collation& collation, const std::string& default_store_id);
  // Marks the folder of that path and store as entry `position` of the recently used list.
  void MarkRecent(const std::string& path, const std::string& store_id, int position);
  // Marks the folders of these paths and stores as the suggested ones, in place of those marked
  // before.
  void MarkSuggested(const std::vector<std::pair<std::string, std::string>>& paths_and_stores);

  // The positions of the best `limit` matches of `folded_query` (already folded), best first.
  // An empty query matches nothing.
  std::vector<int> Find(std::string_view folded_query, size_t limit) const;

  size_t size() const { return folders_.size(); }
  const IndexedFolder& at(int position) const { return folders_[static_cast<size_t>(position)]; }

 private:
  std::vector<IndexedFolder> folders_;
  std::unordered_multimap<std::string, int> by_path_;
  std::vector<int> suggested_;
};

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_FOLDER_INDEX_H_
