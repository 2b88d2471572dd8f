#ifndef QUIVRA_HOST_OUTLOOK_OUTLOOK_ERROR_H_
#define QUIVRA_HOST_OUTLOOK_OUTLOOK_ERROR_H_

#include <cstdint>
#include <memory>
#include <string>

#include "platform/hresult_error.h"

namespace quivra::outlook {

// Result codes that Outlook raises and that the add-in's own checks raise in its place.
constexpr std::int32_t kErrorFailed = static_cast<std::int32_t>(0x80004005);       // E_FAIL
constexpr std::int32_t kErrorNoInterface = static_cast<std::int32_t>(0x80004002);  // E_NOINTERFACE
constexpr std::int32_t kErrorPointer = static_cast<std::int32_t>(0x80004003);      // E_POINTER
constexpr std::int32_t kErrorNotFound = static_cast<std::int32_t>(0x8004010F);  // MAPI_E_NOT_FOUND
constexpr std::int32_t kErrorInvalidArgument =
    static_cast<std::int32_t>(0x80070057);  // E_INVALIDARG
constexpr std::int32_t kErrorUnknownName =
    static_cast<std::int32_t>(0x80020006);  // DISP_E_UNKNOWNNAME
constexpr std::int32_t kErrorAccessDenied =
    static_cast<std::int32_t>(0x80070005);  // E_ACCESSDENIED, MAPI_E_NO_ACCESS
constexpr std::int32_t kErrorNetwork =
    static_cast<std::int32_t>(0x80040115);  // MAPI_E_NETWORK_ERROR
constexpr std::int32_t kErrorFailOneProvider =
    static_cast<std::int32_t>(0x8004011D);  // MAPI_E_FAILONEPROVIDER
constexpr std::int32_t kErrorTypeMismatch =
    static_cast<std::int32_t>(0x80020005);  // DISP_E_TYPEMISMATCH

// A call into Outlook failed: Outlook raised an error, an object refused an interface query, or
// the caller used a reference to nothing. `code()` is the HRESULT; the message is what the user
// sees when the error reaches the add-in's general error report.
using OutlookError = platform::HresultError;

// Dereferences an Outlook object reference, raising OutlookError for a reference to nothing
// (an empty ActiveExplorer, a store that was not found), as a late-bound call on Nothing does.
template <typename T>
T& Require(const std::shared_ptr<T>& object) {
  if (!object) {
    throw OutlookError(kErrorPointer, "Object variable not set.");
  }
  return *object;
}

}  // namespace quivra::outlook

#endif  // QUIVRA_HOST_OUTLOOK_OUTLOOK_ERROR_H_
