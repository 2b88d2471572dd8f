#include "core/filing_engine.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "core/folder_resolution.h"
#include "core/folder_suggestions.h"
#include "core/items_to_file.h"
#include "host/outlook/entry_ids.h"
#include "model/filing_options.h"

namespace quivra::core {

namespace {

using outlook::Require;
using platform::MessageKind;

constexpr char kFolderDoesNotExist[] = "Folder doesn't exist.";
constexpr char kNothingSelected[] = "Nothing selected - nothing moved.";
constexpr char kAlreadyInFolder[] = "Message already in this folder";
constexpr char kNoMailItem[] = "No Mail item selected - nothing moved.";
constexpr char kNotMoved[] = "An error occurred - message not moved.";
constexpr char kSelectionElsewhere[] =
    "The selection is in the To-Do Bar or the task list - nothing moved.\r\n\r\n"
    "Select the mails in the message list, then file them.";

// The end of a filing run that found an explorer, however it ends: the default cursor comes
// back, the pointer moves one pixel to the right (so that Outlook redraws what lies under it)
// and the window messages that waited during the run are processed.
class EndOfFilingRun {
 public:
  EndOfFilingRun(platform::Screen& screen, std::optional<platform::WaitCursor>& wait)
      : screen_(screen), wait_(wait) {}
  ~EndOfFilingRun() {
    wait_.reset();
    const platform::Point pointer = screen_.PointerPosition();
    screen_.SetPointerPosition({pointer.x + 1, pointer.y});
    screen_.ProcessPendingMessages();
  }
  EndOfFilingRun(const EndOfFilingRun&) = delete;
  EndOfFilingRun& operator=(const EndOfFilingRun&) = delete;

