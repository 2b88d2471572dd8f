#ifndef QUIVRA_TOOLS_OLHOST_SINGLE_INTERFACE_OBJECT_H_
#define QUIVRA_TOOLS_OLHOST_SINGLE_INTERFACE_OBJECT_H_

#include <windows.h>

#include <unknwn.h>

namespace quivra::olhost {

// The IUnknown of a heap object that answers one interface besides IUnknown and deletes itself
// when its last reference goes. It starts with one reference, its creator's.
template <typename Interface>
class SingleInterfaceObject : public Interface {
 public:
  explicit SingleInterfaceObject(const IID& iid) : iid_(iid) {}
  virtual ~SingleInterfaceObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) {
      return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_)) {
      *object = static_cast<Interface*>(this);
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

 private:
  IID iid_;
  ULONG references_ = 1;
};

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_SINGLE_INTERFACE_OBJECT_H_
