#include "core/registration_properties.h"

namespace quivra::core {

framework::TRegistrationInfo QuivraRegistrationInfo() {
  framework::TRegistrationInfo info;
  info.AddInName = "QuivraOL";
  info.Description = "";
  info.SupportedApps = {framework::TOfficeHostApp::ohaOutlook};
  info.LoadBehavior = 3;
  info.RegisterForAllUsers = true;
  info.DisplayAlerts = false;
  return info;
}

}  // namespace quivra::core
