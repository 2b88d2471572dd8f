#ifndef QUIVRA_HOST_OUTLOOK_SIM_SIM_WORLD_H_
#define QUIVRA_HOST_OUTLOOK_SIM_SIM_WORLD_H_

// The state of the simulated Outlook, shared by the objects handed to the product and by the
// test-side views of SimOutlook. Internal to the sim.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/outlook/sim/sim_open_objects.h"

namespace quivra::outlook {
class ApplicationEvents;
class ExplorerEvents;
class ExplorersEvents;
}  // namespace quivra::outlook

namespace quivra::outlook::sim {

// What kind of Outlook item a simulated item is. All but the last two are accepted through the
// message-like interface of the same name (ItemInterface); contacts and appointments refuse
// them all.
enum class ItemKind {
  kMail,
  kMeeting,
  kReport,
  kTaskRequest,
  kPost,
  kTaskRequestAccept,
  kTaskRequestDecline,
  kTaskRequestUpdate,
  kSharing,
  kDocument,
  kRemote,
  kMobile,
  kContact,
  kAppointment,
};

// How an explorer lists the items of its folder: newest on top is Outlook's default view.
enum class ViewOrder { kNewestFirst, kOldestFirst };

// Whether an injected failure strikes once or on every call.
enum class FailMode { kOnce, kAlways };

// Sees every call the product makes, by method name, before it is carried out; true fails the
// call as the object would fail it. One gate shared by every simulated host object lets a test
// count all the calls of a session and fail any one of them.
using CallGate = std::function<bool(std::string_view method)>;

namespace internal {

struct ItemNode;

struct FolderNode {
  std::string name;
  std::string entry_id;
  std::string store_id;
  int default_item_type = 0;
  FolderNode* parent = nullptr;  // none for a store's root folder
  std::vector<FolderNode*> children;
  std::vector<ItemNode*> items;  // in the order they arrived
  bool exists = true;            // false once deleted or its store closed
  // PR_ATTR_HIDDEN as Outlook keeps it on the folder; unset when the folder lacks it.
  std::optional<bool> hidden;
  // A store's root folder only: the store's Deleted Items, where deleted folders go; none when
  // the store has no such folder.
  FolderNode* deleted_items = nullptr;
  // A second EntryID of the folder, empty when it has one only. The product sees it on the
  // folder reached other than through Folders.Item (see SimFolder::AddSecondEntryId).
  std::string second_entry_id;
  // On a store's root folder: a second StoreID naming the same store; empty when none.
  std::string second_store_id;
};

// How a store refuses items moved into it: the HRESULT and the text Outlook raises.
struct Refusal {
  std::int32_t code = 0;
  std::string text;
};

struct ItemNode {
  ItemKind kind = ItemKind::kMail;
  std::string entry_id;
  std::string subject;
  std::string conversation_index;
  std::string sender;
  // Empty: the item has no ConversationID, as on Outlook 2007.
  std::string conversation_id;
  FolderNode* folder = nullptr;
  bool exists = true;
  // Mail arrives unread.
  bool unread = true;
};

struct ExplorerNode {
  FolderNode* current = nullptr;
  ViewOrder order = ViewOrder::kNewestFirst;
  std::vector<ItemNode*> selection;
  // The list as the window last drew it; moved items are located in it when the selection is
  // brought up to date.
  std::vector<ItemNode*> shown;
  bool open = true;
  // The handle of its top-level window; 0 until the window is made, at its first activation.
  std::uintptr_t window = 0;
  // Where the selection is (Outlook's OlSelectionLocation): the message list, the To-Do Bar
  // or the daily task list (`elsewhere` holds the items selected there), or the attachment
  // well of the reading pane (`attachments_of` holds the item of each selected attachment).
  int location = 0;  // olViewList
  std::vector<ItemNode*> elsewhere;
  std::vector<ItemNode*> attachments_of;
  // The conversation view: the list groups items by ConversationID under conversation
  // headers and shows the replies kept in Sent Items beside them; `headers` are the
  // conversations whose header is selected.
  bool conversation_view = false;
  std::vector<std::string> headers;
};

enum class WindowKind { kNone, kExplorer, kInspector };

// Real windows for the explorers of a host that shows them (the Outlook stand-in); each part
// unset: explorers have handle numbers only.
struct WindowSystem {
  std::function<std::uintptr_t()> make;                   // a new explorer window
  std::function<void(std::uintptr_t)> bring_to_front;    // the window is activated
  std::function<void(std::uintptr_t)> destroy;           // the explorer closed
};

struct Failure {
  FailMode mode = FailMode::kOnce;
  int skip = 0;  // calls that still succeed before the failure strikes
};

class World : public std::enable_shared_from_this<World> {
 public:
  // Counts a call of `method` and raises the failure injected for it, if any.
  void Call(std::string_view method);

  FolderNode* NewFolder(FolderNode* parent,
                        std::string_view name,
                        int default_item_type,
                        const std::string& store_id);
  FolderNode* NewStore(std::string_view root_name);
  ItemNode* NewItem(FolderNode* folder,
                    ItemKind kind,
                    std::string_view subject,
                    std::string conversation_index);
  std::string NewConversationIndex();

