#include "tools/olhost/outlook_objects.h"

#include <oleidl.h>

#include <utility>

#include "host/outlook/com/outlook_dispids.h"
#include "platform/win32/com/iids.h"
#include "platform/win32/com/variant.h"
#include "tools/olhost/command_bar_objects.h"
#include "tools/olhost/dispatch_object.h"
#include "tools/olhost/outlook_object_kinds.h"

namespace quivra::olhost {

namespace {

using namespace outlook::com;  // Outlook's event DISPIDs
using namespace quivra::com;   // Outlook's IIDs
using objects::ExplorerObject;
using objects::FolderObject;
using objects::Return;
using objects::UntypedObject;

// The command bars of the windows of the one Outlook of this process; unset when its explorers
// have none.
CommandBarsOfWindow& CommandBarsOf() {
  static CommandBarsOfWindow command_bars_of;
  return command_bars_of;
}

class ExplorerEventsBridge : public outlook::ExplorerEvents {
 public:
  explicit ExplorerEventsBridge(ComPtr<IDispatch> sink) : sink_(std::move(sink)) {}
  void Activate() override { Fire(sink_.Get(), kDispExplorerActivate); }
  void FolderSwitch() override { Fire(sink_.Get(), kDispExplorerFolderSwitch); }
  void BeforeFolderSwitch(const outlook::MAPIFolderPtr& folder, bool& cancel) override {
    ComPtr<IDispatch> object = FolderObject(folder);
    VARIANT_BOOL flag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
    Fire(sink_.Get(), kDispExplorerBeforeFolderSwitch,
         {ObjectArgument(object.Get()), BoolReference(&flag)});
    cancel = flag != VARIANT_FALSE;
  }
  void ViewSwitch() override { Fire(sink_.Get(), kDispExplorerViewSwitch); }
  void BeforeViewSwitch(const std::string& view, bool& cancel) override {
    Variant name = Variant::Text(view);
    VARIANT_BOOL flag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
    Fire(sink_.Get(), kDispExplorerBeforeViewSwitch, {name.ref(), BoolReference(&flag)});
    cancel = flag != VARIANT_FALSE;
  }
  void Deactivate() override { Fire(sink_.Get(), kDispExplorerDeactivate); }
  void SelectionChange() override { Fire(sink_.Get(), kDispExplorerSelectionChange); }
  void Close() override { Fire(sink_.Get(), kDispExplorerClose); }

 private:
  ComPtr<IDispatch> sink_;
};

// A bridge together with its subscription to the Outlook behind it.
template <typename Bridge>
class BridgeConnection : public outlook::EventConnection {
 public:
  explicit BridgeConnection(ComPtr<IDispatch> sink) : bridge_(std::move(sink)) {}
  Bridge& bridge() { return bridge_; }
  void Hold(outlook::EventConnectionPtr connection) { connection_ = std::move(connection); }

 private:
  Bridge bridge_;
  outlook::EventConnectionPtr connection_;
};

template <typename Bridge, typename Source>
std::unique_ptr<outlook::EventConnection> Connect(Source& source, ComPtr<IDispatch> sink) {
  auto connection = std::make_unique<BridgeConnection<Bridge>>(std::move(sink));
  connection->Hold(source.Advise(connection->bridge()));
  return connection;
}

class OleWindow : public quivra::com::Object<IOleWindow> {
 public:
  explicit OleWindow(HWND window) : window_(window) {}
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) {
      return E_POINTER;
    }
    *window = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

 private:
  HWND window_;
};

class Explorer : public DispatchObject {
 public:
  explicit Explorer(outlook::ExplorerPtr explorer)
      : DispatchObject({IID_Outlook_Explorer}), explorer_(std::move(explorer)) {
    AddMember(L"CurrentFolder", [this](const Args&, VARIANT* r) {
      Return(r, FolderObject(explorer_->CurrentFolder()));
    });
    AddMember(L"Selection", [this](const Args&, VARIANT* r) {
      Return(r, objects::SelectionObject(explorer_->Selection()));
    });
    if (CommandBarsOf()) {
      AddMember(L"CommandBars", [this](const Args&, VARIANT* r) {
        Return(r, MakeCommandBarsObject(CommandBarsOf()(explorer_->WindowHandle())));
      });
    }
  }

