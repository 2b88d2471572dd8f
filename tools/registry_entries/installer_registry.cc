#include "tools/registry_entries/installer_registry.h"

#include "platform/sim/sim_registry.h"

namespace quivra::tools {

namespace {

using platform::RegistryKey;
using platform::RegistryRoot;

// The stand-in folder the registration runs for. It has a blank, as every folder below
// Program Files has, so registration asks for the DLL's short path as it does there.
constexpr char kStandInFolder[] = "C:\\Program Files\\Quivra Package Folder";
constexpr char kStandInLibrary[] = "C:\\Program Files\\Quivra Package Folder\\OLQuivra.dll";
constexpr char kStandInShortLibrary[] = "C:\\PROGRA~1\\QUIVRA~1\\OLQuivra.dll";
// The type library's standard marshaller (the automation proxy/stub).
constexpr char kAutomationMarshaller[] = "{00020424-0000-0000-C000-000000000046}";

std::string VersionText(int major, int minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

// Windows' part of registration as it is at install time. Outlook counts as installed, so the
// add-in key is written whether the package comes before Outlook or after it; the short path
// is a stand-in that becomes [!file]; the type library is registered as the system registers
// it.
class InstallerRegistrationServices : public framework::TComRegistrationServices {
 public:
  InstallerRegistrationServices(platform::Registry& registry,
                                const IdlLibrary& library,
                                const std::string& syskind)
      : registry_(registry), library_(library), syskind_(syskind) {}

  bool ProgIdHasClass(const std::string&) override { return true; }

  std::string ShortPath(const std::string& path) override {
    return path == kStandInLibrary ? kStandInShortLibrary : path;
  }

  void RegisterTypeLibrary(const std::string& library_path,
                           const std::string& help_directory) override {
    const RegistryKey version_key{RegistryRoot::kClassesRoot,
                                  "TypeLib\\" + library_.lib_id + "\\" +
                                      VersionText(library_.version_major, library_.version_minor)};
    Write(version_key, "", library_.help_string);
    Write(version_key.Sub("FLAGS"), "", std::to_string(library_.flags));
    Write(version_key.Sub("0\\" + syskind_), "", library_path);
    Write(version_key.Sub("HELPDIR"), "", help_directory);
    for (const IdlInterface& item : library_.interfaces) {
      if (!item.automation) {
        continue;
      }
      const RegistryKey key{RegistryRoot::kClassesRoot, "Interface\\" + item.iid};
      Write(key, "", item.name);
      Write(key.Sub("ProxyStubClsid"), "", kAutomationMarshaller);
      Write(key.Sub("ProxyStubClsid32"), "", kAutomationMarshaller);
      Write(key.Sub("TypeLib"), "", library_.lib_id);
      Write(key.Sub("TypeLib"), "Version",
            VersionText(library_.version_major, library_.version_minor));
    }
  }

  void UnregisterTypeLibrary() override {}

 private:
  void Write(const RegistryKey& key, const std::string& name, const std::string& value) {
    registry_.CreateKey(key);
    registry_.WriteString(key, name, value);
  }

  platform::Registry& registry_;
  const IdlLibrary& library_;
  std::string syskind_;
};

// A literal text for the installer's formatting: brackets are its references, so they are
// written as [\[] and [\]]; braces without brackets inside stay as they are (class ids).
// https://learn.microsoft.com/windows/win32/msi/formatted
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '[') {
      out += "[\\[]";
    } else if (c == ']') {
      out += "[\\]]";
    } else {
      out += c;
    }
  }
  return out;
}

// The stored text with the stand-in paths replaced by the package's references: [#file] is the
// installed file's full path, [!file] its short path, [DIRECTORY] the folder with a backslash.
std::string Formatted(const std::string& text, const InstalledLibrary& installed) {
  if (text == kStandInLibrary) {
    return "[#" + installed.file_id + "]";
  }
  if (text == kStandInShortLibrary) {
    return "[!" + installed.file_id + "]";
  }
  if (text == kStandInFolder) {
    // The directory's formatted form ends with a backslash; Windows reads the folder the same.
    return "[" + installed.directory_id + "]";
  }
  return Escaped(text);
}

std::string XmlEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::vector<InstallerRegistryValue> InstallerRegistry(const IdlLibrary& library,
                                                      const std::string& class_name,
                                                      const framework::TRegistrationInfo& info,
                                                      const InstalledLibrary& installed) {
  const IdlClass& item = library.Class(class_name);
  framework::TComClassIdentity identity;
  identity.ClassId = item.class_id;
  identity.ProgId = library.name + "." + item.name;
  identity.Description = item.help_string;
  identity.LibId = library.lib_id;
  identity.VersionMajor = library.version_major;
  identity.VersionMinor = library.version_minor;

  platform::sim::SimRegistry registry;
  InstallerRegistrationServices services(registry, library, installed.syskind);
  framework::UpdateServerRegistry(true, kStandInLibrary, {{identity, [&info] { return info; }}},
                                  registry, services);

  std::vector<InstallerRegistryValue> values;
  for (RegistryRoot root :
       {RegistryRoot::kClassesRoot, RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser}) {
    for (const std::string& path : registry.KeyPaths(root)) {
      const RegistryKey key{root, path};
      for (const std::string& name : registry.ValueNames(key)) {
        InstallerRegistryValue value;
        // Per-machine registration writes HKLM; the package writes the same keys for whoever
        // it is installed for.
        value.root = root == RegistryRoot::kCurrentUser ? "HKCU" : "HKMU";
        value.key = root == RegistryRoot::kClassesRoot ? "Software\\Classes\\" + path : path;
        value.name = name;
        if (std::optional<std::string> text = registry.ReadString(key, name)) {
          value.text = Formatted(*text, installed);
        } else {
          value.is_dword = true;
          value.number = registry.ReadDword(key, name).value_or(0);
        }
        values.push_back(value);
      }
    }
  }
  return values;
}

std::string WixRegistryValues(const std::vector<InstallerRegistryValue>& values,
                              const std::string& id_prefix) {
  std::string out;
  int index = 0;
  for (const InstallerRegistryValue& value : values) {
    out += "<RegistryValue Id=\"" + id_prefix + std::to_string(++index) + "\" Root=\"" +
           value.root + "\" Key=\"" + XmlEscaped(value.key) + "\"";
    if (!value.name.empty()) {
      out += " Name=\"" + XmlEscaped(value.name) + "\"";
    }
    out += value.is_dword ? " Type=\"integer\" Value=\"" + std::to_string(value.number) + "\""
                          : " Type=\"string\" Value=\"" + XmlEscaped(value.text) + "\"";
    out += "/>\n";
  }
  return out;
}

}  // namespace quivra::tools
