#ifndef QUIVRA_CORE_FOLDER_RESOLUTION_H_
#define QUIVRA_CORE_FOLDER_RESOLUTION_H_

#include <string>

#include "host/outlook/outlook.h"
#include "model/configuration.h"

// Turns a stored folder reference (full path and store details) into a live Outlook folder, and
// a live folder back into its full path. Nothing is cached: every call walks Outlook's folders
// anew, so renamed, moved and closed stores and folders are noticed at once.
namespace quivra::core {

// Where a folder lies: its full path from the store's root folder, and that root's name and
// store id.
struct FolderLocation {
  std::string path;
  std::string store_name;
  std::string store_id;
};

// The path below the store's root folder: everything after the path's first name (the root's
// name when the path was made), empty when the path is that name alone. The store itself is
// found by its id, so the first name may be out of date (the store was renamed since) and the
// same text may stand again further down (a subfolder named like the store) without harm.
std::string RelativeFolderPath(const std::string& full_path);

// When the root folder of a slot's store is now called `root_name`, and the slot's path still
// begins with another name: the path, the store names and (when the slot is bound to the root
// itself and its caption was the old name) the caption follow the new name. True when something
// changed.
bool FollowStoreName(Configuration& configuration, int slot, const std::string& root_name);

// The root folder of the open store whose StoreID equals `store_id` exactly, or none.
outlook::MAPIFolderPtr FindStore(outlook::Application& application, const std::string& store_id);

// The folder reached from `start` by the names of `relative_path`, one per backslash-separated
// level, matched as Outlook matches names. Raises OutlookError when a name is missing or
// `start` is none.
outlook::MAPIFolderPtr FindFolder(const outlook::MAPIFolderPtr& start,
                                  const std::string& relative_path);

// The folder configured for `slot` (0 ... 11), or none when the slot has no store or its store
// is not open. Records the slot's folder as the target of the undo record before looking
// anything up, so the record names it even when the lookup fails; a slot without store leaves
// the record alone. A store found under a new name makes the slot follow it (FollowStoreName).
outlook::MAPIFolderPtr FindMapiFolder(outlook::Application& application,
                                      Configuration& configuration,
                                      int slot);

// The folder of `entry_id` in the store of `store_id`, found again after `path` stopped leading
// to it (renamed or moved within its store), with where it lies now in `now`. None when there
// is no such id, when the store holds no folder of that id (deleted for good, or the store is not
// open), and when the folder now lies in its store's Deleted Items while `path` did not (the
// user deleted it: Outlook keeps a deleted folder's EntryID there); never raises.
outlook::MAPIFolderPtr FindFolderById(outlook::Application& application,
                                      const std::string& store_id,
                                      const std::string& path,
                                      const std::string& entry_id,
                                      FolderLocation& now);
// The folder by its full path in the store of `store_id`, else by its EntryID (FindFolderById);
// none when neither finds it. Never raises.
outlook::MAPIFolderPtr FindFolderByPathOrId(outlook::Application& application,
                                            const std::string& path,
                                            const std::string& store_id,
                                            const std::string& entry_id);

// The folder of `slot` found again by the EntryID known for its path (Configuration::FolderIds),
// after the path stopped leading to it: the folder was renamed or moved within its store. None
// when no id is known, when the slot's store holds no folder of that id (deleted for good, or
// the store is not open), and when the folder now lies in its store's Deleted Items while the
// slot's path did not (the user deleted it: Outlook keeps a deleted folder's EntryID there);
// never raises. When found, the slot follows the folder: its path and store name become the
// folder's now, its caption too when it was the folder's old name, and the undo record's target
// names the new path.
outlook::MAPIFolderPtr FindMovedFolder(outlook::Application& application,
                                       Configuration& configuration,
                                       int slot);

// Learns the EntryIDs of the folders of slots 1 ... 11 and of the recently used entries that
// Configuration::FolderIds does not know yet, by resolving their paths. Folders that cannot be
// found stay unknown; never raises.
void LearnFolderIds(outlook::Application& application, Configuration& configuration);

// The folder's full path and its store's root name and store id, found by walking up through
// the parents until one is not a folder.
FolderLocation GetFolderPath(const outlook::MAPIFolderPtr& folder);

}  // namespace quivra::core

#endif  // QUIVRA_CORE_FOLDER_RESOLUTION_H_
