#include "core/filing_engine.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "core/folder_resolution.h"
#include "core/folder_suggestions.h"
#include "core/items_to_file.h"
#include "host/outlook/entry_ids.h"

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

void FilingEngine::Report(MessageKind kind, const std::string& text, bool invalidate) {
  if (invalidate) {
    configuration_.UndoDetails.Invalidate();
  }
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
        Report(MessageKind::kWarning, kFolderDoesNotExist, true);
        result = false;
      } else {
        try {
          moved_keys_.clear();
          last_record_ = 0;
          learning_ = history_ != nullptr && history_->Enabled();
          const outlook::NameSpacePtr space = outlook_.GetNamespace("MAPI");
          const ItemsToFile to_file = ReadItemsToFile(*explorer, Require(space), item);
          if (to_file.elsewhere) {
            Report(MessageKind::kWarning, kSelectionElsewhere, true);
          } else if (to_file.items.empty()) {
            Report(MessageKind::kWarning, kNothingSelected, true);
          } else {
            const int moved = FileSelection(*explorer, *space, target, to_file.items, slot);
            Learn(slot, target);
            log_.Write(
                "filing: " + std::to_string(to_file.items.size()) + " selected, " +
                std::to_string(moved) + " moved" +
                (moved > 0 ? " from \"" + configuration_.UndoDetails.SourcePath + "\"" : ""));
          }
        } catch (...) {
          log_.Write("filing: moving failed, " + DiagnosticLog::DescribeCaught());
          // What did move before the failure is learned all the same.
          Learn(slot, target);
          Report(MessageKind::kError, kNotMoved, true);
        }
      }
    }
  }
  place_undo_button_(true);
  if (pick_new_folder && OnPickNewFolder) {
    OnPickNewFolder(slot);
  }
  return result;
}

bool FilingEngine::ReportMissingFolder(int slot, const std::string& path) {
  if (slot < kFirstFilingSlot || slot > kBackspaceSlot) {
    Report(MessageKind::kWarning, kFolderDoesNotExist, true);
    return false;
  }
  configuration_.UndoDetails.Invalidate();
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
    Report(MessageKind::kInformation, kAlreadyInFolder, true);
    return 0;
  }
  int moved = 0;
  TUndoDetails& undo = configuration_.UndoDetails;
  const int count = static_cast<int>(items.size());
  // The source folder's path, kept while the items come from the same folder: most runs file
  // from one folder, and the walk up to the store's root costs a few calls per level.
  FolderLocation source;
  std::pair<std::string, std::string> source_ids;
  for (int i = 0; i < count; ++i) {
    // Each item is opened only for its turn, so that a run of any length holds one item at a
    // time (a server limits the objects a session may have open).
    const outlook::ObjectPtr object = FindItemToFile(space, items[static_cast<size_t>(i)]);
    const outlook::ItemPtr to_move = ItemToVariant(object);
    {
      const outlook::MAPIFolderPtr folder = GetItemFolder(object);
      std::pair<std::string, std::string> ids(items[static_cast<size_t>(i)].store_id,
                                              Require(folder).EntryID());
      if (source.path.empty() || ids != source_ids) {
        source = GetFolderPath(folder);
        source_ids = std::move(ids);
      }
    }
    if (Require(target).DefaultItemType() != outlook::kMailItem) {
      undo.SourcePath = source.path;
      undo.SourceStore.StoreName = source.store_name;
      undo.SourceStore.StoreId = source.store_id;
      Report(MessageKind::kWarning, kNoMailItem, true);
      continue;
    }
    const std::string conversation_index = to_move->ConversationIndex();
    // Read before the move: Outlook's reference to a moved item may no longer answer.
    MailKeys keys = learning_ ? ReadMailKeys(*to_move) : MailKeys();
    try {
      to_move->Move(target);
    } catch (const outlook::OutlookError& refusal) {
      // The folder's store refused the item (no rights, offline, closed): nothing more is
      // moved, and the undo record still describes the last item that did move. What did move
      // is learned by the caller.
      ReportRefusal(space, items, refusal, i, moved);
      return moved;
    }
    // The record changes only once the item has moved, so it never names an item left behind.
    undo.SourcePath = source.path;
    undo.SourceStore.StoreName = source.store_name;
    undo.SourceStore.StoreId = source.store_id;
    undo.ConversationIndex = conversation_index;
    ++moved;
    if (learning_) {
      moved_keys_.push_back(std::move(keys));
    }
  }
  return moved;
}

