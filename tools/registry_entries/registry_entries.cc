// Prints the registry entries of one installed copy of the add-in library as WiX
// RegistryValue elements, for the installer package. They come from the add-in's own
// registration code and its type library's IDL, so the package writes what DllRegisterServer
// writes.
//
// Usage: quivra_registry_entries <OLQuivra.idl> <file id> <directory id> <win32|win64>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/registration_properties.h"
#include "tools/registry_entries/installer_registry.h"
#include "tools/registry_entries/type_library_source.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: " << argv[0] << " <idl> <file id> <directory id> <win32|win64>\n";
    return 2;
  }
  const std::string syskind = argv[4];
  if (syskind != "win32" && syskind != "win64") {
    std::cerr << "the platform is win32 or win64, not " << syskind << "\n";
    return 2;
  }
  try {
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
      std::cerr << "cannot read " << argv[1] << "\n";
      return 1;
    }
    std::ostringstream idl;
    idl << file.rdbuf();
    const quivra::tools::IdlLibrary library = quivra::tools::ReadIdl(idl.str());
    const auto values = quivra::tools::InstallerRegistry(
        library, "coOLQuivra", quivra::core::QuivraRegistrationInfo(), {argv[2], argv[3], syskind});
    std::cout << quivra::tools::WixRegistryValues(values, "reg_" + syskind + "_");
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "registry entries: " << error.what() << "\n";
    return 1;
  }
}
