#ifndef QUIVRA_HOST_OUTLOOK_OUTLOOK_H_
#define QUIVRA_HOST_OUTLOOK_OUTLOOK_H_

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/outlook/outlook_error.h"

// The part of Outlook's object model that the add-in uses. Every object is a shared handle to
// an abstract class: the simulated Outlook of the tests and the real one reached through
// IDispatch implement the same classes, and the code above cannot tell them apart.
//
// Every call may fail, and failures are OutlookError exceptions, as Outlook's failed calls are
// raised errors. A refused interface query fails the same way: the add-in relies on it to tell
// a store's root folder (its parent is the name space) and items of other kinds (a contact is
// not a mail item). Results documented as "or none" are empty handles; use Require() to turn a
// call on nothing into an error. Text is UTF-8.
//
// Events come through sinks: Advise connects a sink to an object's events until the returned
// connection is dropped. The sink must outlive its connection; a sink may drop connections,
// its own included, while it handles an event.
namespace quivra::outlook {

class Application;
class NameSpace;
class FolderCollection;
class MAPIFolder;
class ItemCollection;
class Explorer;
class Explorers;
class Selection;
class Item;
class Object;
class Store;
class ConversationHeader;
class SimpleItems;
class Attachment;

using ApplicationPtr = std::shared_ptr<Application>;
using NameSpacePtr = std::shared_ptr<NameSpace>;
using FolderCollectionPtr = std::shared_ptr<FolderCollection>;
using MAPIFolderPtr = std::shared_ptr<MAPIFolder>;
using ItemCollectionPtr = std::shared_ptr<ItemCollection>;
using ExplorerPtr = std::shared_ptr<Explorer>;
using ExplorersPtr = std::shared_ptr<Explorers>;
using SelectionPtr = std::shared_ptr<Selection>;
using ItemPtr = std::shared_ptr<Item>;
using ObjectPtr = std::shared_ptr<Object>;
using StorePtr = std::shared_ptr<Store>;
using ConversationHeaderPtr = std::shared_ptr<ConversationHeader>;
using SimpleItemsPtr = std::shared_ptr<SimpleItems>;
using AttachmentPtr = std::shared_ptr<Attachment>;

// Kinds of GetDefaultFolder (Outlook's OlDefaultFolders).
constexpr int kFolderDeletedItems = 3;
constexpr int kFolderOutbox = 4;
constexpr int kFolderSentMail = 5;
constexpr int kFolderInbox = 6;
constexpr int kFolderCalendar = 9;
constexpr int kFolderContacts = 10;
constexpr int kFolderDrafts = 16;
// The folders Outlook keeps for synchronisation problems of the default store: Sync Issues and
// its Conflicts, Local Failures and Server Failures.
constexpr int kFolderConflicts = 19;
constexpr int kFolderSyncIssues = 20;
constexpr int kFolderLocalFailures = 21;
constexpr int kFolderServerFailures = 22;

// The MAPI property PR_ATTR_HIDDEN (0x10F4000B, a Boolean) in the property-tag form that
// PropertyAccessor takes: true on the folders Outlook keeps for itself and does not show.
constexpr char kHiddenFolderProperty[] = "http://schemas.microsoft.com/mapi/proptag/0x10F4000B";

// PR_IPM_WASTEBASKET_ENTRYID (0x35E30102, binary) of a message store: the EntryID of its
// Deleted Items folder.
constexpr char kWastebasketProperty[] = "http://schemas.microsoft.com/mapi/proptag/0x35E30102";

// DefaultItemType of a folder that holds mail (Outlook's OlItemType).
constexpr int kMailItem = 0;

// Where an explorer's selection is (Outlook's OlSelectionLocation, Outlook 2010 and later,
// https://learn.microsoft.com/office/vba/api/outlook.olselectionlocation).
constexpr int kSelectionInViewList = 0;
constexpr int kSelectionInToDoBarTaskList = 1;
constexpr int kSelectionInToDoBarAppointmentList = 2;
constexpr int kSelectionInDailyTaskList = 3;
constexpr int kSelectionInAttachmentWell = 4;

// Selection.GetSelection's kind of objects (Outlook's OlSelectionContents).
constexpr int kSelectionConversationHeaders = 1;

// The interfaces through which the add-in accepts an item: every kind of Outlook item that
// lives in a mail folder. Contacts, distribution lists and calendar items are not among them.
enum class ItemInterface {
  kMailItem,
  kMeetingItem,
  kReportItem,
  kTaskRequestItem,
  kPostItem,
  kTaskRequestAcceptItem,
  kTaskRequestDeclineItem,
  kTaskRequestUpdateItem,
  kSharingItem,
  kDocumentItem,
  kRemoteItem,
  kMobileItem,
};

// The order in which callers query an item for the message-like interfaces: the five kinds of
// every Outlook first, as most items are mails.
constexpr std::array<ItemInterface, 12> kMessageInterfaces = {
    ItemInterface::kMailItem,           ItemInterface::kMeetingItem,
    ItemInterface::kReportItem,         ItemInterface::kTaskRequestItem,
    ItemInterface::kPostItem,           ItemInterface::kTaskRequestAcceptItem,
    ItemInterface::kTaskRequestDeclineItem, ItemInterface::kTaskRequestUpdateItem,
    ItemInterface::kSharingItem,        ItemInterface::kDocumentItem,
    ItemInterface::kRemoteItem,         ItemInterface::kMobileItem};

// Outlook's name of an interface, e.g. "_MailItem".
std::string_view InterfaceName(ItemInterface interface_id);

// A sink's subscription to an object's events; destroying it ends the subscription.
class EventConnection {
 public:
  virtual ~EventConnection() = default;
};
using EventConnectionPtr = std::unique_ptr<EventConnection>;

// Outlook's ExplorerEvents_10: what happens to one explorer window.
class ExplorerEvents {
 public:
  virtual ~ExplorerEvents() = default;

