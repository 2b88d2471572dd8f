#ifndef QUIVRA_CORE_VERSION_DETECTION_H_
#define QUIVRA_CORE_VERSION_DETECTION_H_

#include <functional>
#include <string>

#include "model/configuration.h"
#include "platform/registry.h"

namespace quivra::core {

// Finds out from the path of Outlook's registered executable whether the host shows a ribbon in
// its explorer windows (Outlook 2010 and every later version: a path naming Office14 or a later
// OfficeNN) and sets the four host flags of the configuration. The native registry view and the
// 32-bit view of a 64-bit Windows are asked separately; whatever is missing or unreadable leaves
// its flag false, silently. When neither view names a version, `reported_version` (Outlook's
// Application.Version, asked only then) decides; a failure there means no ribbon.
void DetectOutlookVersion(platform::Registry& registry,
                          Configuration& configuration,
                          const std::function<std::string()>& reported_version = {});

}  // namespace quivra::core

#endif  // QUIVRA_CORE_VERSION_DETECTION_H_
