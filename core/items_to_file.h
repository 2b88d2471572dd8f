#ifndef QUIVRA_CORE_ITEMS_TO_FILE_H_
#define QUIVRA_CORE_ITEMS_TO_FILE_H_

#include <optional>
#include <string>
#include <vector>

#include "host/outlook/outlook.h"

namespace quivra::core {

// One item a filing run moves, by its identity: the run takes every identity before the first
// move and finds each item again at its turn, so a view that changes under the run (an online
// store's list refreshing while Outlook pumps messages during a move) neither skips nor repeats
// an item. An object that is no message-like item (a contact) keeps its place in the order with
// the error its query raised, which the run raises when it gets there.
struct ItemToFile {
  std::string entry_id;
  std::string store_id;
  std::optional<outlook::OutlookError> refused;
};

// What the user means to file from the active explorer.
struct ItemsToFile {
  // The selection lies in the To-Do Bar or the daily task list: its items are not what the
  // user looks at in the message list, and nothing is filed.
  bool elsewhere = false;
  std::vector<ItemToFile> items;
};

// The items of the selection that `explorer` shows now: the message list's selected items;
// the items of every selected conversation header that lie in the folder shown (a collapsed
// conversation is not in the selection itself, and its replies kept in Sent Items stay where
// they are unless selected one by one); for attachments selected in the reading pane, the mail
// they belong to. `given`, when the selection holds at most one item and `given` is a
// message-like item, stands in for it (the Backspace handling passes the item it probed). Each
// item once, in the selection's order.
// Folders are compared through `space` (SameEntryID).
ItemsToFile ReadItemsToFile(outlook::Explorer& explorer,
                            outlook::NameSpace& space,
                            const outlook::ObjectPtr& given);

// The item again by its identity, as the run needs it at its turn.
outlook::ObjectPtr FindItemToFile(outlook::NameSpace& space, const ItemToFile& item);

}  // namespace quivra::core

#endif  // QUIVRA_CORE_ITEMS_TO_FILE_H_