  virtual void Activate() {}
  virtual void FolderSwitch() {}
  // Set Cancel to keep the folder shown now.
  virtual void BeforeFolderSwitch(const MAPIFolderPtr& NewFolder, bool& Cancel) {
    (void)NewFolder;
    (void)Cancel;
  }
  virtual void ViewSwitch() {}
  virtual void BeforeViewSwitch(const std::string& NewView, bool& Cancel) {
    (void)NewView;
    (void)Cancel;
  }
  virtual void Deactivate() {}
  virtual void SelectionChange() {}
  virtual void Close() {}
};

// Outlook's ExplorersEvents: a new explorer window was opened.
class ExplorersEvents {
 public:
  virtual ~ExplorersEvents() = default;
  virtual void NewExplorer(const ExplorerPtr& Explorer) = 0;
};

// Outlook's ApplicationEvents_11, as far as the add-in listens to them.
class ApplicationEvents {
 public:
  virtual ~ApplicationEvents() = default;
  // Outlook is closing; with fast shutdown, add-ins hear nothing after this.
  virtual void Quit() = 0;
};

// An object of unknown type, as Outlook hands out for a parent, a selected item, an item of a
// collection or the active window. Its typed views are reached by interface query; a query the
// object refuses raises OutlookError.
class Object {
 public:
  virtual ~Object() = default;

  virtual MAPIFolderPtr AsMAPIFolder() = 0;
  virtual ExplorerPtr AsExplorer() = 0;
  virtual ItemPtr AsItem(ItemInterface interface_id) = 0;
  // A selected conversation header (Selection.GetSelection, Outlook 2010 and later).
  virtual ConversationHeaderPtr AsConversationHeader() = 0;
  // An attachment selected in the reading pane's attachment well.
  virtual AttachmentPtr AsAttachment() = 0;
};

// Outlook's _Application.
class Application {
 public:
  virtual ~Application() = default;

  // The explorer window in front, or none.
  virtual ExplorerPtr ActiveExplorer() = 0;
  // The name space of the given type; Outlook knows only "MAPI".
  virtual NameSpacePtr GetNamespace(std::string_view type) = 0;
  // The MAPI name space.
  virtual NameSpacePtr Session() = 0;
  // The foreground Outlook window (an explorer or an inspector), or none.
  virtual ObjectPtr ActiveWindow() = 0;
  // Outlook's version text, "14.0.0.7015" and the like.
  virtual std::string Version() = 0;
  // The open explorer windows.
  virtual ExplorersPtr Explorers() = 0;
  virtual EventConnectionPtr Advise(ApplicationEvents& sink) = 0;
};

// Outlook's _Explorers: the open explorer windows.
class Explorers {
 public:
  virtual ~Explorers() = default;

