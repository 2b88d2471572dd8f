#ifndef QUIVRA_HOST_OUTLOOK_SIM_SIM_OUTLOOK_H_
#define QUIVRA_HOST_OUTLOOK_SIM_SIM_OUTLOOK_H_

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/outlook/outlook.h"
#include "host/outlook/sim/sim_world.h"

namespace quivra::outlook::sim {

class SimItem;

// A folder of the simulated Outlook as a test sees and shapes it. Unlike the MAPIFolder the
// product gets (handle()), these calls are not counted and never fail on Outlook's behalf;
// misuse (a missing name, a folder that is gone) throws std::logic_error. Empty when
// default-constructed; valid as long as its SimOutlook.
class SimFolder {
 public:
  SimFolder() = default;
  SimFolder(internal::World* world, internal::FolderNode* node) : world_(world), node_(node) {}

  explicit operator bool() const { return node_ != nullptr; }
  bool operator==(const SimFolder& other) const { return node_ == other.node_; }

  // False once deleted, or when its store was closed.
  bool exists() const;
  const std::string& name() const;
  const std::string& entry_id() const;
  const std::string& store_id() const;
  int default_item_type() const;
  // The full path from the store's root folder, names joined by backslashes.
  std::string path() const;
  // The parent folder; empty for a store's root folder.
  SimFolder parent() const;
  // The subfolder of exactly that name.
  SimFolder operator[](std::string_view name) const;
  std::vector<SimFolder> subfolders() const;
  // The items in the order of the folder's item collection.
  std::vector<SimItem> items() const;

  SimFolder AddFolder(std::string_view name, int default_item_type = kMailItem) const;
  // A new item at the end of the folder's items; without a conversation index, a fresh one.
  SimItem AddItem(ItemKind kind,
                  std::string_view subject,
                  std::optional<std::string> conversation_index = std::nullopt) const;
  void Rename(std::string_view name) const;
  // Moves the folder, with everything in it, below `new_parent` of the same store; its entry id
  // stays, as Outlook keeps a folder's EntryID when it moves within its store.
  void MoveTo(const SimFolder& new_parent) const;
  // Sets the folder's PR_ATTR_HIDDEN, as Outlook sets it on the folders it keeps for itself.
  void SetHidden(bool hidden) const;
  // Gives the folder a second EntryID. Outlook documents that one object can be represented by
  // two different EntryID values, and that only NameSpace.CompareEntryIDs tells them apart
  // (https://learn.microsoft.com/en-us/office/vba/api/outlook.namespace.compareentryids).
  // The product then sees the first form on the folder reached through Folders.Item, and the second on it
  // reached through NameSpace.GetDefaultFolder or GetFolderFromID, Explorer.CurrentFolder or a
  // Parent; GetFolderFromID and CompareEntryIDs take either. Empty: the folder has one only.
  void AddSecondEntryId() const;
  const std::string& second_entry_id() const;
  // Gives a store's root folder a second StoreID for its store, as a store provider may accept
  // more than one id of its store (one written by an earlier version of it, say). Outlook hands
  // out the first form only; GetFolderFromID and CompareEntryIDs take either.
  void AddSecondStoreId() const;
  const std::string& second_store_id() const;
  // Deletes the folder as the user does in Outlook: it moves, with everything in it, below its
  // store's Deleted Items and keeps its EntryID (given a number when Deleted Items holds its
  // name). In Deleted Items, or in a store without one, it is deleted for good.
  void Delete() const;
  // Deletes the folder with everything in it for good; references to it fail from now on.
  void PermanentlyDelete() const;

  // The folder as Outlook hands it to the product.
  MAPIFolderPtr handle() const;

 private:
  friend class SimItem;
  friend class SimExplorer;
  friend class SimOutlook;

  internal::FolderNode* Node() const;

  internal::World* world_ = nullptr;
  internal::FolderNode* node_ = nullptr;
};

// An item of the simulated Outlook as a test sees and shapes it.
class SimItem {
 public:
  SimItem() = default;
  SimItem(internal::World* world, internal::ItemNode* node) : world_(world), node_(node) {}

  explicit operator bool() const { return node_ != nullptr; }
  bool operator==(const SimItem& other) const { return node_ == other.node_; }

  bool exists() const;
  ItemKind kind() const;
  const std::string& subject() const;
  const std::string& conversation_index() const;
  const std::string& entry_id() const;
  // Whether the item is unread (mail arrives unread).
  bool unread() const;
  // The sender's address and the conversation id (empty: none, as on Outlook 2007).
  void SetSender(std::string_view address) const;
  void SetConversationId(std::string_view id) const;
  // The folder holding the item.
  SimFolder folder() const;

