#include "host/outlook/com/com_outlook.h"

#include <oleidl.h>

#include <utility>

#include "host/outlook/com/outlook_dispids.h"
#include "platform/win32/com/dispatch_ref.h"
#include "platform/win32/com/iids.h"
#include "platform/win32/com/sink_connection.h"

namespace quivra::outlook::com {

namespace {

using Microsoft::WRL::ComPtr;
using quivra::com::DispatchRef;
using quivra::com::QueryDispatch;
using quivra::com::Variant;
using namespace quivra::com;  // Outlook's IIDs

// An event subscription: the sink stays connected while it lives.
class SinkSubscription : public EventConnection {
 public:
  SinkSubscription(IDispatch* source, REFIID events, quivra::com::SinkConnection::Handler handler)
      : sink_(source, events, std::move(handler)) {}

 private:
  quivra::com::SinkConnection sink_;
};

ObjectPtr MakeObject(ComPtr<IDispatch> object);
MAPIFolderPtr MakeFolder(ComPtr<IDispatch> object);
ExplorerPtr MakeExplorer(ComPtr<IDispatch> object);

// A dispatch reference of a known type, empty results mapped to none.
class Typed {
 protected:
  Typed(ComPtr<IDispatch> object, const char* type) : object_(std::move(object), type) {}
  DispatchRef object_;
};

class ComObject : public Object, Typed {
 public:
  explicit ComObject(ComPtr<IDispatch> object) : Typed(std::move(object), "IDispatch") {}

  MAPIFolderPtr AsMAPIFolder() override {
    return MakeFolder(QueryDispatch(object_.get(), IID_Outlook_MAPIFolder, "MAPIFolder"));
  }
  ExplorerPtr AsExplorer() override {
    return MakeExplorer(QueryDispatch(object_.get(), IID_Outlook_Explorer, "_Explorer"));
  }
  ItemPtr AsItem(ItemInterface interface_id) override;
  ConversationHeaderPtr AsConversationHeader() override;
  AttachmentPtr AsAttachment() override;
};

// Arguments of a call, in order.
template <typename... Values>
std::vector<Variant> Args(Values... values) {
  std::vector<Variant> args;
  (args.push_back(std::move(values)), ...);
  return args;
}

class ComFolderCollection : public FolderCollection, Typed {
 public:
  explicit ComFolderCollection(ComPtr<IDispatch> object) : Typed(std::move(object), "_Folders") {}

  int Count() override { return object_.Call(L"Count").ToInt(); }
  MAPIFolderPtr Item(int index) override {
    return MakeFolder(object_.Call(L"Item", Args(Variant::Int(index))).ToDispatch());
  }
  MAPIFolderPtr Item(std::string_view name) override {
    return MakeFolder(object_.Call(L"Item", Args(Variant::Text(std::string(name)))).ToDispatch());
  }
  MAPIFolderPtr Add(std::string_view name, std::optional<int> type) override {
    std::vector<Variant> args;
    args.push_back(Variant::Text(std::string(name)));
    if (type) {
      args.push_back(Variant::Int(*type));
    }
    return MakeFolder(object_.Call(L"Add", std::move(args)).ToDispatch());
  }
};

class ComItemCollection : public ItemCollection, Typed {
 public:
  explicit ComItemCollection(ComPtr<IDispatch> object) : Typed(std::move(object), "_Items") {}

  int Count() override { return object_.Call(L"Count").ToInt(); }
  ObjectPtr GetLast() override { return MakeObject(object_.Call(L"GetLast").ToDispatch()); }
  ObjectPtr GetPrevious() override { return MakeObject(object_.Call(L"GetPrevious").ToDispatch()); }
};

// Store.GetDefaultFolder exists from Outlook 2010 on
// (https://learn.microsoft.com/office/vba/api/outlook.store.getdefaultfolder); the binary
// property is read with PropertyAccessor.GetProperty, whose byte array BinaryToString turns into
// hexadecimal digits (https://learn.microsoft.com/office/vba/api/outlook.store.propertyaccessor).
class ComStore : public Store, Typed {
 public:
  explicit ComStore(ComPtr<IDispatch> object) : Typed(std::move(object), "_Store") {}

