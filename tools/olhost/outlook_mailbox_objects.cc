// The stand-in's folders, item collections, items and selections as automation objects.

#include <oaidl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "host/outlook/com/outlook_dispids.h"
#include "platform/win32/com/iids.h"
#include "platform/win32/com/variant.h"
#include "tools/olhost/outlook_object_kinds.h"

namespace quivra::olhost::objects {

namespace {

using namespace outlook::com;  // the item kinds' IIDs
using namespace quivra::com;   // Outlook's IIDs

class Untyped : public DispatchObject {
 public:
  explicit Untyped(outlook::ObjectPtr object) : DispatchObject({}), object_(std::move(object)) {}

 protected:
  HRESULT QueryOtherObject(REFIID iid, void** out) override {
    try {
      ComPtr<IDispatch> typed;
      if (IsEqualIID(iid, IID_Outlook_MAPIFolder)) {
        typed = FolderObject(object_->AsMAPIFolder());
      } else if (IsEqualIID(iid, IID_Outlook_Explorer)) {
        typed = ExplorerObject(object_->AsExplorer());
      } else if (IsEqualIID(iid, IID_Outlook_ConversationHeader)) {
        typed = ConversationHeaderObject(object_->AsConversationHeader());
      } else if (IsEqualIID(iid, IID_Outlook_Attachment)) {
        typed = AttachmentObject(object_->AsAttachment());
      } else {
        for (outlook::ItemInterface kind : outlook::kMessageInterfaces) {
          if (IsEqualIID(iid, ItemInterfaceId(static_cast<int>(kind)))) {
            typed = ItemObject(object_->AsItem(kind), iid);
          }
        }
      }
      if (typed) {
        *out = typed.Detach();
        return S_OK;
      }
    } catch (const std::exception&) {
      // Refused by the Outlook behind it.
    }
    return E_NOINTERFACE;
  }

 private:
  static ComPtr<IDispatch> ItemObject(outlook::ItemPtr item, REFIID iid);

  outlook::ObjectPtr object_;
};

class ItemView : public DispatchObject {
 public:
  ItemView(outlook::ItemPtr item, IID iid) : DispatchObject({iid}), item_(std::move(item)) {
    AddMember(L"ConversationIndex",
              [this](const Args&, VARIANT* r) { ReturnText(r, item_->ConversationIndex()); });
    AddMember(L"EntryID", [this](const Args&, VARIANT* r) { ReturnText(r, item_->EntryID()); });
    AddMember(L"SenderEmailAddress",
              [this](const Args&, VARIANT* r) { ReturnText(r, item_->SenderEmailAddress()); });
    AddMember(L"Subject", [this](const Args&, VARIANT* r) { ReturnText(r, item_->Subject()); });
    // SenderEmailAddress: SMTP for Internet mail, X.500 for an Exchange sender
    // (learn.microsoft.com/office/vba/api/outlook.mailitem.senderemailaddress).
    // ConversationID exists from Outlook 2010 on
    // (learn.microsoft.com/office/vba/api/outlook.mailitem.conversationid): a mailbox item
    // without a conversation id plays Outlook 2007's, and the call fails.
    AddMember(L"ConversationID",
              [this](const Args&, VARIANT* r) { ReturnText(r, item_->ConversationID()); });
    // Move hands back the item moved, as found in its new folder
    // (learn.microsoft.com/office/vba/api/outlook.mailitem.move).
    AddMember(L"Move", [this](const Args& args, VARIANT* r) {
      Return(r, UntypedObject(item_->Move(Typed(args.Dispatch(0)))));
    });
    // UnRead is a property of the item in memory; Save stores it
    // (learn.microsoft.com/office/vba/api/outlook.mailitem.unread,
    // learn.microsoft.com/office/vba/api/outlook.mailitem.save). Only marking read is played.
    AddMember(L"UnRead", {}, [this](const Args& args, VARIANT*) {
      const VARIANT& value = args.PutValue();
      if (value.vt != VT_BOOL || value.boolVal != VARIANT_FALSE) {
        throw outlook::OutlookError(outlook::kErrorInvalidArgument,
                                    "The stand-in only marks items read.");
      }
      marked_read_ = true;
    });
    AddMember(L"Save", [this](const Args&, VARIANT*) {
      if (marked_read_) {
        item_->MarkAsRead();
        marked_read_ = false;
      }
    });
    AddMember(L"Parent",
              [this](const Args&, VARIANT* r) { Return(r, UntypedObject(item_->Parent())); });
  }

