#ifndef QUIVRA_TOOLS_OLHOST_SELECTION_SCRIPT_H_
#define QUIVRA_TOOLS_OLHOST_SELECTION_SCRIPT_H_

#include <string>

#include "host/outlook/sim/sim_outlook.h"

namespace quivra::olhost {

// The script commands that put items into the mailbox and make selections the way Outlook's
// own views make them (positions count from 1, top to bottom, in the explorer's view):
//
//   add-items <count> [<kind>] <path>       new items of that kind (mail, the default:
//                                           "Bulk mail 1" ...) at the end of the folder:
//                                           mail, task-accept, task-decline, task-update,
//                                           sharing, document, remote, mobile, contact
//   conversation <id> <explorer> <position>...   those items of the view belong to the
//                                           conversation of that ConversationID
//   add-reply <id> <path>                   a mail the user sent in that conversation, kept in
//                                           the folder (Sent Items)
//   conversation-view <explorer> on|off     the explorer groups its items by conversation
//   select-conversations <explorer> <position>...   the headers of the conversations of those
//                                           items are selected, collapsed
//   select-attachment <explorer> <position> an attachment of that item is selected in the
//                                           reading pane
//   select-in-todo-bar <explorer> <position>   the To-Do Bar's task list holds the selection:
//                                           that item, flagged
//   live-selection on|off                   every explorer's selection follows each move at once
//
// Returns false for a command it does not know; raises std::exception on a bad argument.
bool RunSelectionCommand(const std::string& command,
                         const std::string& rest,
                         outlook::sim::SimOutlook& outlook);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_SELECTION_SCRIPT_H_
