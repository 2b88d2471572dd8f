#ifndef QUIVRA_PLATFORM_WIN32_COM_VARIANT_H_
#define QUIVRA_PLATFORM_WIN32_COM_VARIANT_H_

#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>

namespace quivra::com {

// Owns a VARIANT.
class Variant {
 public:
  Variant() { ::VariantInit(&value_); }
  ~Variant() { ::VariantClear(&value_); }
  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  Variant& operator=(const Variant&) = delete;

  static Variant Int(int value);
  // Raises std::bad_alloc when the system has no memory for the text.
  static Variant Text(const std::string& utf8);
  static Variant Bool(bool value);
  // Holds a reference of its own to `object` (null: Nothing).
  static Variant Dispatch(IDispatch* object);
  // An argument left out of a call.
  static Variant Missing();

  VARIANT* get() { return &value_; }
  const VARIANT& ref() const { return value_; }
  // Clears the value and hands out its address for a result.
  VARIANT* Receive() {
    ::VariantClear(&value_);
    return &value_;
  }
  // Hands the value over to `out`, which the caller owns (a result); none when `out` is null.
  void Detach(VARIANT* out);

  // Holds `value` (another variant's) converted to `type`, or nothing when the conversion
  // fails; the conversion's result.
  HRESULT ChangeType(const VARIANT& value, VARTYPE type);

  // The value as UTF-8 text, integer, Boolean or object; raises platform::HresultError
  // ("Type mismatch.") when it cannot be one.
  std::string ToText() const;
  int ToInt() const;
  bool ToBool() const;
  // None for VT_EMPTY, VT_NULL or a null object.
  Microsoft::WRL::ComPtr<IDispatch> ToDispatch() const;

 private:
  VARIANT value_;
};

}  // namespace quivra::com

#endif  // QUIVRA_PLATFORM_WIN32_COM_VARIANT_H_
