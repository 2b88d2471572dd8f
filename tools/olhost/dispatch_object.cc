#include "tools/olhost/dispatch_object.h"

#include <olectl.h>

#include <algorithm>
#include <cwctype>
#include <utility>

#include "platform/win32/com/bstr.h"
#include "platform/win32/com/caught_error.h"
#include "platform/win32/com/excep_info.h"
#include "platform/win32/com/variant.h"
#include "platform/win32/wide_text.h"

namespace quivra::olhost {

namespace {

[[noreturn]] void ThrowBadArgument() {
  throw outlook::OutlookError(DISP_E_TYPEMISMATCH, "Type mismatch.");
}

// The texts of the latest failure, waiting for the caller to ask for them. Like Outlook, the
// stand-in defers them: a failed Invoke hands back only the code and pfnDeferredFillIn, which
// fills in source and description when called (Microsoft's EXCEPINFO documentation: "Use the
// pfnDeferredFillIn field to enable an object to defer filling in the bstrDescription ...").
// One user-interface thread calls the stand-in's objects.
struct PendingError {
  std::wstring source;
  std::string description;
};
PendingError& Pending() {
  static PendingError pending;
  return pending;
}

HRESULT STDAPICALLTYPE FillInPendingError(EXCEPINFO* info) {
  if (info == nullptr) {
    return E_POINTER;
  }
  try {
    info->bstrSource = quivra::com::Bstr(Pending().source).Detach();
    info->bstrDescription = quivra::com::Bstr::FromUtf8(Pending().description).Detach();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

void ReportDeferred(EXCEPINFO* out, HRESULT code, const wchar_t* source, std::string description) {
  if (out == nullptr) {
    return;
  }
  *out = EXCEPINFO{};
  out->scode = code;
  out->pfnDeferredFillIn = &FillInPendingError;
  Pending() = {source, std::move(description)};
}

bool SameName(const std::wstring& a, const wchar_t* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) {
      return false;
    }
  }
  return i == a.size() && b[i] == 0;
}

struct SweepState {
  long calls = 0;
  long fail_at = 0;
  long failure_results = 0;
  std::string struck;
};
SweepState& Sweep() {
  static SweepState state;
  return state;
}

}  // namespace

void CallSweep::FailCallNumber(long number) {
  Sweep().fail_at = number;
}

long CallSweep::Calls() {
  return Sweep().calls;
}

long CallSweep::FailureResults() {
  return Sweep().failure_results;
}

bool CallSweep::Struck() {
  return !Sweep().struck.empty();
}

const std::string& CallSweep::StruckCall() {
  return Sweep().struck;
}

bool CallSweep::Enter(const char* kind, const std::wstring& member) {
  SweepState& state = Sweep();
  if (++state.calls != state.fail_at) {
    return false;
  }
  state.struck = std::string(kind) + " " + platform::win32::WideToUtf8(member);
  return true;
}

HRESULT CallSweep::Returned(HRESULT result) {
  if (FAILED(result)) {
    ++Sweep().failure_results;
  }
  return result;
}

const VARIANT& Args::at(size_t index) const {
  if (index >= size()) {
    throw outlook::OutlookError(DISP_E_PARAMNOTFOUND, "Parameter not optional.");
  }
  const VARIANT& value = params_->rgvarg[params_->cArgs - 1 - index];
  if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal) {
    return *value.pvarVal;
  }
  return value;
}

int Args::Int(size_t index) const {
  quivra::com::Variant converted;
  if (FAILED(converted.ChangeType(at(index), VT_I4))) {
    ThrowBadArgument();
  }
  return converted.ref().lVal;
}

std::string Args::Text(size_t index) const {
  quivra::com::Variant converted;
  if (FAILED(converted.ChangeType(at(index), VT_BSTR))) {
    ThrowBadArgument();
  }
  return quivra::com::Utf8Of(converted.ref().bstrVal);
}

IDispatch* Args::Dispatch(size_t index) const {
  const VARIANT& value = at(index);
  if (value.vt == VT_DISPATCH) {
    return value.pdispVal;
  }
  if (value.vt == (VT_BYREF | VT_DISPATCH) && value.ppdispVal) {
    return *value.ppdispVal;
  }
  if (value.vt == VT_EMPTY || value.vt == VT_NULL) {
    return nullptr;
  }
  ThrowBadArgument();
}

