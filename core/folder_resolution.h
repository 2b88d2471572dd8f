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

// The full path without its leading store name and backslash; empty when the path is the store
// name itself. The first occurrence of "<store name>\" is removed wherever it stands
// (case-sensitive); a path without one is returned unchanged.
std::string RelativeFolderPath(const std::string& full_path, const std::string& store_name);

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
// the record alone.
outlook::MAPIFolderPtr FindMapiFolder(outlook::Application& application,
                                      Configuration& configuration,
                                      int slot);

// The folder's full path and its store's root name and store id, found by walking up through
// the parents until one is not a folder.
FolderLocation GetFolderPath(const outlook::MAPIFolderPtr& folder);

}  // namespace quivra::core

#endif  // QUIVRA_CORE_FOLDER_RESOLUTION_H_