  MAPIFolderPtr GetDefaultFolder(int kind) override {
    return MakeFolder(object_.Call(L"GetDefaultFolder", Args(Variant::Int(kind))).ToDispatch());
  }
  std::string GetBinaryProperty(const std::string& schema_name) override {
    ComPtr<IDispatch> accessor_object = object_.Call(L"PropertyAccessor").ToDispatch();
    if (!accessor_object) {
      throw OutlookError(kErrorPointer, "Object variable not set.");
    }
    DispatchRef accessor(std::move(accessor_object), "PropertyAccessor");
    Variant value = accessor.Call(L"GetProperty", Args(Variant::Text(schema_name)));
    return accessor.Call(L"BinaryToString", Args(std::move(value))).ToText();
  }
};

class ComFolder : public MAPIFolder, Typed {
 public:
  explicit ComFolder(ComPtr<IDispatch> object) : Typed(std::move(object), "MAPIFolder") {}

  std::string Name() override { return object_.Call(L"Name").ToText(); }
  std::string EntryID() override { return object_.Call(L"EntryID").ToText(); }
  std::string StoreID() override { return object_.Call(L"StoreID").ToText(); }
  FolderCollectionPtr Folders() override {
    return std::make_shared<ComFolderCollection>(Require(object_.Call(L"Folders")));
  }
  ItemCollectionPtr Items() override {
    return std::make_shared<ComItemCollection>(Require(object_.Call(L"Items")));
  }
  int DefaultItemType() override { return object_.Call(L"DefaultItemType").ToInt(); }
  ObjectPtr Parent() override { return MakeObject(object_.Call(L"Parent").ToDispatch()); }
  bool GetBooleanProperty(const std::string& schema_name) override {
    // Folder.PropertyAccessor (Outlook 2007 and later); an older Outlook fails the first call.
    DispatchRef accessor(Require(object_.Call(L"PropertyAccessor")), "PropertyAccessor");
    std::vector<Variant> args;
    args.push_back(Variant::Text(schema_name));
    return accessor.Call(L"GetProperty", std::move(args)).ToBool();
  }
  StorePtr Store() override {
    ComPtr<IDispatch> store = object_.Call(L"Store").ToDispatch();
    return store ? std::make_shared<ComStore>(std::move(store)) : nullptr;
  }

  IDispatch* dispatch() const { return object_.get(); }

 private:
  static ComPtr<IDispatch> Require(const Variant& value) {
    ComPtr<IDispatch> object = value.ToDispatch();
    if (!object) {
      throw OutlookError(kErrorPointer, "Object variable not set.");
    }
    return object;
  }
};

class ComSelection : public Selection, Typed {
 public:
  explicit ComSelection(ComPtr<IDispatch> object) : Typed(std::move(object), "Selection") {}

  int Count() override { return object_.Call(L"Count").ToInt(); }
  ObjectPtr Item(int index) override {
    std::vector<Variant> args;
    args.push_back(Variant::Int(index));
    return MakeObject(object_.Call(L"Item", std::move(args)).ToDispatch());
  }
  int Location() override { return object_.Call(L"Location").ToInt(); }
  SelectionPtr GetSelection(int contents) override {
    ComPtr<IDispatch> selection =
        object_.Call(L"GetSelection", Args(Variant::Int(contents))).ToDispatch();
    return selection ? std::make_shared<ComSelection>(std::move(selection)) : nullptr;
  }
};

class ComSimpleItems : public SimpleItems, Typed {
 public:
  explicit ComSimpleItems(ComPtr<IDispatch> object) : Typed(std::move(object), "_SimpleItems") {}

  int Count() override { return object_.Call(L"Count").ToInt(); }
  ObjectPtr Item(int index) override {
    return MakeObject(object_.Call(L"Item", Args(Variant::Int(index))).ToDispatch());
  }
};

class ComConversationHeader : public ConversationHeader, Typed {
 public:
  explicit ComConversationHeader(ComPtr<IDispatch> object)
      : Typed(std::move(object), "_ConversationHeader") {}

  SimpleItemsPtr GetItems() override {
    ComPtr<IDispatch> items = object_.Call(L"GetItems").ToDispatch();
    return items ? std::make_shared<ComSimpleItems>(std::move(items)) : nullptr;
  }
};

class ComAttachment : public Attachment, Typed {
 public:
  explicit ComAttachment(ComPtr<IDispatch> object) : Typed(std::move(object), "Attachment") {}

