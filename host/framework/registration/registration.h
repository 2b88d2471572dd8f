#ifndef QUIVRA_HOST_FRAMEWORK_REGISTRATION_REGISTRATION_H_
#define QUIVRA_HOST_FRAMEWORK_REGISTRATION_REGISTRATION_H_

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/framework/module/host_apps.h"
#include "platform/registry.h"

namespace quivra::framework {

// The add-in module's properties that registration reads: its name and description as the
// host shows them, the hosts it is registered for, how the host loads it, and whether it is
// registered for every user of the machine (HKEY_LOCAL_MACHINE) or the current one.
struct TRegistrationInfo {
  std::string AddInName;
  std::string Description;
  THostAppSet SupportedApps{TOfficeHostApp::ohaExcel};
  int LoadBehavior = 3;
  bool RegisterForAllUsers = false;
  // Whether registration warns about running hosts; not offered by this framework, and false
  // for every add-in built on it.
  bool DisplayAlerts = false;

  // Raised after the add-in key of `host` was written, and before it is removed; the key given
  // is the add-in key under HKEY_CURRENT_USER. Exceptions go to ReportError.
  std::function<void(TOfficeHostApp host, const platform::RegistryKey& add_in_key)>
      OnAfterAddinRegister;
  std::function<void(TOfficeHostApp host, const platform::RegistryKey& add_in_key)>
      OnBeforeAddinUnregister;
  // The module's report of an exception raised by one of its event handlers.
  std::function<void(const std::string& message)> ReportError;
};

// The COM identity of one class the server exports.
struct TComClassIdentity {
  std::string ClassId;  // registry form, with braces
  std::string ProgId;   // type library name "." coclass name
  std::string Description;
  std::string LibId;  // registry form, with braces
  int VersionMajor = 1;
  int VersionMinor = 0;
  std::string ThreadingModel = "Apartment";
};

// One class factory of the server, as registration sees it. `ModuleInfo` stands for the
// temporary module instance whose properties registration reads.
struct TFactoryRegistration {
  TComClassIdentity Identity;
  std::function<TRegistrationInfo()> ModuleInfo;
};

// What only Windows can answer or do for registration.
class TComRegistrationServices {
 public:
  virtual ~TComRegistrationServices() = default;
  // Whether CLSIDFromProgID resolves the ProgID to a class id other than the null GUID.
  virtual bool ProgIdHasClass(const std::string& prog_id) = 0;
  // The short (8.3) form of an existing path, or the path itself when Windows has none.
  virtual std::string ShortPath(const std::string& path) = 0;
  // Registers the server's own type library (loaded from `library_path`); raises on failure.
  virtual void RegisterTypeLibrary(const std::string& library_path,
                                   const std::string& help_directory) = 0;
  // Removes the type library's registration; a library that is not registered is no error.
  virtual void UnregisterTypeLibrary() = 0;
};

// A registration step failed; the export reports E_FAIL.
class TRegistrationError : public std::runtime_error {
 public:
  explicit TRegistrationError(const std::string& message) : std::runtime_error(message) {}
};

// Registers (or unregisters) the in-process server at `library_path` (the DLL's full path):
// its type library, and for each factory its COM class entries under HKEY_CLASSES_ROOT and the
// add-in keys of the hosts it supports. Raises on the first failure; what was done before it
// stays done. Removal of the COM class entries ignores errors.
void UpdateServerRegistry(bool do_register,
                          const std::string& library_path,
                          const std::vector<TFactoryRegistration>& factories,
                          platform::Registry& registry,
                          TComRegistrationServices& services);

// Whether the host counts as installed: its ProgID names a class, or a click-to-run Office
// 2010 or 2013 is present (its Outlook ProgID may not be resolvable).
bool HostInstalled(TOfficeHostApp host,
                   platform::Registry& registry,
                   TComRegistrationServices& services);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_REGISTRATION_REGISTRATION_H_
