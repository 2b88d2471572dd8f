// The explorers, their selections, the name space and the application of the simulated
// Outlook as the product gets them, and the events they raise.

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "host/outlook/sim/sim_objects.h"

namespace quivra::outlook::sim::internal {

namespace {

using WorldPtr = std::shared_ptr<World>;

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
// Selection.Location and Selection.GetSelection came with Outlook 2010 (14).
void RequireOutlook2010(const World& world) {
  if (std::atoi(world.version.c_str()) < 14) {
    throw OutlookError(kErrorUnknownName, "Unknown name.");
  }
}

// "SimpleItems object (Outlook)": the items of a conversation header
// (https://learn.microsoft.com/office/vba/api/outlook.simpleitems).
class SimpleItemsObject : public SimpleItems {
 public:
  SimpleItemsObject(WorldPtr world, std::vector<ItemNode*> items)
      : world_(std::move(world)), items_(std::move(items)) {}

  int Count() override {
    world_->Call("SimpleItems.Count");
    return static_cast<int>(items_.size());
  }
  ObjectPtr Item(int index) override {
    world_->Call("SimpleItems.Item");
    if (index < 1 || index > static_cast<int>(items_.size())) {
      ThrowOutOfBounds();
    }
    return MakeItemObject(world_, items_[static_cast<size_t>(index - 1)]);
  }

 private:
  WorldPtr world_;
  std::vector<ItemNode*> items_;
};

// A conversation header of a conversation view. ConversationHeader.GetItems gives "all of the
// items in the conversation that reside in the same folder as the selected conversation
// header", never those of other folders
// (https://learn.microsoft.com/office/vba/api/outlook.conversationheader.getitems).
class ConversationHeaderObject : public Object, public ConversationHeader {
 public:
  ConversationHeaderObject(WorldPtr world, FolderNode* folder, std::string conversation)
      : world_(std::move(world)), folder_(folder), conversation_(std::move(conversation)) {}

  MAPIFolderPtr AsMAPIFolder() override { return Refuse<MAPIFolderPtr>("MAPIFolder"); }
  ExplorerPtr AsExplorer() override { return Refuse<ExplorerPtr>("_Explorer"); }
  ItemPtr AsItem(ItemInterface interface_id) override {
    return Refuse<ItemPtr>(std::string(InterfaceName(interface_id)));
  }
  AttachmentPtr AsAttachment() override { return Refuse<AttachmentPtr>("Attachment"); }
  ConversationHeaderPtr AsConversationHeader() override {
    world_->Call("QueryInterface(_ConversationHeader)");
    return std::make_shared<ConversationHeaderObject>(world_, folder_, conversation_);
  }

  SimpleItemsPtr GetItems() override {
    world_->Call("ConversationHeader.GetItems");
    CheckExists(folder_);
    std::vector<ItemNode*> items;
    for (ItemNode* item : folder_->items) {
      if (item->conversation_id == conversation_) {
        items.push_back(item);
      }
    }
    return std::make_shared<SimpleItemsObject>(world_, std::move(items));
  }

 private:
  template <typename T>
  T Refuse(const std::string& interface_name) {
    world_->Call("QueryInterface(" + interface_name + ")");
    throw OutlookError(kErrorNoInterface,
                       "No such interface supported (" + interface_name + ").");
  }

  WorldPtr world_;
  FolderNode* folder_;
  std::string conversation_;
};

// The selection as it stood when the explorer was asked for it: what is selected where the
// selection is (Selection.Location, https://learn.microsoft.com/office/vba/api/outlook.selection.location):
// the message list's items, the To-Do Bar's or the daily task list's, or the attachments
// selected in the reading pane. Selected conversation headers are not in it; GetSelection
// gives them ("Selection.GetSelection method (Outlook)": in a conversation view with the
// selection in the message list, elsewhere an empty selection,
// https://learn.microsoft.com/office/vba/api/outlook.selection.getselection).
class SelectionObject : public Selection {
 public:
  SelectionObject(WorldPtr world, const ExplorerNode& explorer)
      : world_(std::move(world)), location_(explorer.location), folder_(explorer.current) {
    switch (location_) {
      case kSelectionInViewList:
        items_ = explorer.selection;
        break;
      case kSelectionInAttachmentWell:
        items_ = explorer.attachments_of;
        break;
      default:
        items_ = explorer.elsewhere;
        break;
    }
    if (explorer.conversation_view && location_ == kSelectionInViewList) {
      headers_ = explorer.headers;
    }
  }
  // The selected conversation headers.
  SelectionObject(WorldPtr world, FolderNode* folder, std::vector<std::string> headers)
      : world_(std::move(world)),
        location_(kSelectionInViewList),
        folder_(folder),
        headers_(std::move(headers)),
        of_headers_(true) {}

