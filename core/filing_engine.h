#ifndef QUIVRA_CORE_FILING_ENGINE_H_
#define QUIVRA_CORE_FILING_ENGINE_H_

#include <functional>
#include <cstdint>
#include <string>
#include <vector>

#include "core/diagnostic_log.h"
#include "core/items_to_file.h"
#include "host/outlook/outlook.h"
#include "model/configuration.h"
#include "model/filing_history.h"
#include "platform/platform.h"

namespace quivra::core {

// The item as the add-in handles it: the first of the five message-like interfaces
// (_MailItem, _MeetingItem, _ReportItem, _TaskRequestItem, _PostItem) the object supports.
// Raises the last query's error when it supports none.
outlook::ItemPtr ItemToVariant(const outlook::ObjectPtr& item);

// The folder holding the item, through the first of the five interfaces whose Parent is a
// folder. Raises the last error when none is.
outlook::MAPIFolderPtr GetItemFolder(const outlook::ObjectPtr& item);

// Moves the items selected in Outlook's active explorer into a slot's folder, and one step
// back. Every refusal ends in one standard message box; the undo record of the configuration
// describes the last item moved, and the Undo buttons are brought into line after each run.
// Given a filing history, every item moved is learned there (and an undone one forgotten).
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

  // Moves the last filed item back, from the undo record.
  void CallUndo();
  void Undo(const std::string& conversation_index,
            const std::string& source_path,
            const TStoreDetails& source_store,
            const std::string& target_path,
            const TStoreDetails& target_store);

  // The item of `folder` whose ConversationIndex is `key`, searched from the end of the
  // folder's items; none when the search runs out or meets an item of another kind.
  outlook::ItemPtr FindItemByConversationIndex(const outlook::MAPIFolderPtr& folder,
                                               const std::string& key);

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
  // every later one) and Outlook's reason. The undo record stays when `moved` items went
  // before.
  void ReportRefusal(outlook::NameSpace& space,
                     const std::vector<ItemToFile>& items,
                     const outlook::OutlookError& refusal,
                     int first_not_moved,
                     int moved);
  void Report(platform::MessageKind kind, const std::string& text, bool invalidate);
  // Learns the keys read from the items moved into the folder of `slot`, then saves.
  void Learn(int slot, const outlook::MAPIFolderPtr& target);

  outlook::Application& outlook_;
  Configuration& configuration_;
  platform::Platform& platform_;
  DiagnosticLog& log_;
  std::function<void(bool)> place_undo_button_;
  FilingHistory* history_;
  // Whether the run under way learns ("Suggest folders" is on), and the keys of the items it
  // moved.
  bool learning_ = false;
  std::vector<MailKeys> moved_keys_;
  // The record of the last item moved, which Undo would move back; 0: none.
  std::uint64_t last_record_ = 0;
};

}  // namespace quivra::core

#endif  // QUIVRA_CORE_FILING_ENGINE_H_
