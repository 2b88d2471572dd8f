#ifndef QUIVRA_TOOLS_OLHOST_MAILBOX_SCRIPT_H_
#define QUIVRA_TOOLS_OLHOST_MAILBOX_SCRIPT_H_

#include <string>

#include "host/outlook/sim/sim_outlook.h"

namespace quivra::olhost {

// The script commands that change the mailbox behind the user's back, as a user or an
// administrator does in Outlook or on the server:
//
//   rename-folder <path> -> <new name>     the folder (or a store's root) gets a new name
//   move-folder <path> -> <new parent>     the folder moves below another folder of its store
//   delete-folder <path>                   the user deletes the folder: it moves below its
//                                          store's Deleted Items (there: deleted for good)
//   empty-deleted-items <store>            the user empties the store's Deleted Items
//   refuse-moves <store> <hex code> <text> the store refuses every item moved into it from now
//                                          on, raising that HRESULT with Outlook's text
//   limit-open-objects exchange            the server limits the objects the session holds
//   limit-open-objects <kind> <count> ...  open, to Exchange's defaults or to the counts given
//                                          ("none": any number); kinds: folders, items,
//                                          folder-views, item-views
//   expect-open-objects <kind> <count>     checks that never more objects of the kind were open
//                                          at once, and none was refused
//
// Returns false for a command it does not know; raises std::exception on a bad argument.
bool RunMailboxCommand(const std::string& command,
                       const std::string& rest,
                       outlook::sim::SimOutlook& outlook);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_MAILBOX_SCRIPT_H_
