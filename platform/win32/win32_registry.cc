#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <string>
#include <utility>

#include "platform/platform_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace quivra::platform::win32 {

namespace {

// Characters of the buffer a text value is first read into.
constexpr size_t kSmallText = 260;

HKEY RootHandle(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::kCurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::kLocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

// The view this build of the add-in sees without asking: the 64-bit one for a 64-bit process,
// the 32-bit one for a 32-bit process (on 32-bit Windows the only one).
#ifdef _WIN64
constexpr RegistryView kOwnView = RegistryView::k64;
#else
constexpr RegistryView kOwnView = RegistryView::k32;
#endif

// The access flag that asks for `view`; none for the process's own view, which is the same
// keys, so that Windows can use the handles of its predefined keys as they are.
// https://learn.microsoft.com/windows/win32/winprog64/accessing-an-alternate-registry-view
REGSAM ViewFlag(RegistryView view) {
  if (view == kOwnView) {
    return 0;
  }
  switch (view) {
    case RegistryView::k64:
      return KEY_WOW64_64KEY;
    case RegistryView::k32:
      return KEY_WOW64_32KEY;
    case RegistryView::kDefault:
      break;
  }
  return 0;
}

std::wstring WidePath(const std::string& path) {
  const size_t begin = path.find_first_not_of('\\');
  if (begin == std::string::npos) {
    return {};
  }
  const size_t end = path.find_last_not_of('\\');
  return Utf8ToWide(path.substr(begin, end - begin + 1));
}

[[noreturn]] void Fail(const std::string& what, const RegistryKey& key, LONG error) {
  throw PlatformError("Cannot " + what + " " + key.ToString() + ": " +
                      SystemErrorText(static_cast<unsigned long>(error)));
}

LONG Open(const RegistryKey& key, REGSAM access, UniqueKey& handle) {
  return ::RegOpenKeyExW(RootHandle(key.root), WidePath(key.path).c_str(), 0,
                         access | ViewFlag(key.view), handle.Receive());
}

// RegDeleteKeyExW (which takes a view) is missing on 32-bit Windows XP; fall back to
// RegDeleteKeyW there, where there is only one view anyway.
LONG DeleteOneKey(HKEY parent, const std::wstring& name, REGSAM view) {
  using DeleteKeyEx = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  static const DeleteKeyEx delete_key_ex = [] {
    HMODULE advapi = ::GetModuleHandleW(L"advapi32.dll");
    return advapi ? reinterpret_cast<DeleteKeyEx>(
                        reinterpret_cast<void*>(::GetProcAddress(advapi, "RegDeleteKeyExW")))
                  : nullptr;
  }();
  if (delete_key_ex != nullptr) {
    return delete_key_ex(parent, name.c_str(), view, 0);
  }
  return ::RegDeleteKeyW(parent, name.c_str());
}

// Deletes the subkey `name` of `parent` after all its own subkeys.
LONG DeleteTree(HKEY parent, const std::wstring& name, REGSAM view) {
  {
    UniqueKey key;
    LONG result =
        ::RegOpenKeyExW(parent, name.c_str(), 0,
                        KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE | view, key.Receive());
    if (result != ERROR_SUCCESS) {
      return result;
    }
    for (;;) {
      wchar_t child[256];
      DWORD length = 256;
      result = ::RegEnumKeyExW(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_NO_MORE_ITEMS) {
        break;
      }
      if (result != ERROR_SUCCESS) {
        return result;
      }
      result = DeleteTree(key.get(), std::wstring(child, length), view);
      if (result != ERROR_SUCCESS) {
        return result;
      }
    }
  }
  return DeleteOneKey(parent, name, view);
}

}  // namespace

bool Win32Registry::KeyExists(const RegistryKey& key) {
  UniqueKey handle;
  return Open(key, KEY_READ, handle) == ERROR_SUCCESS;
}

void Win32Registry::CreateKey(const RegistryKey& key) {
  UniqueKey handle;
  const LONG result = ::RegCreateKeyExW(
      RootHandle(key.root), WidePath(key.path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
      KEY_WRITE | ViewFlag(key.view), nullptr, handle.Receive(), nullptr);
  if (result != ERROR_SUCCESS) {
    Fail("create key", key, result);
  }
}

bool Win32Registry::DeleteKey(const RegistryKey& key) {
  const std::wstring path = WidePath(key.path);
  const size_t separator = path.find_last_of(L'\\');
  const std::wstring parent_path =
      separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
  const std::wstring name = separator == std::wstring::npos ? path : path.substr(separator + 1);
  if (name.empty()) {
    return false;
  }
  UniqueKey parent;
  LONG result = ::RegOpenKeyExW(RootHandle(key.root), parent_path.c_str(), 0,
                                KEY_ENUMERATE_SUB_KEYS | ViewFlag(key.view), parent.Receive());
  if (result == ERROR_FILE_NOT_FOUND) {
    return false;
  }
  if (result == ERROR_SUCCESS) {
    result = DeleteTree(parent.get(), name, ViewFlag(key.view));
    if (result == ERROR_FILE_NOT_FOUND) {
      return false;
    }
  }
  if (result != ERROR_SUCCESS) {
    Fail("delete key", key, result);
  }
  return true;
}

std::optional<std::string> Win32Registry::ReadString(const RegistryKey& key,
                                                     const std::string& name) {
  UniqueKey handle;
  if (Open(key, KEY_QUERY_VALUE, handle) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::wstring wide_name = Utf8ToWide(name);
  // Most texts fit a small buffer, read in one request; a longer one is read again in a buffer
  // of its size, with one spare character since a stored text need not end in a terminator.
  DWORD type = 0;
  std::wstring text(kSmallText, L'\0');
  DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  LONG result = ::RegQueryValueExW(handle.get(), wide_name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(text.data()), &size);
  if (result == ERROR_MORE_DATA) {
    text.assign(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    result = ::RegQueryValueExW(handle.get(), wide_name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(text.data()), &size);
  }
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  text.resize(size / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') {
    text.pop_back();
  }
  return WideToUtf8(text);
}

std::optional<std::uint32_t> Win32Registry::ReadDword(const RegistryKey& key,
                                                      const std::string& name) {
  UniqueKey handle;
  if (Open(key, KEY_QUERY_VALUE, handle) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (::RegQueryValueExW(handle.get(), Utf8ToWide(name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value) {
    return std::nullopt;
  }
  return value;
}

void Win32Registry::WriteString(const RegistryKey& key,
                                const std::string& name,
                                const std::string& value) {
  UniqueKey handle;
  LONG result = Open(key, KEY_SET_VALUE, handle);
  if (result == ERROR_SUCCESS) {
    const std::wstring text = Utf8ToWide(value);
    result = ::RegSetValueExW(handle.get(), Utf8ToWide(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  if (result != ERROR_SUCCESS) {
    Fail("write value \"" + name + "\" in", key, result);
  }
}

void Win32Registry::WriteDword(const RegistryKey& key,
                               const std::string& name,
                               std::uint32_t value) {
  UniqueKey handle;
  LONG result = Open(key, KEY_SET_VALUE, handle);
  if (result == ERROR_SUCCESS) {
    const DWORD data = value;
    result = ::RegSetValueExW(handle.get(), Utf8ToWide(name).c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&data), sizeof data);
  }
  if (result != ERROR_SUCCESS) {
    Fail("write value \"" + name + "\" in", key, result);
  }
}

bool Win32Registry::DeleteValue(const RegistryKey& key, const std::string& name) {
  UniqueKey handle;
  LONG result = Open(key, KEY_SET_VALUE, handle);
  if (result == ERROR_FILE_NOT_FOUND) {
    return false;
  }
  if (result == ERROR_SUCCESS) {
    result = ::RegDeleteValueW(handle.get(), Utf8ToWide(name).c_str());
    if (result == ERROR_FILE_NOT_FOUND) {
      return false;
    }
  }
  if (result != ERROR_SUCCESS) {
    Fail("delete value \"" + name + "\" in", key, result);
  }
  return true;
}

std::vector<std::string> Win32Registry::ValueNames(const RegistryKey& key) {
  std::vector<std::string> names;
  UniqueKey handle;
  if (Open(key, KEY_QUERY_VALUE, handle) != ERROR_SUCCESS) {
    return names;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];  // the longest value name Windows allows, plus its terminator
    DWORD length = 16384;
    const LONG result =
        ::RegEnumValueW(handle.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) {
      break;
    }
    names.push_back(WideToUtf8(std::wstring_view(name, length)));
  }
  return names;
}

std::vector<std::string> Win32Registry::SubkeyNames(const RegistryKey& key) {
  std::vector<std::string> names;
  UniqueKey handle;
  if (Open(key, KEY_ENUMERATE_SUB_KEYS, handle) != ERROR_SUCCESS) {
    return names;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];  // the longest key name Windows allows, plus its terminator
    DWORD length = 256;
    const LONG result =
        ::RegEnumKeyExW(handle.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) {
      break;
    }
    names.push_back(WideToUtf8(std::wstring_view(name, length)));
  }
  return names;
}

}  // namespace quivra::platform::win32