  virtual int Count() = 0;
  // 1-based.
  virtual ExplorerPtr Item(int index) = 0;
  virtual EventConnectionPtr Advise(ExplorersEvents& sink) = 0;
};

// Outlook's _NameSpace.
class NameSpace {
 public:
  virtual ~NameSpace() = default;

  // The top-level folders, one root folder per open store.
  virtual FolderCollectionPtr Folders() = 0;
  // The default store's folder of the given kind (kFolderInbox, ...).
  virtual MAPIFolderPtr GetDefaultFolder(int kind) = 0;
  // The folder of that EntryID in the store of that StoreID, wherever it lies in the store now;
  // fails when the store holds no such folder (deleted) or is not open.
  virtual MAPIFolderPtr GetFolderFromID(const std::string& entry_id,
                                        const std::string& store_id) = 0;
  // The item of that EntryID in the store of that StoreID, wherever it lies in the store now;
  // fails when there is none.
  virtual ObjectPtr GetItemFromID(const std::string& entry_id, const std::string& store_id) = 0;
  // Whether two EntryIDs name the same object. One object can be represented by two different
  // EntryID values, so only Outlook can tell two ids apart; exists from Outlook 2007 on, and
  // fails for an id Outlook cannot read ("NameSpace.CompareEntryIDs method (Outlook)",
  // https://learn.microsoft.com/en-us/office/vba/api/outlook.namespace.compareentryids). Callers go
  // through SameEntryID (entry_ids.h), which spares the call when the texts are equal.
  virtual bool CompareEntryIDs(const std::string& first, const std::string& second) = 0;
};

// Outlook's _Folders: the subfolders of a folder, or the stores' root folders.
class FolderCollection {
 public:
  virtual ~FolderCollection() = default;

  virtual int Count() = 0;
  // 1-based.
  virtual MAPIFolderPtr Item(int index) = 0;
  // The subfolder of that name, matched as Outlook matches names (not case-sensitive); fails
  // when no subfolder has it.
  virtual MAPIFolderPtr Item(std::string_view name) = 0;
  // Creates a subfolder. `type` is Outlook's folder-type argument; without it Outlook gives the
  // new folder the type of the folder it is created in.
  virtual MAPIFolderPtr Add(std::string_view name, std::optional<int> type) = 0;
};

// Outlook's MAPIFolder.
class MAPIFolder {
 public:
  virtual ~MAPIFolder() = default;

  virtual std::string Name() = 0;
  // Opaque texts. One folder may answer two different EntryIDs (depending on how it was
  // reached), and a store may be named by more than one StoreID: compare them with SameEntryID
  // (entry_ids.h), never as text alone.
  virtual std::string EntryID() = 0;
  virtual std::string StoreID() = 0;
  virtual FolderCollectionPtr Folders() = 0;
  virtual ItemCollectionPtr Items() = 0;
  // kMailItem for a mail folder.
  virtual int DefaultItemType() = 0;
  // The parent folder; for a store's root folder the name space, whose cast to a folder fails.
  virtual ObjectPtr Parent() = 0;
  // A Boolean MAPI property of the folder, through its PropertyAccessor (Outlook 2007 and
  // later) by the property's schema name (kHiddenFolderProperty). Fails when the property is
  // not set on the folder, and on an Outlook without PropertyAccessor.
  virtual bool GetBooleanProperty(const std::string& schema_name) = 0;
  // The store the folder lies in (Folder.Store, Outlook 2007 and later).
  virtual StorePtr Store() = 0;
};

// Outlook's Store.
class Store {
 public:
  virtual ~Store() = default;

