#include "dialogs/folder_index.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace quivra::dialogs {

namespace {

// Whether the byte at `at` of a folded text starts a word: the text's start, or after a
// character that is no ASCII letter or digit (a blank, "\", "-", "(", ...). Bytes of other
// scripts count as letters.
bool StartsWord(std::string_view text, size_t at) {
  if (at == 0) {
    return true;
  }
  const auto before = static_cast<unsigned char>(text[at - 1]);
  const bool alphanumeric = (before >= 'a' && before <= 'z') || (before >= 'A' && before <= 'Z') ||
                            (before >= '0' && before <= '9') || before >= 0x80;
  return !alphanumeric;
}

// 0 when the query occurs in `text` at the start of a word, 1 when only inside words, -1 when
// it does not occur.
int MatchKind(std::string_view text, std::string_view query) {
  int kind = -1;
  for (size_t at = text.find(query); at != std::string_view::npos; at = text.find(query, at + 1)) {
    if (StartsWord(text, at)) {
      return 0;
    }
    kind = 1;
  }
  return kind;
}

}  // namespace

int FolderIndex::Add(std::string name, int parent, std::string store_id, std::string entry_id) {
  IndexedFolder folder;
  folder.path = parent < 0 ? name : at(parent).path + "\\" + name;
  folder.name = std::move(name);
  folder.parent = parent;
  folder.store_id = std::move(store_id);
  folder.entry_id = std::move(entry_id);
  const int position = static_cast<int>(folders_.size());
  by_path_.emplace(folder.path, position);
  folders_.push_back(std::move(folder));
  return position;
}

void FolderIndex::Finish(platform::Collation& collation, const std::string& default_store_id) {
  std::vector<std::vector<int>> children(folders_.size());
  std::vector<int> top;
  for (size_t i = 0; i < folders_.size(); ++i) {
    IndexedFolder& folder = folders_[i];
    // A folded path is the folded names joined: fold each name once.
    folder.folded_name = collation.Fold(folder.name);
    folder.folded_path = folder.parent < 0
                             ? folder.folded_name
                             : at(folder.parent).folded_path + "\\" + folder.folded_name;
    (folder.parent < 0 ? top : children[static_cast<size_t>(folder.parent)])
        .push_back(static_cast<int>(i));
  }
  auto by_name = [this, &collation](int a, int b) {
    return collation.Compare(at(a).name, at(b).name) < 0;
  };
  std::stable_sort(top.begin(), top.end(), by_name);
  const auto default_store = std::find_if(top.begin(), top.end(), [&](int position) {
    return at(position).store_id == default_store_id;
  });
  std::rotate(top.begin(), default_store,
              default_store == top.end() ? top.end() : default_store + 1);
  // Depth first, as the tree lists its nodes; siblings sorted once each.
  int next = 0;
  std::vector<int> pending(top.rbegin(), top.rend());
  while (!pending.empty()) {
    const int position = pending.back();
    pending.pop_back();
    folders_[static_cast<size_t>(position)].order = next++;
    std::vector<int>& below = children[static_cast<size_t>(position)];
    std::stable_sort(below.begin(), below.end(), by_name);
    pending.insert(pending.end(), below.rbegin(), below.rend());
  }
}

void FolderIndex::MarkRecent(const std::string& path, const std::string& store_id, int position) {
  const auto [first, last] = by_path_.equal_range(path);
  for (auto it = first; it != last; ++it) {
    IndexedFolder& folder = folders_[static_cast<size_t>(it->second)];
    if (folder.store_id == store_id && (folder.recent == 0 || position < folder.recent)) {
      folder.recent = position;
    }
  }
}

std::vector<int> FolderIndex::Find(std::string_view folded_query, size_t limit) const {
  if (folded_query.empty() || limit == 0) {
    return {};
  }
  const bool whole_path = folded_query.find('\\') != std::string_view::npos;
  // One key per match, smaller is better: word start, recency, tree order, from the high bits
  // down; the folder's position rides in the lowest bits.
  std::vector<std::uint64_t> keys;
  for (size_t i = 0; i < folders_.size(); ++i) {
    const IndexedFolder& folder = folders_[i];
    const int kind = MatchKind(whole_path ? folder.folded_path : folder.folded_name, folded_query);
    if (kind < 0) {
      continue;
    }
    const std::uint64_t recency =
        folder.recent > 0 ? static_cast<std::uint64_t>(folder.recent) : 0xFF;
    keys.push_back(static_cast<std::uint64_t>(kind) << 63 | recency << 52 |
                   static_cast<std::uint64_t>(folder.order) << 26 | i);
  }
  const size_t shown = std::min(limit, keys.size());
  std::partial_sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(shown), keys.end());
  std::vector<int> result;
  result.reserve(shown);
  for (size_t k = 0; k < shown; ++k) {
    result.push_back(static_cast<int>(keys[k] & ((std::uint64_t{1} << 26) - 1)));
  }
  return result;
}

}  // namespace quivra::dialogs
