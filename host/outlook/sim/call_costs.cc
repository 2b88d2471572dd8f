#include "host/outlook/sim/call_costs.h"

#include <initializer_list>

namespace quivra::outlook::sim {

namespace {

// The kinds of call, by what a real Outlook does to answer them.
enum class CallKind {
  // A cast between the interfaces of one object: in the process, no MAPI work.
  kInterface,
  // A property of an object that is open already (a name, an EntryID, a count): read from the
  // properties MAPI fetched when the object was opened.
  kProperty,
  // A call that opens an object (an item or folder by its id, a folder's subfolders or items, an
  // item's parent, the next item of a collection): MAPI's OpenEntry or a table row.
  kOpen,
  // A change of the store: a move, a save, a new folder.
  kWrite,
};

bool Listed(std::string_view method, std::initializer_list<std::string_view> names) {
  for (const std::string_view name : names) {
    if (method == name) {
      return true;
    }
  }
  return false;
}

// A call not listed here counts as opening an object, the dearer guess.
CallKind KindOf(std::string_view method) {
  if (method.rfind("QueryInterface(", 0) == 0) {
    return CallKind::kInterface;
  }
  if (Listed(method, {"Item.Move", "Item.Save", "Folders.Add"})) {
    return CallKind::kWrite;
  }
  if (method.rfind("Application.", 0) == 0 || method.rfind("Explorers.", 0) == 0 ||
      Listed(method, {"Explorer.WindowHandle", "Explorer.Advise", "Item.ConversationID",
                      "Item.ConversationIndex", "Item.EntryID", "Item.SenderEmailAddress",
                      "Item.Subject", "Item.UnRead", "Items.Count", "MAPIFolder.DefaultItemType",
                      "MAPIFolder.EntryID", "MAPIFolder.Name", "MAPIFolder.StoreID",
                      "NameSpace.CompareEntryIDs", "Selection.Count", "Selection.Location",
                      "SimpleItems.Count", "Folders.Count"})) {
    return CallKind::kProperty;
  }
  return CallKind::kOpen;
}

}  // namespace

// No published measurement gives the cost of single Outlook object-model calls, so these figures
// are chosen to be on the slow side of what a user's Outlook does:
// - an interface cast stays in the process: 1 microsecond in both profiles;
// - a property of an open object goes through IDispatch into MAPI's property cache: 20 µs
//   cached; 50 µs online, where a property the first fetch left out costs a GetProps;
// - opening an object (an item or folder by its id, a folder's subfolders or items, an item's
//   parent, the next item of a collection, the selection, a store's property) reads the local
//   file when cached: 300 µs; online it is a round trip to the server, 30 ms (a typical
//   wide-area round trip to a hosted Exchange);
// - a change writes the local file and queues it for the server when cached: 2 ms; online the
//   server does it before the call returns, two round trips: 60 ms.
double CallCostMicroseconds(std::string_view method, StoreProfile profile) {
  const bool online = profile == StoreProfile::kOnline;
  switch (KindOf(method)) {
    case CallKind::kInterface:
      return 1;
    case CallKind::kProperty:
      return online ? 50 : 20;
    case CallKind::kOpen:
      return online ? 30000 : 300;
    case CallKind::kWrite:
      return online ? 60000 : 2000;
  }
  return online ? 30000 : 300;
}

double ChargedMilliseconds(const std::map<std::string, int, std::less<>>& calls,
                           StoreProfile profile) {
  double microseconds = 0;
  for (const auto& [method, count] : calls) {
    microseconds += CallCostMicroseconds(method, profile) * count;
  }
  return microseconds / 1000;
}

}  // namespace quivra::outlook::sim
