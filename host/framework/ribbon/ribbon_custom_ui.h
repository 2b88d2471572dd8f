#ifndef QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CUSTOM_UI_H_
#define QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CUSTOM_UI_H_

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/framework/ribbon/ribbon_controls.h"
#include "host/framework/ribbon/ribbon_sets.h"
#include "host/framework/ribbon/ribbon_tab.h"

namespace quivra::framework {

class TCOMAddInModule;

// The customUI namespaces of the Office 2007 and Office 2010 schemas.
inline constexpr std::string_view kCustomUINamespace2006 =
    "http://schemas.microsoft.com/office/2006/01/customui";
inline constexpr std::string_view kCustomUINamespace2009 =
    "http://schemas.microsoft.com/office/2009/07/customui";

// The text writer of the customUI description: one element a line, CR LF between lines, one
// TAB per level, attributes in the order they were added, " />" closing an empty element.
// Attribute values are escaped (& < > "), so that a text with markup characters cannot make the
// description unreadable for Office.
class TXMLHelper {
 public:
  using Attributes = std::vector<std::pair<std::string, std::string>>;

  void OpenElement(std::string_view name);
  // Adds an attribute to the element opened last.
  void AddAttribute(std::string_view name, std::string_view value);
  void EmptyElement(std::string_view name, const Attributes& attributes);
  void CloseElement(std::string_view name);

  const std::string& Text() const { return text_; }

 private:
  void StartLine();

  std::string text_;
  std::string separator_;
  int depth_ = 0;
};

// Whether a component of the ribbons `Ribbons` and `Ribbons2010` belongs to the ribbon that
// Office asks for as RibbonID.
bool AppliesTo(std::string_view RibbonID, TRibbons Ribbons, TRibbons2010 Ribbons2010);
// Whether the ribbons name some Outlook ribbon.
bool AppliesToOutlook(TRibbons Ribbons, TRibbons2010 Ribbons2010);
// Whether RibbonID names a ribbon of Outlook.
bool IsOutlookRibbon(std::string_view RibbonID);

// The ribbon tabs of the module that Office builds as ribbon tabs: those without a context, in
// creation order.
std::vector<TRibbonTab*> RibbonTabs(const TCOMAddInModule& module);

// The customUI description of the module's ribbon components for the ribbon RibbonID of a host
// of version HostMajorVersion (12 Outlook 2007, 14 Outlook 2010, 15 Outlook 2013). Raises the
// OnCreate event of each menu written (through the module's error report).
std::string WriteCustomUI(TCOMAddInModule& module,
                          const std::string& RibbonID,
                          int HostMajorVersion);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CUSTOM_UI_H_