  // The store's own default folder of that kind (Outlook 2010 and later: Outlook 2007 does not
  // know the call); fails when the store has no such folder.
  virtual MAPIFolderPtr GetDefaultFolder(int kind) = 0;
  // A binary MAPI property of the store through Store.PropertyAccessor (Outlook 2007 and
  // later), as PropertyAccessor.BinaryToString writes it: hexadecimal digits. Fails when the
  // property is not set.
  virtual std::string GetBinaryProperty(const std::string& schema_name) = 0;
};

// Outlook's _Items. GetLast and GetPrevious move the collection's own cursor.
class ItemCollection {
 public:
  virtual ~ItemCollection() = default;

  virtual int Count() = 0;
  // The last item, or none when the folder is empty.
  virtual ObjectPtr GetLast() = 0;
  // The item before the previous result, or none after the first item.
  virtual ObjectPtr GetPrevious() = 0;
};

// Outlook's _Explorer: a main window showing a folder.
class Explorer {
 public:
  virtual ~Explorer() = default;

  virtual MAPIFolderPtr CurrentFolder() = 0;
  // The items selected now; each call reads the explorer's selection anew.
  virtual SelectionPtr Selection() = 0;
  // The explorer's top-level window (through its IOleWindow); the same for every reference to
  // the same window.
  virtual std::uintptr_t WindowHandle() = 0;
  virtual EventConnectionPtr Advise(ExplorerEvents& sink) = 0;
};

// Outlook's Selection.
class Selection {
 public:
  virtual ~Selection() = default;

  virtual int Count() = 0;
  // 1-based.
  virtual ObjectPtr Item(int index) = 0;
  // Where the selection is (kSelectionInViewList, ...); Outlook 2010 and later, fails on
  // Outlook 2007, whose selection is always in the message list.
  virtual int Location() = 0;
  // The selected objects of a kind (kSelectionConversationHeaders), Outlook 2010 and later:
  // in a conversation view the selected conversation headers, which the selection itself does
  // not hold; elsewhere none.
  virtual SelectionPtr GetSelection(int contents) = 0;
};

// Outlook's ConversationHeader: a conversation as the conversation view shows it.
class ConversationHeader {
 public:
  virtual ~ConversationHeader() = default;

  // The conversation's items that lie in the folder of the header.
  virtual SimpleItemsPtr GetItems() = 0;
};

// Outlook's SimpleItems.
class SimpleItems {
 public:
  virtual ~SimpleItems() = default;

  virtual int Count() = 0;
  // 1-based.
  virtual ObjectPtr Item(int index) = 0;
};

// Outlook's Attachment.
class Attachment {
 public:
  virtual ~Attachment() = default;

  // The item the attachment belongs to.
  virtual ObjectPtr Parent() = 0;
};

// An item reached through one of the message-like interfaces.
class Item {
 public:
  virtual ~Item() = default;

  virtual std::string ConversationIndex() = 0;
  // Opaque text; with the StoreID of the item's folder it finds the item again
  // (NameSpace.GetItemFromID). Changes when the item moves to another store.
  virtual std::string EntryID() = 0;
  // The sender's address: SMTP for Internet mail, an X.500 address ("/O=.../CN=...") for an
  // Exchange sender. Empty for an item without a sender (a draft).
  virtual std::string SenderEmailAddress() = 0;
  virtual std::string Subject() = 0;
  // The conversation the item belongs to; exists from Outlook 2010 on, and the call fails on
  // Outlook 2007.
  virtual std::string ConversationID() = 0;
  // Moves the item into `folder` and hands back the item moved, as it is found in `folder`
  // (its EntryID may differ from the one before the move): "An Object value that represents
  // the item which has been moved to the designated folder"
  // (https://learn.microsoft.com/en-us/office/vba/api/outlook.mailitem.move).
  virtual ObjectPtr Move(const MAPIFolderPtr& folder) = 0;
  // Marks the item read and saves it: UnRead = False, then Save
  // (https://learn.microsoft.com/en-us/office/vba/api/outlook.mailitem.unread,
  // https://learn.microsoft.com/en-us/office/vba/api/outlook.mailitem.save).
  virtual void MarkAsRead() = 0;
  // The folder holding the item.
  virtual ObjectPtr Parent() = 0;
};

}  // namespace quivra::outlook

#endif  // QUIVRA_HOST_OUTLOOK_OUTLOOK_H_