  int Count() override {
    world_->Call("Selection.Count");
    return static_cast<int>(of_headers_ ? headers_.size() : items_.size());
  }
  ObjectPtr Item(int index) override {
    world_->Call("Selection.Item");
    const size_t count = of_headers_ ? headers_.size() : items_.size();
    if (index < 1 || index > static_cast<int>(count)) {
      ThrowOutOfBounds();
    }
    const size_t at = static_cast<size_t>(index - 1);
    if (of_headers_) {
      return std::make_shared<ConversationHeaderObject>(world_, folder_, headers_[at]);
    }
    if (location_ == kSelectionInAttachmentWell) {
      return MakeAttachmentObject(world_, items_[at]);
    }
    return MakeItemObject(world_, items_[at]);
  }
  int Location() override {
    world_->Call("Selection.Location");
    RequireOutlook2010(*world_);
    return location_;
  }
  SelectionPtr GetSelection(int contents) override {
    world_->Call("Selection.GetSelection");
    RequireOutlook2010(*world_);
    if (contents != kSelectionConversationHeaders) {
      throw OutlookError(kErrorInvalidArgument, "The parameter is incorrect.");
    }
    return std::make_shared<SelectionObject>(
        world_, folder_, of_headers_ ? std::vector<std::string>() : headers_);
  }

 private:
  WorldPtr world_;
  int location_;
  FolderNode* folder_;
  std::vector<ItemNode*> items_;
  std::vector<std::string> headers_;
  bool of_headers_ = false;
};

class ExplorerObject : public Explorer {
 public:
  ExplorerObject(WorldPtr world, ExplorerNode* explorer)
      : world_(std::move(world)), explorer_(explorer) {}

  MAPIFolderPtr CurrentFolder() override {
    world_->Call("Explorer.CurrentFolder");
    CheckOpen();
    return MakeFolder(world_, explorer_->current, true);
  }
  SelectionPtr Selection() override {
    world_->Call("Explorer.Selection");
    CheckOpen();
    return std::make_shared<SelectionObject>(world_, *explorer_);
  }
  std::uintptr_t WindowHandle() override {
    world_->Call("Explorer.WindowHandle");
    CheckOpen();
    if (!explorer_->window) {
      // Reported by NewExplorer, which comes "after the new Explorer object is created but before
      // the explorer window appears" ("Explorers.NewExplorer event (Outlook)",
      // https://learn.microsoft.com/en-us/office/vba/api/outlook.explorers.newexplorer): its
      // IOleWindow has no window to give until it is first activated.
      throw OutlookError(kErrorFailed, "The explorer window has not been created yet.");
    }
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

class NameSpaceObject : public NameSpace {
 public:
  explicit NameSpaceObject(WorldPtr world) : world_(std::move(world)) {}

  FolderCollectionPtr Folders() override {
    world_->Call("NameSpace.Folders");
    return MakeFolderCollection(world_, nullptr);
  }
  MAPIFolderPtr GetDefaultFolder(int kind) override {
    world_->Call("NameSpace.GetDefaultFolder");
    auto found = world_->default_folders.find(kind);
    if (found == world_->default_folders.end()) {
      throw OutlookError(kErrorInvalidArgument, "The default folder does not exist.");
    }
    CheckExists(found->second);
    return MakeFolder(world_, found->second, true);
  }
  MAPIFolderPtr GetFolderFromID(const std::string& entry_id, const std::string& store_id) override {
    world_->Call("NameSpace.GetFolderFromID");
    FolderNode* folder = world_->FindByEntryId(entry_id, store_id);
    if (!folder) {
      ThrowNotFound();
    }
    return MakeFolder(world_, folder, true);
  }
  bool CompareEntryIDs(const std::string& first, const std::string& second) override {
    world_->Call("NameSpace.CompareEntryIDs");
    // CompareEntryIDs came with Outlook 2007 (12) ("NameSpace.CompareEntryIDs Method (Outlook)",
    // version added: Outlook 2007,
    // https://learn.microsoft.com/en-us/previous-versions/office/developer/office-2010/ff864762(v=office.14));
    // an older Outlook knows no such member.
    if (std::atoi(world_->version.c_str()) < 12) {
      throw OutlookError(kErrorUnknownName, "Unknown name.");
    }
    return world_->SameObject(first, second);
  }
  // "NameSpace.GetItemFromID method (Outlook)"
  // (https://learn.microsoft.com/office/vba/api/outlook.namespace.getitemfromid).
  ObjectPtr GetItemFromID(const std::string& entry_id, const std::string& store_id) override {
    world_->Call("NameSpace.GetItemFromID");
    ItemNode* item = world_->FindItemByEntryId(entry_id, store_id);
    if (!item) {
      ThrowNotFound();
    }
    return MakeItemObject(world_, item);
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
          return MakeWindowObject(world_, world_->active_explorer);
        }
        return nullptr;
      case WindowKind::kInspector:
        return MakeWindowObject(world_, nullptr);
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

ExplorerPtr MakeExplorer(std::shared_ptr<World> world, ExplorerNode* explorer) {
  return std::make_shared<ExplorerObject>(std::move(world), explorer);
}

}  // namespace quivra::outlook::sim::internal
