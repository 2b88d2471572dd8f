#ifndef QUIVRA_PLATFORM_WIN32_COM_CAUGHT_ERROR_H_
#define QUIVRA_PLATFORM_WIN32_COM_CAUGHT_ERROR_H_

#include <windows.h>

#include <string>

// What the COM entry points make of an exception they caught: no exception crosses into Outlook
// or Windows, each entry point reports it as the HRESULT (or the text) it documents.
namespace quivra::com {

// Called inside a catch block: the HRESULT of the exception being handled. A
// platform::HresultError gives its code (E_FAIL when its code is no failure), std::bad_alloc
// E_OUTOFMEMORY, anything else the entry point's `fallback`.
HRESULT HResultFromCaught(HRESULT fallback) noexcept;

// Called inside a catch block: the message of the exception being handled, `unknown` for one
// that is no std::exception.
std::string MessageOfCaught(const char* unknown);

// Raises platform::HresultError ("<what> failed (0x80004005)") when `result` is a failure.
void Check(HRESULT result, const char* what);
[[noreturn]] void ThrowFailed(HRESULT result, const std::string& what);

}  // namespace quivra::com

#endif  // QUIVRA_PLATFORM_WIN32_COM_CAUGHT_ERROR_H_