 private:
  // The folder behind a folder object of this stand-in.
  static outlook::MAPIFolderPtr Typed(IDispatch* object);

  outlook::ItemPtr item_;
  bool marked_read_ = false;
};

ComPtr<IDispatch> Untyped::ItemObject(outlook::ItemPtr item, REFIID iid) {
  return Make<ItemView>(std::move(item), iid);
}

class Folders : public DispatchObject {
 public:
  explicit Folders(outlook::FolderCollectionPtr folders)
      : DispatchObject({IID_Outlook_Folders}), folders_(std::move(folders)) {
    AddMember(L"Count", [this](const Args&, VARIANT* r) { ReturnInt(r, folders_->Count()); });
    AddMember(L"Item", [this](const Args& args, VARIANT* r) {
      const VARIANT& index = args.at(0);
      if (index.vt == VT_BSTR) {
        Return(r, FolderObject(folders_->Item(args.Text(0))));
      } else {
        Return(r, FolderObject(folders_->Item(args.Int(0))));
      }
    });
    AddMember(L"Add", [this](const Args& args, VARIANT* r) {
      Return(r,
             FolderObject(folders_->Add(
                 args.Text(0), args.size() > 1 ? std::optional<int>(args.Int(1)) : std::nullopt)));
    });
  }

 private:
  outlook::FolderCollectionPtr folders_;
};

class Items : public DispatchObject {
 public:
  explicit Items(outlook::ItemCollectionPtr items)
      : DispatchObject({IID_Outlook_Items}), items_(std::move(items)) {
    AddMember(L"Count", [this](const Args&, VARIANT* r) { ReturnInt(r, items_->Count()); });
    AddMember(L"GetLast",
              [this](const Args&, VARIANT* r) { Return(r, UntypedObject(items_->GetLast())); });
    AddMember(L"GetPrevious",
              [this](const Args&, VARIANT* r) { Return(r, UntypedObject(items_->GetPrevious())); });
  }

 private:
  outlook::ItemCollectionPtr items_;
};

// Folder.PropertyAccessor, as far as a folder's Boolean properties go. GetProperty takes the
// property's schema name, for a MAPI property its tag as
// "http://schemas.microsoft.com/mapi/proptag/0xTTTTTTTT", and raises an error for a property
// that is not set on the object. Outlook marks the folders it keeps for itself with
// PR_ATTR_HIDDEN, tag 0x10F4000B, a Boolean that is nonzero on a hidden folder. Outlook before
// 2007 has no PropertyAccessor: the Outlook behind the stand-in then refuses the call.
// - "Referencing Properties by Namespace":
//   https://learn.microsoft.com/office/vba/outlook/how-to/navigation/referencing-properties-by-namespace
// - "PropertyAccessor.GetProperty method (Outlook)":
//   https://learn.microsoft.com/office/vba/api/outlook.propertyaccessor.getproperty
// - "PidTagAttributeHidden" ([MS-OXPROPS] 2.611; [MS-OXCFOLD] 2.2.2.2.2.1):
//   https://learn.microsoft.com/openspecs/exchange_server_protocols/ms-oxprops/01b52d3c-d194-4a8c-83ee-4ac7506339da
class PropertyAccessor : public DispatchObject {
 public:
  explicit PropertyAccessor(outlook::MAPIFolderPtr folder)
      : DispatchObject({}), folder_(std::move(folder)) {
    AddMember(L"GetProperty", [this](const Args& args, VARIANT* r) {
      ReturnBool(r, folder_->GetBooleanProperty(args.Text(0)));
    });
  }

 private:
  outlook::MAPIFolderPtr folder_;
};

// Store.PropertyAccessor for the store's binary properties: GetProperty hands a binary
// property over as an array of bytes, which BinaryToString writes as hexadecimal digits
// ("PropertyAccessor.GetProperty method (Outlook)",
// https://learn.microsoft.com/office/vba/api/outlook.propertyaccessor.getproperty;
// "PropertyAccessor.BinaryToString method (Outlook)",
// https://learn.microsoft.com/office/vba/api/outlook.propertyaccessor.binarytostring).
class StorePropertyAccessor : public DispatchObject {
 public:
  explicit StorePropertyAccessor(outlook::StorePtr store)
      : DispatchObject({}), store_(std::move(store)) {
    AddMember(L"GetProperty", [this](const Args& args, VARIANT* r) {
      ReturnBytes(r, store_->GetBinaryProperty(args.Text(0)));
    });
    AddMember(L"BinaryToString", [](const Args& args, VARIANT* r) {
      ReturnText(r, BytesAsHex(args.at(0)));
    });
  }

