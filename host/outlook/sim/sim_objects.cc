#include "host/outlook/sim/sim_objects.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace quivra::outlook::sim::internal {

namespace {

using WorldPtr = std::shared_ptr<World>;

[[noreturn]] void ThrowNoInterface(std::string_view interface_name) {
  throw OutlookError(kErrorNoInterface,
                     "No such interface supported (" + std::string(interface_name) + ").");
}

[[noreturn]] void ThrowNotFound() {
  throw OutlookError(kErrorNotFound,
                     "The attempted operation failed.  An object could not be found.");
}

[[noreturn]] void ThrowOutOfBounds() {
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

// A sink's connection: forgets the sink when dropped, also after the world is gone.
class SinkConnection : public EventConnection {
 public:
  SinkConnection(const WorldPtr& world, int number) : world_(world), number_(number) {}
  ~SinkConnection() override {
    if (WorldPtr world = world_.lock()) {
      world->explorer_sinks.erase(number_);
      world->explorers_sinks.erase(number_);
      world->application_sinks.erase(number_);
    }
  }

 private:
  std::weak_ptr<World> world_;
  int number_;
};

// An object whose type the holder does not know yet.
class UntypedObject : public Object {
 public:
  enum class Kind { kFolder, kItem, kExplorer, kNameSpace, kInspector };

  UntypedObject(WorldPtr world, Kind kind, void* node = nullptr)
      : world_(std::move(world)), kind_(kind), node_(node) {}

  MAPIFolderPtr AsMAPIFolder() override {
    world_->Call("QueryInterface(MAPIFolder)");
    if (kind_ != Kind::kFolder) {
      ThrowNoInterface("MAPIFolder");
    }
    return MakeFolder(world_, static_cast<FolderNode*>(node_));
  }

  ExplorerPtr AsExplorer() override {
    world_->Call("QueryInterface(_Explorer)");
    if (kind_ != Kind::kExplorer) {
      ThrowNoInterface("_Explorer");
    }
    return MakeExplorer(world_, static_cast<ExplorerNode*>(node_));
  }

  ItemPtr AsItem(ItemInterface interface_id) override;

 private:
  WorldPtr world_;
  Kind kind_;
  void* node_;
};

class FolderObject : public MAPIFolder {
 public:
  FolderObject(WorldPtr world, FolderNode* folder) : world_(std::move(world)), folder_(folder) {}

  std::string Name() override {
    world_->Call("MAPIFolder.Name");
    CheckExists(folder_);
    return folder_->name;
  }
  std::string EntryID() override {
    world_->Call("MAPIFolder.EntryID");
    CheckExists(folder_);
    return folder_->entry_id;
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
};

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
};

ItemCollectionPtr FolderObject::Items() {
  world_->Call("MAPIFolder.Items");
  CheckExists(folder_);
  return std::make_shared<ItemCollectionObject>(world_, folder_);
}

// The selection as it stood when the explorer was asked for it.
class SelectionObject : public Selection {
 public:
  SelectionObject(WorldPtr world, std::vector<ItemNode*> items)
      : world_(std::move(world)), items_(std::move(items)) {}

  int Count() override {
    world_->Call("Selection.Count");
    return static_cast<int>(items_.size());
  }
  ObjectPtr Item(int index) override {
    world_->Call("Selection.Item");
    if (index < 1 || index > static_cast<int>(items_.size())) {
      ThrowOutOfBounds();
    }
    return MakeItemObject(world_, items_[static_cast<size_t>(index - 1)]);
  }

 private:
  WorldPtr world_;
  std::vector<ItemNode*> items_;
};

class ExplorerObject : public Explorer {
 public:
  ExplorerObject(WorldPtr world, ExplorerNode* explorer)
      : world_(std::move(world)), explorer_(explorer) {}

  MAPIFolderPtr CurrentFolder() override {
    world_->Call("Explorer.CurrentFolder");
    CheckOpen();
    return MakeFolder(world_, explorer_->current);
  }
  SelectionPtr Selection() override {
    world_->Call("Explorer.Selection");
    CheckOpen();
    return std::make_shared<SelectionObject>(world_, explorer_->selection);
  }
  std::uintptr_t WindowHandle() override {
    world_->Call("Explorer.WindowHandle");
    CheckOpen();
    return explorer_->window;
  }
  EventConnectionPtr Advise(ExplorerEvents& sink) override {
    world_->Call("Explorer.Advise");
    CheckOpen();
    const int number = world_->next_connection++;
    world_->explorer_sinks.emplace(number, std::make_pair(explorer_, &sink));
    return std::make_unique<SinkConnection>(world_, number);
  }

 private:
  void CheckOpen() const {
    if (!explorer_->open) {
      throw OutlookError(kErrorFailed, "The explorer has been closed.");
    }
  }

  WorldPtr world_;
  ExplorerNode* explorer_;
};

class ItemObject : public Item {
 public:
  ItemObject(WorldPtr world, ItemNode* item) : world_(std::move(world)), item_(item) {}

  std::string ConversationIndex() override {
    world_->Call("Item.ConversationIndex");
    CheckExists(item_);
    return item_->conversation_index;
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
  void Move(const MAPIFolderPtr& folder) override {
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
    World::MoveItem(item_, target->node());
  }
  ObjectPtr Parent() override {
    world_->Call("Item.Parent");
    CheckExists(item_);
    return std::make_shared<UntypedObject>(world_, UntypedObject::Kind::kFolder, item_->folder);
  }

 private:
  WorldPtr world_;
  ItemNode* item_;
};

ItemPtr UntypedObject::AsItem(ItemInterface interface_id) {
  static const std::string kNames[] = {
      "QueryInterface(_MailItem)", "QueryInterface(_MeetingItem)", "QueryInterface(_ReportItem)",
      "QueryInterface(_TaskRequestItem)", "QueryInterface(_PostItem)"};
  world_->Call(kNames[static_cast<int>(interface_id)]);
  auto* item = static_cast<ItemNode*>(node_);
  if (kind_ != Kind::kItem || !Supports(item->kind, interface_id)) {
    ThrowNoInterface(InterfaceName(interface_id));
  }
  return std::make_shared<ItemObject>(world_, item);
}

class NameSpaceObject : public NameSpace {
 public:
  explicit NameSpaceObject(WorldPtr world) : world_(std::move(world)) {}

  FolderCollectionPtr Folders() override {
    world_->Call("NameSpace.Folders");
    return std::make_shared<FolderCollectionObject>(world_, nullptr);
  }
  MAPIFolderPtr GetDefaultFolder(int kind) override {
    world_->Call("NameSpace.GetDefaultFolder");
    auto found = world_->default_folders.find(kind);
    if (found == world_->default_folders.end()) {
      throw OutlookError(kErrorInvalidArgument, "The default folder does not exist.");
    }
    CheckExists(found->second);
    return MakeFolder(world_, found->second);
  }
  MAPIFolderPtr GetFolderFromID(const std::string& entry_id, const std::string& store_id) override {
    world_->Call("NameSpace.GetFolderFromID");
    FolderNode* folder = world_->FindByEntryId(entry_id, store_id);
    if (!folder) {
      ThrowNotFound();
    }
    return MakeFolder(world_, folder);
  }

 private:
  WorldPtr world_;
};

// The open explorers, in the order they were opened.
class ExplorersObject : public Explorers {
 public:
  explicit ExplorersObject(WorldPtr world) : world_(std::move(world)) {}

  int Count() override {
    world_->Call("Explorers.Count");
    return static_cast<int>(Open().size());
  }
  ExplorerPtr Item(int index) override {
    world_->Call("Explorers.Item");
    const std::vector<ExplorerNode*> open = Open();
    if (index < 1 || index > static_cast<int>(open.size())) {
      ThrowOutOfBounds();
    }
    return MakeExplorer(world_, open[static_cast<size_t>(index - 1)]);
  }
  EventConnectionPtr Advise(ExplorersEvents& sink) override {
    world_->Call("Explorers.Advise");
    const int number = world_->next_connection++;
    world_->explorers_sinks.emplace(number, &sink);
    return std::make_unique<SinkConnection>(world_, number);
  }

 private:
  std::vector<ExplorerNode*> Open() const {
    std::vector<ExplorerNode*> open;
    for (const auto& explorer : world_->explorers) {
      if (explorer->open) {
        open.push_back(explorer.get());
      }
    }
    return open;
  }

  WorldPtr world_;
};

class ApplicationObject : public Application {
 public:
  explicit ApplicationObject(WorldPtr world) : world_(std::move(world)) {}

  ExplorerPtr ActiveExplorer() override {
    world_->Call("Application.ActiveExplorer");
    ExplorerNode* explorer = world_->active_explorer;
    if (!explorer || !explorer->open) {
      return nullptr;
    }
    return MakeExplorer(world_, explorer);
  }
  NameSpacePtr GetNamespace(std::string_view type) override {
    world_->Call("Application.GetNamespace");
    if (!SameFolderName(type, "MAPI")) {
      throw OutlookError(kErrorInvalidArgument, "Could not open the name space.");
    }
    return std::make_shared<NameSpaceObject>(world_);
  }
  NameSpacePtr Session() override {
    world_->Call("Application.Session");
    return std::make_shared<NameSpaceObject>(world_);
  }
  ObjectPtr ActiveWindow() override {
    world_->Call("Application.ActiveWindow");
    switch (world_->active_window) {
      case WindowKind::kExplorer:
        if (world_->active_explorer && world_->active_explorer->open) {
          return std::make_shared<UntypedObject>(world_, UntypedObject::Kind::kExplorer,
                                                 world_->active_explorer);
        }
        return nullptr;
      case WindowKind::kInspector:
        return std::make_shared<UntypedObject>(world_, UntypedObject::Kind::kInspector);
      case WindowKind::kNone:
        return nullptr;
    }
    return nullptr;
  }
  std::string Version() override {
    world_->Call("Application.Version");
    return world_->version;
  }
  ExplorersPtr Explorers() override {
    world_->Call("Application.Explorers");
    return std::make_shared<ExplorersObject>(world_);
  }
  EventConnectionPtr Advise(ApplicationEvents& sink) override {
    world_->Call("Application.Advise");
    const int number = world_->next_connection++;
    world_->application_sinks.emplace(number, &sink);
    return std::make_unique<SinkConnection>(world_, number);
  }

 private:
  WorldPtr world_;
};

}  // namespace

void World::RaiseExplorerEvent(ExplorerNode* explorer,
                               const std::function<void(ExplorerEvents&)>& raise) {
  std::vector<int> numbers;
  for (const auto& [number, sink] : explorer_sinks) {
    if (sink.first == explorer) {
      numbers.push_back(number);
    }
  }
  for (int number : numbers) {
    auto found = explorer_sinks.find(number);
    if (found != explorer_sinks.end()) {
      raise(*found->second.second);
    }
  }
}

void World::RaiseNewExplorer(ExplorerNode* explorer) {
  std::vector<int> numbers;
  for (const auto& entry : explorers_sinks) {
    numbers.push_back(entry.first);
  }
  for (int number : numbers) {
    auto found = explorers_sinks.find(number);
    if (found != explorers_sinks.end()) {
      found->second->NewExplorer(MakeExplorer(shared_from_this(), explorer));
    }
  }
}

void World::RaiseQuit() {
  std::vector<int> numbers;
  for (const auto& entry : application_sinks) {
    numbers.push_back(entry.first);
  }
  for (int number : numbers) {
    auto found = application_sinks.find(number);
    if (found != application_sinks.end()) {
      found->second->Quit();
    }
  }
}

ApplicationPtr MakeApplication(std::shared_ptr<World> world) {
  return std::make_shared<ApplicationObject>(std::move(world));
}

MAPIFolderPtr MakeFolder(std::shared_ptr<World> world, FolderNode* folder) {
  return std::make_shared<FolderObject>(std::move(world), folder);
}

ExplorerPtr MakeExplorer(std::shared_ptr<World> world, ExplorerNode* explorer) {
  return std::make_shared<ExplorerObject>(std::move(world), explorer);
}

ObjectPtr MakeItemObject(std::shared_ptr<World> world, ItemNode* item) {
  return std::make_shared<UntypedObject>(std::move(world), UntypedObject::Kind::kItem, item);
}

}  // namespace quivra::outlook::sim::internal
