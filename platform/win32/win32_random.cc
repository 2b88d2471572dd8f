#include "platform/win32/win32_random.h"

#include <windows.h>

#include <wincrypt.h>

#include <climits>
#include <string>

#include "platform/platform_error.h"
#include "platform/win32/unique_handle.h"

namespace quivra::platform::win32 {

namespace {

// BCryptGenRandom is the system's preferred generator from Windows Vista on
// (learn.microsoft.com/windows/win32/api/bcrypt/nf-bcrypt-bcryptgenrandom). It is looked up at
// run time, not imported: an import of bcrypt.dll would keep the whole add-in from loading on
// Windows XP, where Outlook 2007 still runs. There CryptGenRandom of advapi32, which every
// version has (learn.microsoft.com/windows/win32/api/wincrypt/nf-wincrypt-cryptgenrandom),
// makes the bytes.
using GenRandom = LONG(WINAPI*)(void* algorithm, PUCHAR buffer, ULONG count, ULONG flags);
constexpr ULONG kUseSystemPreferredRng = 0x00000002;  // BCRYPT_USE_SYSTEM_PREFERRED_RNG

// bcrypt.dll from the system folder only, never from the folder Outlook was started in.
UniqueModule LoadSystemBcrypt() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return UniqueModule();
  }
  const std::wstring path = std::wstring(folder, length) + L"\\bcrypt.dll";
  return UniqueModule(::LoadLibraryW(path.c_str()));
}

bool FillFromBcrypt(std::uint8_t* bytes, std::size_t count) {
  const UniqueModule bcrypt = LoadSystemBcrypt();
  if (!bcrypt) {
    return false;
  }
  const auto generate = reinterpret_cast<GenRandom>(
      reinterpret_cast<void*>(::GetProcAddress(bcrypt.get(), "BCryptGenRandom")));
  if (generate == nullptr) {
    return false;
  }
  while (count > 0) {
    const ULONG chunk = count > ULONG_MAX ? ULONG_MAX : static_cast<ULONG>(count);
    if (generate(nullptr, bytes, chunk, kUseSystemPreferredRng) < 0) {
      throw PlatformError("Random bytes could not be made (BCryptGenRandom failed).");
    }
    bytes += chunk;
    count -= chunk;
  }
  return true;
}

void FillFromCryptoApi(std::uint8_t* bytes, std::size_t count) {
  HCRYPTPROV provider = 0;
  if (!::CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL,
                              CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
    throw PlatformError("Random bytes could not be made (CryptAcquireContext failed).");
  }
  struct Release {
    HCRYPTPROV provider;
    ~Release() { ::CryptReleaseContext(provider, 0); }
  } release{provider};
  while (count > 0) {
    const DWORD chunk = count > ULONG_MAX ? ULONG_MAX : static_cast<DWORD>(count);
    if (!::CryptGenRandom(provider, chunk, bytes)) {
      throw PlatformError("Random bytes could not be made (CryptGenRandom failed).");
    }
    bytes += chunk;
    count -= chunk;
  }
}

}  // namespace

void Win32Random::Fill(std::uint8_t* bytes, std::size_t count) {
  if (!FillFromBcrypt(bytes, count)) {
    FillFromCryptoApi(bytes, count);
  }
}

}  // namespace quivra::platform::win32
