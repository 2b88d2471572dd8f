#include "core/version_detection.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::core {

namespace {

using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryView;

// Whether the executable's path belongs to an Outlook with an explorer ribbon.
bool NamesRibbonOutlook(std::string_view path) {
  std::string lower(path);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("office14") != std::string::npos || lower.find("office15") != std::string::npos;
}

// The default value of the key under HKEY_CLASSES_ROOT, read in `view`.
std::optional<std::string> DefaultValue(platform::Registry& registry,
                                        std::string path,
                                        RegistryView view) {
  return registry.ReadString(RegistryKey{RegistryRoot::kClassesRoot, std::move(path), view}, "");
}

// Outlook's class id, then its local server path below `clsid_root`, both read in one view of
// the registry; true when that path names a ribbon Outlook.
bool ServerNamesRibbonOutlook(platform::Registry& registry,
                              RegistryView progid_view,
                              const std::string& clsid_root) {
  try {
    const std::optional<std::string> clsid =
        DefaultValue(registry, "Outlook.Application\\CLSID", progid_view);
    if (!clsid || clsid->empty()) {
      return false;
    }
    const std::optional<std::string> server =
        DefaultValue(registry, clsid_root + *clsid + "\\LocalServer32", RegistryView::k64);
    return server && NamesRibbonOutlook(*server);
  } catch (...) {
    // The registry is only consulted: a failure means "not found".
    return false;
  }
}

}  // namespace

void DetectOutlookVersion(platform::Registry& registry, Configuration& configuration) {
  configuration.HostFoundNative = false;
  configuration.HostFoundWow64 = false;
  configuration.HostIsRibbonOutlook = false;
  // The 64-bit view is the native one on 64-bit Windows and the only one on 32-bit Windows, so
  // these reads mean the same whichever build of the add-in runs. Below Wow6432Node it holds
  // the registrations of 32-bit programs on 64-bit Windows.
  configuration.HostFoundNative = ServerNamesRibbonOutlook(registry, RegistryView::k64, "CLSID\\");
  configuration.HostFoundWow64 =
      ServerNamesRibbonOutlook(registry, RegistryView::k32, "Wow6432Node\\CLSID\\");
  configuration.HostIsRibbonOutlook = configuration.HostFoundNative || configuration.HostFoundWow64;
  configuration.HostChecked = true;
}

}  // namespace quivra::core
