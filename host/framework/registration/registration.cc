#include "host/framework/registration/registration.h"

#include <exception>

#include "host/framework/module/start_mode_marker.h"
#include "platform/platform_error.h"

namespace quivra::framework {

namespace {

using platform::Registry;
using platform::RegistryKey;
using platform::RegistryRoot;

constexpr char kStartModeUninstall[] = "UNINSTALL";

RegistryKey ClassesKey(const std::string& path) {
  return RegistryKey{RegistryRoot::kClassesRoot, path};
}

void CheckNotEmpty(bool empty, const char* property) {
  if (empty) {
    throw TRegistrationError(std::string("The ") + property + " property cannot be empty.");
  }
}

// Runs one of the module's event handlers; what it raises goes to the module's error report
// and goes no further.
template <typename Handler>
void RaiseEvent(const TRegistrationInfo& info, Handler&& handler) {
  std::string message;
  try {
    handler();
    return;
  } catch (const std::exception& error) {
    message = error.what();
  } catch (...) {
    message = "Unknown exception.";
  }
  if (info.ReportError) {
    try {
      info.ReportError(message);
    } catch (...) {
      // The report is the end of the road for the handler's failure.
    }
  }
}

// The default value of each COM class key, in the order written.
struct ClassEntry {
  std::string key;
  std::string name;
  std::string value;
};

std::vector<ClassEntry> ClassEntries(const TComClassIdentity& identity,
                                     const std::string& server_path) {
  const std::string clsid_key = "CLSID\\" + identity.ClassId;
  return {
      {clsid_key, "", identity.Description},
      {clsid_key + "\\InprocServer32", "", server_path},
      {clsid_key + "\\InprocServer32", "ThreadingModel", identity.ThreadingModel},
      {identity.ProgId, "", identity.Description},
      {identity.ProgId + "\\Clsid", "", identity.ClassId},
      {clsid_key + "\\ProgID", "", identity.ProgId},
      {clsid_key + "\\Version", "",
       std::to_string(identity.VersionMajor) + "." + std::to_string(identity.VersionMinor)},
      {clsid_key + "\\TypeLib", "", identity.LibId},
  };
}

void RegisterClassEntries(const TComClassIdentity& identity,
                          const std::string& library_path,
                          Registry& registry,
                          TComRegistrationServices& services) {
  // Some hosts cannot start a server whose path has a blank in it; they get the short form.
  const std::string server_path =
      library_path.find(' ') != std::string::npos ? services.ShortPath(library_path) : library_path;
  for (const ClassEntry& entry : ClassEntries(identity, server_path)) {
    try {
      registry.CreateKey(ClassesKey(entry.key));
      registry.WriteString(ClassesKey(entry.key), entry.name, entry.value);
    } catch (const platform::PlatformError& error) {
      throw TRegistrationError(std::string("Error creating system registry entry: ") +
                                  error.what());
    }
  }
}

void UnregisterClassEntries(const TComClassIdentity& identity, Registry& registry) {
  const std::string clsid_key = "CLSID\\" + identity.ClassId;
  for (const std::string& key :
       {clsid_key + "\\TypeLib", clsid_key + "\\Version", clsid_key + "\\ProgID",
        identity.ProgId + "\\Clsid", identity.ProgId, clsid_key + "\\InprocServer32", clsid_key}) {
    try {
      registry.DeleteKey(ClassesKey(key));
    } catch (const std::exception&) {
      // Removal goes on with the next key whatever happens to this one.
    }
  }
}

RegistryKey AddInKey(RegistryRoot root,
                     TOfficeHostApp host,
                     const TComClassIdentity& identity) {
  return RegistryKey{root, AddInKeyPath(host, identity.ProgId)};
}

RegistryRoot RegistrationRoot(const TRegistrationInfo& info) {
  return info.RegisterForAllUsers ? RegistryRoot::kLocalMachine : RegistryRoot::kCurrentUser;
}

void RegisterAddInEntries(const TComClassIdentity& identity,
                          const TRegistrationInfo& info,
                          Registry& registry,
                          TComRegistrationServices& services) {
  for (int index = 0; index < kHostAppCount; ++index) {
    const auto host = static_cast<TOfficeHostApp>(index);
    if (!info.SupportedApps.Contains(host) || !HostInstalled(host, registry, services)) {
      continue;
    }
    const RegistryKey key = AddInKey(RegistrationRoot(info), host, identity);
    try {
      // A key that cannot be made (HKEY_LOCAL_MACHINE without administrator rights) means the
      // host will never load the add-in, so registration fails rather than pass in silence.
      registry.CreateKey(key);
      registry.WriteString(key, "FriendlyName", info.AddInName);
      registry.WriteString(key, "Description", info.Description);
      registry.WriteDword(key, "LoadBehavior", static_cast<std::uint32_t>(info.LoadBehavior));
      registry.WriteDword(key, "CommandLineSafe", 0);
    } catch (const platform::PlatformError& error) {
      throw TRegistrationError(std::string("Error creating system registry entry: ") +
                                  error.what());
    }
    if (info.OnAfterAddinRegister) {
      const RegistryKey user_key = AddInKey(RegistryRoot::kCurrentUser, host, identity);
      registry.CreateKey(user_key);
      RaiseEvent(info, [&] { info.OnAfterAddinRegister(host, user_key); });
    }
  }
}

// Hosts whose add-in entries unregistration removes: the installed ones, and any other whose
// add-in key is still there, so that removing the add-in after the host leaves nothing behind.
bool HostToUnregister(TOfficeHostApp host,
                      const TComClassIdentity& identity,
                      const TRegistrationInfo& info,
                      Registry& registry,
                      TComRegistrationServices& services) {
  return info.SupportedApps.Contains(host) &&
         (registry.KeyExists(AddInKey(RegistryRoot::kLocalMachine, host, identity)) ||
          registry.KeyExists(AddInKey(RegistryRoot::kCurrentUser, host, identity)) ||
          HostInstalled(host, registry, services));
}

// Marks the add-in as being removed and stops the host from loading it meanwhile. The add-in's
// command bars live in Outlook explorers, which never keep them, so the host is not started to
// delete them.
void CleanUpControls(TOfficeHostApp host,
                     const TComClassIdentity& identity,
                     const TRegistrationInfo& info,
                     Registry& registry) {
  if (host == TOfficeHostApp::ohaMapPoint) {
    return;
  }
  const RegistryKey user_key = AddInKey(RegistryRoot::kCurrentUser, host, identity);
  if (registry.KeyExists(user_key)) {
    registry.WriteString(user_key, kStartModeValueName, kStartModeUninstall);
  }
  const RegistryKey key = AddInKey(RegistrationRoot(info), host, identity);
  if (registry.KeyExists(key)) {
    registry.WriteDword(key, "LoadBehavior", 0);
  }
}

void UnregisterAddInEntries(TOfficeHostApp host,
                            const TComClassIdentity& identity,
                            const TRegistrationInfo& info,
                            Registry& registry) {
  const RegistryKey user_key = AddInKey(RegistryRoot::kCurrentUser, host, identity);
  if (info.OnBeforeAddinUnregister) {
    RaiseEvent(info, [&] { info.OnBeforeAddinUnregister(host, user_key); });
  }
  if (info.RegisterForAllUsers) {
    registry.DeleteKey(AddInKey(RegistryRoot::kLocalMachine, host, identity));
  }
  registry.DeleteKey(user_key);
}

void UpdateFactoryRegistry(bool do_register,
                           const std::string& library_path,
                           const TFactoryRegistration& factory,
                           Registry& registry,
                           TComRegistrationServices& services) {
  const TRegistrationInfo info = factory.ModuleInfo();
  CheckNotEmpty(info.AddInName.empty(), "AddInName");
  CheckNotEmpty(info.SupportedApps.Empty(), "SupportedApps");
  const TComClassIdentity& identity = factory.Identity;

  if (do_register) {
    RegisterClassEntries(identity, library_path, registry, services);
    RegisterAddInEntries(identity, info, registry, services);
    return;
  }

  std::vector<TOfficeHostApp> hosts;
  for (int index = 0; index < kHostAppCount; ++index) {
    const auto host = static_cast<TOfficeHostApp>(index);
    if (HostToUnregister(host, identity, info, registry, services)) {
      hosts.push_back(host);
    }
  }
  for (TOfficeHostApp host : hosts) {
    CleanUpControls(host, identity, info, registry);
  }
  for (TOfficeHostApp host : hosts) {
    UnregisterAddInEntries(host, identity, info, registry);
  }
  UnregisterClassEntries(identity, registry);
}

std::string DirectoryOf(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  if (separator == std::string::npos) {
    return std::string();
  }
  // A drive's own folder keeps its backslash: "C:\OLQuivra.dll" gives "C:\".
  return path.substr(0, separator > 0 && path[separator - 1] == ':' ? separator + 1 : separator);
}

}  // namespace

bool HostInstalled(TOfficeHostApp host,
                   Registry& registry,
                   TComRegistrationServices& services) {
  if (services.ProgIdHasClass(HostAppInfo(host).prog_id)) {
    return true;
  }
  // A click-to-run Office 2010 or 2013 lives in a virtual registry of its own, where the
  // host's ProgID may not resolve from outside.
  for (const char* version : {"14.0", "15.0"}) {
    const RegistryKey virtual_root{
        RegistryRoot::kLocalMachine,
        std::string("Software\\Microsoft\\Office\\") + version + "\\Common\\InstallRoot\\Virtual"};
    if (registry.KeyExists(virtual_root)) {
      return true;
    }
  }
  return false;
}

void UpdateServerRegistry(bool do_register,
                          const std::string& library_path,
                          const std::vector<TFactoryRegistration>& factories,
                          Registry& registry,
                          TComRegistrationServices& services) {
  if (do_register) {
    services.RegisterTypeLibrary(library_path, DirectoryOf(library_path));
  } else {
    services.UnregisterTypeLibrary();
  }
  for (const TFactoryRegistration& factory : factories) {
    UpdateFactoryRegistry(do_register, library_path, factory, registry, services);
  }
}

}  // namespace quivra::framework
