#ifndef QUIVRA_TOOLS_REGISTRY_ENTRIES_INSTALLER_REGISTRY_H_
#define QUIVRA_TOOLS_REGISTRY_ENTRIES_INSTALLER_REGISTRY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "host/framework/registration/registration.h"
#include "tools/registry_entries/type_library_source.h"

namespace quivra::tools {

// Where one copy of the DLL is installed, in the package's terms: the File and Directory ids
// whose formatted forms ([#file], [!file], [DIRECTORY]) stand for its paths, and the type
// library's platform key ("win32" or "win64").
struct InstalledLibrary {
  std::string file_id;
  std::string directory_id;
  std::string syskind;
};

// One registry value the package writes. Root "HKMU" is HKEY_LOCAL_MACHINE when the package is
// installed for all users and HKEY_CURRENT_USER when installed for one; class entries go below
// its Software\Classes, which is what HKEY_CLASSES_ROOT merges.
struct InstallerRegistryValue {
  std::string root;
  std::string key;
  std::string name;  // "" is the key's default value
  bool is_dword = false;
  std::string text;  // formatted text: paths as [#file], [!file], [DIRECTORY]
  std::uint32_t number = 0;
};

// Runs the add-in's own registration (the one DllRegisterServer runs) for a DLL at a stand-in
// path, over a simulated registry, and returns what it wrote, with the stand-in paths replaced
// by the package's formatted references and every other text escaped for the installer's
// formatting. The type library is registered as the system registers a type library: its
// TypeLib key and the Interface keys of its automation interfaces.
std::vector<InstallerRegistryValue> InstallerRegistry(const IdlLibrary& library,
                                                      const std::string& class_name,
                                                      const framework::TRegistrationInfo& info,
                                                      const InstalledLibrary& installed);

// The values as WiX RegistryValue elements, one a line, with ids made from `id_prefix`.
std::string WixRegistryValues(const std::vector<InstallerRegistryValue>& values,
                              const std::string& id_prefix);

}  // namespace quivra::tools

#endif  // QUIVRA_TOOLS_REGISTRY_ENTRIES_INSTALLER_REGISTRY_H_