 private:
  static void ReturnBytes(VARIANT* result, const std::string& hex) {
    // Read before the array exists, so that a bad digit leaves nothing behind.
    std::vector<unsigned char> values;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
      values.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    SAFEARRAY* bytes = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(values.size()));
    if (!bytes) {
      throw outlook::OutlookError(E_OUTOFMEMORY, "Out of memory.");
    }
    std::copy(values.begin(), values.end(), static_cast<unsigned char*>(bytes->pvData));
    ::VariantInit(result);
    result->vt = VT_ARRAY | VT_UI1;
    result->parray = bytes;
  }
  static std::string BytesAsHex(const VARIANT& value) {
    const VARIANT& bytes = value.vt == (VT_BYREF | VT_VARIANT) ? *value.pvarVal : value;
    if (bytes.vt != (VT_ARRAY | VT_UI1) || !bytes.parray) {
      throw outlook::OutlookError(outlook::kErrorInvalidArgument, "Type mismatch.");
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto* data = static_cast<const unsigned char*>(bytes.parray->pvData);
    std::string hex;
    for (ULONG i = 0; i < bytes.parray->rgsabound[0].cElements; ++i) {
      hex += kDigits[data[i] >> 4];
      hex += kDigits[data[i] & 0xF];
    }
    return hex;
  }

  outlook::StorePtr store_;
};

class StoreView : public DispatchObject {
 public:
  explicit StoreView(outlook::StorePtr store)
      : DispatchObject({IID_Outlook_Store}), store_(std::move(store)) {
    AddMember(L"GetDefaultFolder", [this](const Args& args, VARIANT* r) {
      Return(r, FolderObject(store_->GetDefaultFolder(args.Int(0))));
    });
    AddMember(L"PropertyAccessor",
              [this](const Args&, VARIANT* r) { Return(r, Make<StorePropertyAccessor>(store_)); });
  }

 private:
  outlook::StorePtr store_;
};

class Folder : public DispatchObject {
 public:
  explicit Folder(outlook::MAPIFolderPtr folder)
      : DispatchObject({IID_Outlook_MAPIFolder}), folder_(std::move(folder)) {
    AddMember(L"Name", [this](const Args&, VARIANT* r) { ReturnText(r, folder_->Name()); });
    AddMember(L"EntryID", [this](const Args&, VARIANT* r) { ReturnText(r, folder_->EntryID()); });
    AddMember(L"StoreID", [this](const Args&, VARIANT* r) { ReturnText(r, folder_->StoreID()); });
    AddMember(L"Folders", [this](const Args&, VARIANT* r) {
      Return(r, Make<Folders>(folder_->Folders()));
    });
    AddMember(L"Items", [this](const Args&, VARIANT* r) {
      Return(r, Make<Items>(folder_->Items()));
    });
    AddMember(L"DefaultItemType",
              [this](const Args&, VARIANT* r) { ReturnInt(r, folder_->DefaultItemType()); });
    AddMember(L"Parent",
              [this](const Args&, VARIANT* r) { Return(r, UntypedObject(folder_->Parent())); });
    AddMember(L"PropertyAccessor",
              [this](const Args&, VARIANT* r) { Return(r, Make<PropertyAccessor>(folder_)); });
    AddMember(L"Store", [this](const Args&, VARIANT* r) {
      outlook::StorePtr store = folder_->Store();
      Return(r, store ? Make<StoreView>(std::move(store)) : nullptr);
    });
  }

  const outlook::MAPIFolderPtr& folder() const { return folder_; }