void FilingEngine::ReportRefusal(outlook::NameSpace& space,
                                 const std::vector<ItemToFile>& items,
                                 const outlook::OutlookError& refusal,
                                 int first_not_moved,
                                 int moved) {
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
  Report(MessageKind::kError, text, moved == 0);
}

void FilingEngine::Learn(int slot, const outlook::MAPIFolderPtr& target) {
  if (moved_keys_.empty()) {
    return;
  }
  try {
    const LearnedFolder folder{configuration_.StoreDetails[slot].StoreId,
                               Require(target).EntryID(), configuration_.FolderNames[slot]};
    for (const MailKeys& keys : moved_keys_) {
      last_record_ = history_->Record(keys, folder);
    }
    moved_keys_.clear();
    history_->Save();
  } catch (...) {
    // Learning never stands in the way of filing.
    log_.Write("filing: what was filed could not be learned, " + DiagnosticLog::DescribeCaught());
  }
}

void FilingEngine::CallUndo() {
  const TUndoDetails undo = configuration_.UndoDetails;
  Undo(undo.ConversationIndex, undo.SourcePath, undo.SourceStore, undo.TargetPath,
       undo.TargetStore);
}

outlook::ItemPtr FilingEngine::FindItemByConversationIndex(const outlook::MAPIFolderPtr& folder,
                                                           const std::string& key) {
  const outlook::ItemCollectionPtr items = Require(folder).Items();
  try {
    outlook::ItemCollection& collection = Require(items);
    for (outlook::ItemPtr item = ItemToVariant(collection.GetLast());;
         item = ItemToVariant(collection.GetPrevious())) {
      if (item->ConversationIndex() == key) {
        return item;
      }
    }
  } catch (...) {
    // The items ran out, or one of them is not a message: no result.
  }
  return nullptr;
}

void FilingEngine::Undo(const std::string& conversation_index,
                        const std::string& source_path,
                        const TStoreDetails& source_store,
                        const std::string& target_path,
                        const TStoreDetails& target_store) {
  const platform::WaitCursor wait(platform_.screen);
  if (target_path.empty() || source_path.empty() || conversation_index.empty()) {
    return;
  }
  if (!outlook_.ActiveExplorer()) {
    return;
  }
  auto resolve = [&](const std::string& path, const TStoreDetails& store) {
    const std::string relative = RelativeFolderPath(path);
    outlook::MAPIFolderPtr root = FindStore(outlook_, store.StoreId);
    return relative.empty() ? root : FindFolder(root, relative);
  };
  outlook::MAPIFolderPtr source;
  outlook::ItemPtr item;
  try {
    source = resolve(source_path, source_store);
    const outlook::MAPIFolderPtr target = resolve(target_path, target_store);
    item = FindItemByConversationIndex(target, conversation_index);
  } catch (...) {
    // The record stays, so that Undo can be tried again once the folder is back.
    Report(MessageKind::kWarning, kFolderDoesNotExist, false);
    return;
  }
  try {
    configuration_.UndoDetails.Clear();
    if (Require(source).DefaultItemType() == outlook::kMailItem) {
      Require(item).Move(source);
      place_undo_button_(true);
      if (history_ != nullptr && last_record_ != 0) {
        history_->Unrecord(last_record_);
        last_record_ = 0;
        try {
          history_->Save();
        } catch (...) {
          log_.Write("undo: the history could not be saved, " + DiagnosticLog::DescribeCaught());
        }
      }
    }
  } catch (...) {
    Report(MessageKind::kError, kNotMoved, false);
  }
}

}  // namespace quivra::core