  // Moves the item as the user would; explorers notice at the next ProcessMessages.
  void MoveTo(const SimFolder& folder) const;
  void Delete() const;

  // The item as a selection hands it to the product, before any interface query.
  ObjectPtr handle() const;

 private:
  friend class SimExplorer;

  internal::ItemNode* Node() const;

  internal::World* world_ = nullptr;
  internal::ItemNode* node_ = nullptr;
};

// An explorer window of the simulated Outlook.
class SimExplorer {
 public:
  SimExplorer() = default;
  SimExplorer(internal::World* world, internal::ExplorerNode* node) : world_(world), node_(node) {}

  explicit operator bool() const { return node_ != nullptr; }
  bool operator==(const SimExplorer& other) const { return node_ == other.node_; }

  bool is_open() const;
  SimFolder current_folder() const;
  std::vector<SimItem> selection() const;
  // The items of the folder shown, top to bottom.
  std::vector<SimItem> view() const;

  // The handle of the explorer's top-level window; 0 while it has none (a new explorer before
  // its first activation).
  std::uintptr_t window() const;

  // Shows another folder, with nothing selected: BeforeFolderSwitch, which a sink may cancel
  // (the result is then false), then FolderSwitch.
  bool ShowFolder(const SimFolder& folder) const;
  // Selects exactly these items, which must be listed in the explorer; raises SelectionChange.
  void Select(const std::vector<SimItem>& items) const;
  void SetViewOrder(ViewOrder order) const;
  // Switches the conversation view on or off, with nothing selected: the list then also shows
  // the replies of its conversations kept in the default store's Sent Items.
  void ShowConversations(bool on) const;
  // In a conversation view, selects the collapsed conversations of `collapsed` (each item
  // names its conversation by its ConversationID; the header of a conversation of the folder
  // shown), and the single items `items` besides, which must be listed; raises
  // SelectionChange.
  void SelectConversations(const std::vector<SimItem>& collapsed,
                           const std::vector<SimItem>& items = {}) const;
  // Puts the selection elsewhere than in the message list (kSelectionInToDoBarTaskList,
  // kSelectionInDailyTaskList, ...): the items selected there, or for
  // kSelectionInAttachmentWell the item of each selected attachment. Select brings it back.
  void SelectElsewhere(int location, const std::vector<SimItem>& items) const;
  // Switches to the named view: BeforeViewSwitch, which a sink may cancel, then ViewSwitch.
  bool SwitchView(std::string_view view) const;
  // Brings the explorer to the front: it becomes the active explorer and the active window.
  // Unless it was in front already, the window in front before is deactivated and this one
  // activated (Deactivate and Activate events).
  void Activate() const;
  // Raises Close and closes the window; when it was in front, the explorer opened last of the
  // others comes to the front.
  void Close() const;

  // The explorer as Outlook hands it to the product.
  ExplorerPtr handle() const;

 private:
  friend class SimOutlook;

  internal::ExplorerNode* Node() const;

  internal::World* world_ = nullptr;
  internal::ExplorerNode* node_ = nullptr;
};

// An in-memory Outlook: stores, folders, items and explorers, reached by the product through
// application(). It counts every call the product makes, by method name ("Folders.Item",
// "MAPIFolder.Name", "Item.Move", "QueryInterface(MAPIFolder)", ...), and can be told to fail a
// chosen method. Deterministic: the same building steps give the same ids.
//
// Like Outlook, it takes moved items out of an explorer's selection only when the window
// messages are processed (ProcessMessages), not during the call that moved them.
class SimOutlook {
 public:
  SimOutlook();
  ~SimOutlook();
  SimOutlook(const SimOutlook&) = delete;
  SimOutlook& operator=(const SimOutlook&) = delete;

  // The Application object the product is given.
  ApplicationPtr application() const;

