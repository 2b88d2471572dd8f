#include "core/items_to_file.h"

#include <set>
#include <utility>

#include "core/filing_engine.h"
#include "host/outlook/entry_ids.h"

namespace quivra::core {

namespace {

using outlook::Require;

// Collects the identities in order, each once.
class ItemList {
 public:
  explicit ItemList(std::vector<ItemToFile>& items) : items_(items) {}

  // An object of a selection: a message-like item is taken by its identity; anything else
  // keeps its place with the error of its refused query.
  void Add(const outlook::ObjectPtr& object) {
    ItemToFile item;
    try {
      item.entry_id = ItemToVariant(object)->EntryID();
      item.store_id = Require(GetItemFolder(object)).StoreID();
    } catch (const outlook::OutlookError& refusal) {
      item.refused = refusal;
      items_.push_back(std::move(item));
      return;
    }
    if (seen_.insert({item.store_id, item.entry_id}).second) {
      items_.push_back(std::move(item));
    }
  }

 private:
  std::vector<ItemToFile>& items_;
  std::set<std::pair<std::string, std::string>> seen_;
};

// Selection.Location, Outlook 2010 and later; Outlook 2007's selection is always the message
// list's.
int LocationOf(outlook::Selection& selection) {
  try {
    return selection.Location();
  } catch (const outlook::OutlookError&) {
    return outlook::kSelectionInViewList;
  }
}

// The conversation headers selected in a conversation view: none on Outlook 2007 and in
// every other view ("Selection.GetSelection method (Outlook)": a selection with Count 0 when
// the view is not a conversation view,
// https://learn.microsoft.com/office/vba/api/outlook.selection.getselection).
outlook::SelectionPtr HeadersOf(outlook::Selection& selection) {
  try {
    return selection.GetSelection(outlook::kSelectionConversationHeaders);
  } catch (const outlook::OutlookError&) {
    return nullptr;
  }
}

// The items of a conversation header that lie in the folder shown. GetItems gives only the
// items "that reside in the same folder as the selected conversation header"
// (https://learn.microsoft.com/office/vba/api/outlook.conversationheader.getitems); the folder
// is checked all the same, since a reply the user sent, kept in Sent Items, must never leave
// it unless the user selected it.
void AddItemsOfHeader(ItemList& list,
                      outlook::NameSpace& space,
                      const outlook::ObjectPtr& header,
                      const std::string& folder_store,
                      const std::string& folder_id) {
  const outlook::SimpleItemsPtr items =
      Require(Require(header).AsConversationHeader()).GetItems();
  const int count = Require(items).Count();
  for (int i = 1; i <= count; ++i) {
    const outlook::ObjectPtr object = items->Item(i);
    try {
      const outlook::MAPIFolderPtr folder = GetItemFolder(object);
      if (!outlook::SameEntryID(space, Require(folder).StoreID(), folder_store) ||
          !outlook::SameEntryID(space, folder->EntryID(), folder_id)) {
        continue;
      }
    } catch (const outlook::OutlookError&) {
      // Not a message-like item: it keeps its place and stops the run there, as a selected
      // one does.
    }
    list.Add(object);
  }
}

}  // namespace

ItemsToFile ReadItemsToFile(outlook::Explorer& explorer,
                            outlook::NameSpace& space,
                            const outlook::ObjectPtr& given) {
  ItemsToFile result;
  ItemList list(result.items);
  const outlook::SelectionPtr selection_handle = explorer.Selection();
  outlook::Selection& selection = Require(selection_handle);
  const int count = selection.Count();
  const int location = LocationOf(selection);
  // "OlSelectionLocation enumeration (Outlook)"
  // (https://learn.microsoft.com/office/vba/api/outlook.olselectionlocation).
  if (location == outlook::kSelectionInToDoBarTaskList ||
      location == outlook::kSelectionInToDoBarAppointmentList ||
      location == outlook::kSelectionInDailyTaskList) {
    result.elsewhere = count > 0;
    return result;
  }
  if (location == outlook::kSelectionInAttachmentWell) {
    // The attachments selected in the reading pane: the mail they belong to ("Attachment.Parent
    // Property", https://learn.microsoft.com/en-us/previous-versions/office/developer/office-2007/bb609876(v=office.12)).
    // Microsoft also writes that the item holding the selected attachments is
    // Explorer.Selection.Item(1) ("AttachmentSelection.Parent property (Outlook)",
    // https://learn.microsoft.com/ar-sa/office/vba/api/outlook.attachmentselection.parent): an
    // object that is no attachment is taken as it is, so either way the mail is filed.
    for (int i = 1; i <= count; ++i) {
      const outlook::ObjectPtr object = selection.Item(i);
      outlook::AttachmentPtr attachment;
      try {
        attachment = Require(object).AsAttachment();
      } catch (const outlook::OutlookError&) {
      }
      list.Add(attachment ? attachment->Parent() : object);
    }
    return result;
  }
  if (count <= 1 && given) {
    bool accepted = true;
    try {
      ItemToVariant(given);
    } catch (const outlook::OutlookError&) {
      accepted = false;
    }
    if (accepted) {
      list.Add(given);
      return result;
    }
  }
  for (int i = 1; i <= count; ++i) {
    list.Add(selection.Item(i));
  }
  const outlook::SelectionPtr headers = HeadersOf(selection);
  const int header_count = headers ? headers->Count() : 0;
  if (header_count > 0) {
    const outlook::MAPIFolderPtr shown = explorer.CurrentFolder();
    const std::string shown_store = Require(shown).StoreID();
    const std::string shown_id = shown->EntryID();
    for (int i = 1; i <= header_count; ++i) {
      AddItemsOfHeader(list, space, headers->Item(i), shown_store, shown_id);
    }
  }
  return result;
}

outlook::ObjectPtr FindItemToFile(outlook::NameSpace& space, const ItemToFile& item) {
  if (item.refused) {
    throw *item.refused;
  }
  // "NameSpace.GetItemFromID method (Outlook)": the item by its EntryID and its store's
  // StoreID (https://learn.microsoft.com/office/vba/api/outlook.namespace.getitemfromid).
  return space.GetItemFromID(item.entry_id, item.store_id);
}

}  // namespace quivra::core
