#ifndef QUIVRA_DIALOGS_FOLDER_RULES_H_
#define QUIVRA_DIALOGS_FOLDER_RULES_H_

#include <string>
#include <optional>
#include <string_view>
#include <vector>

#include "host/outlook/outlook.h"

namespace quivra::dialogs {

// Which folders below a store's top-level folder the picker offers, in its tree and in its
// search alike.

// The English names of folders Outlook keeps for itself ("Conversation Action Settings", "News
// Feed", "Quick Step Settings"; matched exactly): hidden by name where Outlook cannot tell.
bool IsOutlookOwnFolder(std::string_view name);

// A few folders known by the EntryIDs Outlook gave for them (through GetDefaultFolder, say),
// recognised whichever form of its EntryID a folder answers: one object can be represented by
// two different EntryID values, so a folder whose text matches none is asked of
// NameSpace.CompareEntryIDs against each known folder not recognised yet. A folder is one
// folder: once recognised, its id is never asked about again.
class KnownFolderIds {
 public:
  KnownFolderIds(outlook::NameSpace& name_space, std::vector<std::string> ids);

  // The position in `ids` of the folder `entry_id` names, or -1. `compare`: Outlook is asked
  // when the text matches none; else the text alone decides.
  int Find(const std::string& entry_id, bool compare);
  bool empty() const { return ids_.empty(); }
  const std::string& id(int position) const { return ids_.at(static_cast<size_t>(position)); }

 private:
  outlook::NameSpace& name_space_;
  std::vector<std::string> ids_;
  std::vector<bool> recognised_;
};

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
  std::optional<KnownFolderIds> sync_folders_;
  // Set once Outlook has shown that it has no PropertyAccessor: no more asking.
  bool no_property_accessor_ = false;
};

// Whether the folder holds mail items. Calendar, contact, task, note and journal folders, and
// everything below them, are never offered.
bool HoldsMail(outlook::MAPIFolder& folder);

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_FOLDER_RULES_H_
