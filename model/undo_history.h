#ifndef QUIVRA_MODEL_UNDO_HISTORY_H_
#define QUIVRA_MODEL_UNDO_HISTORY_H_

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "model/configuration.h"
#include "model/configuration_file.h"
#include "platform/platform.h"

namespace quivra::core {

// A folder that items of a filing came from: its full path (store name first), its store and
// its own EntryID, by which it is found again should its path change.
struct UndoSource {
  std::string path;
  TStoreDetails store;
  std::string entry_id;

  bool operator==(const UndoSource&) const = default;
};

// One item a filing moved: its identity after the move (the EntryID of the item Move handed
// back and the StoreID of the folder it went to), what finds it when that identity no longer
// does (its ConversationIndex), its subject (to name it should it not come back), the source
// it came from (an index into UndoStep::sources) and the number of the suggestion record
// learned from it (0: none).
struct UndoItem {
  std::string entry_id;
  std::string store_id;
  std::string conversation_index;
  std::string subject;
  std::uint32_t source = 0;
  std::uint64_t learned = 0;

  bool operator==(const UndoItem&) const = default;
};

// One filing run, which one Undo reverses: the folder it filed into and every item it moved.
struct UndoStep {
  std::string target_path;
  TStoreDetails target_store;
  std::string target_entry_id;
  std::vector<UndoSource> sources;
  std::vector<UndoItem> items;

  // The index of `source` in `sources`, added when new.
  std::uint32_t SourceIndex(const UndoSource& source);
  bool operator==(const UndoStep&) const = default;
};

// The filing runs that Undo can reverse, newest last: at most kStepCapacity of them, and of the
// older ones only as many as keep the items at most kItemCapacity (the newest step is always
// kept whole, so that the run just made can be undone however large it was).
class UndoHistory {
 public:
  static constexpr std::size_t kStepCapacity = 10;
  static constexpr std::size_t kItemCapacity = 10000;
  // Subjects are kept to name items that did not come back, no longer than this (in bytes,
  // cut at a character's start).
  static constexpr std::size_t kSubjectLength = 120;

  bool empty() const { return steps_.empty(); }
  std::size_t size() const { return steps_.size(); }
  const std::deque<UndoStep>& steps() const { return steps_; }
  // The step the next Undo reverses; the history must not be empty.
  const UndoStep& Newest() const { return steps_.back(); }
  UndoStep& Newest() { return steps_.back(); }

  // Adds a step with at least one item as the newest, dropping the oldest beyond the bounds.
  // A step without items is not kept.
  void Push(UndoStep step);
  // Removes the newest step, if any.
  void PopNewest();
  // Puts `steps` in place of the history's, within the bounds.
  void Assign(std::deque<UndoStep> steps);
  void Clear() { steps_.clear(); }

  // The undo record as the configuration shows it: the last item of the newest step, with its
  // source and the step's target; empty when there is no step.
  TUndoDetails NewestRecord() const;
  // What the next Undo does, for the Undo buttons' tips: "Undo: 12 items to Projects\Alpha"
  // (the target's path below its store); `nothing` when there is no step.
  std::string Describe(const std::string& nothing) const;

  // A subject as it is kept: control characters as spaces, at most kSubjectLength bytes.
  static std::string KeptSubject(std::string_view subject);

 private:
  void Trim();

  std::deque<UndoStep> steps_;
};

// The undo history on disk: "QelvoUndo.xml" beside the configuration file, so that a restart of
// Outlook keeps it; UTF-8, rewritten whole through a temporary file after every change. The
// configuration file itself stays as it always was. A file that cannot be read is copied aside
// as "QelvoUndo.xml.bad-YYYYMMDD-HHMMSS" (the newest ConfigurationFile::kKeptCopies copies are
// kept) and the history starts empty:
//
//   <?xml version="1.0" encoding="UTF-8" ?>
//   <undo>
//     <step>
//       <target storename="..." storeid="..." entryid="...">Mailbox\Projects\Alpha</target>
//       <source storename="..." storeid="..." entryid="...">Mailbox\Inbox</source>
//       <item entryid="..." storeid="..." index="..." source="0" learned="12">Subject</item>
//     </step>
//   </undo>
class UndoHistoryFile {
 public:
  static constexpr char kFileName[] = "QelvoUndo.xml";
  static constexpr char kDamagedFilePrefix[] = "QelvoUndo.xml.bad-";

  // `configuration_file` tells the folder and keeps the damaged copies.
  UndoHistoryFile(UndoHistory& history,
                  platform::Platform& platform,
                  ConfigurationFile& configuration_file);

  // Empties the history and reads the file into it. A missing file leaves it empty; so does a
  // damaged one, which is copied aside; the result then says what happened. Empty when all
  // went well. Never raises.
  std::string Load();
  // Writes the file. Raises PlatformError when it cannot; the old file then stays.
  void Save();

  // The file's text, and reading it back (raising std::runtime_error or xml::ParseError on
  // anything that is not a whole history file).
  static std::string Render(const std::deque<UndoStep>& steps);
  static std::deque<UndoStep> Read(std::string_view bytes);

 private:
  UndoHistory& history_;
  platform::Platform& platform_;
  ConfigurationFile& configuration_file_;
};

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_UNDO_HISTORY_H_
