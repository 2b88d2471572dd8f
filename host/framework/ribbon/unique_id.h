#ifndef QUIVRA_HOST_FRAMEWORK_RIBBON_UNIQUE_ID_H_
#define QUIVRA_HOST_FRAMEWORK_RIBBON_UNIQUE_ID_H_

#include <string>
#include <string_view>

namespace quivra::framework {

// A new random GUID in registry form: "{8A1F03C2-5D4E-4B7A-9C21-0F3E5D6A7B8C}".
std::string NewGuidText();

// A new control id of the framework's form: `kind` followed by 32 hexadecimal digits
// ("adxRibbonButton3F2A…").
std::string NewControlId(std::string_view kind);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_RIBBON_UNIQUE_ID_H_
