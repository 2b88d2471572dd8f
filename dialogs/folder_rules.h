#ifndef QUIVRA_DIALOGS_FOLDER_RULES_H_
#define QUIVRA_DIALOGS_FOLDER_RULES_H_

#include <string>
#include <string_view>
#include <vector>

#include "host/outlook/outlook.h"

namespace quivra::dialogs {

// Which folders below a store's top-level folder the picker offers, in its tree and in its
// search alike.

// The English names of folders Outlook keeps for itself ("Conversation Action Settings", "News
// Feed", "Quick Step Settings"; matched exactly): hidden by name where Outlook cannot tell.
bool IsOutlookOwnFolder(std::string_view name);

// The folders Outlook keeps for itself, in any language: those it marks hidden (PR_ATTR_HIDDEN,
// read through the folder's PropertyAccessor) and the default store's synchronisation folders
// (Sync Issues, Conflicts, Local Failures, Server Failures, known by their EntryIDs). Outlook
// keeps them directly below a store's top-level folder, so only there is the property read:
// deeper folders cost no call more than before. Where the property cannot be read (not set on
// the folder, or an Outlook before 2007 without PropertyAccessor), the English names decide.
class OutlookOwnFolders {
 public:
  // Reads the EntryIDs of the synchronisation folders the default store has.
  explicit OutlookOwnFolders(outlook::NameSpace& name_space);

  // Whether the folder named `name` is hidden. `top_level`: it lies directly below a store's
  // top-level folder. Raises what Outlook raises for the folder's EntryID.
  bool Hides(outlook::MAPIFolder& folder, std::string_view name, bool top_level);

 private:
  std::vector<std::string> sync_folder_ids_;
  // Set once Outlook has shown that it has no PropertyAccessor: no more asking.
  bool no_property_accessor_ = false;
};

// Whether the folder holds mail items. Calendar, contact, task, note and journal folders, and
// everything below them, are never offered.
bool HoldsMail(outlook::MAPIFolder& folder);

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_FOLDER_RULES_H_
