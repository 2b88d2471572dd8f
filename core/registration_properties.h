#ifndef QUIVRA_CORE_REGISTRATION_PROPERTIES_H_
#define QUIVRA_CORE_REGISTRATION_PROPERTIES_H_

#include "host/framework/registration/registration.h"

namespace quivra::core {

// The add-in module's registration properties: Outlook only, loaded at start-up, for every
// user of the machine. DllRegisterServer registers with them, and the installer package's
// registry entries are generated from them, so both write the same keys.
framework::TRegistrationInfo QuivraRegistrationInfo();

}  // namespace quivra::core

#endif  // QUIVRA_CORE_REGISTRATION_PROPERTIES_H_
