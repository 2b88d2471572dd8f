#include "core/registration_properties.h"

namespace quivra::core {

framework::TadxRegistrationInfo QuivraRegistrationInfo() {
  framework::TadxRegistrationInfo info;
  info.AddInName = "QuivraOL";
  info.Description = "";
  info.SupportedApps = {framework::TadxOfficeHostApp::ohaOutlook};
  info.LoadBehavior = 3;
  info.RegisterForAllUsers = true;
  info.DisplayAlerts = false;
  return info;
}

}  // namespace quivra::core
