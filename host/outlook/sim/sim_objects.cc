// The folders, item collections and items of the simulated Outlook as the product gets them.

#include "host/outlook/sim/sim_objects.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace quivra::outlook::sim::internal {

void ThrowNotFound() {
  throw OutlookError(kErrorNotFound,
                     "The attempted operation failed.  An object could not be found.");
}

void ThrowOutOfBounds() {
  throw OutlookError(kErrorInvalidArgument, "Array index out of bounds.");
}

void CheckExists(const FolderNode* folder) {
  if (!folder->exists) {
    ThrowNotFound();
  }
}

void CheckExists(const ItemNode* item) {
  if (!item->exists) {
    ThrowNotFound();
  }
}

namespace {

using WorldPtr = std::shared_ptr<World>;

[[noreturn]] void ThrowNoInterface(std::string_view interface_name) {
  throw OutlookError(kErrorNoInterface,
                     "No such interface supported (" + std::string(interface_name) + ").");
}

bool Supports(ItemKind kind, ItemInterface interface_id) {
  switch (interface_id) {
    case ItemInterface::kMailItem:
      return kind == ItemKind::kMail;
    case ItemInterface::kMeetingItem:
      return kind == ItemKind::kMeeting;
    case ItemInterface::kReportItem:
      return kind == ItemKind::kReport;
    case ItemInterface::kTaskRequestItem:
      return kind == ItemKind::kTaskRequest;
    case ItemInterface::kPostItem:
      return kind == ItemKind::kPost;
    case ItemInterface::kTaskRequestAcceptItem:
      return kind == ItemKind::kTaskRequestAccept;
    case ItemInterface::kTaskRequestDeclineItem:
      return kind == ItemKind::kTaskRequestDecline;
    case ItemInterface::kTaskRequestUpdateItem:
      return kind == ItemKind::kTaskRequestUpdate;
    case ItemInterface::kSharingItem:
      return kind == ItemKind::kSharing;
    case ItemInterface::kDocumentItem:
      return kind == ItemKind::kDocument;
    case ItemInterface::kRemoteItem:
      return kind == ItemKind::kRemote;
    case ItemInterface::kMobileItem:
      return kind == ItemKind::kMobile;
  }
  return false;
}

// The item type of a folder made by Folders.Add: the kinds of Outlook's special folders give
// their item type; any other folder type holds what its parent holds.
int ItemTypeForNewFolder(int type, int parent_item_type) {
  switch (type) {
    case kFolderCalendar:
      return 1;
    case kFolderContacts:
      return 2;
    case 11:  // journal
      return 4;
    case 12:  // notes
      return 5;
    case 13:  // tasks
      return 3;
    default:
      return parent_item_type;
  }
}
// An object whose type the holder does not know yet. A folder or an item is open from the
// moment it is handed out, and its typed views share its count.
class UntypedObject : public Object {
 public:
  // kAttachment: an attachment of the item `node`.
  enum class Kind { kFolder, kItem, kExplorer, kNameSpace, kInspector, kAttachment };

  UntypedObject(WorldPtr world, Kind kind, void* node = nullptr)
      : world_(std::move(world)), kind_(kind), node_(node) {
    if (kind_ == Kind::kFolder || kind_ == Kind::kItem) {
      open_ = Open(world_, kind_ == Kind::kFolder ? OpenObjectKind::kFolder : OpenObjectKind::kItem);
    }
  }

  MAPIFolderPtr AsMAPIFolder() override;

  ExplorerPtr AsExplorer() override {
    world_->Call("QueryInterface(_Explorer)");
    if (kind_ != Kind::kExplorer) {
      ThrowNoInterface("_Explorer");
    }
    return MakeExplorer(world_, static_cast<ExplorerNode*>(node_));
  }

  ItemPtr AsItem(ItemInterface interface_id) override;

  ConversationHeaderPtr AsConversationHeader() override {
    world_->Call("QueryInterface(_ConversationHeader)");
    ThrowNoInterface("_ConversationHeader");
  }

  AttachmentPtr AsAttachment() override;

 private:
  WorldPtr world_;
  Kind kind_;
  void* node_;
  OpenObjectPtr open_;
};

// An attachment, as the attachment well's selection hands it out.
class AttachmentObject : public Attachment {
 public:
  AttachmentObject(WorldPtr world, ItemNode* owner) : world_(std::move(world)), owner_(owner) {}

  ObjectPtr Parent() override {
    world_->Call("Attachment.Parent");
    CheckExists(owner_);
    return MakeItemObject(world_, owner_);
  }

