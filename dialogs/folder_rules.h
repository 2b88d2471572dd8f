#ifndef QUIVRA_DIALOGS_FOLDER_RULES_H_
#define QUIVRA_DIALOGS_FOLDER_RULES_H_

#include <string_view>

#include "host/outlook/outlook.h"

namespace quivra::dialogs {

// Which folders below a store's top-level folder the picker offers, in its tree and in its
// search alike.

// A folder Outlook keeps for itself ("Conversation Action Settings", "News Feed", "Quick Step
// Settings"; the name matched exactly): hidden.
bool IsOutlookOwnFolder(std::string_view name);

// Whether the folder holds mail items. Calendar, contact, task, note and journal folders, and
// everything below them, are never offered.
bool HoldsMail(outlook::MAPIFolder& folder);

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_FOLDER_RULES_H_
