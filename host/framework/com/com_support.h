#ifndef QUIVRA_HOST_FRAMEWORK_COM_COM_SUPPORT_H_
#define QUIVRA_HOST_FRAMEWORK_COM_COM_SUPPORT_H_

#include <windows.h>

#include <oleauto.h>

#include <string>

#include "platform/hresult_error.h"

namespace quivra::framework::com {

// Holds a type library's or a type's attributes while in scope.
class LibAttr {
 public:
  explicit LibAttr(ITypeLib* library) : library_(library) {
    if (FAILED(library_->GetLibAttr(&attr_)))
      attr_ = nullptr;
  }
  ~LibAttr() {
    if (attr_)
      library_->ReleaseTLibAttr(attr_);
  }
  LibAttr(const LibAttr&) = delete;
  LibAttr& operator=(const LibAttr&) = delete;
  const TLIBATTR* get() const { return attr_; }

 private:
  ITypeLib* library_;
  TLIBATTR* attr_ = nullptr;
};

class TypeAttr {
 public:
  explicit TypeAttr(ITypeInfo* info) : info_(info) {
    if (FAILED(info_->GetTypeAttr(&attr_)))
      attr_ = nullptr;
  }
  ~TypeAttr() {
    if (attr_)
      info_->ReleaseTypeAttr(attr_);
  }
  TypeAttr(const TypeAttr&) = delete;
  TypeAttr& operator=(const TypeAttr&) = delete;
  const TYPEATTR* get() const { return attr_; }

 private:
  ITypeInfo* info_;
  TYPEATTR* attr_ = nullptr;
};

// "{6643EE33-41DB-4BAE-A169-9DF0341D4AE0}", the form the registry uses.
std::string GuidText(REFGUID guid);

// Raised when a COM call fails; carries its HRESULT (see quivra::com::Check).
using ComError = platform::HresultError;

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_COM_SUPPORT_H_