 private:
  WorldPtr world_;
  ItemNode* owner_;
};

AttachmentPtr UntypedObject::AsAttachment() {
  world_->Call("QueryInterface(Attachment)");
  if (kind_ != Kind::kAttachment) {
    ThrowNoInterface("Attachment");
  }
  return std::make_shared<AttachmentObject>(world_, static_cast<ItemNode*>(node_));
}

// Store.GetDefaultFolder came with Outlook 2010 (14), Folder.Store and the PropertyAccessor
// with Outlook 2007 (12); an older Outlook knows no such member.
void RequireVersion(const World& world, int major) {
  if (std::atoi(world.version.c_str()) < major) {
    throw OutlookError(kErrorUnknownName, "Unknown name.");
  }
}

class StoreObject : public Store {
 public:
  StoreObject(WorldPtr world, FolderNode* root) : world_(std::move(world)), root_(root) {}

  // "Store.GetDefaultFolder method (Outlook)", Outlook 2010 and later: the store's own
  // default folder; an error when the store has none of that kind
  // (https://learn.microsoft.com/office/vba/api/outlook.store.getdefaultfolder).
  MAPIFolderPtr GetDefaultFolder(int kind) override {
    world_->Call("Store.GetDefaultFolder");
    RequireVersion(*world_, 14);
    CheckExists(root_);
    FolderNode* folder = nullptr;
    if (kind == kFolderDeletedItems) {
      folder = root_->deleted_items;
    } else if (!world_->stores.empty() && world_->stores.front() == root_) {
      auto found = world_->default_folders.find(kind);
      folder = found == world_->default_folders.end() ? nullptr : found->second;
    }
    if (!folder || !folder->exists) {
      throw OutlookError(kErrorInvalidArgument, "The default folder does not exist.");
    }
    return MakeFolder(world_, folder);
  }
  // Store.PropertyAccessor.GetProperty then BinaryToString: PR_IPM_WASTEBASKET_ENTRYID is the
  // EntryID of the store's Deleted Items ([MS-OXPROPS] PidTagIpmWastebasketEntryId,
  // https://learn.microsoft.com/office/client-developer/outlook/mapi/pidtagipmwastebasketentryid-canonical-property).
  std::string GetBinaryProperty(const std::string& schema_name) override {
    world_->Call("Store.PropertyAccessor.GetProperty");
    RequireVersion(*world_, 12);
    CheckExists(root_);
    if (schema_name != kWastebasketProperty || !root_->deleted_items ||
        !root_->deleted_items->exists) {
      throw OutlookError(kErrorNotFound,
                         "The property \"" + schema_name + "\" is unknown or cannot be found.");
    }
    return root_->deleted_items->entry_id;
  }

 private:
  WorldPtr world_;
  FolderNode* root_;
};

class FolderObject : public MAPIFolder {
 public:
  // `second_form`: the folder shows its second EntryID (see SimFolder::AddSecondEntryId);
  // `open`: the count of the object this is a view of; none for a folder opened now.
  FolderObject(WorldPtr world, FolderNode* folder, bool second_form, OpenObjectPtr open = nullptr)
      : world_(std::move(world)),
        folder_(folder),
        second_form_(second_form),
        open_(open ? std::move(open) : Open(world_, OpenObjectKind::kFolder)) {}

  std::string Name() override {
    world_->Call("MAPIFolder.Name");
    CheckExists(folder_);
    return folder_->name;
  }
  std::string EntryID() override {
    world_->Call("MAPIFolder.EntryID");
    CheckExists(folder_);
    return second_form_ && !folder_->second_entry_id.empty() ? folder_->second_entry_id
                                                             : folder_->entry_id;
  }
  std::string StoreID() override {
    world_->Call("MAPIFolder.StoreID");
    CheckExists(folder_);
    return folder_->store_id;
  }
  FolderCollectionPtr Folders() override;
  ItemCollectionPtr Items() override;
  int DefaultItemType() override {
    world_->Call("MAPIFolder.DefaultItemType");
    CheckExists(folder_);
    return folder_->default_item_type;
  }
  StorePtr Store() override {
    world_->Call("MAPIFolder.Store");
    RequireVersion(*world_, 12);
    CheckExists(folder_);
    return std::make_shared<StoreObject>(world_, World::RootOf(folder_));
  }
  bool GetBooleanProperty(const std::string& schema_name) override {
    world_->Call("PropertyAccessor.GetProperty");
    // PropertyAccessor came with Outlook 2007 (12); an older Outlook knows no such member.
    if (std::atoi(world_->version.c_str()) < 12) {
      throw OutlookError(kErrorUnknownName, "Unknown name.");
    }
    CheckExists(folder_);
    if (schema_name != kHiddenFolderProperty || !folder_->hidden) {
      throw OutlookError(kErrorNotFound,
                         "The property \"" + schema_name + "\" is unknown or cannot be found.");
    }
    return *folder_->hidden;
  }
  ObjectPtr Parent() override {
    world_->Call("MAPIFolder.Parent");
    CheckExists(folder_);
    if (!folder_->parent) {
      return std::make_shared<UntypedObject>(world_, UntypedObject::Kind::kNameSpace);
    }
    return std::make_shared<UntypedObject>(world_, UntypedObject::Kind::kFolder, folder_->parent);
  }