  ObjectPtr Parent() override { return MakeObject(object_.Call(L"Parent").ToDispatch()); }
};

// Calls an Outlook event sink's method for each event of the dispinterface.
void DispatchExplorerEvent(ExplorerEvents& sink, DISPID id, DISPPARAMS* params) {
  const auto argument = [params](UINT position_from_last) -> VARIANT* {
    if (!params || params->cArgs <= position_from_last) {
      return nullptr;
    }
    return &params->rgvarg[position_from_last];
  };
  const auto cancel_flag = [&](VARIANT* cancel, bool value) {
    if (cancel && cancel->vt == (VT_BYREF | VT_BOOL) && cancel->pboolVal) {
      *cancel->pboolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
  };
  switch (id) {
    case kDispExplorerActivate:
      sink.Activate();
      break;
    case kDispExplorerFolderSwitch:
      sink.FolderSwitch();
      break;
    case kDispExplorerBeforeFolderSwitch: {
      VARIANT* folder = argument(1);
      VARIANT* cancel = argument(0);
      bool cancelled = cancel && cancel->vt == (VT_BYREF | VT_BOOL) && cancel->pboolVal &&
                       *cancel->pboolVal != VARIANT_FALSE;
      MAPIFolderPtr new_folder;
      if (folder && folder->vt == VT_DISPATCH && folder->pdispVal) {
        new_folder = MakeFolder(folder->pdispVal);
      }
      sink.BeforeFolderSwitch(new_folder, cancelled);
      cancel_flag(cancel, cancelled);
      break;
    }
    case kDispExplorerViewSwitch:
      sink.ViewSwitch();
      break;
    case kDispExplorerBeforeViewSwitch: {
      VARIANT* view = argument(1);
      VARIANT* cancel = argument(0);
      bool cancelled = cancel && cancel->vt == (VT_BYREF | VT_BOOL) && cancel->pboolVal &&
                       *cancel->pboolVal != VARIANT_FALSE;
      std::string name;
      if (view) {
        Variant copy;
        ::VariantCopyInd(copy.get(), view);
        name = copy.ToText();
      }
      sink.BeforeViewSwitch(name, cancelled);
      cancel_flag(cancel, cancelled);
      break;
    }
    case kDispExplorerDeactivate:
      sink.Deactivate();
      break;
    case kDispExplorerSelectionChange:
      sink.SelectionChange();
      break;
    case kDispExplorerClose:
      sink.Close();
      break;
    default:
      break;
  }
}

class ComExplorer : public Explorer, Typed {
 public:
  explicit ComExplorer(ComPtr<IDispatch> object) : Typed(std::move(object), "_Explorer") {}

  MAPIFolderPtr CurrentFolder() override {
    return MakeFolder(object_.Call(L"CurrentFolder").ToDispatch());
  }
  SelectionPtr Selection() override {
    ComPtr<IDispatch> selection = object_.Call(L"Selection").ToDispatch();
    if (!selection) {
      return nullptr;
    }
    return std::make_shared<ComSelection>(std::move(selection));
  }
  std::uintptr_t WindowHandle() override {
    ComPtr<IOleWindow> window;
    HWND handle = nullptr;
    HRESULT result = object_.get()->QueryInterface(IID_IOleWindow,
                                                   reinterpret_cast<void**>(window.GetAddressOf()));
    if (SUCCEEDED(result)) {
      result = window->GetWindow(&handle);
    }
    if (FAILED(result)) {
      throw OutlookError(result, "The explorer has no window.");
    }
    return reinterpret_cast<std::uintptr_t>(handle);
  }
  EventConnectionPtr Advise(ExplorerEvents& sink) override {
    return std::make_unique<SinkSubscription>(
        object_.get(), DIID_ExplorerEvents_10,
        [&sink](DISPID id, DISPPARAMS* params) { DispatchExplorerEvent(sink, id, params); });
  }
};

class ComExplorers : public Explorers, Typed {
 public:
  explicit ComExplorers(ComPtr<IDispatch> object) : Typed(std::move(object), "_Explorers") {}

  int Count() override { return object_.Call(L"Count").ToInt(); }
  ExplorerPtr Item(int index) override {
    std::vector<Variant> args;
    args.push_back(Variant::Int(index));
    return MakeExplorer(object_.Call(L"Item", std::move(args)).ToDispatch());
  }
  EventConnectionPtr Advise(ExplorersEvents& sink) override {
    return std::make_unique<SinkSubscription>(
        object_.get(), DIID_ExplorersEvents, [&sink](DISPID id, DISPPARAMS* params) {
          if (id != kDispNewExplorer || !params || params->cArgs < 1) {
            return;
          }
          VARIANT& explorer = params->rgvarg[params->cArgs - 1];
          ComPtr<IDispatch> object;
          if (explorer.vt == VT_DISPATCH) {
            object = explorer.pdispVal;
          } else if (explorer.vt == (VT_BYREF | VT_DISPATCH) && explorer.ppdispVal) {
            object = *explorer.ppdispVal;
          }
          sink.NewExplorer(MakeExplorer(object));
        });
  }
};

class ComItem : public Item, Typed {
 public:
  ComItem(ComPtr<IDispatch> object, const char* type) : Typed(std::move(object), type) {}

  std::string ConversationIndex() override { return object_.Call(L"ConversationIndex").ToText(); }
  std::string EntryID() override { return object_.Call(L"EntryID").ToText(); }
  // SenderEmailAddress is PidTagSenderEmailAddress: an SMTP address for Internet mail, for an
  // Exchange sender (SenderEmailType "EX") the Exchange (X.500) address
  // (learn.microsoft.com/office/vba/api/outlook.mailitem.senderemailaddress,
  // learn.microsoft.com/office/vba/api/outlook.mailitem.senderemailtype). Mail, meeting and post
  // items have it (.../outlook.meetingitem.senderemailaddress,
  // .../outlook.postitem.senderemailaddress); on an item without it the call fails and the
  // caller goes without.
  std::string SenderEmailAddress() override {
    return object_.Call(L"SenderEmailAddress").ToText();
  }
  std::string Subject() override { return object_.Call(L"Subject").ToText(); }
  // ConversationID exists from Outlook 2010 on; for an item made by an earlier Outlook, or
  // online against an Exchange older than 2010, it is the item's ConversationTopic
  // (learn.microsoft.com/office/vba/api/outlook.mailitem.conversationid). Outlook 2007 does not
  // know the name and the call fails.
  std::string ConversationID() override { return object_.Call(L"ConversationID").ToText(); }
  ObjectPtr Move(const MAPIFolderPtr& folder) override {
    IDispatch* target = FolderDispatch(folder);
    if (!target) {
      throw OutlookError(kErrorInvalidArgument, "Type mismatch.");
    }
    std::vector<Variant> args;
    args.push_back(Variant::Dispatch(target));
    return MakeObject(object_.Call(L"Move", std::move(args)).ToDispatch());
  }
  void MarkAsRead() override {
    object_.Put(L"UnRead", Variant::Bool(false));
    object_.Call(L"Save");
  }
  ObjectPtr Parent() override { return MakeObject(object_.Call(L"Parent").ToDispatch()); }
};

class ComNameSpace : public NameSpace, Typed {
 public:
  explicit ComNameSpace(ComPtr<IDispatch> object) : Typed(std::move(object), "_NameSpace") {}

  FolderCollectionPtr Folders() override {
    ComPtr<IDispatch> folders = object_.Call(L"Folders").ToDispatch();
    return folders ? std::make_shared<ComFolderCollection>(std::move(folders)) : nullptr;
  }
  MAPIFolderPtr GetDefaultFolder(int kind) override {
    std::vector<Variant> args;
    args.push_back(Variant::Int(kind));
    return MakeFolder(object_.Call(L"GetDefaultFolder", std::move(args)).ToDispatch());
  }
  MAPIFolderPtr GetFolderFromID(const std::string& entry_id, const std::string& store_id) override {
    std::vector<Variant> args;
    args.push_back(Variant::Text(entry_id));
    args.push_back(Variant::Text(store_id));
    return MakeFolder(object_.Call(L"GetFolderFromID", std::move(args)).ToDispatch());
  }
  ObjectPtr GetItemFromID(const std::string& entry_id, const std::string& store_id) override {
    return MakeObject(
        object_
            .Call(L"GetItemFromID", Args(Variant::Text(entry_id), Variant::Text(store_id)))
            .ToDispatch());
  }
  // NameSpace.CompareEntryIDs(FirstEntryID, SecondEntryID) -> Boolean, Outlook 2007 and later
  // ("NameSpace.CompareEntryIDs method (Outlook)",
  // https://learn.microsoft.com/en-us/office/vba/api/outlook.namespace.compareentryids).
  bool CompareEntryIDs(const std::string& first, const std::string& second) override {
    std::vector<Variant> args;
    args.push_back(Variant::Text(first));
    args.push_back(Variant::Text(second));
    return object_.Call(L"CompareEntryIDs", std::move(args)).ToBool();
  }
};

class ComApplication : public Application, Typed {
 public:
  explicit ComApplication(ComPtr<IDispatch> object) : Typed(std::move(object), "_Application") {}

  ExplorerPtr ActiveExplorer() override {
    return MakeExplorer(object_.Call(L"ActiveExplorer").ToDispatch());
  }
  NameSpacePtr GetNamespace(std::string_view type) override {
    std::vector<Variant> args;
    args.push_back(Variant::Text(std::string(type)));
    return Space(object_.Call(L"GetNamespace", std::move(args)));
  }
  NameSpacePtr Session() override { return Space(object_.Call(L"Session")); }
  ObjectPtr ActiveWindow() override {
    return MakeObject(object_.Call(L"ActiveWindow").ToDispatch());
  }
  std::string Version() override { return object_.Call(L"Version").ToText(); }
  ExplorersPtr Explorers() override {
    ComPtr<IDispatch> explorers = object_.Call(L"Explorers").ToDispatch();
    return explorers ? std::make_shared<ComExplorers>(std::move(explorers)) : nullptr;
  }
  EventConnectionPtr Advise(ApplicationEvents& sink) override {
    return std::make_unique<SinkSubscription>(object_.get(), DIID_ApplicationEvents_11,
                                              [&sink](DISPID id, DISPPARAMS*) {
                                                if (id == kDispApplicationQuit) {
                                                  sink.Quit();
                                                }
                                              });
  }

 private:
  static NameSpacePtr Space(const Variant& value) {
    ComPtr<IDispatch> space = value.ToDispatch();
    return space ? std::make_shared<ComNameSpace>(std::move(space)) : nullptr;
  }
};

ItemPtr ComObject::AsItem(ItemInterface interface_id) {
  const std::string name(InterfaceName(interface_id));
  return std::make_shared<ComItem>(
      QueryDispatch(object_.get(), ItemInterfaceId(static_cast<int>(interface_id)), name),
      InterfaceName(interface_id).data());
}

ConversationHeaderPtr ComObject::AsConversationHeader() {
  return std::make_shared<ComConversationHeader>(
      QueryDispatch(object_.get(), IID_Outlook_ConversationHeader, "_ConversationHeader"));
}

AttachmentPtr ComObject::AsAttachment() {
  return std::make_shared<ComAttachment>(
      QueryDispatch(object_.get(), IID_Outlook_Attachment, "Attachment"));
}

ObjectPtr MakeObject(ComPtr<IDispatch> object) {
  return object ? std::make_shared<ComObject>(std::move(object)) : nullptr;
}

MAPIFolderPtr MakeFolder(ComPtr<IDispatch> object) {
  return object ? std::make_shared<ComFolder>(std::move(object)) : nullptr;
}

ExplorerPtr MakeExplorer(ComPtr<IDispatch> object) {
  return object ? std::make_shared<ComExplorer>(std::move(object)) : nullptr;
}

}  // namespace

ApplicationPtr MakeComApplication(IDispatch* application) {
  if (!application) {
    return nullptr;
  }
  ComPtr<IUnknown> typed;
  if (FAILED(application->QueryInterface(IID_Outlook_Application,
                                         reinterpret_cast<void**>(typed.GetAddressOf()))) ||
      !typed) {
    return nullptr;
  }
  return std::make_shared<ComApplication>(static_cast<IDispatch*>(typed.Get()));
}

IDispatch* FolderDispatch(const MAPIFolderPtr& folder) {
  auto* com_folder = dynamic_cast<ComFolder*>(folder.get());
  return com_folder ? com_folder->dispatch() : nullptr;
}

}  // namespace quivra::outlook::com
