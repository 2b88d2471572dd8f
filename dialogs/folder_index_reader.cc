#include "dialogs/folder_index_reader.h"

#include <exception>
#include <string>

#include "dialogs/folder_rules.h"

namespace quivra::dialogs {

namespace {

// Adds the mail folders below `folder` (at `position` in the index), depth first.
void ReadSubfolders(outlook::MAPIFolder& folder,
                    int position,
                    const std::string& store_id,
                    FolderIndex& index,
                    OutlookOwnFolders& own,
                    bool top_level) {
  outlook::FolderCollectionPtr folders = folder.Folders();
  const int count = outlook::Require(folders).Count();
  for (int i = 1; i <= count; ++i) {
    try {
      outlook::MAPIFolderPtr child = folders->Item(i);
      std::string name = outlook::Require(child).Name();
      if (own.Hides(*child, name, top_level) || !HoldsMail(*child)) {
        continue;
      }
      const int added = index.Add(std::move(name), position, store_id, child->EntryID());
      ReadSubfolders(*child, added, store_id, index, own, false);
    } catch (const std::exception&) {
      // The folder stays out of the search; its siblings are still read.
    }
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
      outlook::MAPIFolderPtr root = stores->Item(i);
      std::string name = outlook::Require(root).Name();
      const std::string store_id = root->StoreID();
      const int position = index.Add(std::move(name), -1, store_id, root->EntryID());
      ReadSubfolders(*root, position, store_id, index, own, true);
    } catch (const std::exception&) {
      // The store stays out of the search.
    }
  }
  index.Finish(collation, default_store_id);
  return index;
}

}  // namespace quivra::dialogs
