// Undo: the newest filing run of the undo history, every item moved back into its own folder.

#include <exception>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/filing_engine.h"
#include "core/folder_resolution.h"
#include "host/outlook/entry_ids.h"

namespace quivra::core {

namespace {

using outlook::Require;
using platform::MessageKind;

constexpr char kFolderDoesNotExist[] = "Folder doesn't exist.";
// At most this many items are named in the message; the rest are counted.
constexpr int kListedAtMost = 10;

// The path below its store, as the user knows the folder.
std::string Shown(const std::string& path) {
  const std::string relative = RelativeFolderPath(path);
  return relative.empty() ? path : relative;
}

// Why items cannot go back into `source`, found: empty when they can.
std::string SourceProblem(outlook::MAPIFolder& source) {
  try {
    return source.DefaultItemType() == outlook::kMailItem ? std::string()
                                                          : "its folder holds no mail";
  } catch (const outlook::OutlookError& error) {
    return error.what();
  }
}

// One item that did not go back, and why.
struct NotPutBack {
  std::string subject;
  std::string reason;
};

}  // namespace

outlook::ItemPtr FilingEngine::FindItemByConversationIndex(
    const outlook::MAPIFolderPtr& folder,
    const std::string& key,
    int limit,
    const std::function<bool(outlook::Item&)>& accept) {
  const outlook::ItemCollectionPtr items = Require(folder).Items();
  try {
    outlook::ItemCollection& collection = Require(items);
    int searched = 0;
    for (outlook::ItemPtr item = ItemToVariant(collection.GetLast()); searched < limit;
         item = ItemToVariant(collection.GetPrevious())) {
      ++searched;
      if (item->ConversationIndex() == key && (!accept || accept(*item))) {
        return item;
      }
    }
  } catch (...) {
    // The items ran out, or one of them is not a message: no result.
  }
  return nullptr;
}

outlook::ObjectPtr FilingEngine::FindUndoItem(outlook::NameSpace& space,
                                              const UndoStep& step,
                                              const UndoItem& item,
                                              UndoTarget& target) {
  try {
    outlook::ObjectPtr found = space.GetItemFromID(item.entry_id, item.store_id);
    if (found) {
      return found;
    }
  } catch (const outlook::OutlookError&) {
    // The id no longer finds it (some stores give a moved item a new one): search below.
  }
  if (item.conversation_index.empty()) {
    return nullptr;
  }
  if (!target.looked_up) {
    target.folder = FindFolderByPathOrId(outlook_, step.target_path, step.target_store.StoreId,
                                         step.target_entry_id);
    target.looked_up = true;
  }
  if (!target.folder) {
    return nullptr;
  }
  // A copy with the same ConversationIndex is another item: the subject must agree, and an
  // item of the step found by its own id is not taken for this one.
  std::set<std::string> step_ids;
  for (const UndoItem& other : step.items) {
    step_ids.insert(other.entry_id);
  }
  const outlook::ItemPtr candidate = FindItemByConversationIndex(
      target.folder, item.conversation_index, kUndoSearchLimit, [&](outlook::Item& found) {
        return UndoHistory::KeptSubject(found.Subject()) == item.subject &&
               step_ids.count(found.EntryID()) == 0;
      });
  if (!candidate) {
    return nullptr;
  }
  // The typed item answers as the object itself for the move.
  return space.GetItemFromID(candidate->EntryID(), item.store_id);
}

FilingEngine::PutBackResult FilingEngine::PutBack(outlook::NameSpace& space,
                                                  const UndoStep& step,
                                                  const UndoItem& item,
                                                  const outlook::MAPIFolderPtr& source,
                                                  UndoTarget& target) {
  outlook::ObjectPtr object;
  try {
    object = FindUndoItem(space, step, item, target);
  } catch (const outlook::OutlookError& error) {
    return {error.what()};
  }
  if (!object) {
    if (target.looked_up && !target.folder) {
      // The folder filed into is not there (its store closed, or the folder gone with the
      // items): Undo can try again once it is back.
      return {"the folder " + Shown(step.target_path) +
                  " is not there; Undo again once it is back",
              true};
    }
    return {"no longer in " + Shown(step.target_path) + " (deleted or moved on)"};
  }
  try {
    const outlook::ItemPtr typed = ItemToVariant(object);
    outlook::MAPIFolderPtr folder;
    try {
      folder = Require(typed->Parent()).AsMAPIFolder();
    } catch (const outlook::OutlookError&) {
      folder = GetItemFolder(object);
    }
    if (!outlook::SameEntryID(space, Require(folder).EntryID(), step.target_entry_id)) {
      try {
        return {"moved to " + Shown(GetFolderPath(folder).path) + " since"};
      } catch (...) {
        return {"moved elsewhere since"};
      }
    }
    typed->Move(source);
    return {};
  } catch (const outlook::OutlookError& error) {
    return {error.what()};
  } catch (...) {
    return {DiagnosticLog::DescribeCaught()};
  }
}

void FilingEngine::CallUndo() {
  const platform::WaitCursor wait(platform_.screen);
  if (undo_.empty() || !outlook_.ActiveExplorer()) {
    return;
  }
  UndoStep& step = undo_.Newest();
  outlook::NameSpacePtr space;
  try {
    space = outlook_.GetNamespace("MAPI");
    Require(space);
  } catch (...) {
    log_.Write("undo: Outlook's session was not reached, " + DiagnosticLog::DescribeCaught());
    Report(MessageKind::kError, "An error occurred - message not moved.");
    return;
  }
  // Each source folder of the step's items once, by its path or else its EntryID; none when it
  // is gone.
  std::vector<outlook::MAPIFolderPtr> sources(step.sources.size());
  std::vector<bool> looked_up(step.sources.size(), false);
  std::vector<std::string> problems(step.sources.size());
  bool any_source = false;
  for (const UndoItem& item : step.items) {
    if (looked_up.at(item.source)) {
      continue;
    }
    looked_up[item.source] = true;
    const UndoSource& source = step.sources[item.source];
    sources[item.source] =
        FindFolderByPathOrId(outlook_, source.path, source.store.StoreId, source.entry_id);
    if (sources[item.source]) {
      any_source = true;
      problems[item.source] = SourceProblem(*sources[item.source]);
    }
  }
  if (!any_source) {
    // The step stays, so that Undo can be tried again once the folder is back.
    log_.Write("undo: no source folder of the step exists");
    Report(MessageKind::kWarning, kFolderDoesNotExist);
    return;
  }
  const size_t count = step.items.size();
  std::vector<UndoItem> waiting;  // their folder is gone: kept for a later Undo
  std::vector<NotPutBack> not_put_back;
  std::vector<std::uint64_t> put_back_records;
  UndoTarget target;
  for (const UndoItem& item : step.items) {
    const outlook::MAPIFolderPtr& source = sources.at(item.source);
    PutBackResult result;
    if (!source) {
      result = {"its folder " + Shown(step.sources[item.source].path) +
                    " no longer exists; Undo again once it is back",
                true};
    } else if (!problems[item.source].empty()) {
      result.reason = problems[item.source];
    } else {
      result = PutBack(*space, step, item, source, target);
    }
    if (result.reason.empty()) {
      put_back_records.push_back(item.learned);
      continue;
    }
    if (result.keep) {
      waiting.push_back(item);
    }
    not_put_back.push_back({item.subject, std::move(result.reason)});
  }
  if (put_back_records.empty() && waiting.size() == count) {
    // Nothing could be tried: the step stays as it was.
    log_.Write("undo: the folders of the step are not there");
    Report(MessageKind::kWarning, kFolderDoesNotExist);
    return;
  }
  log_.Write("undo: " + std::to_string(count - not_put_back.size()) + " of " +
             std::to_string(count) + " items moved back to " +
             std::to_string(step.sources.size()) + " folders");
  if (waiting.empty()) {
    undo_.PopNewest();
  } else {
    step.items = std::move(waiting);
  }
  UndoHistoryChanged();
  ForgetLearned(put_back_records);
  place_undo_button_(true);
  if (not_put_back.empty()) {
    return;
  }
  std::string text = "Not moved back (" + std::to_string(not_put_back.size()) + " of " +
                     std::to_string(count) + "):";
  for (size_t i = 0; i < not_put_back.size() && i < kListedAtMost; ++i) {
    const NotPutBack& entry = not_put_back[i];
    text += "\r\n\"" + entry.subject + "\": " + entry.reason;
  }
  if (not_put_back.size() > kListedAtMost) {
    text += "\r\nand " + std::to_string(not_put_back.size() - kListedAtMost) + " more";
  }
  Report(MessageKind::kWarning, text);
}

void FilingEngine::ForgetLearned(const std::vector<std::uint64_t>& records) {
  if (history_ == nullptr) {
    return;
  }
  bool changed = false;
  for (const std::uint64_t record : records) {
    if (record != 0) {
      history_->Unrecord(record);
      changed = true;
    }
  }
  if (!changed) {
    return;
  }
  try {
    history_->Save();
  } catch (...) {
    log_.Write("undo: the history could not be saved, " + DiagnosticLog::DescribeCaught());
  }
}

}  // namespace quivra::core