  const World* world() const { return world_.get(); }
  FolderNode* node() const { return folder_; }

 private:
  WorldPtr world_;
  FolderNode* folder_;
  bool second_form_;
  OpenObjectPtr open_;
};

MAPIFolderPtr UntypedObject::AsMAPIFolder() {
  world_->Call("QueryInterface(MAPIFolder)");
  if (kind_ != Kind::kFolder) {
    ThrowNoInterface("MAPIFolder");
  }
  // A parent reached from a folder or an item.
  return std::make_shared<FolderObject>(world_, static_cast<FolderNode*>(node_), true, open_);
}

// The subfolders of a folder, or, without an owner, the root folders of the open stores.
class FolderCollectionObject : public FolderCollection {
 public:
  FolderCollectionObject(WorldPtr world, FolderNode* owner)
      : world_(std::move(world)), owner_(owner) {}

  int Count() override {
    world_->Call("Folders.Count");
    return static_cast<int>(List().size());
  }
  MAPIFolderPtr Item(int index) override {
    world_->Call("Folders.Item");
    const auto& folders = List();
    if (index < 1 || index > static_cast<int>(folders.size())) {
      ThrowOutOfBounds();
    }
    return MakeFolder(world_, folders[static_cast<size_t>(index - 1)]);
  }
  MAPIFolderPtr Item(std::string_view name) override {
    world_->Call("Folders.Item");
    FolderNode* folder = World::FindChild(List(), name);
    if (!folder) {
      ThrowNotFound();
    }
    return MakeFolder(world_, folder);
  }
  MAPIFolderPtr Add(std::string_view name, std::optional<int> type) override {
    world_->Call("Folders.Add");
    List();
    if (type && world_->refused_folder_type && *type == world_->refused_folder_type->first) {
      throw OutlookError(world_->refused_folder_type->second, "The parameter is incorrect.");
    }
    if (!owner_ || name.empty() || World::FindChild(owner_->children, name)) {
      throw OutlookError(kErrorFailed, "Cannot create the folder.");
    }
    FolderNode* folder = world_->NewFolder(
        owner_, name, ItemTypeForNewFolder(type.value_or(0), owner_->default_item_type),
        owner_->store_id);
    return MakeFolder(world_, folder);
  }

 private:
  const std::vector<FolderNode*>& List() const {
    if (!owner_) {
      return world_->stores;
    }
    CheckExists(owner_);
    return owner_->children;
  }

  WorldPtr world_;
  FolderNode* owner_;
  OpenObjectPtr open_ = Open(world_, OpenObjectKind::kFolderView);
};

FolderCollectionPtr FolderObject::Folders() {
  world_->Call("MAPIFolder.Folders");
  CheckExists(folder_);
  return std::make_shared<FolderCollectionObject>(world_, folder_);
}

class ItemCollectionObject : public ItemCollection {
 public:
  ItemCollectionObject(WorldPtr world, FolderNode* folder)
      : world_(std::move(world)), folder_(folder) {}

  int Count() override {
    world_->Call("Items.Count");
    CheckExists(folder_);
    return static_cast<int>(folder_->items.size());
  }
  ObjectPtr GetLast() override {
    world_->Call("Items.GetLast");
    CheckExists(folder_);
    cursor_ = static_cast<int>(folder_->items.size()) - 1;
    return Current();
  }
  ObjectPtr GetPrevious() override {
    world_->Call("Items.GetPrevious");
    CheckExists(folder_);
    if (cursor_ >= 0) {
      --cursor_;
    }
    return Current();
  }

 private:
  ObjectPtr Current() {
    if (cursor_ < 0 || cursor_ >= static_cast<int>(folder_->items.size())) {
      return nullptr;
    }
    return MakeItemObject(world_, folder_->items[static_cast<size_t>(cursor_)]);
  }

