#ifndef QUIVRA_PLATFORM_WIN32_COM_DISPATCH_REF_H_
#define QUIVRA_PLATFORM_WIN32_COM_DISPATCH_REF_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "platform/win32/com/variant.h"

// Late-bound calls into Outlook and Office through IDispatch.
namespace quivra::com {

// The error the callee raised for a failed call, as platform::HresultError: its code and the
// description from EXCEPINFO, or "<what> failed (0x...)." when it gave none.
[[noreturn]] void ThrowCallError(HRESULT result, const EXCEPINFO* info, const std::string& what);

// A late-bound reference to an object of a known type ("_Application", "MAPIFolder", ...).
// Members are called by name; GetIDsOfNames runs once per member name and type.
class DispatchRef {
 public:
  DispatchRef(Microsoft::WRL::ComPtr<IDispatch> object, std::string type)
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

  Microsoft::WRL::ComPtr<IDispatch> object_;
  std::string type_;
};

// The object's interface `iid`, as a dispatch reference; raises platform::HresultError
// (E_NOINTERFACE) when the object refuses it.
Microsoft::WRL::ComPtr<IDispatch> QueryDispatch(IDispatch* object,
                                                REFIID iid,
                                                const std::string& interface_name);

}  // namespace quivra::com

#endif  // QUIVRA_PLATFORM_WIN32_COM_DISPATCH_REF_H_
