#ifndef QUIVRA_HOST_FRAMEWORK_COM_WIN32_COM_REGISTRATION_SERVICES_H_
#define QUIVRA_HOST_FRAMEWORK_COM_WIN32_COM_REGISTRATION_SERVICES_H_

#include <windows.h>

#include <oaidl.h>

#include "host/framework/registration/registration.h"

namespace quivra::framework::com {

// Windows' part of registration for a server whose type library is `library`.
class Win32ComRegistrationServices : public TComRegistrationServices {
 public:
  explicit Win32ComRegistrationServices(ITypeLib* library) : library_(library) {}

  bool ProgIdHasClass(const std::string& prog_id) override;
  std::string ShortPath(const std::string& path) override;
  void RegisterTypeLibrary(const std::string& library_path,
                           const std::string& help_directory) override;
  void UnregisterTypeLibrary() override;

 private:
  ITypeLib* library_;
};

}  // namespace quivra::framework::com

#endif  // QUIVRA_HOST_FRAMEWORK_COM_WIN32_COM_REGISTRATION_SERVICES_H_
