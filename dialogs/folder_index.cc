#include "dialogs/folder_index.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

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

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The name without a leading number or date and what separates it from the rest ("01 Inbox",
// "2024-05 Reports"); the name itself when it has none, or is nothing else.
std::string_view WithoutLeadingNumber(std::string_view name) {
  if (name.empty() || !IsDigit(name[0])) {
    return name;
  }
  size_t end = 0;
  while (end < name.size() && (IsDigit(name[end]) || name[end] == ' ' || name[end] == '-' ||
                               name[end] == '.' || name[end] == '_' || name[end] == '/')) {
    ++end;
  }
  if (end == name.size() || IsDigit(name[end - 1])) {
    return name;
  }
  return name.substr(end);
}

// The words of a typed text: separated by blanks. A backslash stays in its word, where it
// matches the path's separator ("projects\\" finds what lies below Projects).
std::vector<std::string_view> WordsOf(std::string_view text) {
  std::vector<std::string_view> words;
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t end = text.find(' ', begin);
    const size_t stop = end == std::string_view::npos ? text.size() : end;
    if (stop > begin) {
      words.push_back(text.substr(begin, stop - begin));
    }
    begin = stop + 1;
  }
  return words;
}

// Whether `words` occur in `text` one after another, each after the end of the one before.
bool HoldsInOrder(std::string_view text, const std::vector<std::string_view>& words) {
  size_t from = 0;
  for (const std::string_view word : words) {
    const size_t at = text.find(word, from);
    if (at == std::string_view::npos) {
      return false;
    }
    from = at + word.size();
  }
  return true;
}

// Whether the characters of `query` occur in `text` in their order. A UTF-8 character is
// looked for as a whole: its first byte never stands inside another character.
bool HoldsCharactersInOrder(std::string_view text, std::string_view query) {
  size_t from = 0;
  for (size_t i = 0; i < query.size();) {
    size_t length = 1;
    while (i + length < query.size() &&
           (static_cast<unsigned char>(query[i + length]) & 0xC0) == 0x80) {
      ++length;
    }
    const size_t at = text.find(query.substr(i, length), from);
    if (at == std::string_view::npos) {
      return false;
    }
    from = at + length;
    i += length;
  }
  return true;
}

// Kinds of match, best first; kNone: no match.
enum MatchTier : std::uint64_t {
  kSameName = 0,
  kNameStart = 1,
  kWordStart = 2,
  kInName = 3,
  kPathWords = 4,
  kCharactersInName = 5,
  kNone = 7,
};

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

void FolderIndex::MarkSuggested(
    const std::vector<std::pair<std::string, std::string>>& paths_and_stores) {
  for (const int position : suggested_) {
    folders_[static_cast<size_t>(position)].suggested = false;
  }
  suggested_.clear();
  for (const auto& [path, store_id] : paths_and_stores) {
    const auto [first, last] = by_path_.equal_range(path);
    for (auto it = first; it != last; ++it) {
      IndexedFolder& folder = folders_[static_cast<size_t>(it->second)];
      if (folder.store_id == store_id && !folder.suggested) {
        folder.suggested = true;
        suggested_.push_back(it->second);
      }
    }
  }
}

std::vector<int> FolderIndex::Find(std::string_view folded_query, size_t limit) const {
  if (folded_query.empty() || limit == 0) {
    return {};
  }
  const std::vector<std::string_view> words = WordsOf(folded_query);
  const bool by_path = words.size() >= 2 || folded_query.find('\\') != std::string_view::npos;
  const bool by_characters = words.size() == 1 && folded_query.size() >= 3 && !by_path;
  // One key per match, smaller is better, from the high bits down: the kind of match, not
  // suggested, recency, the path's length, the tree's order; the folder's position rides in the
  // lowest bits.
  constexpr int kPositionBits = 21;
  constexpr int kOrderBits = 21;
  constexpr int kLengthBits = 10;
  std::vector<std::uint64_t> keys;
  for (size_t i = 0; i < folders_.size(); ++i) {
    const IndexedFolder& folder = folders_[i];
    const std::string_view name = folder.folded_name;
    std::uint64_t tier = kNone;
    const int kind = MatchKind(name, folded_query);
    if (kind >= 0) {
      if (name == folded_query) {
        tier = kSameName;
      } else if (name.rfind(folded_query, 0) == 0 ||
                 WithoutLeadingNumber(name).rfind(folded_query, 0) == 0) {
        tier = kNameStart;
      } else {
        tier = kind == 0 ? kWordStart : kInName;
      }
    } else if (by_path && HoldsInOrder(folder.folded_path, words)) {
      tier = kPathWords;
    } else if (by_characters && HoldsCharactersInOrder(name, folded_query)) {
      tier = kCharactersInName;
    }
    if (tier == kNone) {
      continue;
    }
    const std::uint64_t recency =
        folder.recent > 0 ? static_cast<std::uint64_t>(std::min(folder.recent, 0xFE)) : 0xFF;
    const std::uint64_t length =
        std::min<std::uint64_t>(folder.folded_path.size(), (1u << kLengthBits) - 1);
    keys.push_back(tier << 61 | std::uint64_t{folder.suggested ? 0u : 1u} << 60 | recency << 52 |
                   length << (kOrderBits + kPositionBits) |
                   static_cast<std::uint64_t>(folder.order) << kPositionBits | i);
  }
  const size_t shown = std::min(limit, keys.size());
  std::partial_sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(shown), keys.end());
  std::vector<int> result;
  result.reserve(shown);
  for (size_t k = 0; k < shown; ++k) {
    result.push_back(static_cast<int>(keys[k] & ((std::uint64_t{1} << kPositionBits) - 1)));
  }
  return result;
}

}  // namespace quivra::dialogs