 protected:
  HRESULT QueryOtherObject(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IOleWindow)) {
      try {
        *out = static_cast<IOleWindow*>(
            quivra::com::Make<OleWindow>(reinterpret_cast<HWND>(explorer_->WindowHandle()))
                .Detach());
        return S_OK;
      } catch (const std::exception&) {
        return E_FAIL;
      }
    }
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
      outlook::ExplorerPtr explorer = explorer_;
      return MakeConnectionPoints({{DIID_ExplorerEvents_10,
                                    [explorer](ComPtr<IDispatch> sink) {
                                      return Connect<ExplorerEventsBridge>(*explorer,
                                                                           std::move(sink));
                                    }}},
                                  out);
    }
    return E_NOINTERFACE;
  }

 private:
  outlook::ExplorerPtr explorer_;
};

class NewExplorerBridge : public outlook::ExplorersEvents {
 public:
  explicit NewExplorerBridge(ComPtr<IDispatch> sink) : sink_(std::move(sink)) {}
  void NewExplorer(const outlook::ExplorerPtr& explorer) override {
    ComPtr<IDispatch> object = ExplorerObject(explorer);
    Fire(sink_.Get(), kDispNewExplorer, {ObjectArgument(object.Get())});
  }

 private:
  ComPtr<IDispatch> sink_;
};

class ExplorersObject : public DispatchObject {
 public:
  explicit ExplorersObject(outlook::ExplorersPtr explorers)
      : DispatchObject({IID_Outlook_Explorers}), explorers_(std::move(explorers)) {
    AddMember(L"Count", [this](const Args&, VARIANT* r) { ReturnInt(r, explorers_->Count()); });
    AddMember(L"Item", [this](const Args& args, VARIANT* r) {
      Return(r, ExplorerObject(explorers_->Item(args.Int(0))));
    });
  }

 protected:
  HRESULT QueryOtherObject(REFIID iid, void** out) override {
    if (!IsEqualIID(iid, IID_IConnectionPointContainer)) {
      return E_NOINTERFACE;
    }
    outlook::ExplorersPtr explorers = explorers_;
    return MakeConnectionPoints({{DIID_ExplorersEvents,
                                  [explorers](ComPtr<IDispatch> sink) {
                                    return Connect<NewExplorerBridge>(*explorers, std::move(sink));
                                  }}},
                                out);
  }

 private:
  outlook::ExplorersPtr explorers_;
};

class NameSpaceObject : public DispatchObject {
 public:
  explicit NameSpaceObject(outlook::NameSpacePtr space)
      : DispatchObject({IID_Outlook_NameSpace}), space_(std::move(space)) {
    AddMember(L"Folders",
              [this](const Args&, VARIANT* r) { Return(r, objects::FolderCollectionObject(space_->Folders())); });
    // GetDefaultFolder(19 ... 22) gives the Sync Issues folder and its Conflicts, Local Failures
    // and Server Failures, "only available for an Exchange account": elsewhere it raises
    // ("OlDefaultFolders enumeration (Outlook)",
    // https://learn.microsoft.com/office/vba/api/outlook.oldefaultfolders).
    AddMember(L"GetDefaultFolder", [this](const Args& args, VARIANT* r) {
      Return(r, FolderObject(space_->GetDefaultFolder(args.Int(0))));
    });
    // NameSpace.GetFolderFromID(EntryIDFolder, EntryIDStore): the folder wherever it lies in its
    // store now; fails when there is none ("NameSpace.GetFolderFromID method (Outlook)",
    // https://learn.microsoft.com/office/vba/api/outlook.namespace.getfolderfromid).
    AddMember(L"GetFolderFromID", [this](const Args& args, VARIANT* r) {
      Return(r, FolderObject(
                    space_->GetFolderFromID(args.Text(0), args.size() > 1 ? args.Text(1) : "")));
    });
    // NameSpace.GetItemFromID(EntryIDItem, EntryIDStore): the item wherever it lies in its store
    // now ("NameSpace.GetItemFromID method (Outlook)",
    // https://learn.microsoft.com/office/vba/api/outlook.namespace.getitemfromid).
    AddMember(L"GetItemFromID", [this](const Args& args, VARIANT* r) {
      Return(r, UntypedObject(
                    space_->GetItemFromID(args.Text(0), args.size() > 1 ? args.Text(1) : "")));
    });
    // NameSpace.CompareEntryIDs(FirstEntryID, SecondEntryID): whether the two ids name the same
    // object, "because one object can be represented by two different binary values"
    // (https://learn.microsoft.com/en-us/office/vba/api/outlook.namespace.compareentryids).
    AddMember(L"CompareEntryIDs", [this](const Args& args, VARIANT* r) {
      ReturnBool(r, space_->CompareEntryIDs(args.Text(0), args.Text(1)));
    });
  }

 private:
  outlook::NameSpacePtr space_;
};

class QuitBridge : public outlook::ApplicationEvents {
 public:
  explicit QuitBridge(ComPtr<IDispatch> sink) : sink_(std::move(sink)) {}
  void Quit() override { Fire(sink_.Get(), kDispApplicationQuit); }

