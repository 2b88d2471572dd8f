#include "host/outlook/com/dispatch.h"

#include <cstdio>
#include <map>
#include <utility>

#include "platform/win32/wide_text.h"

namespace quivra::outlook::com {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

Variant::Variant(const Variant& other) {
  ::VariantInit(&value_);
  ::VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
}

Variant::Variant(Variant&& other) noexcept {
  value_ = other.value_;
  ::VariantInit(&other.value_);
}

Variant Variant::Int(int value) {
  Variant variant;
  variant.value_.vt = VT_I4;
  variant.value_.lVal = value;
  return variant;
}

Variant Variant::Text(const std::string& utf8) {
  Variant variant;
  variant.value_.vt = VT_BSTR;
  Bstr text(Utf8ToWide(utf8));
  variant.value_.bstrVal = text.Detach();
  return variant;
}

Variant Variant::Bool(bool value) {
  Variant variant;
  variant.value_.vt = VT_BOOL;
  variant.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return variant;
}

Variant Variant::Dispatch(IDispatch* object) {
  Variant variant;
  variant.value_.vt = VT_DISPATCH;
  variant.value_.pdispVal = object;
  if (object) {
    object->AddRef();
  }
  return variant;
}

namespace {

Variant Converted(const VARIANT& value, VARTYPE type) {
  Variant converted;
  const HRESULT result =
      ::VariantChangeType(converted.Receive(), const_cast<VARIANT*>(&value), 0, type);
  if (FAILED(result)) {
    throw OutlookError(result, "Type mismatch.");
  }
  return converted;
}

}  // namespace

std::string Variant::ToText() const {
  Variant text = Converted(value_, VT_BSTR);
  const BSTR bstr = text.ref().bstrVal;
  return bstr ? WideToUtf8(std::wstring(bstr, ::SysStringLen(bstr))) : std::string();
}

int Variant::ToInt() const {
  return Converted(value_, VT_I4).ref().lVal;
}

bool Variant::ToBool() const {
  return Converted(value_, VT_BOOL).ref().boolVal != VARIANT_FALSE;
}

ComPtr<IDispatch> Variant::ToDispatch() const {
  if (value_.vt == VT_EMPTY || value_.vt == VT_NULL) {
    return nullptr;
  }
  if (value_.vt == VT_DISPATCH) {
    return value_.pdispVal;
  }
  if (value_.vt == VT_UNKNOWN && value_.punkVal) {
    ComPtr<IDispatch> object;
    if (SUCCEEDED(value_.punkVal->QueryInterface(IID_IDispatch, &object))) {
      return object;
    }
  }
  throw OutlookError(DISP_E_TYPEMISMATCH, "Type mismatch.");
}

void ThrowCallError(HRESULT result, const EXCEPINFO* info, const std::string& what) {
  std::string message;
  HRESULT code = result;
  if (info) {
    if (info->bstrDescription) {
      message = WideToUtf8(std::wstring(info->bstrDescription,
                                        ::SysStringLen(info->bstrDescription)));
    }
    if (info->scode != 0) {
      code = info->scode;
    }
  }
  if (message.empty()) {
    char text[64];
    std::snprintf(text, sizeof text, "%s failed (0x%08lX).", what.c_str(),
                  static_cast<unsigned long>(code));
    message = text;
  }
  throw OutlookError(code, message);
}

DISPID DispatchRef::Id(const wchar_t* name) {
  // One user-interface thread calls Outlook, so the cache needs no lock.
  static std::map<std::pair<std::string, std::wstring>, DISPID> cache;
  auto key = std::make_pair(type_, std::wstring(name));
  auto found = cache.find(key);
  if (found != cache.end()) {
    return found->second;
  }
  if (!object_) {
    throw OutlookError(kErrorPointer, "Object variable not set.");
  }
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  const HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) {
    ThrowCallError(result, nullptr, type_ + "." + WideToUtf8(name));
  }
  cache.emplace(std::move(key), id);
  return id;
}

