#ifndef QUIVRA_TESTS_SUPPORT_OUTLOOK_REGISTRATION_H_
#define QUIVRA_TESTS_SUPPORT_OUTLOOK_REGISTRATION_H_

#include <string>

#include "platform/registry.h"

namespace quivra::test {

// An installed Outlook: where its local server is, and the version it reports.
struct OutlookRelease {
  const char* server_path;
  const char* version;
};

// Outlook 2007, with command bars.
inline constexpr OutlookRelease kOutlook2007{
    "C:\\Program Files\\Microsoft Office\\Office12\\OUTLOOK.EXE", "12.0.6423.1000"};
// Outlook 2010, the first with a ribbon.
inline constexpr OutlookRelease kOutlook2010{
    "C:\\Program Files\\Microsoft Office\\Office14\\OUTLOOK.EXE", "14.0.0.7015"};
// Outlook 2013.
inline constexpr OutlookRelease kOutlook2013{
    "C:\\Program Files\\Microsoft Office\\Office15\\OUTLOOK.EXE", "15.0.4569.1506"};
// Outlook 2016 (2019, 2021 and Microsoft 365 report the same major version), click-to-run.
inline constexpr OutlookRelease kOutlook2016{
    "C:\\Program Files\\Microsoft Office\\root\\Office16\\OUTLOOK.EXE", "16.0.0.17328"};

// Registers Outlook's local server with that path, in one view of the registry, as Outlook's
// set-up does.
void RegisterOutlookServer(platform::Registry& registry,
                           const std::string& server_path,
                           platform::RegistryView view = platform::RegistryView::kDefault);

}  // namespace quivra::test

#endif  // QUIVRA_TESTS_SUPPORT_OUTLOOK_REGISTRATION_H_
