#ifndef QUIVRA_PLATFORM_WIN32_COM_TYPE_ATTRIBUTES_H_
#define QUIVRA_PLATFORM_WIN32_COM_TYPE_ATTRIBUTES_H_

#include <windows.h>

#include <oaidl.h>

namespace quivra::com {

// Holds the attributes `Get` hands out of a type library or a type while in scope, and gives
// them back with `Release`; none (null) when they cannot be read.
template <typename Owner, typename Attributes, auto Get, auto Release>
class HeldAttributes {
 public:
  explicit HeldAttributes(Owner* owner) : owner_(owner) {
    if (FAILED((owner_->*Get)(&attributes_))) {
      attributes_ = nullptr;
    }
  }
  ~HeldAttributes() {
    if (attributes_) {
      (owner_->*Release)(attributes_);
    }
  }
  HeldAttributes(const HeldAttributes&) = delete;
  HeldAttributes& operator=(const HeldAttributes&) = delete;

  const Attributes* get() const { return attributes_; }

 private:
  Owner* owner_;
  Attributes* attributes_ = nullptr;
};

using LibAttr =
    HeldAttributes<ITypeLib, TLIBATTR, &ITypeLib::GetLibAttr, &ITypeLib::ReleaseTLibAttr>;
using TypeAttr =
    HeldAttributes<ITypeInfo, TYPEATTR, &ITypeInfo::GetTypeAttr, &ITypeInfo::ReleaseTypeAttr>;

}  // namespace quivra::com

#endif  // QUIVRA_PLATFORM_WIN32_COM_TYPE_ATTRIBUTES_H_
