#ifndef QUIVRA_HOST_OUTLOOK_COM_DISPATCH_H_
#define QUIVRA_HOST_OUTLOOK_COM_DISPATCH_H_

#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

#include "host/outlook/outlook.h"

// Late-bound calls into Outlook and Office through IDispatch, with owned VARIANTs and BSTRs.
namespace quivra::outlook::com {

using Microsoft::WRL::ComPtr;

// Owns a VARIANT.
class Variant {
 public:
  Variant() { ::VariantInit(&value_); }
  ~Variant() { ::VariantClear(&value_); }
  Variant(const Variant& other);
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept;

  static Variant Int(int value);
  static Variant Text(const std::string& utf8);
  static Variant Bool(bool value);
  static Variant Dispatch(IDispatch* object);

  VARIANT* get() { return &value_; }
  const VARIANT& ref() const { return value_; }
  // Clears the value and hands out its address for a result.
  VARIANT* Receive() {
    ::VariantClear(&value_);
    return &value_;
  }

  // The value as UTF-8 text, integer or object; raises OutlookError when it cannot be one.
  std::string ToText() const;
  int ToInt() const;
  bool ToBool() const;
  // None for VT_EMPTY, VT_NULL or a null object.
  ComPtr<IDispatch> ToDispatch() const;

 private:
  VARIANT value_;
};

// Owns a BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text)
      : text_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { ::SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return text_; }
  BSTR* Receive() {
    ::SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  BSTR Detach() {
    BSTR text = text_;
    text_ = nullptr;
    return text;
  }
  std::wstring str() const { return text_ ? std::wstring(text_, ::SysStringLen(text_)) : L""; }

 private:
  BSTR text_ = nullptr;
};

// The error Outlook raised for a failed call: its code and the description from EXCEPINFO.
[[noreturn]] void ThrowCallError(HRESULT result, const EXCEPINFO* info, const std::string& what);

// A late-bound reference to an object of a known type ("_Application", "MAPIFolder", ...).
// Members are called by name; GetIDsOfNames runs once per member name and type.
class DispatchRef {
 public:
  DispatchRef(ComPtr<IDispatch> object, std::string type)
      : object_(std::move(object)), type_(std::move(type)) {}

  IDispatch* get() const { return object_.Get(); }
  const std::string& type() const { return type_; }

  // A property read or a method call with these arguments, in their written order.
  Variant Call(const wchar_t* name, std::vector<Variant> args = {});
  // A property write.
  void Put(const wchar_t* name, Variant value);

 private:
  DISPID Id(const wchar_t* name);
  Variant Invoke(const wchar_t* name, WORD flags, std::vector<Variant>& args);

  ComPtr<IDispatch> object_;
  std::string type_;
};

// The object's interface `iid`, as a dispatch reference; raises OutlookError (E_NOINTERFACE)
// when the object refuses it.
ComPtr<IDispatch> QueryDispatch(IDispatch* object, REFIID iid, const std::string& interface_name);

// An event sink connected to one connection point of an object: calls `handler` with the
// DISPID and parameters of every event of that dispinterface, until destroyed.
class SinkConnection : public EventConnection {
 public:
  using Handler = std::function<void(DISPID id, DISPPARAMS* params)>;
  // Raises OutlookError when the object has no such connection point or refuses the sink.
  SinkConnection(IDispatch* source, REFIID events, Handler handler);
  ~SinkConnection() override;

 private:
  class Sink;
  ComPtr<IConnectionPoint> point_;
  ComPtr<Sink> sink_;
  DWORD cookie_ = 0;
};

}  // namespace quivra::outlook::com

#endif  // QUIVRA_HOST_OUTLOOK_COM_DISPATCH_H_
