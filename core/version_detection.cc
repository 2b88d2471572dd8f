#include "core/version_detection.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "host/framework/module/host_apps.h"

namespace quivra::core {

namespace {

using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryView;

// The Office version the executable's path names ("...\\root\\Office16\\OUTLOOK.EXE": 16), compared
// without regard to letter case; the last "OfficeNN" of the path counts. Nothing when the path
// names none.
std::optional<int> NamedOfficeVersion(std::string_view path) {
  std::string lower(path);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::optional<int> named;
  constexpr std::string_view kOffice = "office";
  for (size_t at = lower.find(kOffice); at != std::string::npos; at = lower.find(kOffice, at + 1)) {
    size_t digit = at + kOffice.size();
    int version = 0;
    size_t digits = 0;
    for (; digit < lower.size() && std::isdigit(static_cast<unsigned char>(lower[digit])) &&
           digits < 4;
         ++digit, ++digits) {
      version = version * 10 + (lower[digit] - '0');
    }
    if (digits >= 2) {
      named = version;
    }
  }
  return named;
}

// Outlook 2010 (Office14) and every later version show a ribbon in their explorers.
constexpr int kFirstRibbonVersion = 14;

// The default value of the key under HKEY_CLASSES_ROOT, read in `view`.
std::optional<std::string> DefaultValue(platform::Registry& registry,
                                        std::string path,
                                        RegistryView view) {
  return registry.ReadString(RegistryKey{RegistryRoot::kClassesRoot, std::move(path), view}, "");
}

// Outlook's class id, then its local server path below `clsid_root`, both read in one view of
// the registry; the Office version that path names, if any.
std::optional<int> ServerNamedVersion(platform::Registry& registry,
                                      RegistryView progid_view,
                                      const std::string& clsid_root) {
  try {
    const std::optional<std::string> clsid =
        DefaultValue(registry, "Outlook.Application\\CLSID", progid_view);
    if (!clsid || clsid->empty()) {
      return std::nullopt;
    }
    const std::optional<std::string> server =
        DefaultValue(registry, clsid_root + *clsid + "\\LocalServer32", RegistryView::k64);
    return server ? NamedOfficeVersion(*server) : std::nullopt;
  } catch (...) {
    // The registry is only consulted: a failure means "not found".
    return std::nullopt;
  }
}

}  // namespace

void DetectOutlookVersion(platform::Registry& registry,
                          Configuration& configuration,
                          const std::function<std::string()>& reported_version) {
  configuration.HostFoundNative = false;
  configuration.HostFoundWow64 = false;
  configuration.HostIsRibbonOutlook = false;
  // The 64-bit view is the native one on 64-bit Windows and the only one on 32-bit Windows, so
  // these reads mean the same whichever build of the add-in runs. Below Wow6432Node it holds
  // the registrations of 32-bit programs on 64-bit Windows.
  const std::optional<int> native = ServerNamedVersion(registry, RegistryView::k64, "CLSID\\");
  const std::optional<int> wow64 =
      ServerNamedVersion(registry, RegistryView::k32, "Wow6432Node\\CLSID\\");
  configuration.HostFoundNative = native && *native >= kFirstRibbonVersion;
  configuration.HostFoundWow64 = wow64 && *wow64 >= kFirstRibbonVersion;
  configuration.HostIsRibbonOutlook = configuration.HostFoundNative || configuration.HostFoundWow64;
  if (!native && !wow64 && reported_version) {
    // No registration names a version (a click-to-run Outlook whose registration is
    // virtualised, say): the version Outlook itself reports decides.
    try {
      configuration.HostIsRibbonOutlook =
          framework::MajorVersionOf(reported_version()) >= kFirstRibbonVersion;
    } catch (...) {
      // Unknown: the command bar, as for a host that names no ribbon version.
    }
  }
  configuration.HostChecked = true;
}

}  // namespace quivra::core
