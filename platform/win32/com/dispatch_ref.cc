#include "platform/win32/com/dispatch_ref.h"

#include <cstdio>
#include <map>
#include <utility>

#include "platform/hresult_error.h"
#include "platform/win32/com/bstr.h"
#include "platform/win32/com/excep_info.h"
#include "platform/win32/wide_text.h"

namespace quivra::com {

namespace {

[[noreturn]] void ThrowNothing() {
  throw platform::HresultError(E_POINTER, "Object variable not set.");
}

}  // namespace

void ThrowCallError(HRESULT result, const EXCEPINFO* info, const std::string& what) {
  std::string message;
  HRESULT code = result;
  if (info) {
    message = Utf8Of(info->bstrDescription);
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
  throw platform::HresultError(code, message);
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
    ThrowNothing();
  }
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  const HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) {
    ThrowCallError(result, nullptr, type_ + "." + platform::win32::WideToUtf8(name));
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
  ExcepInfo info;
  UINT bad_argument = 0;
  const HRESULT outcome = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                          (flags & DISPATCH_PROPERTYPUT) ? nullptr : result.get(),
                                          info.get(), &bad_argument);
  if (FAILED(outcome)) {
    if (outcome == DISP_E_EXCEPTION) {
      info.FillInDeferred();
    }
    ThrowCallError(outcome, outcome == DISP_E_EXCEPTION ? info.get() : nullptr,
                   type_ + "." + platform::win32::WideToUtf8(name));
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

Microsoft::WRL::ComPtr<IDispatch> QueryDispatch(IDispatch* object,
                                                REFIID iid,
                                                const std::string& interface_name) {
  if (!object) {
    ThrowNothing();
  }
  Microsoft::WRL::ComPtr<IUnknown> typed;
  if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(typed.GetAddressOf()))) ||
      !typed) {
    throw platform::HresultError(E_NOINTERFACE,
                                 "No such interface supported (" + interface_name + ").");
  }
  // Outlook's interfaces are dual: the interface pointer is an IDispatch.
  return Microsoft::WRL::ComPtr<IDispatch>(static_cast<IDispatch*>(typed.Get()));
}

}  // namespace quivra::com
