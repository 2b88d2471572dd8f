#ifndef QUIVRA_CORE_FILING_ENGINE_H_
#define QUIVRA_CORE_FILING_ENGINE_H_

#include <cstdint>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "core/diagnostic_log.h"
#include "core/items_to_file.h"
#include "host/outlook/outlook.h"
#include "model/configuration.h"
#include "model/filing_history.h"
#include "model/undo_history.h"
#include "platform/platform.h"

namespace quivra::core {

// The item as the add-in handles it: the first of the five message-like interfaces
// (_MailItem, _MeetingItem, _ReportItem, _TaskRequestItem, _PostItem) the object supports.
// Raises the last query's error when it supports none.
outlook::ItemPtr ItemToVariant(const outlook::ObjectPtr& item);

// The folder holding the item, through the first of the five interfaces whose Parent is a
// folder. Raises the last error when none is.
outlook::MAPIFolderPtr GetItemFolder(const outlook::ObjectPtr& item);

// Moves the items selected in Outlook's active explorer into a slot's folder, and back again.
// Every refusal ends in one standard message box. Each run that moved something is one step of
// the undo history, which Undo reverses newest first; the undo record of the configuration
// describes the last item of the newest step, and the Undo buttons are brought into line after
// each run and each undo. Given a filing history, every item moved is learned there (and an
// undone one forgotten).
class FilingEngine {
 public:
  FilingEngine(outlook::Application& outlook,
               Configuration& configuration,
               platform::Platform& platform,
               DiagnosticLog& log,
               std::function<void(bool visible)> place_undo_button,
               FilingHistory* history = nullptr);

  // Files the selection into the folder of `slot` (0 ... 11). `item`, when given, is moved
  // instead of the selection's single item (the Backspace handling passes one). False only
  // when the folder could not be found ("Folder doesn't exist.").
  bool FileToFolder(int slot, const outlook::ObjectPtr& item);

  // Called when a filing found the slot's folder under another path than the one configured
  // (its store or the folder was renamed or moved) and changed the slot to follow it, so that
  // the configuration can be saved and the buttons relabelled. Unset: nothing happens.
  std::function<void(int slot)> OnSlotFollowed;
  // Called after a filing button's run when its folder no longer exists and the user chose to
  // pick a new one for the button at once. Unset: nothing happens.
  std::function<void(int slot)> OnPickNewFolder;

  // Called after every change of the undo history (a filing run that moved something, an
  // undo), so that it can be saved. Unset: nothing happens.
  std::function<void()> OnUndoHistoryChanged;

  // The filing runs that Undo can reverse; loaded at start-up by the caller.
  UndoHistory& undo_history() { return undo_; }
  // Makes the configuration's undo record and the Undo buttons agree with the undo history, as
  // after a load of the history.
  void UndoHistoryLoaded();

  // Moves every item of the newest step back into the folder it came from. Items that cannot be
  // put back are named in one message, with the reason; the step then leaves the history, unless
  // items stay behind because their source folder is gone: those stay in the step, so that
  // Undo can put them back once the folder is there again.
  void CallUndo();

  // The item of `folder` whose ConversationIndex is `key`, searched from the end of the
  // folder's items, at most `limit` of them; none when the search runs out or meets an item of
  // another kind. `accept`, when given, must also take the item (it may read it).
  outlook::ItemPtr FindItemByConversationIndex(
      const outlook::MAPIFolderPtr& folder,
      const std::string& key,
      int limit,
      const std::function<bool(outlook::Item&)>& accept = nullptr);

  // How many items from the end of the target folder Undo searches by ConversationIndex for an
  // item whose identity no longer finds it.
  static constexpr int kUndoSearchLimit = 200;

 private:
  // Moves `items` one by one, each found again by its identity at its turn. Returns how many
  // it moved.
  int FileSelection(outlook::Explorer& explorer,
                    outlook::NameSpace& space,
                    const outlook::MAPIFolderPtr& target,
                    const std::vector<ItemToFile>& items,
                    int slot);
  // Tells the user that the slot's folder is found neither by its path nor by its EntryID: for
  // a filing button, naming the button and the folder, with the choice to pick a new folder at
  // once (true when the user wants to); for "Any Folder..." "Folder doesn't exist.".
  bool ReportMissingFolder(int slot, const std::string& path);
  void SlotFollowed(int slot, const std::string& old_path);
  // Tells which items were not moved (the one refused, at 0-based `first_not_moved`, and
  // every later one) and Outlook's reason.
  void ReportRefusal(outlook::NameSpace& space,
                     const std::vector<ItemToFile>& items,
                     const outlook::OutlookError& refusal,
                     int first_not_moved);
  void Report(platform::MessageKind kind, const std::string& text);
  // Learns the keys read from the items moved into the folder of `slot`, then saves; each
  // item of the pending step remembers the number of its record.
  void Learn(int slot, const outlook::MAPIFolderPtr& target);
  // Makes the pending step, if it holds an item, the newest of the undo history.
  void CommitPendingStep();
  void UndoHistoryChanged();
  // The folder the newest step filed into, looked up once an item needs it.
  struct UndoTarget {
    outlook::MAPIFolderPtr folder;
    bool looked_up = false;
  };
  // What became of one item that Undo tried to put back: `reason` is empty when it went back,
  // otherwise why not; `keep` when it stays in the step for a later Undo (its folder is gone).
  struct PutBackResult {
    std::string reason;
    bool keep = false;
  };
  // Moves one item of the newest step back into `source`.
  PutBackResult PutBack(outlook::NameSpace& space,
                        const UndoStep& step,
                        const UndoItem& item,
                        const outlook::MAPIFolderPtr& source,
                        UndoTarget& target);
  // The item by its identity, else (when that no longer finds it) by its ConversationIndex
  // among the last items of the step's target; none when neither finds it. Raises OutlookError
  // when Outlook fails during the search.
  outlook::ObjectPtr FindUndoItem(outlook::NameSpace& space,
                                  const UndoStep& step,
                                  const UndoItem& item,
                                  UndoTarget& target);
  void ForgetLearned(const std::vector<std::uint64_t>& records);

  outlook::Application& outlook_;
  Configuration& configuration_;
  platform::Platform& platform_;
  DiagnosticLog& log_;
  std::function<void(bool)> place_undo_button_;
  FilingHistory* history_;
  UndoHistory undo_;
  // The run under way: what it moved so far, as its undo step; whether it learns ("Suggest
  // folders" is on), and the keys of the items it moved with their places in the step.
  UndoStep pending_;
  bool learning_ = false;
  std::vector<std::pair<std::size_t, MailKeys>> moved_keys_;
};

}  // namespace quivra::core

#endif  // QUIVRA_CORE_FILING_ENGINE_H_