const VARIANT& Args::PutValue() const {
  if (!params_ || params_->cArgs < 1) {
    throw outlook::OutlookError(DISP_E_PARAMNOTFOUND, "Parameter not optional.");
  }
  return params_->rgvarg[0];
}

void ReturnInt(VARIANT* result, int value) {
  quivra::com::Variant::Int(value).Detach(result);
}

void ReturnText(VARIANT* result, const std::string& utf8) {
  if (result) {
    quivra::com::Variant::Text(utf8).Detach(result);
  }
}

void ReturnBool(VARIANT* result, bool value) {
  quivra::com::Variant::Bool(value).Detach(result);
}

void ReturnObject(VARIANT* result, IDispatch* object) {
  if (result) {
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
  } else if (object) {
    object->Release();
  }
}

DispatchObject::DispatchObject(std::vector<IID> interfaces) : interfaces_(std::move(interfaces)) {}

HRESULT DispatchObject::QueryOther(REFIID iid, void** object) {
  for (const IID& own : interfaces_) {
    if (IsEqualIID(iid, own)) {
      return HandOut(static_cast<IDispatch*>(this), object);
    }
  }
  return QueryOtherObject(iid, object);
}

HRESULT DispatchObject::QueryOtherObject(REFIID, void**) {
  return E_NOINTERFACE;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count) {
    return E_POINTER;
  }
  *count = 0;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) {
    *info = nullptr;
  }
  return E_NOTIMPL;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) {
    return CallSweep::Returned(E_INVALIDARG);
  }
  if (CallSweep::Enter("GetIDsOfNames", names[0] ? names[0] : L"")) {
    // A failing Office answers the name lookup with a failure of its own; E_FAIL stands for it.
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
    }
    return CallSweep::Returned(E_FAIL);
  }
  HRESULT result = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    if (i > 0) {
      result = DISP_E_UNKNOWNNAME;  // named arguments are not supported
      continue;
    }
    auto found = std::find_if(members_.begin(), members_.end(),
                              [&](const Entry& entry) { return SameName(entry.name, names[i]); });
    if (found == members_.end()) {
      result = DISP_E_UNKNOWNNAME;
    } else {
      ids[i] = static_cast<DISPID>(found - members_.begin()) + 1;
    }
  }
  return CallSweep::Returned(result);
}

HRESULT DispatchObject::Invoke(DISPID id,
                               REFIID,
                               LCID,
                               WORD flags,
                               DISPPARAMS* params,
                               VARIANT* result,
                               EXCEPINFO* exception,
                               UINT*) {
  const bool known = id >= 1 && id <= static_cast<DISPID>(members_.size());
  if (CallSweep::Enter("Invoke", known ? members_[static_cast<size_t>(id - 1)].name : L"?")) {
    // The member raises an error, as a failing Outlook or Office member does: DISP_E_EXCEPTION
    // with the error in the caller's EXCEPINFO, or the error's code alone when the caller gave
    // none. Microsoft's IDispatch::Invoke documentation: pExcepInfo "should be filled in if
    // DISP_E_EXCEPTION is returned. Can be NULL."
    // (https://learn.microsoft.com/windows/win32/api/oaidl/nf-oaidl-idispatch-invoke)
    if (exception == nullptr) {
      return CallSweep::Returned(E_FAIL);
    }
    ReportDeferred(exception, E_FAIL, L"Outlook", "The operation failed.");
    return CallSweep::Returned(DISP_E_EXCEPTION);
  }
  if (!known) {
    return CallSweep::Returned(DISP_E_MEMBERNOTFOUND);
  }
  const Entry& entry = members_[static_cast<size_t>(id - 1)];
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  const Member& member = put ? entry.put : entry.get;
  if (!member) {
    return CallSweep::Returned(DISP_E_MEMBERNOTFOUND);
  }
  if (result) {
    ::VariantInit(result);
  }
  // A member may drop the caller's last reference to this object.
  ComPtr<IDispatch> keep(this);
  try {
    member(Args(params), result);
    return S_OK;
  } catch (...) {
    // Outlook raises the error's own code, and E_FAIL for any other failure.
    ReportDeferred(exception, quivra::com::HResultFromCaught(E_FAIL), L"Outlook",
                   quivra::com::MessageOfCaught("Unexpected failure."));
  }
  return CallSweep::Returned(DISP_E_EXCEPTION);
}

