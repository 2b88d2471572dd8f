#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_HOST_APPS_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_HOST_APPS_H_

#include <cstdint>
#include <initializer_list>
#include <string>

namespace quivra::framework {

// The Office applications an add-in can be registered for, in the framework's order.
enum class TOfficeHostApp {
  ohaExcel,
  ohaWord,
  ohaOutlook,
  ohaPowerPoint,
  ohaAccess,
  ohaProject,
  ohaFrontPage,
  ohaMapPoint,
  ohaVisio,
  ohaPublisher,
  ohaInfoPath,
};
constexpr int kHostAppCount = 11;

// A set of host applications.
class THostAppSet {
 public:
  THostAppSet() = default;
  THostAppSet(std::initializer_list<TOfficeHostApp> hosts) {
    for (TOfficeHostApp host : hosts)
      Include(host);
  }
  void Include(TOfficeHostApp host) { bits_ |= Bit(host); }
  bool Contains(TOfficeHostApp host) const { return (bits_ & Bit(host)) != 0; }
  bool Empty() const { return bits_ == 0; }
  bool operator==(const THostAppSet&) const = default;

 private:
  static std::uint32_t Bit(TOfficeHostApp host) {
    return std::uint32_t{1} << static_cast<int>(host);
  }
  std::uint32_t bits_ = 0;
};

// What the registry knows a host by.
struct THostAppInfo {
  const char* registry_name;  // "Outlook", "MS Project", ...
  const char* prog_id;        // "Outlook.Application", ...
};

const THostAppInfo& HostAppInfo(TOfficeHostApp host);

// The key, below HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, through which the host finds the
// add-in with the ProgID `add_in_prog_id`:
// "\Software\Microsoft\Office\Outlook\AddIns\OLQuivra.coOLQuivra" and the like.
std::string AddInKeyPath(TOfficeHostApp host, const std::string& add_in_prog_id);

// The major version of a host's version text ("16.0.0.17328": 16); 0 when it starts with no digit.
int MajorVersionOf(const std::string& version);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_HOST_APPS_H_