 private:
  ComPtr<IDispatch> sink_;
};

class ApplicationObject : public DispatchObject {
 public:
  explicit ApplicationObject(outlook::ApplicationPtr application)
      : DispatchObject({IID_Outlook_Application}), application_(std::move(application)) {
    AddMember(L"ActiveExplorer", [this](const Args&, VARIANT* r) {
      Return(r, ExplorerObject(application_->ActiveExplorer()));
    });
    AddMember(L"GetNamespace", [this](const Args& args, VARIANT* r) {
      Return(r, Space(application_->GetNamespace(args.Text(0))));
    });
    AddMember(L"Session",
              [this](const Args&, VARIANT* r) { Return(r, Space(application_->Session())); });
    AddMember(L"ActiveWindow", [this](const Args&, VARIANT* r) {
      Return(r, UntypedObject(application_->ActiveWindow()));
    });
    AddMember(L"Version",
              [this](const Args&, VARIANT* r) { ReturnText(r, application_->Version()); });
    AddMember(L"Explorers", [this](const Args&, VARIANT* r) {
      outlook::ExplorersPtr explorers = application_->Explorers();
      Return(r, explorers ? Make<ExplorersObject>(std::move(explorers)) : nullptr);
    });
    AddMember(L"Name", [](const Args&, VARIANT* r) { ReturnText(r, "Outlook"); });
  }

 protected:
  HRESULT QueryOtherObject(REFIID iid, void** out) override {
    if (!IsEqualIID(iid, IID_IConnectionPointContainer)) {
      return E_NOINTERFACE;
    }
    outlook::ApplicationPtr application = application_;
    return MakeConnectionPoints({{DIID_ApplicationEvents_11,
                                  [application](ComPtr<IDispatch> sink) {
                                    return Connect<QuitBridge>(*application, std::move(sink));
                                  }}},
                                out);
  }

 private:
  static ComPtr<IDispatch> Space(outlook::NameSpacePtr space) {
    return space ? Make<NameSpaceObject>(std::move(space)) : nullptr;
  }

  outlook::ApplicationPtr application_;
};

}  // namespace

namespace objects {

ComPtr<IDispatch> ExplorerObject(outlook::ExplorerPtr explorer) {
  return explorer ? Make<Explorer>(std::move(explorer)) : nullptr;
}

}  // namespace objects

ComPtr<IDispatch> MakeApplicationObject(const outlook::ApplicationPtr& application,
                                        CommandBarsOfWindow command_bars_of) {
  CommandBarsOf() = std::move(command_bars_of);
  return Make<ApplicationObject>(application);
}

class COMAddInEntry : public DispatchObject {
 public:
  COMAddInEntry(std::string prog_id, std::string description, std::string guid, bool refuse)
      : DispatchObject({IID_COMAddIn}) {
    AddMember(L"ProgId", [prog_id](const Args&, VARIANT* r) { ReturnText(r, prog_id); });
    AddMember(L"Description",
              [description](const Args&, VARIANT* r) { ReturnText(r, description); });
    AddMember(L"Guid", [guid](const Args&, VARIANT* r) { ReturnText(r, guid); });
    AddMember(L"Connect", [this](const Args&, VARIANT* r) { ReturnBool(r, object_ != nullptr); });
    AddMember(
        L"Object", [this](const Args&, VARIANT* r) { Return(r, object_); },
        [this, refuse](const Args& args, VARIANT*) {
          if (refuse) {
            throw outlook::OutlookError(E_ACCESSDENIED, "Access denied.");
          }
          const VARIANT& value = args.PutValue();
          if (value.vt != VT_DISPATCH && value.vt != VT_EMPTY && value.vt != VT_NULL) {
            throw outlook::OutlookError(DISP_E_TYPEMISMATCH, "Type mismatch.");
          }
          object_ = value.vt == VT_DISPATCH ? value.pdispVal : nullptr;
        });
  }

  ComPtr<IDispatch> object_;
};

ComPtr<IDispatch> MakeCOMAddInObject(const std::string& prog_id,
                                     const std::string& description,
                                     const std::string& guid,
                                     bool refuse_object) {
  return Make<COMAddInEntry>(prog_id, description, guid, refuse_object);
}

ComPtr<IDispatch> COMAddInObjectOf(IDispatch* entry) {
  auto* own = dynamic_cast<COMAddInEntry*>(entry);
  return own ? own->object_ : nullptr;
}

void ClearCOMAddInObject(IDispatch* entry) {
  if (auto* own = dynamic_cast<COMAddInEntry*>(entry)) {
    own->object_.Reset();
  }
}

}  // namespace quivra::olhost