void DispatchObject::AddMember(const std::wstring& name, Member get, Member put) {
  members_.push_back({name, std::move(get), std::move(put)});
}

namespace {

class ConnectionPoint : public quivra::com::Object<IConnectionPoint> {
 public:
  ConnectionPoint(IConnectionPointContainer* container, IID events, SinkConnector connect)
      : container_(container), events_(events), connect_(std::move(connect)) {}

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (!iid) {
      return E_POINTER;
    }
    *iid = events_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
    if (!out) {
      return E_POINTER;
    }
    *out = container_;
    if (!container_) {
      return E_UNEXPECTED;
    }
    container_->AddRef();
    return S_OK;
  }
  // The container is gone; the point lives on for its sinks.
  void Orphan() { container_ = nullptr; }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (!sink || !cookie) {
      return E_POINTER;
    }
    if (CallSweep::Enter("Advise", L"")) {
      return CallSweep::Returned(CONNECT_E_CANNOTCONNECT);
    }
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(events_, reinterpret_cast<void**>(dispatch.GetAddressOf()))) &&
        FAILED(sink->QueryInterface(IID_IDispatch,
                                    reinterpret_cast<void**>(dispatch.GetAddressOf())))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    try {
      connections_[next_cookie_] = connect_(dispatch);
    } catch (...) {
      return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = next_cookie_++;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    auto found = connections_.find(cookie);
    if (found == connections_.end()) {
      return CONNECT_E_NOCONNECTION;
    }
    // The subscription may be running its own event: free it after taking it out.
    std::unique_ptr<outlook::EventConnection> connection = std::move(found->second);
    connections_.erase(found);
    connection.reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
    if (out) {
      *out = nullptr;
    }
    return E_NOTIMPL;
  }

 private:
  IConnectionPointContainer* container_;  // its container, while that lives
  IID events_;
  SinkConnector connect_;
  std::map<DWORD, std::unique_ptr<outlook::EventConnection>> connections_;
  DWORD next_cookie_ = 1;
};

class PointContainer : public quivra::com::Object<IConnectionPointContainer> {
 public:
  explicit PointContainer(std::vector<std::pair<IID, SinkConnector>> points) {
    for (auto& [iid, connect] : points) {
      points_.emplace_back(iid, quivra::com::Make<ConnectionPoint>(this, iid, std::move(connect)));
    }
  }
  ~PointContainer() override {
    for (auto& entry : points_) {
      entry.second->Orphan();
    }
  }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override {
    if (out) {
      *out = nullptr;
    }
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    if (!out) {
      return E_POINTER;
    }
    *out = nullptr;
    for (auto& [events, point] : points_) {
      if (IsEqualIID(events, iid)) {
        return point.CopyTo(out);
      }
    }
    return CONNECT_E_NOCONNECTION;
  }

 private:
  std::vector<std::pair<IID, ComPtr<ConnectionPoint>>> points_;
};

}  // namespace

HRESULT MakeConnectionPoints(std::vector<std::pair<IID, SinkConnector>> points, void** object) {
  *object = static_cast<IConnectionPointContainer*>(
      quivra::com::Make<PointContainer>(std::move(points)).Detach());
  return S_OK;
}

VARIANT ObjectArgument(IDispatch* object) {
  VARIANT value;
  ::VariantInit(&value);
  value.vt = VT_DISPATCH;
  value.pdispVal = object;
  return value;
}

VARIANT BoolReference(VARIANT_BOOL* flag) {
  VARIANT value;
  ::VariantInit(&value);
  value.vt = VT_BYREF | VT_BOOL;
  value.pboolVal = flag;
  return value;
}

void Fire(IDispatch* sink, DISPID id, std::vector<VARIANT> args) {
  std::reverse(args.begin(), args.end());
  DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
               nullptr);
}

}  // namespace quivra::olhost
