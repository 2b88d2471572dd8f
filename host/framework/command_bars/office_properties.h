#ifndef QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_OFFICE_PROPERTIES_H_
#define QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_OFFICE_PROPERTIES_H_

#include <optional>
#include <span>
#include <string_view>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/command_bars/command_bar_controls.h"
#include "host/framework/module/component.h"
#include "host/office/command_bars.h"

namespace quivra::framework {

// One property of Office's command-bar controls or bars, and what the add-in puts into it.
template <typename Item>
struct TOfficeProperty {
  // Office's name of the property.
  std::string_view office_name;
  // The property of the add-in's control or bar that Office's one shows; none for a property
  // Office keeps to itself (the add-in reads it at most).
  std::optional<TProperty> property;
  // The value Office takes from the add-in's control or bar; null for a property that is not
  // written by name, and a result of none where Office keeps its own value.
  std::optional<office::PropertyValue> (*value)(const Item&) = nullptr;
  // The value a control Office has just added holds; null where it is not known for certain.
  // Office's new control is given only values that differ from it, without a read.
  std::optional<office::PropertyValue> (*new_value)() = nullptr;
};

using TOfficeControlProperty = TOfficeProperty<TCommandBarControl>;
using TOfficeBarProperty = TOfficeProperty<TOlExplorerCommandBar>;

// Office's properties that are not the add-in's.
inline constexpr std::string_view kOfficeType = "Type";
inline constexpr std::string_view kOfficeBuiltIn = "BuiltIn";
// A bar's name: the one it was added by, and the one shown in the user's language.
inline constexpr std::string_view kOfficeName = "Name";
inline constexpr std::string_view kOfficeNameLocal = "NameLocal";

// Every property an Office command-bar control answers to by name. Those with a value, in the
// order of the list, are what a new control gets.
std::span<const TOfficeControlProperty> OfficeControlProperties();
// Every property an Office command bar answers to by name. Those with a value, in the order of
// the list, are what a new bar gets, but for its name (given when the bar is added).
std::span<const TOfficeBarProperty> OfficeBarProperties();

// The row of a control's or bar's property; null when Office has no such property.
const TOfficeControlProperty* FindOfficeControlProperty(TProperty property);
const TOfficeBarProperty* FindOfficeBarProperty(TProperty property);
// Office's name of a control's or bar's property, which must have one.
std::string_view OfficeControlName(TProperty property);
std::string_view OfficeBarName(TProperty property);

// Writes a property only when Office holds another value; a value that cannot be read is
// written all the same.
void WriteIfChanged(office::OfficeObject& object, std::string_view property,
                    const office::PropertyValue& value);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_OFFICE_PROPERTIES_H_
