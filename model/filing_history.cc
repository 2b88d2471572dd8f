#include "model/filing_history.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "model/configuration_file.h"

namespace quivra::core {

namespace {

constexpr std::string_view kHeader = "Quivra learned filing 1";

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    text += kDigits[c >> 4];
    text += kDigits[c & 15];
  }
  return text;
}

std::string Hex64(std::uint64_t value) {
  char text[17];
  for (int i = 15; i >= 0; --i) {
    text[i] = "0123456789abcdef"[value & 15];
    value >>= 4;
  }
  return std::string(text, 16);
}

bool Unhex(std::string_view text, std::string& bytes) {
  if (text.size() % 2 != 0) {
    return false;
  }
  bytes.clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
    if (error != std::errc() || end != text.data() + i + 2) {
      return false;
    }
    bytes += static_cast<char>(value);
  }
  return true;
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& value, int base = 10) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// The words of a line, split at single spaces.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  for (size_t begin = 0;;) {
    const size_t space = line.find(' ', begin);
    words.push_back(line.substr(begin, space - begin));
    if (space == std::string_view::npos) {
      return words;
    }
    begin = space + 1;
  }
}

}  // namespace

FilingHistory::FilingHistory(platform::Platform& platform) : platform_(platform) {}

bool FilingHistory::Enabled() const {
  const platform::RegistryKey key{platform::RegistryRoot::kCurrentUser, kSwitchKey};
  return platform_.registry.ReadDword(key, kSwitchValue).value_or(1) != 0;
}

void FilingHistory::SetEnabled(bool enabled) {
  const platform::RegistryKey key{platform::RegistryRoot::kCurrentUser, kSwitchKey};
  platform_.registry.CreateKey(key);
  platform_.registry.WriteDword(key, kSwitchValue, enabled ? 1 : 0);
}

std::string FilingHistory::FolderPath() {
  return platform_.files.LocalAppDataFolder() + "\\" + ConfigurationFile::kFolderName;
}

void FilingHistory::Clear() {
  records_.clear();
  folders_.clear();
  folder_index_.clear();
  has_key_ = false;
  next_number_ = 1;
}

void FilingHistory::EnsureLoaded() {
  if (loaded_) {
    return;
  }
  loaded_ = true;
  try {
    const std::string folder = FolderPath();
    const std::string path = folder + "\\" + kFileName;
    if (!platform_.files.FileExists(path)) {
      return;
    }
    if (Parse(platform_.files.ReadWholeFile(path))) {
      return;
    }
    // Damaged: set it aside (one copy, the newest) and learn anew.
    const std::string damaged = folder + "\\" + kDamagedFileName;
    platform_.files.RemoveFile(damaged);
    platform_.files.RenameFile(path, damaged);
  } catch (...) {
    // A file that cannot be read or set aside: learning starts again, and the next save
    // replaces it.
  }
}

FilingHistory::Hashes FilingHistory::HashesOf(const MailKeys& keys) {
  if (!has_key_) {
    platform_.random.Fill(key_.data(), key_.size());
    has_key_ = true;
  }
  auto hash = [&](std::string_view kind, const std::string& text) -> std::uint64_t {
    if (text.empty()) {
      return 0;
    }
    const std::uint64_t value = KeyedHash(key_, std::string(kind) + text);
    return value == 0 ? 1 : value;  // 0 stands for "not known"
  };
  return {hash("c:", keys.conversation), hash("s:", keys.sender), hash("d:", keys.domain)};
}

std::uint32_t FilingHistory::FolderIndex(const LearnedFolder& folder) {
  const std::string id = folder.store_id + '\n' + folder.entry_id;
  const auto found = folder_index_.find(id);
  if (found != folder_index_.end()) {
    folders_[found->second].path = folder.path;  // renamed or moved since
    return found->second;
  }
  folders_.push_back(folder);
  const auto index = static_cast<std::uint32_t>(folders_.size() - 1);
  folder_index_.emplace(id, index);
  return index;
}

std::uint64_t FilingHistory::Record(const MailKeys& keys, const LearnedFolder& folder) {
  if (!Enabled()) {
    return 0;
  }
  EnsureLoaded();
  if (keys.sender.empty() && keys.conversation.empty()) {
    return 0;
  }
  Entry entry;
  entry.hashes = HashesOf(keys);
  entry.folder = FolderIndex(folder);
  entry.number = next_number_++;
  records_.push_back(entry);
  while (records_.size() > kCapacity) {
    records_.pop_front();
  }
  dirty_ = true;
  return entry.number;
}

void FilingHistory::Unrecord(std::uint64_t number) {
  EnsureLoaded();
  const auto found = std::find_if(records_.rbegin(), records_.rend(),
                                  [&](const Entry& entry) { return entry.number == number; });
  if (found != records_.rend()) {
    records_.erase(std::next(found).base());
    dirty_ = true;
  }
}

void FilingHistory::Save() {
  if (!dirty_) {
    return;
  }
  const std::string folder = FolderPath();
  platform_.files.CreateDirectories(folder);
  platform_.files.ReplaceWholeFile(folder + "\\" + kFileName, Render());
  dirty_ = false;
}

void FilingHistory::Forget() {
  Clear();
  loaded_ = true;
  dirty_ = false;
  const std::string folder = FolderPath();
  platform_.files.RemoveFile(folder + "\\" + kFileName);
  platform_.files.RemoveFile(folder + "\\" + kDamagedFileName);
}

std::size_t FilingHistory::size() {
  EnsureLoaded();
  return records_.size();
}

