#include "platform/win32/com/caught_error.h"

#include <cstdio>
#include <exception>
#include <new>

#include "platform/hresult_error.h"

namespace quivra::com {

HRESULT HResultFromCaught(HRESULT fallback) noexcept {
  try {
    throw;
  } catch (const platform::HresultError& error) {
    return FAILED(error.code()) ? error.code() : E_FAIL;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return fallback;
  }
}

std::string MessageOfCaught(const char* unknown) {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return unknown;
  }
}

void ThrowFailed(HRESULT result, const std::string& what) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  throw platform::HresultError(result, what + " failed (" + code + ")");
}

void Check(HRESULT result, const char* what) {
  if (FAILED(result)) {
    ThrowFailed(result, what);
  }
}

}  // namespace quivra::com
