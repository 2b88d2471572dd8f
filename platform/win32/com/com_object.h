#ifndef QUIVRA_PLATFORM_WIN32_COM_COM_OBJECT_H_
#define QUIVRA_PLATFORM_WIN32_COM_COM_OBJECT_H_

#include <windows.h>

#include <oaidl.h>
#include <unknwn.h>
#include <wrl/client.h>

#include <type_traits>
#include <utility>

namespace quivra::com {

using Microsoft::WRL::ComPtr;

// The IID of an interface: the toolchain's for Windows' own interfaces, the interface's `kIid`
// member for those this code base declares itself.
template <typename Interface>
const IID& InterfaceId() {
  if constexpr (requires { Interface::kIid; }) {
    return Interface::kIid;
  } else {
    return __uuidof(Interface);
  }
}

// The IUnknown of every COM object the add-in and the stand-in implement. QueryInterface answers
// IUnknown (as the first interface), each listed interface by its IID, and IDispatch as the
// first listed interface that derives from it; anything else is asked of QueryOther. An object
// is created with one reference, its creator's (see Make), counts its references with
// interlocked operations, and deletes itself when the last one goes.
template <typename First, typename... Rest>
class Object : public First, public Rest... {
 public:
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
      return HandOut(static_cast<First*>(this), object);
    }
    if (Answer<First>(iid, object) || (Answer<Rest>(iid, object) || ...)) {
      AddRef();
      return S_OK;
    }
    return QueryOther(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) {
      delete this;
    }
    return static_cast<ULONG>(left);
  }

 protected:
  Object() = default;
  virtual ~Object() = default;

  // Interfaces beyond the list: another IID of one of the object's own interfaces (see
  // HandOut), or an interface of another object. Sets `*object` with a reference of its own.
  virtual HRESULT QueryOther(REFIID, void**) { return E_NOINTERFACE; }

  // Hands out this object through one of its interfaces, with a new reference.
  template <typename Interface>
  HRESULT HandOut(Interface* self, void** object) {
    *object = self;
    AddRef();
    return S_OK;
  }

 private:
  template <typename Interface>
  bool Answer(REFIID iid, void** object) {
    if (IsEqualIID(iid, InterfaceId<Interface>()) ||
        (std::is_base_of_v<IDispatch, Interface> && IsEqualIID(iid, IID_IDispatch))) {
      *object = static_cast<Interface*>(this);
      return true;
    }
    return false;
  }

  LONG volatile references_ = 1;
};

// Makes a new object of class T, handed out with its one reference. (The toolchain's
// ComPtr::Attach adds a reference of its own, so the pointer is stored directly.)
template <typename T, typename... Args>
ComPtr<T> Make(Args&&... args) {
  ComPtr<T> object;
  *object.GetAddressOf() = new T(std::forward<Args>(args)...);
  return object;
}

}  // namespace quivra::com

#endif  // QUIVRA_PLATFORM_WIN32_COM_COM_OBJECT_H_
