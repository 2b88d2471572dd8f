#include "platform/win32/com/variant.h"

#include "platform/hresult_error.h"
#include "platform/win32/com/bstr.h"

namespace quivra::com {

Variant::Variant(const Variant& other) {
  ::VariantInit(&value_);
  ::VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
}

Variant::Variant(Variant&& other) noexcept {
  value_ = other.value_;
  ::VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    ::VariantClear(&value_);
    value_ = other.value_;
    ::VariantInit(&other.value_);
  }
  return *this;
}

Variant Variant::Int(int value) {
  Variant variant;
  variant.value_.vt = VT_I4;
  variant.value_.lVal = value;
  return variant;
}

Variant Variant::Text(const std::string& utf8) {
  Variant variant;
  variant.value_.bstrVal = Bstr::FromUtf8(utf8).Detach();
  variant.value_.vt = VT_BSTR;
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

Variant Variant::Missing() {
  Variant missing;
  missing.value_.vt = VT_ERROR;
  missing.value_.scode = DISP_E_PARAMNOTFOUND;
  return missing;
}

void Variant::Detach(VARIANT* out) {
  if (out == nullptr) {
    ::VariantClear(&value_);
    return;
  }
  *out = value_;
  ::VariantInit(&value_);
}

HRESULT Variant::ChangeType(const VARIANT& value, VARTYPE type) {
  return ::VariantChangeType(Receive(), const_cast<VARIANT*>(&value), 0, type);
}

namespace {

Variant Converted(const VARIANT& value, VARTYPE type) {
  Variant converted;
  const HRESULT result = converted.ChangeType(value, type);
  if (FAILED(result)) {
    throw platform::HresultError(result, "Type mismatch.");
  }
  return converted;
}

}  // namespace

std::string Variant::ToText() const {
  return Utf8Of(Converted(value_, VT_BSTR).ref().bstrVal);
}

int Variant::ToInt() const {
  return Converted(value_, VT_I4).ref().lVal;
}

bool Variant::ToBool() const {
  return Converted(value_, VT_BOOL).ref().boolVal != VARIANT_FALSE;
}

Microsoft::WRL::ComPtr<IDispatch> Variant::ToDispatch() const {
  if (value_.vt == VT_EMPTY || value_.vt == VT_NULL) {
    return nullptr;
  }
  if (value_.vt == VT_DISPATCH) {
    return value_.pdispVal;
  }
  if (value_.vt == VT_UNKNOWN && value_.punkVal) {
    Microsoft::WRL::ComPtr<IDispatch> object;
    if (SUCCEEDED(value_.punkVal->QueryInterface(IID_IDispatch, &object))) {
      return object;
    }
  }
  throw platform::HresultError(DISP_E_TYPEMISMATCH, "Type mismatch.");
}

}  // namespace quivra::com
