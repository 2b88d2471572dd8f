// How the stand-in finds and loads its add-ins' COM servers, as COM would, also for an add-in
// installed for the current user only.
#include <optional>
#include <string>
#include <utility>

#include "platform/win32/wide_text.h"
#include "tools/olhost/outlook_stand_in.h"

namespace quivra::olhost {

using Microsoft::WRL::ComPtr;
using platform::RegistryRoot;
using platform::win32::Utf8ToWide;

// Windows merges the current user's classes (HKCU\Software\Classes) over the machine's into
// HKEY_CLASSES_ROOT, so COM finds an add-in installed for one user. Wine does not merge them;
// the stand-in looks there itself when COM finds no class, and loads the server as COM would.
// https://learn.microsoft.com/windows/win32/sysinfo/merged-view-of-hkey-classes-root
std::optional<std::pair<CLSID, std::string>> OutlookStandIn::UserClass(const std::string& prog_id) {
  const std::optional<std::string> clsid = registry_.ReadString(
      {RegistryRoot::kCurrentUser, "Software\\Classes\\" + prog_id + "\\Clsid"}, "");
  CLSID class_id;
  if (!clsid || FAILED(::CLSIDFromString(Utf8ToWide(*clsid).c_str(), &class_id))) {
    return std::nullopt;
  }
  const std::optional<std::string> server = registry_.ReadString(
      {RegistryRoot::kCurrentUser, "Software\\Classes\\CLSID\\" + *clsid + "\\InprocServer32"}, "");
  if (!server) {
    return std::nullopt;
  }
  return std::make_pair(class_id, *server);
}

HRESULT OutlookStandIn::CreateUserClassObject(const std::string& prog_id,
                                              CLSID& class_id,
                                              IUnknown** object) {
  const auto user_class = UserClass(prog_id);
  if (!user_class) {
    return REGDB_E_CLASSNOTREG;
  }
  class_id = user_class->first;
  // Loaded once and kept for as long as the stand-in runs, as COM keeps a server it loaded.
  const std::wstring path = Utf8ToWide(user_class->second);
  HMODULE library = ::GetModuleHandleW(path.c_str());
  if (library == nullptr) {
    platform::win32::UniqueModule loaded(::LoadLibraryW(path.c_str()));
    if (!loaded) {
      return HRESULT_FROM_WIN32(::GetLastError());
    }
    library = loaded.get();
    user_class_libraries_.push_back(std::move(loaded));
  }
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto get_class_object = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(::GetProcAddress(library, "DllGetClassObject")));
  if (get_class_object == nullptr) {
    return CO_E_ERRORINDLL;
  }
  ComPtr<IClassFactory> factory;
  const HRESULT result = get_class_object(class_id, IID_IClassFactory,
                                          reinterpret_cast<void**>(factory.GetAddressOf()));
  if (FAILED(result)) {
    return result;
  }
  return factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(object));
}

HMODULE OutlookStandIn::LoadedLibrary(const std::string& prog_id) {
  CLSID class_id;
  if (FAILED(::CLSIDFromProgID(Utf8ToWide(prog_id).c_str(), &class_id))) {
    const auto user_class = UserClass(prog_id);
    return user_class ? ::GetModuleHandleW(Utf8ToWide(user_class->second).c_str()) : nullptr;
  }
  wchar_t guid[40] = {};
  ::StringFromGUID2(class_id, guid, 40);
  const std::optional<std::string> path =
      registry_.ReadString({RegistryRoot::kClassesRoot,
                            "CLSID\\" + platform::win32::WideToUtf8(guid) + "\\InprocServer32"},
                           "");
  if (!path) {
    return nullptr;
  }
  return ::GetModuleHandleW(Utf8ToWide(*path).c_str());
}

HRESULT OutlookStandIn::CanUnloadNow(const std::string& prog_id) {
  HMODULE library = LoadedLibrary(prog_id);
  if (!library) {
    return S_OK;
  }
  using CanUnload = HRESULT(STDAPICALLTYPE*)();
  auto can_unload = reinterpret_cast<CanUnload>(
      reinterpret_cast<void*>(::GetProcAddress(library, "DllCanUnloadNow")));
  return can_unload ? can_unload() : S_OK;
}

}  // namespace quivra::olhost
