#ifndef QUIVRA_HOST_FRAMEWORK_COM_COM_SUPPORT_H_
#define QUIVRA_HOST_FRAMEWORK_COM_COM_SUPPORT_H_

#include <windows.h>

#include <oleauto.h>

#include <string>

#include "platform/hresult_error.h"
#include "platform/win32/com/type_attributes.h"

namespace quivra::framework::com {

using quivra::com::LibAttr;
using quivra::com::TypeAttr;

// "{6643EE33-41DB-4BAE-A169-9DF0341D4AE0}", the form the registry uses.
std::string GuidText(REFGUID guid);

// Raised when a COM call fails; carries its HRESULT (see quivra::com::Check).
using ComError = platform::HresultError;

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_COM_SUPPORT_H_