std::vector<LearnedFolder> FilingHistory::Suggest(
    const MailKeys& keys,
    std::size_t count,
    const std::function<bool(const LearnedFolder&)>& exists) {
  std::vector<LearnedFolder> best;
  if (!Enabled()) {
    return best;
  }
  EnsureLoaded();
  if (records_.empty()) {
    return best;
  }
  const Hashes wanted = HashesOf(keys);
  // Evidence per folder: conversation, sender, domain.
  std::vector<std::array<double, 3>> evidence(folders_.size(), {0, 0, 0});
  const std::uint64_t latest = records_.back().number;
  for (const Entry& entry : records_) {
    const bool conversation =
        wanted.conversation != 0 && entry.hashes.conversation == wanted.conversation;
    const bool sender = wanted.sender != 0 && entry.hashes.sender == wanted.sender;
    const bool domain = wanted.domain != 0 && entry.hashes.domain == wanted.domain;
    if (!conversation && !sender && !domain) {
      continue;
    }
    const double weight = std::exp2(-static_cast<double>(latest - entry.number) / kHalfLife);
    std::array<double, 3>& folder = evidence[entry.folder];
    folder[0] += conversation ? weight : 0;
    folder[1] += sender ? weight : 0;
    folder[2] += domain ? weight : 0;
  }
  std::vector<std::uint32_t> order;
  for (std::uint32_t i = 0; i < evidence.size(); ++i) {
    if (evidence[i][0] + evidence[i][1] + evidence[i][2] > 0) {
      order.push_back(i);
    }
  }
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return evidence[a] != evidence[b] ? evidence[a] > evidence[b] : a < b;
  });
  for (std::uint32_t index : order) {
    if (best.size() >= count) {
      break;
    }
    if (exists(folders_[index])) {
      best.push_back(folders_[index]);
    }
  }
  return best;
}

std::string FilingHistory::Render() const {
  std::string text(kHeader);
  text += "\nkey ";
  text += Hex(std::string_view(reinterpret_cast<const char*>(key_.data()), key_.size()));
  text += "\nnext " + std::to_string(next_number_) + "\n";
  // Only folders that records still name, numbered anew.
  std::vector<std::int64_t> renumbered(folders_.size(), -1);
  std::uint32_t written = 0;
  for (const Entry& entry : records_) {
    if (renumbered[entry.folder] < 0) {
      renumbered[entry.folder] = written++;
      const LearnedFolder& folder = folders_[entry.folder];
      text += "folder " + Hex(folder.store_id) + " " + Hex(folder.entry_id) + " " +
              Hex(folder.path) + "\n";
    }
  }
  for (const Entry& entry : records_) {
    text += "record " + std::to_string(entry.number) + " " + Hex64(entry.hashes.conversation) +
            " " + Hex64(entry.hashes.sender) + " " + Hex64(entry.hashes.domain) + " " +
            std::to_string(renumbered[entry.folder]) + "\n";
  }
  text += "end " + std::to_string(records_.size()) + "\n";
  return text;
}

bool FilingHistory::Parse(std::string_view text) {
  FilingHistory read(platform_);
  std::vector<std::string_view> lines;
  for (size_t begin = 0; begin < text.size();) {
    const size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) {
      return false;  // cut off
    }
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  if (lines.size() < 4 || lines[0] != kHeader) {
    return false;
  }
  std::vector<std::string_view> words = Words(lines[1]);
  std::string key;
  if (words.size() != 2 || words[0] != "key" || !Unhex(words[1], key) || key.size() != 16) {
    return false;
  }
  std::copy(key.begin(), key.end(), read.key_.begin());
  read.has_key_ = true;
  words = Words(lines[2]);
  if (words.size() != 2 || words[0] != "next" || !ReadNumber(words[1], read.next_number_)) {
    return false;
  }
  size_t line = 3;
  for (; line < lines.size() && lines[line].starts_with("folder "); ++line) {
    words = Words(lines[line]);
    LearnedFolder folder;
    if (words.size() != 4 || !Unhex(words[1], folder.store_id) ||
        !Unhex(words[2], folder.entry_id) || !Unhex(words[3], folder.path)) {
      return false;
    }
    read.FolderIndex(folder);
    if (read.folders_.size() != line - 2) {
      return false;  // the same folder twice
    }
  }
  std::uint64_t previous = 0;
  for (; line < lines.size() && lines[line].starts_with("record "); ++line) {
    words = Words(lines[line]);
    Entry entry;
    if (words.size() != 6 || !ReadNumber(words[1], entry.number) ||
        !ReadNumber(words[2], entry.hashes.conversation, 16) ||
        !ReadNumber(words[3], entry.hashes.sender, 16) ||
        !ReadNumber(words[4], entry.hashes.domain, 16) || !ReadNumber(words[5], entry.folder) ||
        entry.folder >= read.folders_.size() || entry.number <= previous ||
        entry.number >= read.next_number_) {
      return false;
    }
    previous = entry.number;
    read.records_.push_back(entry);
  }
  std::size_t count = 0;
  if (line + 1 != lines.size() || !lines[line].starts_with("end ") ||
      !ReadNumber(lines[line].substr(4), count) || count != read.records_.size() ||
      count > kCapacity) {
    return false;
  }
  records_ = std::move(read.records_);
  folders_ = std::move(read.folders_);
  folder_index_ = std::move(read.folder_index_);
  key_ = read.key_;
  has_key_ = true;
  next_number_ = read.next_number_;
  loaded_ = true;
  dirty_ = false;
  return true;
}

}  // namespace quivra::core