Variant DispatchRef::Invoke(const wchar_t* name, WORD flags, std::vector<Variant>& args) {
  const DISPID id = Id(name);
  // IDispatch takes the arguments last first.
  std::vector<VARIANT> reversed;
  for (auto arg = args.rbegin(); arg != args.rend(); ++arg) {
    reversed.push_back(*arg->get());
  }
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  DISPID put_id = DISPID_PROPERTYPUT;
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put_id;
    params.cNamedArgs = 1;
  }
  Variant result;
  EXCEPINFO info{};
  UINT bad_argument = 0;
  const HRESULT outcome = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                          (flags & DISPATCH_PROPERTYPUT) ? nullptr : result.get(),
                                          &info, &bad_argument);
  if (FAILED(outcome)) {
    const std::string what = type_ + "." + WideToUtf8(name);
    struct Clear {
      EXCEPINFO* info;
      ~Clear() {
        ::SysFreeString(info->bstrSource);
        ::SysFreeString(info->bstrDescription);
        ::SysFreeString(info->bstrHelpFile);
      }
    } clear{&info};
    ThrowCallError(outcome, outcome == DISP_E_EXCEPTION ? &info : nullptr, what);
  }
  return result;
}

Variant DispatchRef::Call(const wchar_t* name, std::vector<Variant> args) {
  return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

void DispatchRef::Put(const wchar_t* name, Variant value) {
  std::vector<Variant> args;
  args.push_back(std::move(value));
  Invoke(name, DISPATCH_PROPERTYPUT, args);
}

ComPtr<IDispatch> QueryDispatch(IDispatch* object,
                                REFIID iid,
                                const std::string& interface_name) {
  if (!object) {
    throw OutlookError(kErrorPointer, "Object variable not set.");
  }
  ComPtr<IUnknown> typed;
  if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(typed.GetAddressOf()))) ||
      !typed) {
    throw OutlookError(kErrorNoInterface, "No such interface supported (" + interface_name + ").");
  }
  // Outlook's interfaces are dual: the interface pointer is an IDispatch.
  return ComPtr<IDispatch>(static_cast<IDispatch*>(typed.Get()));
}

class SinkConnection::Sink : public IDispatch {
 public:
  Sink(IID events, Handler handler) : events_(events), handler_(std::move(handler)) {}
  virtual ~Sink() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) {
      return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, events_)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      delete this;
    }
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) {
      *count = 0;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id,
                                   REFIID,
                                   LCID,
                                   WORD,
                                   DISPPARAMS* params,
                                   VARIANT*,
                                   EXCEPINFO*,
                                   UINT*) override {
    // The handler may drop the connection, and with it this sink's last other reference.
    ComPtr<Sink> keep(this);
    if (disconnected_) {
      return S_OK;
    }
    try {
      handler_(id, params);
    } catch (...) {
      // An event has no caller to report to; the handlers report their own errors.
    }
    return S_OK;
  }

  void Disconnect() { disconnected_ = true; }

 private:
  IID events_;
  Handler handler_;
  ULONG references_ = 0;
  bool disconnected_ = false;
};

SinkConnection::SinkConnection(IDispatch* source, REFIID events, Handler handler) {
  if (!source) {
    throw OutlookError(kErrorPointer, "Object variable not set.");
  }
  ComPtr<IConnectionPointContainer> container;
  HRESULT result = source->QueryInterface(IID_IConnectionPointContainer,
                                          reinterpret_cast<void**>(container.GetAddressOf()));
  if (SUCCEEDED(result)) {
    result = container->FindConnectionPoint(events, &point_);
  }
  if (FAILED(result)) {
    throw OutlookError(result, "The object does not raise these events.");
  }
  sink_ = new Sink(events, std::move(handler));
  result = point_->Advise(static_cast<IDispatch*>(sink_.Get()), &cookie_);
  if (FAILED(result)) {
    throw OutlookError(result, "The object refused the event sink.");
  }
}

SinkConnection::~SinkConnection() {
  sink_->Disconnect();
  point_->Unadvise(cookie_);
}

}  // namespace quivra::outlook::com
