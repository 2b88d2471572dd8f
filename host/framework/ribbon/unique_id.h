#ifndef QUIVRA_HOST_FRAMEWORK_RIBBON_UNIQUE_ID_H_
#define QUIVRA_HOST_FRAMEWORK_RIBBON_UNIQUE_ID_H_

#include <string>
#include <string_view>

namespace quivra::framework {

// A new random GUID in registry form: "{8A1F03C2-5D4E-4B7A-9C21-0F3E5D6A7B8C}".
std::string NewGuidText();

// A new control id of the framework's form: `kind` followed by 32 hexadecimal digits
// ("ribbonButton3F2A…").
std::string NewControlId(std::string_view kind);

// The control id of the framework's form for the control at `design_path` of the design data
// (its tab's component name, then its position in each container: "ribbonTab1/1/3"). The same
// text gives the same id on every load of the add-in and in every build, so what Office keys by
// control id (the Quick Access Toolbar, ribbon customizations) survives a restart of Outlook.
std::string DesignControlId(std::string_view kind, std::string_view design_path);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_RIBBON_UNIQUE_ID_H_
