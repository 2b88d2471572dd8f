#include "dialogs/folder_index_reader.h"

#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/folder_rules.h"

namespace quivra::dialogs {

namespace {

// A subfolder kept for the search: its name, EntryID and whether it has subfolders.
struct Subfolder {
  std::string name;
  std::string entry_id;
  bool has_subfolders = false;
};

// The mail folders directly below `folder`, in Outlook's order. Each child is open only while it
// is read, and `folder` and its subfolders only for this call.
std::vector<Subfolder> ReadChildren(outlook::MAPIFolder& folder,
                                    OutlookOwnFolders& own,
                                    bool top_level) {
  std::vector<Subfolder> children;
  outlook::FolderCollectionPtr folders = folder.Folders();
  const int count = outlook::Require(folders).Count();
  for (int i = 1; i <= count; ++i) {
    try {
      outlook::MAPIFolderPtr child = folders->Item(i);
      std::string name = outlook::Require(child).Name();
      if (own.Hides(*child, name, top_level) || !HoldsMail(*child)) {
        continue;
      }
      std::string entry_id = child->EntryID();
      const bool has_subfolders = outlook::Require(child->Folders()).Count() > 0;
      children.push_back({std::move(name), std::move(entry_id), has_subfolders});
    } catch (const std::exception&) {
      // The folder stays out of the search; its siblings are still read.
    }
  }
  return children;
}

// Adds the mail folders below the folder at `position` in the index, depth first. No folder is
// held open while the folders below it are read: an Exchange server allows a session only so
// many open folders, and a path can be deeper than that. Each is opened again by its ids.
void ReadSubfolders(outlook::NameSpace& name_space,
                    std::vector<Subfolder> children,
                    int position,
                    const std::string& store_id,
                    FolderIndex& index,
                    OutlookOwnFolders& own) {
  for (Subfolder& child : children) {
    const int added = index.Add(std::move(child.name), position, store_id, child.entry_id);
    if (!child.has_subfolders) {
      continue;
    }
    std::vector<Subfolder> below;
    try {
      outlook::MAPIFolderPtr folder = name_space.GetFolderFromID(child.entry_id, store_id);
      below = ReadChildren(outlook::Require(folder), own, false);
    } catch (const std::exception&) {
      // The folders below it stay out of the search; its siblings are still read.
      continue;
    }
    ReadSubfolders(name_space, std::move(below), added, store_id, index, own);
  }
}

std::string DefaultStoreId(outlook::NameSpace& name_space) {
  try {
    return outlook::Require(
               outlook::Require(
                   outlook::Require(name_space.GetDefaultFolder(outlook::kFolderInbox)).Parent())
                   .AsMAPIFolder())
        .StoreID();
  } catch (const std::exception&) {
    // Without a default store the stores are simply in the order of their names.
    return {};
  }
}

}  // namespace

FolderIndex ReadFolderIndex(outlook::Application& outlook, platform::Collation& collation) {
  FolderIndex index;
  outlook::NameSpacePtr name_space = outlook.GetNamespace("MAPI");
  outlook::FolderCollectionPtr stores = outlook::Require(name_space).Folders();
  const std::string default_store_id = DefaultStoreId(*name_space);
  OutlookOwnFolders own(*name_space);
  const int count = outlook::Require(stores).Count();
  for (int i = 1; i <= count; ++i) {
    try {
      // Every store is shown, whatever its default item type, as the tree shows them.
      std::string store_id;
      int position = -1;
      std::vector<Subfolder> children;
      {
        outlook::MAPIFolderPtr root = stores->Item(i);
        std::string name = outlook::Require(root).Name();
        store_id = root->StoreID();
        position = index.Add(std::move(name), -1, store_id, root->EntryID());
        children = ReadChildren(*root, own, true);
      }
      ReadSubfolders(*name_space, std::move(children), position, store_id, index, own);
    } catch (const std::exception&) {
      // The store stays out of the search.
    }
  }
  index.Finish(collation, default_store_id);
  return index;
}

}  // namespace quivra::dialogs
