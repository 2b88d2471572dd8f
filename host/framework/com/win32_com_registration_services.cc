#include "host/framework/com/win32_com_registration_services.h"

#include <cstdio>
#include <string>

#include "host/framework/com/com_support.h"
#include "platform/win32/com/caught_error.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_registry.h"

namespace quivra::framework::com {

using quivra::com::Check;

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

bool Win32ComRegistrationServices::ProgIdHasClass(const std::string& prog_id) {
  CLSID class_id = GUID_NULL;
  return SUCCEEDED(::CLSIDFromProgID(Utf8ToWide(prog_id).c_str(), &class_id)) &&
         !IsEqualCLSID(class_id, GUID_NULL);
}

std::string Win32ComRegistrationServices::ShortPath(const std::string& path) {
  const std::wstring long_path = Utf8ToWide(path);
  const DWORD size = ::GetShortPathNameW(long_path.c_str(), nullptr, 0);
  if (size == 0) {
    return path;
  }
  std::wstring short_path(size, L'\0');
  const DWORD length = ::GetShortPathNameW(long_path.c_str(), short_path.data(), size);
  if (length == 0 || length >= size) {
    return path;
  }
  short_path.resize(length);
  return WideToUtf8(short_path);
}

void Win32ComRegistrationServices::RegisterTypeLibrary(const std::string& library_path,
                                                       const std::string& help_directory) {
  std::wstring path = Utf8ToWide(library_path);
  std::wstring help = Utf8ToWide(help_directory);
  Check(::RegisterTypeLib(library_, path.data(), help.data()), "Registering the type library");
}

void Win32ComRegistrationServices::UnregisterTypeLibrary() {
  // Looked up at run time: very old versions of the automation library lack it.
  using UnRegisterTypeLibFunction = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);
  HMODULE automation = ::GetModuleHandleW(L"oleaut32.dll");
  const auto unregister = automation == nullptr
                              ? nullptr
                              : reinterpret_cast<UnRegisterTypeLibFunction>(reinterpret_cast<void*>(
                                    ::GetProcAddress(automation, "UnRegisterTypeLib")));
  if (unregister == nullptr) {
    return;
  }
  LibAttr attr(library_);
  if (attr.get() == nullptr) {
    quivra::com::ThrowFailed(E_FAIL, "Reading the type library's attributes");
  }
  const TLIBATTR& a = *attr.get();
  // A library that is not (or no longer) registered for this platform has nothing to remove;
  // Windows versions differ in what UnRegisterTypeLib answers then, so look first.
  char location[64];
  std::snprintf(location, sizeof location, "\\%x.%x\\%lx\\%s", a.wMajorVerNum, a.wMinorVerNum,
                static_cast<unsigned long>(a.lcid),
                a.syskind == SYS_WIN64   ? "win64"
                : a.syskind == SYS_WIN16 ? "win16"
                                         : "win32");
  const platform::RegistryKey registered{platform::RegistryRoot::kClassesRoot,
                                         "TypeLib\\" + GuidText(a.guid) + location};
  if (!platform::win32::Win32Registry().KeyExists(registered)) {
    return;
  }
  Check(unregister(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind),
        "Unregistering the type library");
}

}  // namespace quivra::framework::com
