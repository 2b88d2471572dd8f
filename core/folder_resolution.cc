#include "core/folder_resolution.h"

#include <optional>
#include <vector>

#include "host/outlook/entry_ids.h"

namespace quivra::core {

std::string RelativeFolderPath(const std::string& full_path) {
  const size_t end_of_root = full_path.find('\\');
  return end_of_root == std::string::npos ? std::string() : full_path.substr(end_of_root + 1);
}

bool FollowStoreName(Configuration& configuration, int slot, const std::string& root_name) {
  const size_t index = static_cast<size_t>(slot);
  std::string& path = configuration.FolderNames.at(index);
  const std::string old_name = path.substr(0, path.find('\\'));
  TStoreDetails& store = configuration.StoreDetails.at(index);
  if (old_name == root_name && store.StoreName == root_name) {
    return false;
  }
  const std::string relative = RelativeFolderPath(path);
  path = relative.empty() ? root_name : root_name + "\\" + relative;
  store.StoreName = root_name;
  store.StoreNameId = root_name;
  if (relative.empty() && index < configuration.ButtonNames.size() &&
      configuration.ButtonNames[index] == old_name) {
    configuration.ButtonNames[index] = root_name;
  }
  return true;
}

outlook::MAPIFolderPtr FindStore(outlook::Application& application, const std::string& store_id) {
  outlook::FolderCollectionPtr roots = outlook::Require(application.GetNamespace("MAPI")).Folders();
  int count = outlook::Require(roots).Count();
  // The id as a store gives it is found without asking Outlook; another form of it (a store
  // may be named by more than one id) only when no store gives it so.
  std::vector<std::string> ids;
  for (int i = 1; i <= count; ++i) {
    outlook::MAPIFolderPtr root = roots->Item(i);
    ids.push_back(outlook::Require(root).StoreID());
    if (ids.back() == store_id) {
      return root;
    }
  }
  for (int i = 1; i <= count; ++i) {
    if (outlook::SameEntryID(application, ids[static_cast<size_t>(i - 1)], store_id)) {
      return roots->Item(i);
    }
  }
  return nullptr;
}

outlook::MAPIFolderPtr FindFolder(const outlook::MAPIFolderPtr& start,
                                  const std::string& relative_path) {
  outlook::MAPIFolderPtr folder = start;
  size_t begin = 0;
  while (true) {
    size_t end = relative_path.find('\\', begin);
    std::string name = relative_path.substr(begin, end - begin);
    folder = outlook::Require(outlook::Require(folder).Folders()).Item(name);
    if (end == std::string::npos) {
      return folder;
    }
    begin = end + 1;
  }
}

outlook::MAPIFolderPtr FindMapiFolder(outlook::Application& application,
                                      Configuration& configuration,
                                      int slot) {
  const TStoreDetails& store = configuration.StoreDetails.at(static_cast<size_t>(slot));
  const std::string& path = configuration.FolderNames.at(static_cast<size_t>(slot));
  if (store.StoreId.empty()) {
    return nullptr;
  }
  const std::string relative = RelativeFolderPath(path);
  configuration.UndoDetails.TargetPath = path;
  configuration.UndoDetails.TargetStore = store;

  outlook::MAPIFolderPtr root = FindStore(application, store.StoreId);
  outlook::MAPIFolderPtr folder = relative.empty() ? root : FindFolder(root, relative);
  if (root) {
    FollowStoreName(configuration, slot, root->Name());
  }
  return folder;
}

namespace {

std::string LastName(const std::string& path) {
  return path.substr(path.rfind('\\') + 1);
}

// Whether the full path `path` is `folder` or lies below it.
bool LiesIn(const std::string& path, const std::string& folder) {
  return path == folder || path.rfind(folder + "\\", 0) == 0;
}

// The Deleted Items of the store holding `folder`, or none when Outlook does not tell:
// Store.GetDefaultFolder on Outlook 2010 and later
// (https://learn.microsoft.com/office/vba/api/outlook.store.getdefaultfolder); on Outlook 2007,
// which lacks that call, the store's PR_IPM_WASTEBASKET_ENTRYID through Store.PropertyAccessor
// (https://learn.microsoft.com/office/vba/api/outlook.store.propertyaccessor,
// https://learn.microsoft.com/office/client-developer/outlook/mapi/pidtagipmwastebasketentryid-canonical-property);
// for the default store also NameSpace.GetDefaultFolder(olFolderDeletedItems).
outlook::MAPIFolderPtr DeletedItemsOf(outlook::NameSpace& space,
                                      outlook::MAPIFolder& folder,
                                      const std::string& store_id) {
  outlook::StorePtr store;
  try {
    store = folder.Store();
  } catch (const outlook::OutlookError&) {
  }
  if (store) {
    try {
      return store->GetDefaultFolder(outlook::kFolderDeletedItems);
    } catch (const outlook::OutlookError&) {
    }
    try {
      return space.GetFolderFromID(store->GetBinaryProperty(outlook::kWastebasketProperty),
                                   store_id);
    } catch (const outlook::OutlookError&) {
    }
  }
  try {
    outlook::MAPIFolderPtr bin = space.GetDefaultFolder(outlook::kFolderDeletedItems);
    if (outlook::SameEntryID(space, outlook::Require(bin).StoreID(), store_id)) {
      return bin;
    }
  } catch (const outlook::OutlookError&) {
  }
  return nullptr;
}

// The full path of the Deleted Items of the store holding `folder`, or none when Outlook does
// not tell.
std::optional<std::string> DeletedItemsPath(outlook::NameSpace& space,
                                            outlook::MAPIFolder& folder,
                                            const std::string& store_id) {
  try {
    const outlook::MAPIFolderPtr bin = DeletedItemsOf(space, folder, store_id);
    if (bin) {
      return GetFolderPath(bin).path;
    }
  } catch (const outlook::OutlookError&) {
  }
  return std::nullopt;
}

}  // namespace

outlook::MAPIFolderPtr FindFolderById(outlook::Application& application,
                                      const std::string& store_id,
                                      const std::string& path,
                                      const std::string& entry_id,
                                      FolderLocation& now) {
  if (entry_id.empty()) {
    return nullptr;
  }
  outlook::MAPIFolderPtr folder;
  bool deleted = false;
  try {
    const outlook::NameSpacePtr space = application.GetNamespace("MAPI");
    folder = outlook::Require(space).GetFolderFromID(entry_id, store_id);
    now = GetFolderPath(folder);
    // A deleted folder keeps its EntryID below Deleted Items: it is gone for the user, unless
    // the path led there in the first place.
    if (outlook::SameEntryID(application, now.store_id, store_id)) {
      const std::optional<std::string> bin = DeletedItemsPath(*space, *folder, store_id);
      deleted = bin && LiesIn(now.path, *bin) && !LiesIn(path, *bin);
    }
    if (!outlook::SameEntryID(application, now.store_id, store_id) || deleted) {
      return nullptr;
    }
  } catch (...) {
    return nullptr;
  }
  return folder;
}

outlook::MAPIFolderPtr FindFolderByPathOrId(outlook::Application& application,
                                            const std::string& path,
                                            const std::string& store_id,
                                            const std::string& entry_id) {
  try {
    const std::string relative = RelativeFolderPath(path);
    outlook::MAPIFolderPtr root = FindStore(application, store_id);
    outlook::MAPIFolderPtr folder = relative.empty() ? root : FindFolder(root, relative);
    if (folder) {
      return folder;
    }
  } catch (...) {
    // Renamed, moved or gone: the EntryID tells.
  }
  FolderLocation now;
  return FindFolderById(application, store_id, path, entry_id, now);
}

outlook::MAPIFolderPtr FindMovedFolder(outlook::Application& application,
                                       Configuration& configuration,
                                       int slot) {
  const size_t index = static_cast<size_t>(slot);
  TStoreDetails& store = configuration.StoreDetails.at(index);
  std::string& path = configuration.FolderNames.at(index);
  const std::string* known = configuration.FolderIds.Find(store.StoreId, path);
  if (known == nullptr) {
    return nullptr;
  }
  FolderLocation now;
  const outlook::MAPIFolderPtr folder =
      FindFolderById(application, store.StoreId, path, *known, now);
  if (!folder) {
    return nullptr;
  }
  const std::string entry_id = *known;
  if (index < configuration.ButtonNames.size() && index > 0 &&
      configuration.ButtonNames[index] == LastName(path)) {
    configuration.ButtonNames[index] = LastName(now.path);
  }
  path = now.path;
  store.StoreName = now.store_name;
  store.StoreNameId = now.store_name;
  configuration.FolderIds.Learn(store.StoreId, path, entry_id);
  configuration.UndoDetails.TargetPath = path;
  configuration.UndoDetails.TargetStore = store;
  return folder;
}

void LearnFolderIds(outlook::Application& application, Configuration& configuration) {
  auto learn = [&](const std::string& store_id, const std::string& path) {
    if (store_id.empty() || path.empty() || configuration.FolderIds.Find(store_id, path)) {
      return;
    }
    try {
      const outlook::MAPIFolderPtr root = FindStore(application, store_id);
      const std::string relative = RelativeFolderPath(path);
      const outlook::MAPIFolderPtr folder = relative.empty() ? root : FindFolder(root, relative);
      configuration.FolderIds.Learn(store_id, path, outlook::Require(folder).EntryID());
    } catch (...) {
      // Not there now: learnt at a later save, or never needed.
    }
  };
  for (size_t slot = 1; slot < configuration.FolderNames.size(); ++slot) {
    learn(configuration.StoreDetails[slot].StoreId, configuration.FolderNames[slot]);
  }
  for (int k = 1; k <= kMruCapacity; ++k) {
    learn(configuration.MruList[k].StoreId, configuration.MruList[k].Folder);
  }
}

FolderLocation GetFolderPath(const outlook::MAPIFolderPtr& folder) {
  outlook::MAPIFolderPtr current = folder;
  std::string name = outlook::Require(current).Name();
  std::string path = name;
  while (true) {
    // Only a refused cast marks the root; a failed read of the parent is Outlook failing, and
    // must not pass for a shorter path.
    outlook::ObjectPtr parent_object = current->Parent();
    outlook::MAPIFolderPtr parent;
    try {
      parent = outlook::Require(parent_object).AsMAPIFolder();
    } catch (const outlook::OutlookError&) {
      return FolderLocation{path, name, current->StoreID()};
    }
    name = outlook::Require(parent).Name();
    path = name + "\\" + path;
    current = parent;
  }
}

}  // namespace quivra::core
