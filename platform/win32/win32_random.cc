#include "platform/win32/win32_random.h"

#include <windows.h>

#include <bcrypt.h>

#include <climits>

#include "platform/platform_error.h"

namespace quivra::platform::win32 {

void Win32Random::Fill(std::uint8_t* bytes, std::size_t count) {
  while (count > 0) {
    const ULONG chunk = count > ULONG_MAX ? ULONG_MAX : static_cast<ULONG>(count);
    const NTSTATUS status =
        ::BCryptGenRandom(nullptr, bytes, chunk, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status < 0) {
      throw PlatformError("Random bytes could not be made (BCryptGenRandom failed).");
    }
    bytes += chunk;
    count -= chunk;
  }
}

}  // namespace quivra::platform::win32