 private:
  platform::Screen& screen_;
  std::optional<platform::WaitCursor>& wait_;
};

// "0x80070005".
std::string HexCode(std::int32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

}  // namespace

outlook::ItemPtr ItemToVariant(const outlook::ObjectPtr& item) {
  outlook::Object& object = Require(item);
  for (size_t i = 0; i + 1 < outlook::kMessageInterfaces.size(); ++i) {
    try {
      return object.AsItem(outlook::kMessageInterfaces[i]);
    } catch (const outlook::OutlookError&) {
    }
  }
  return object.AsItem(outlook::kMessageInterfaces.back());
}

outlook::MAPIFolderPtr GetItemFolder(const outlook::ObjectPtr& item) {
  outlook::Object& object = Require(item);
  auto folder_through = [&](outlook::ItemInterface interface_id) {
    return Require(Require(object.AsItem(interface_id)).Parent()).AsMAPIFolder();
  };
  for (size_t i = 0; i + 1 < outlook::kMessageInterfaces.size(); ++i) {
    try {
      return folder_through(outlook::kMessageInterfaces[i]);
    } catch (const outlook::OutlookError&) {
    }
  }
  return folder_through(outlook::kMessageInterfaces.back());
}

FilingEngine::FilingEngine(outlook::Application& outlook,
                           Configuration& configuration,
                           platform::Platform& platform,
                           DiagnosticLog& log,
                           std::function<void(bool)> place_undo_button,
                           FilingHistory* history)
    : outlook_(outlook),
      configuration_(configuration),
      platform_(platform),
      log_(log),
      place_undo_button_(std::move(place_undo_button)),
      history_(history) {}

void FilingEngine::SlotFollowed(int slot, const std::string& old_path) {
  log_.Write("filing: slot " + std::to_string(slot) + " follows its folder from \"" + old_path +
             "\" to \"" + configuration_.FolderNames[slot] + "\"");
  if (!OnSlotFollowed) {
    return;
  }
  try {
    OnSlotFollowed(slot);
  } catch (...) {
    // The filing goes on; the configuration follows again at the next filing.
    log_.Write("filing: the followed slot was not saved, " + DiagnosticLog::DescribeCaught());
  }
}

void FilingEngine::Report(MessageKind kind, const std::string& text) {
  log_.Write("message shown: " + text);
  platform::ShowStandardMessage(platform_.message_boxes, kind, text);
}

bool FilingEngine::FileToFolder(int slot, const outlook::ObjectPtr& item) {
  bool result = true;
  std::optional<platform::WaitCursor> wait(std::in_place, platform_.screen);
  const outlook::ExplorerPtr explorer = outlook_.ActiveExplorer();
  if (!explorer) {
    return true;
  }
  const bool in_range = slot >= 0 && slot < static_cast<int>(configuration_.FolderNames.size());
  const std::string folder = in_range ? configuration_.FolderNames[slot] : std::string();
  const std::string store = in_range ? configuration_.StoreDetails[slot].StoreName : std::string();
  log_.Write("filing: slot " + std::to_string(slot) + " to \"" + folder + "\" in store \"" + store +
             "\"");
  bool pick_new_folder = false;
  {
    EndOfFilingRun end_of_run(platform_.screen, wait);
    outlook::MAPIFolderPtr target;
    bool found = true;
    try {
      target = FindMapiFolder(outlook_, configuration_, slot);
    } catch (...) {
      log_.Write("filing: the folder was not found by its path, " +
                 DiagnosticLog::DescribeCaught());
      // Renamed or moved within its store: its EntryID still finds it.
      target = in_range ? FindMovedFolder(outlook_, configuration_, slot) : nullptr;
      found = target != nullptr;
    }
    if (!found) {
      pick_new_folder = ReportMissingFolder(slot, folder);
      result = false;
    } else {
      if (in_range && configuration_.FolderNames[slot] != folder) {
        SlotFollowed(slot, folder);
      }
      std::optional<int> selected;
      try {
        selected = Require(explorer->Selection()).Count();
      } catch (...) {
        log_.Write("filing: the selection was not read, " + DiagnosticLog::DescribeCaught());
      }
      if (!selected) {
        Report(MessageKind::kWarning, kFolderDoesNotExist);
        result = false;
      } else {
        try {
          moved_keys_.clear();
          pending_ = UndoStep();
          learning_ = history_ != nullptr && history_->Enabled();
          const outlook::NameSpacePtr space = outlook_.GetNamespace("MAPI");
          const ItemsToFile to_file = ReadItemsToFile(*explorer, Require(space), item);
          if (to_file.elsewhere) {
            Report(MessageKind::kWarning, kSelectionElsewhere);
          } else if (to_file.items.empty()) {
            Report(MessageKind::kWarning, kNothingSelected);
          } else {
            const int moved = FileSelection(*explorer, *space, target, to_file.items, slot);
            Learn(slot, target);
            const size_t sources = pending_.sources.size();
            log_.Write("filing: " + std::to_string(to_file.items.size()) + " selected, " +
                       std::to_string(moved) + " moved" +
                       (sources == 1   ? " from \"" + pending_.sources[0].path + "\""
                        : sources > 1 ? " from " + std::to_string(sources) + " folders"
                                      : std::string()));
            CommitPendingStep();
          }
        } catch (...) {
          log_.Write("filing: moving failed, " + DiagnosticLog::DescribeCaught());
          // What did move before the failure is learned, and can be undone, all the same.
          Learn(slot, target);
          CommitPendingStep();
          Report(MessageKind::kError, kNotMoved);
        }
      }
    }
  }
  // The lookup of the slot's folder wrote its target into the record; the record shows the
  // newest step again.
  configuration_.UndoDetails = undo_.NewestRecord();
  place_undo_button_(true);
  if (pick_new_folder && OnPickNewFolder) {
    OnPickNewFolder(slot);
  }
  return result;
}

bool FilingEngine::ReportMissingFolder(int slot, const std::string& path) {
  if (slot < kFirstFilingSlot || slot > kBackspaceSlot) {
    Report(MessageKind::kWarning, kFolderDoesNotExist);
    return false;
  }
  const std::string text = "The folder \"" + path + "\" of the button \"" +
                           configuration_.ButtonNames[slot] +
                           "\" no longer exists.\r\n\r\nPick a new folder for this button now?";
  log_.Write("message shown: " + text);
  const platform::MessageButton answer =
      platform_.message_boxes.Show({"Warning",
                                    text,
                                    platform::MessageIcon::kWarning,
                                    {platform::MessageButton::kYes, platform::MessageButton::kNo}});
  return answer == platform::MessageButton::kYes;
}

int FilingEngine::FileSelection(outlook::Explorer& explorer,
                                outlook::NameSpace& space,
                                const outlook::MAPIFolderPtr& target,
                                const std::vector<ItemToFile>& items,
                                int slot) {
  const std::string target_id = Require(target).EntryID();
  if (slot >= 0 && slot < static_cast<int>(configuration_.FolderNames.size())) {
    // Remembered, so that the folder is found again should it be renamed or moved.
    configuration_.FolderIds.Learn(configuration_.StoreDetails[slot].StoreId,
                                   configuration_.FolderNames[slot], target_id);
  }
  if (outlook::SameEntryID(space, Require(explorer.CurrentFolder()).EntryID(), target_id)) {
    Report(MessageKind::kInformation, kAlreadyInFolder);
    return 0;
  }
  int moved = 0;
  const int count = static_cast<int>(items.size());
  const bool mark_as_read = MarkAsReadOption(platform_).Enabled();
  const bool in_range = slot >= 0 && slot < static_cast<int>(configuration_.FolderNames.size());
  pending_.target_path = in_range ? configuration_.FolderNames[slot] : std::string();
  pending_.target_store = in_range ? configuration_.StoreDetails[slot] : TStoreDetails();
  pending_.target_entry_id = target_id;
  // The source folder, kept while the items come from the same folder: most runs file from one
  // folder, and the walk up to the store's root costs a few calls per level.
  UndoSource source;
  std::pair<std::string, std::string> source_ids;
  for (int i = 0; i < count; ++i) {
    const ItemToFile& identity = items[static_cast<size_t>(i)];
    // Each item is opened only for its turn, so that a run of any length holds one item at a
    // time (a server limits the objects a session may have open).
    const outlook::ObjectPtr object = FindItemToFile(space, identity);
    const outlook::ItemPtr to_move = ItemToVariant(object);
    {
      const outlook::MAPIFolderPtr folder = GetItemFolder(object);
      std::pair<std::string, std::string> ids(identity.store_id, Require(folder).EntryID());
      if (source.path.empty() || ids != source_ids) {
        const FolderLocation location = GetFolderPath(folder);
        source = {location.path,
                  {location.store_name, location.store_name, location.store_id},
                  ids.second};
        source_ids = std::move(ids);
      }
    }
    if (Require(target).DefaultItemType() != outlook::kMailItem) {
      Report(MessageKind::kWarning, kNoMailItem);
      continue;
    }
    UndoItem undo_item;
    undo_item.conversation_index = to_move->ConversationIndex();
    try {
      undo_item.subject = UndoHistory::KeptSubject(to_move->Subject());
    } catch (const outlook::OutlookError&) {
      // Only for naming the item should it not come back.
    }
    // Read before the move: Outlook's reference to a moved item may no longer answer.
    MailKeys keys = learning_ ? ReadMailKeys(*to_move) : MailKeys();
    if (mark_as_read) {
      try {
        to_move->MarkAsRead();
      } catch (const outlook::OutlookError& error) {
        // The mail is filed all the same, unread.
        log_.Write("filing: item " + std::to_string(i + 1) + " was not marked read (" +
                   HexCode(error.code()) + ")");
      }
    }
    outlook::ObjectPtr moved_item;
    try {
      moved_item = to_move->Move(target);
    } catch (const outlook::OutlookError& refusal) {
      // The folder's store refused the item (no rights, offline, closed): nothing more is
      // moved. What did move is learned by the caller and can be undone.
      ReportRefusal(space, items, refusal, i);
      return moved;
    }
    // The item keeps its identity in the step only once it has moved, so that the step never
    // names an item left behind. Outlook hands back the moved item, whose EntryID may have
    // changed with the move; should it not tell, the id from before the move stands.
    undo_item.entry_id = identity.entry_id;
    try {
      undo_item.entry_id = ItemToVariant(moved_item)->EntryID();
    } catch (...) {
      log_.Write("filing: the moved item " + std::to_string(i + 1) + " did not tell its EntryID, " +
                 DiagnosticLog::DescribeCaught());
    }
    undo_item.store_id = pending_.target_store.StoreId;
    undo_item.source = pending_.SourceIndex(source);
    pending_.items.push_back(std::move(undo_item));
    ++moved;
    if (learning_) {
      moved_keys_.emplace_back(pending_.items.size() - 1, std::move(keys));
    }
  }
  return moved;
}

void FilingEngine::ReportRefusal(outlook::NameSpace& space,
                                 const std::vector<ItemToFile>& items,
                                 const outlook::OutlookError& refusal,
                                 int first_not_moved) {
  constexpr int kListedAtMost = 10;
  const int count = static_cast<int>(items.size());
  const int not_moved = count - first_not_moved;
  std::string text = kNotMoved;
  text += "\r\n\r\n";
  text += refusal.what();
  text += "\r\n\r\nNot moved (" + std::to_string(not_moved) + " of " + std::to_string(count) +
          "):";
  for (int i = first_not_moved; i < count && i < first_not_moved + kListedAtMost; ++i) {
    std::string subject;
    try {
      subject = "\"" +
                ItemToVariant(FindItemToFile(space, items[static_cast<size_t>(i)]))->Subject() +
                "\"";
    } catch (...) {
      subject = "item " + std::to_string(i + 1) + " of the selection";
    }
    text += "\r\n" + subject;
  }
  if (not_moved > kListedAtMost) {
    text += "\r\nand " + std::to_string(not_moved - kListedAtMost) + " more";
  }
  log_.Write("filing: the folder refused item " + std::to_string(first_not_moved + 1) + " of " +
             std::to_string(count) + " (" + HexCode(refusal.code()) + ")");
  Report(MessageKind::kError, text);
}

void FilingEngine::Learn(int slot, const outlook::MAPIFolderPtr& target) {
  if (moved_keys_.empty()) {
    return;
  }
  try {
    const LearnedFolder folder{configuration_.StoreDetails[slot].StoreId,
                               Require(target).EntryID(), configuration_.FolderNames[slot]};
    for (const auto& [index, keys] : moved_keys_) {
      pending_.items[index].learned = history_->Record(keys, folder);
    }
    moved_keys_.clear();
    history_->Save();
  } catch (...) {
    // Learning never stands in the way of filing.
    log_.Write("filing: what was filed could not be learned, " + DiagnosticLog::DescribeCaught());
  }
}

void FilingEngine::CommitPendingStep() {
  if (pending_.items.empty()) {
    return;
  }
  undo_.Push(std::move(pending_));
  pending_ = UndoStep();
  UndoHistoryChanged();
}

void FilingEngine::UndoHistoryChanged() {
  configuration_.UndoDetails = undo_.NewestRecord();
  if (!OnUndoHistoryChanged) {
    return;
  }
  try {
    OnUndoHistoryChanged();
  } catch (...) {
    // The history in memory stands; the file follows at the next change.
    log_.Write("undo: the history was not saved, " + DiagnosticLog::DescribeCaught());
  }
}

void FilingEngine::UndoHistoryLoaded() {
  configuration_.UndoDetails = undo_.NewestRecord();
}

}  // namespace quivra::core