 private:
  outlook::MAPIFolderPtr folder_;
};

outlook::MAPIFolderPtr ItemView::Typed(IDispatch* object) {
  auto* folder = dynamic_cast<Folder*>(object);
  if (!folder) {
    ComPtr<IDispatch> typed;
    if (object && SUCCEEDED(object->QueryInterface(
                      IID_Outlook_MAPIFolder, reinterpret_cast<void**>(typed.GetAddressOf())))) {
      folder = dynamic_cast<Folder*>(typed.Get());
      if (folder) {
        return folder->folder();
      }
    }
    throw outlook::OutlookError(outlook::kErrorInvalidArgument, "Type mismatch.");
  }
  return folder->folder();
}

class SelectionView : public DispatchObject {
 public:
  explicit SelectionView(outlook::SelectionPtr selection)
      : DispatchObject({IID_Outlook_Selection}), selection_(std::move(selection)) {
    AddMember(L"Count", [this](const Args&, VARIANT* r) { ReturnInt(r, selection_->Count()); });
    AddMember(L"Item", [this](const Args& args, VARIANT* r) {
      Return(r, UntypedObject(selection_->Item(args.Int(0))));
    });
    // Selection.Location and Selection.GetSelection, Outlook 2010 and later
    // (https://learn.microsoft.com/office/vba/api/outlook.selection.location,
    // https://learn.microsoft.com/office/vba/api/outlook.selection.getselection).
    AddMember(L"Location",
              [this](const Args&, VARIANT* r) { ReturnInt(r, selection_->Location()); });
    AddMember(L"GetSelection", [this](const Args& args, VARIANT* r) {
      Return(r, SelectionObject(selection_->GetSelection(args.Int(0))));
    });
  }

 private:
  outlook::SelectionPtr selection_;
};

class SimpleItemsView : public DispatchObject {
 public:
  explicit SimpleItemsView(outlook::SimpleItemsPtr items)
      : DispatchObject({IID_Outlook_SimpleItems}), items_(std::move(items)) {
    AddMember(L"Count", [this](const Args&, VARIANT* r) { ReturnInt(r, items_->Count()); });
    AddMember(L"Item", [this](const Args& args, VARIANT* r) {
      Return(r, UntypedObject(items_->Item(args.Int(0))));
    });
  }

 private:
  outlook::SimpleItemsPtr items_;
};

// ConversationHeader.GetItems: the conversation's items in the header's folder
// (https://learn.microsoft.com/office/vba/api/outlook.conversationheader.getitems).
class ConversationHeaderView : public DispatchObject {
 public:
  explicit ConversationHeaderView(outlook::ConversationHeaderPtr header)
      : DispatchObject({IID_Outlook_ConversationHeader}), header_(std::move(header)) {
    AddMember(L"GetItems", [this](const Args&, VARIANT* r) {
      outlook::SimpleItemsPtr items = header_->GetItems();
      Return(r, items ? Make<SimpleItemsView>(std::move(items)) : nullptr);
    });
  }

 private:
  outlook::ConversationHeaderPtr header_;
};

class AttachmentView : public DispatchObject {
 public:
  explicit AttachmentView(outlook::AttachmentPtr attachment)
      : DispatchObject({IID_Outlook_Attachment}), attachment_(std::move(attachment)) {
    AddMember(L"Parent",
              [this](const Args&, VARIANT* r) { Return(r, UntypedObject(attachment_->Parent())); });
  }

 private:
  outlook::AttachmentPtr attachment_;
};

// Carries an explorer's events to an automation sink (ExplorerEvents_10).
}  // namespace

ComPtr<IDispatch> FolderObject(outlook::MAPIFolderPtr folder) {
  return folder ? Make<Folder>(std::move(folder)) : nullptr;
}

ComPtr<IDispatch> FolderCollectionObject(outlook::FolderCollectionPtr folders) {
  return folders ? Make<Folders>(std::move(folders)) : nullptr;
}

ComPtr<IDispatch> UntypedObject(outlook::ObjectPtr object) {
  return object ? Make<Untyped>(std::move(object)) : nullptr;
}

ComPtr<IDispatch> SelectionObject(outlook::SelectionPtr selection) {
  return selection ? Make<SelectionView>(std::move(selection)) : nullptr;
}

ComPtr<IDispatch> ConversationHeaderObject(outlook::ConversationHeaderPtr header) {
  return header ? Make<ConversationHeaderView>(std::move(header)) : nullptr;
}

ComPtr<IDispatch> AttachmentObject(outlook::AttachmentPtr attachment) {
  return attachment ? Make<AttachmentView>(std::move(attachment)) : nullptr;
}

}  // namespace quivra::olhost::objects
