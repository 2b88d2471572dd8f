#ifndef QUIVRA_HOST_FRAMEWORK_SIM_SIM_COM_REGISTRATION_SERVICES_H_
#define QUIVRA_HOST_FRAMEWORK_SIM_SIM_COM_REGISTRATION_SERVICES_H_

#include <map>
#include <string>
#include <vector>

#include "host/framework/registration/registration.h"
#include "platform/registry.h"

namespace quivra::framework::sim {

// Windows' part of registration, simulated over a registry: a ProgID has a class when
// HKCR\<ProgID>\CLSID holds a class id other than the null GUID, as CLSIDFromProgID finds it.
// Short paths are whatever the test declares. Type library (un)registrations are recorded and
// can be told to fail.
class SimComRegistrationServices : public TComRegistrationServices {
 public:
  explicit SimComRegistrationServices(platform::Registry& registry) : registry_(registry) {}

  bool ProgIdHasClass(const std::string& prog_id) override;
  std::string ShortPath(const std::string& path) override;
  void RegisterTypeLibrary(const std::string& library_path,
                           const std::string& help_directory) override;
  void UnregisterTypeLibrary() override;

  void SetShortPath(const std::string& path, const std::string& short_path) {
    short_paths_[path] = short_path;
  }
  void FailTypeLibraryRegistration(bool fail) { fail_type_library_ = fail; }

  // "register <path> help <directory>" and "unregister", in order.
  const std::vector<std::string>& type_library_calls() const { return type_library_calls_; }

 private:
  platform::Registry& registry_;
  std::map<std::string, std::string> short_paths_;
  bool fail_type_library_ = false;
  std::vector<std::string> type_library_calls_;
};

}  // namespace quivra::framework::sim

#endif  // QUIVRA_HOST_FRAMEWORK_SIM_SIM_COM_REGISTRATION_SERVICES_H_
