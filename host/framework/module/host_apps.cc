#include "host/framework/module/host_apps.h"

namespace quivra::framework {

namespace {

constexpr THostAppInfo kHosts[kHostAppCount] = {
    {"Excel", "Excel.Application"},         {"Word", "Word.Application"},
    {"Outlook", "Outlook.Application"},     {"PowerPoint", "PowerPoint.Application"},
    {"Access", "Access.Application"},       {"MS Project", "MSProject.Application"},
    {"FrontPage", "FrontPage.Application"}, {"MapPoint", "MapPoint.Application"},
    {"Visio", "Visio.Application"},         {"Publisher", "Publisher.Application"},
    {"InfoPath", "InfoPath.Application"},
};

}  // namespace

const THostAppInfo& HostAppInfo(TOfficeHostApp host) {
  return kHosts[static_cast<int>(host)];
}

std::string AddInKeyPath(TOfficeHostApp host, const std::string& add_in_prog_id) {
  // MapPoint and Visio keep their add-ins outside the Office branch.
  const bool outside_office =
      host == TOfficeHostApp::ohaMapPoint || host == TOfficeHostApp::ohaVisio;
  return std::string(outside_office ? "\\Software\\Microsoft\\"
                                    : "\\Software\\Microsoft\\Office\\") +
         HostAppInfo(host).registry_name + "\\AddIns\\" + add_in_prog_id;
}

int MajorVersionOf(const std::string& version) {
  int major = 0;
  for (char c : version) {
    if (c < '0' || c > '9' || major > 1000) {
      break;
    }
    major = major * 10 + (c - '0');
  }
  return major;
}

}  // namespace quivra::framework