  WorldPtr world_;
  FolderNode* folder_;
  int cursor_ = -1;  // before the first item: nothing more to give
  OpenObjectPtr open_ = Open(world_, OpenObjectKind::kItemView);
};

ItemCollectionPtr FolderObject::Items() {
  world_->Call("MAPIFolder.Items");
  CheckExists(folder_);
  return std::make_shared<ItemCollectionObject>(world_, folder_);
}

// A typed view of an item handed out as an object of unknown type; it shares that object's count.
class ItemObject : public Item {
 public:
  ItemObject(WorldPtr world, ItemNode* item, OpenObjectPtr open)
      : world_(std::move(world)), item_(item), open_(std::move(open)) {}

  std::string ConversationIndex() override {
    world_->Call("Item.ConversationIndex");
    CheckExists(item_);
    return item_->conversation_index;
  }
  std::string EntryID() override {
    world_->Call("Item.EntryID");
    CheckExists(item_);
    return item_->entry_id;
  }
  std::string SenderEmailAddress() override {
    world_->Call("Item.SenderEmailAddress");
    CheckExists(item_);
    return item_->sender;
  }
  std::string Subject() override {
    world_->Call("Item.Subject");
    CheckExists(item_);
    return item_->subject;
  }
  std::string ConversationID() override {
    world_->Call("Item.ConversationID");
    CheckExists(item_);
    if (item_->conversation_id.empty()) {
      // DISP_E_UNKNOWNNAME, as Outlook 2007 answers for the name.
      throw OutlookError(static_cast<std::int32_t>(0x80020006), "Unknown name.");
    }
    return item_->conversation_id;
  }
  ObjectPtr Move(const MAPIFolderPtr& folder) override {
    world_->Call("Item.Move");
    CheckExists(item_);
    auto* target = dynamic_cast<FolderObject*>(folder.get());
    if (!target || target->world() != world_.get()) {
      throw OutlookError(kErrorInvalidArgument, "Type mismatch.");
    }
    // A store closed since the folder was found: the folder is gone.
    CheckExists(target->node());
    auto refusal = world_->refusing_stores.find(target->node()->store_id);
    if (refusal != world_->refusing_stores.end()) {
      throw OutlookError(refusal->second.code, refusal->second.text);
    }
    world_->MoveItem(item_, target->node());
    return MakeItemObject(world_, item_);
  }
  void MarkAsRead() override {
    world_->Call("Item.UnRead");
    CheckExists(item_);
    world_->Call("Item.Save");
    item_->unread = false;
  }
  ObjectPtr Parent() override {
    world_->Call("Item.Parent");
    CheckExists(item_);
    return std::make_shared<UntypedObject>(world_, UntypedObject::Kind::kFolder, item_->folder);
  }

 private:
  WorldPtr world_;
  ItemNode* item_;
  OpenObjectPtr open_;
};

ItemPtr UntypedObject::AsItem(ItemInterface interface_id) {
  world_->Call("QueryInterface(" + std::string(InterfaceName(interface_id)) + ")");
  auto* item = static_cast<ItemNode*>(node_);
  if (kind_ != Kind::kItem || !Supports(item->kind, interface_id)) {
    ThrowNoInterface(InterfaceName(interface_id));
  }
  return std::make_shared<ItemObject>(world_, item, open_);
}

}  // namespace


MAPIFolderPtr MakeFolder(std::shared_ptr<World> world, FolderNode* folder, bool second_form) {
  return std::make_shared<FolderObject>(std::move(world), folder, second_form);
}


FolderCollectionPtr MakeFolderCollection(std::shared_ptr<World> world, FolderNode* owner) {
  return std::make_shared<FolderCollectionObject>(std::move(world), owner);
}

ObjectPtr MakeAttachmentObject(std::shared_ptr<World> world, ItemNode* owner) {
  return std::make_shared<UntypedObject>(std::move(world), UntypedObject::Kind::kAttachment, owner);
}

ObjectPtr MakeWindowObject(std::shared_ptr<World> world, ExplorerNode* explorer) {
  if (!explorer) {
    return std::make_shared<UntypedObject>(std::move(world), UntypedObject::Kind::kInspector);
  }
  return std::make_shared<UntypedObject>(std::move(world), UntypedObject::Kind::kExplorer, explorer);
}

ObjectPtr MakeItemObject(std::shared_ptr<World> world, ItemNode* item) {
  return std::make_shared<UntypedObject>(std::move(world), UntypedObject::Kind::kItem, item);
}

}  // namespace quivra::outlook::sim::internal
