#ifndef QUIVRA_MODEL_FILING_HISTORY_H_
#define QUIVRA_MODEL_FILING_HISTORY_H_

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/keyed_hash.h"
#include "model/mail_keys.h"
#include "platform/platform.h"

namespace quivra::core {

// A folder mail was filed into: its store's id and its own EntryID (which identify it), and
// its full path (store name first), by which it is found again and shown.
struct LearnedFolder {
  std::string store_id;
  std::string entry_id;
  std::string path;
};

// What the user filed where, learned to suggest a folder for the next mail: one record per
// filed mail holding keyed hashes of its conversation, sender and sender's domain (never the
// text) and the folder. At most kCapacity records, the oldest dropped first.
//
// The records live in "Qelvo.learned" beside the configuration file, with the random key of
// the hashes (made at first use). The file is read at first use and replaced whole, through a
// temporary file, by Save. A file that cannot be read as a whole is set aside as
// "Qelvo.learned.bad" and learning starts again; nothing here raises on a damaged file.
//
// Whether folders are suggested at all ("Suggest folders", on unless switched off) is kept
// in the user's registry, so that the configuration file stays as it was and forgetting what
// was learned keeps the choice.
class FilingHistory {
 public:
  static constexpr std::size_t kCapacity = 20000;
  static constexpr char kFileName[] = "Qelvo.learned";
  static constexpr char kDamagedFileName[] = "Qelvo.learned.bad";
  static constexpr char kSwitchKey[] = "Software\\QuivraOL";
  static constexpr char kSwitchValue[] = "SuggestFolders";
  // A record's weight halves with every kHalfLife records filed after it.
  static constexpr double kHalfLife = 1000;

  explicit FilingHistory(platform::Platform& platform);

  // "Suggest folders". Switching it off does not forget what was learned.
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // Learns that a mail with `keys` was filed into `folder`. Returns the record's number, for
  // Unrecord; 0 when nothing was learned (switched off, or the mail has no keys).
  std::uint64_t Record(const MailKeys& keys, const LearnedFolder& folder);
  // Forgets one record, that of a filing that was undone.
  void Unrecord(std::uint64_t number);
  // Writes the file when something was learned since it was read or written. Raises
  // PlatformError when it cannot; the old file then stays as it was.
  void Save();
  // Deletes the file (and a damaged one set aside) and everything learned; the next record
  // makes a new key. Raises PlatformError when a file cannot be deleted.
  void Forget();

  // The folders where a mail with `keys` most likely belongs, best first, at most `count`:
  // those holding mail of the same conversation first, then of the same sender, then of the
  // same domain; within each, more and more recent filings count more. A folder for which
  // `exists` says no is passed over. Empty when switched off.
  std::vector<LearnedFolder> Suggest(const MailKeys& keys,
                                     std::size_t count,
                                     const std::function<bool(const LearnedFolder&)>& exists);

  // How many records there are.
  std::size_t size();

  // The file's text, and reading it back; for tests and benchmarks.
  std::string Render() const;
  // False when the text is not a whole history file; the history is then unchanged.
  bool Parse(std::string_view text);

 private:
  struct Hashes {
    std::uint64_t conversation = 0;
    std::uint64_t sender = 0;
    std::uint64_t domain = 0;
  };
  struct Entry {
    std::uint64_t number = 0;
    Hashes hashes;
    std::uint32_t folder = 0;
  };

  std::string FolderPath();
  void EnsureLoaded();
  void Clear();
  Hashes HashesOf(const MailKeys& keys);
  std::uint32_t FolderIndex(const LearnedFolder& folder);

  platform::Platform& platform_;
  bool loaded_ = false;
  bool dirty_ = false;
  bool has_key_ = false;
  HashKey key_{};
  std::uint64_t next_number_ = 1;
  std::deque<Entry> records_;
  std::vector<LearnedFolder> folders_;
  // "<store id>\n<entry id>" -> position in folders_.
  std::map<std::string, std::uint32_t> folder_index_;
};

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_FILING_HISTORY_H_