  // Moves `item` to the end of `target`'s items; into another store it gets a new EntryID.
  // With `live_selection`, the explorers' selections follow at once.
  void MoveItem(ItemNode* item, FolderNode* target);
  // The existing item of that entry id in the store of that store id, or none.
  ItemNode* FindItemByEntryId(std::string_view entry_id, std::string_view store_id) const;
  // A new EntryID for an item of the store.
  std::string NewItemEntryId(const std::string& store_id);
  // The root folder of the store holding `folder`.
  static FolderNode* RootOf(FolderNode* folder);
  // Marks a folder and everything below it as gone and takes it out of its parent.
  void RemoveFolder(FolderNode* folder);
  // The existing folder of that entry id in the store of that store id, or none; either form
  // of each id names it.
  FolderNode* FindByEntryId(std::string_view entry_id, std::string_view store_id) const;
  // Whether two ids (EntryIDs of folders or StoreIDs of stores, in any of their forms) name the
  // same object, deleted ones included; raises Outlook's error for an id that names nothing.
  bool SameObject(std::string_view first, std::string_view second) const;
  // A second form of an EntryID or StoreID: the same id with other flags in its first byte,
  // as MAPI marks an entry id's kind there.
  static std::string SecondFormOf(const std::string& id);
  // The subfolder whose name matches as Outlook matches, or none.
  static FolderNode* FindChild(const std::vector<FolderNode*>& folders, std::string_view name);
  // The items as `explorer` lists them, top to bottom; in a conversation view with the replies
  // of the folder's conversations that lie in the default store's Sent Items.
  std::vector<ItemNode*> View(const ExplorerNode& explorer) const;
  // Brings every explorer's selection up to date with moves and deletions.
  void RefreshViews();
  // A new top-level window for an explorer: a real one when the host shows windows.
  std::uintptr_t MakeWindow();

  std::vector<std::unique_ptr<FolderNode>> folder_arena;
  std::vector<std::unique_ptr<ItemNode>> item_arena;
  std::vector<std::unique_ptr<ExplorerNode>> explorers;
  std::vector<FolderNode*> stores;  // root folders, in Outlook's order
  std::map<int, FolderNode*> default_folders;
  ExplorerNode* active_explorer = nullptr;
  WindowKind active_window = WindowKind::kNone;
  std::map<std::string, int, std::less<>> calls;
  std::map<std::string, Failure, std::less<>> failures;
  CallGate gate;
  std::string version = "14.0.0.7015";
  // Stores that refuse the items moved into them, by store id.
  std::map<std::string, Refusal, std::less<>> refusing_stores;
  // The explorers' selections follow every move at once, as an online store's view does while
  // Outlook pumps messages during a move.
  bool live_selection = false;
  // GetFolderFromID finds a folder by its EntryID in any open store when the store named holds
  // none (MAPI opens an entry by the store provider its id names).
  bool ids_resolve_in_any_store = false;
  // A folder type Folders.Add refuses, and the error code it raises then.
  std::optional<std::pair<int, std::int32_t>> refused_folder_type;
  // The objects the product holds open now, by kind, and their limits.
  OpenObjectTallies open_objects;

  // Event sinks by connection number. Events go to the sinks connected when the event is
  // raised, in the order they connected, skipping those dropped meanwhile.
  std::map<int, std::pair<ExplorerNode*, ExplorerEvents*>> explorer_sinks;
  std::map<int, ExplorersEvents*> explorers_sinks;
  std::map<int, ApplicationEvents*> application_sinks;
  int next_connection = 1;
  std::uintptr_t next_window = 0x10010;
  WindowSystem windows;

  void RaiseExplorerEvent(ExplorerNode* explorer,
                          const std::function<void(ExplorerEvents&)>& raise);
  void RaiseNewExplorer(ExplorerNode* explorer);
  void RaiseQuit();

 private:
  std::string NextHex(int digits);
  // The folder one of whose EntryIDs is `id`, or else the root of the store one of whose
  // StoreIDs is `id`; none when `id` names neither.
  const FolderNode* Named(std::string_view id) const;

  std::uint64_t id_state_ = 0x5157495652410001ULL;
  int next_conversation_ = 1;
  std::uint64_t next_item_ = 1;
};

// A test used the simulated Outlook in a way Outlook does not allow (std::logic_error).
[[noreturn]] void Misuse(const std::string& what);
// Fails as Misuse unless `name` is a new, non-empty name below `parent` (none: among the stores).
void CheckNewName(const FolderNode* parent, std::string_view name);

// True when two folder names are the same to Outlook: equal but for letter case (ASCII and
// Latin-1 letters).
bool SameFolderName(std::string_view a, std::string_view b);

}  // namespace internal
}  // namespace quivra::outlook::sim

#endif  // QUIVRA_HOST_OUTLOOK_SIM_SIM_WORLD_H_
