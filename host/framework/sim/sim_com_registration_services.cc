#include "host/framework/sim/sim_com_registration_services.h"

#include "platform/platform_error.h"

namespace quivra::framework::sim {

bool SimComRegistrationServices::ProgIdHasClass(const std::string& prog_id) {
  const auto clsid = registry_.ReadString(
      platform::RegistryKey{platform::RegistryRoot::kClassesRoot, prog_id + "\\CLSID"}, "");
  return clsid && !clsid->empty() && *clsid != "{00000000-0000-0000-0000-000000000000}";
}

std::string SimComRegistrationServices::ShortPath(const std::string& path) {
  auto found = short_paths_.find(path);
  return found == short_paths_.end() ? path : found->second;
}

void SimComRegistrationServices::RegisterTypeLibrary(const std::string& library_path,
                                                     const std::string& help_directory) {
  if (fail_type_library_) {
    throw platform::PlatformError("Cannot register the type library of " + library_path);
  }
  type_library_calls_.push_back("register " + library_path + " help " + help_directory);
}

void SimComRegistrationServices::UnregisterTypeLibrary() {
  if (fail_type_library_) {
    throw platform::PlatformError("Cannot unregister the type library");
  }
  type_library_calls_.push_back("unregister");
}

}  // namespace quivra::framework::sim