  // Opens a store; its root folder is named `root_name`. The first store is the default store.
  SimFolder AddStore(std::string_view root_name);
  // Closes a store: its folders are gone for the product.
  void CloseStore(const SimFolder& root);
  // From now on the store refuses every item moved into it, raising `code` with Outlook's
  // `text` (a read-only shared mailbox, a public folder without rights, an offline store).
  void RefuseMovesInto(const SimFolder& root, std::int32_t code, std::string text);
  // The root folders of the open stores, in Outlook's order.
  std::vector<SimFolder> stores() const;
  // The folder with this full path ("Mailbox\\Projects\\Alpha"), names matched exactly.
  SimFolder FolderAt(std::string_view path) const;
  // Makes `folder` the default folder of `kind` (kFolderInbox, ...) for GetDefaultFolder;
  // kFolderDeletedItems also makes it its store's Deleted Items (SetDeletedItems).
  void SetDefaultFolder(int kind, const SimFolder& folder);
  // Makes `folder` the Deleted Items of its store, where deleted folders go.
  void SetDeletedItems(const SimFolder& folder);
  // Deletes for good everything in the Deleted Items of the store of `root`.
  void EmptyDeletedItems(const SimFolder& root);
  // From now on every explorer's selection follows each move at once (an online store whose
  // view refreshes while Outlook pumps messages during a move), or, off, only when messages
  // are processed.
  void SetLiveSelection(bool live);
  // From now on NameSpace.GetFolderFromID finds a folder by its EntryID in any open store when
  // the store named holds none, as MAPI may when the id names another store's provider.
  void ResolveIdsInAnyStore(bool any_store);

  // Opens an explorer on `folder` in front of the others: NewExplorer, while the explorer has
  // no window yet (its WindowHandle fails), then its window is made and it is activated.
  SimExplorer AddExplorer(const SimFolder& folder);
  // The open explorers, in the order they were opened.
  std::vector<SimExplorer> explorers() const;
  // Gives the explorers real windows from now on (the open ones get new ones at once, so call it
  // before any add-in saw them); the explorer in front is brought to the front.
  void UseWindows(internal::WindowSystem windows);
  // Reports an open explorer as new once more, as Outlook may do for the same window.
  void ReportNewExplorer(const SimExplorer& explorer);
  // Brings an inspector (an item's own window) to the front; the active explorer stays but is
  // deactivated.
  void ActivateInspector();
  // Takes every Outlook window from the front (another program is active).
  void DeactivateWindows();

  // The version text Application.Version reports; "14.0.0.7015" (Outlook 2010) unless set.
  void SetVersion(std::string_view version);
  // Folders.Add raises `code` when given the folder type `type` (an Outlook that does not take
  // a folder type its documentation does not list).
  void RefuseFolderType(int type, std::int32_t code);
  // The user closes Outlook: raises the application's Quit event.
  void Quit();
  // How many sinks are connected to events now (explorer, explorers and application events).
  int EventConnectionCount() const;
  // Lets Outlook handle its pending window messages: explorers drop items that left their
  // folder from the selection, selecting the next item when none remains.
  void ProcessMessages();

  // Arrow keys of the message list.
  enum class ListKey { kUp, kDown };
  // A key press reaching the window in front: in an explorer's message list, Up and Down select
  // the item above or below the focused (last selected) one, and with Shift held extend the
  // selection from its first item to that one; at either end of the list the focus stays.
  // Other windows ignore it.
  void PressKey(ListKey key, bool shift);

  // Calls made so far, by method name.
  const std::map<std::string, int, std::less<>>& calls() const;
  int CallCount(std::string_view method) const;
  int TotalCalls() const;
  void ResetCallCounts();
  // Makes `method` fail (raise OutlookError) after `skip` more successful calls, once or on
  // every call from then on.
  void FailCall(std::string_view method, FailMode mode = FailMode::kOnce, int skip = 0);
  void StopFailing();
  // Every call passes the gate after it is counted (unset: none); see CallGate.
  void SetCallGate(CallGate gate);

  // Exchange's limits on the objects a session holds open (see sim_open_objects.h). From now on
  // at most `count` objects of `kind` are open at once (none: any number, the default, as in a
  // store without such limits); an object beyond it is refused with Outlook's error.
  void LimitOpenObjects(OpenObjectKind kind, std::optional<int> count);
  // Limits every kind to Exchange's default.
  void LimitOpenObjectsAsExchange();
  // The objects of `kind` the product holds open now, the most it held at once, and how many it
  // was refused.
  int OpenObjectCount(OpenObjectKind kind) const;
  int HighestOpenObjectCount(OpenObjectKind kind) const;
  int RefusedOpenCount(OpenObjectKind kind) const;
  // Counts the highest from the objects open now on, and the refusals from none.
  void ResetOpenObjectCounts();

 private:
  std::shared_ptr<internal::World> world_;
};

}  // namespace quivra::outlook::sim

#endif  // QUIVRA_HOST_OUTLOOK_SIM_SIM_OUTLOOK_H_
