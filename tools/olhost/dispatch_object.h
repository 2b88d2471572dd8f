#ifndef QUIVRA_TOOLS_OLHOST_DISPATCH_OBJECT_H_
#define QUIVRA_TOOLS_OLHOST_DISPATCH_OBJECT_H_

#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/outlook/outlook.h"
#include "platform/win32/com/com_object.h"

// Automation objects of the stand-in: IDispatch answered from a table of named members, the
// object's interfaces answered in QueryInterface, events through connection points.
namespace quivra::olhost {

using Microsoft::WRL::ComPtr;

// Every call an add-in makes into the stand-in's Outlook and Office objects passes here:
// GetIDsOfNames and Invoke of every automation object (Outlook's, the command bars', the
// ribbon's), and Advise on their connection points. It counts them, counts the failure results
// they return, and can fail the call with a given number, so that a sweep fails each call of a
// session in turn. One user-interface thread makes the calls.
class CallSweep {
 public:
  // The call that brings Calls() to `number` fails (0: none).
  static void FailCallNumber(long number);
  static long Calls();
  // Failure results handed back to the add-in so far, the injected one included.
  static long FailureResults();
  // Whether the call to fail was made, and what it was ("Invoke Item", "GetIDsOfNames Add").
  static bool Struck();
  static const std::string& StruckCall();

  // Counts a call; true when it is the one to fail.
  static bool Enter(const char* kind, const std::wstring& member);
  // Counts the result a call returns.
  static HRESULT Returned(HRESULT result);
};

// The arguments of one call, in their written order.
class Args {
 public:
  explicit Args(DISPPARAMS* params) : params_(params) {}
  size_t size() const { return params_ ? params_->cArgs - params_->cNamedArgs : 0; }
  // Raises OutlookError when the argument is missing or of another type.
  const VARIANT& at(size_t index) const;
  int Int(size_t index) const;
  std::string Text(size_t index) const;
  IDispatch* Dispatch(size_t index) const;
  // The value of a property write.
  const VARIANT& PutValue() const;

 private:
  DISPPARAMS* params_;
};

// Fills `result` (which may be null) with a value.
void ReturnInt(VARIANT* result, int value);
void ReturnText(VARIANT* result, const std::string& utf8);
void ReturnBool(VARIANT* result, bool value);
// Takes over one reference of `object` (null: Nothing).
void ReturnObject(VARIANT* result, IDispatch* object);

// An automation object. Subclasses add their members in their constructor; DISPIDs follow the
// order of addition, so they are the same for every object of a class. Failures of a member
// (OutlookError or any exception) reach the caller as DISP_E_EXCEPTION with the error's code
// and message.
class DispatchObject : public quivra::com::Object<IDispatch> {
 public:
  using Member = std::function<void(const Args& args, VARIANT* result)>;

  // The interfaces besides IUnknown and IDispatch the object answers to.
  explicit DispatchObject(std::vector<IID> interfaces);

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE
  GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id,
                                   REFIID,
                                   LCID,
                                   WORD flags,
                                   DISPPARAMS* params,
                                   VARIANT* result,
                                   EXCEPINFO* exception,
                                   UINT*) override;

 protected:
  void AddMember(const std::wstring& name, Member get, Member put = {});
  // Interfaces answered by another object (connection points, IOleWindow, typed views).
  virtual HRESULT QueryOtherObject(REFIID iid, void** object);

 private:
  struct Entry {
    std::wstring name;
    Member get;
    Member put;
  };
  // The interfaces of the list, then QueryOtherObject.
  HRESULT QueryOther(REFIID iid, void** object) final;

  std::vector<IID> interfaces_;
  std::vector<Entry> members_;
};

// Makes a new object of class T and hands it out as IDispatch.
template <typename T, typename... A>
ComPtr<IDispatch> Make(A&&... args) {
  return quivra::com::Make<T>(std::forward<A>(args)...);
}

// One event interface of an object: sinks advised here are connected to the portable object's
// events by `connect`, which returns the subscription.
using SinkConnector =
    std::function<std::unique_ptr<outlook::EventConnection>(ComPtr<IDispatch> sink)>;

// The connection points of an object, as the IConnectionPointContainer it answers with.
HRESULT MakeConnectionPoints(std::vector<std::pair<IID, SinkConnector>> points, void** object);

// Arguments of an event, owned by the caller: an object, and a Boolean the sink may change.
VARIANT ObjectArgument(IDispatch* object);
VARIANT BoolReference(VARIANT_BOOL* flag);

// Raises an event on a sink: DISPID and arguments in their written order.
void Fire(IDispatch* sink, DISPID id, std::vector<VARIANT> args = {});

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_DISPATCH_OBJECT_H_
