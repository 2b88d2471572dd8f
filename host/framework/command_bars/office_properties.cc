#include "host/framework/command_bars/office_properties.h"

#include <stdexcept>
#include <string>

namespace quivra::framework {

namespace {

using office::PropertyValue;
using Value = std::optional<PropertyValue>;

const TadxCommandBarButton* AsButton(const TadxCommandBarControl& item) {
  return dynamic_cast<const TadxCommandBarButton*>(&item);
}

// Sizes and face ids left at 0 are Office's own; so are the button properties of a pop-up.
Value Size(int value) {
  return value != 0 ? Value(value) : std::nullopt;
}

// What a control Office has just added holds: no text, no group line, enabled and visible, an
// up button in the automatic style without a hyperlink. Its caption, tooltip, priority, size
// and face are left out: Office versions differ there.
Value Empty() {
  return std::string();
}

Value Zero() {
  return 0;
}

constexpr TadxOfficeControlProperty kControlProperties[] = {
    {"BeginGroup", TadxProperty::BeginGroup,
     [](const TadxCommandBarControl& item) -> Value { return item.BeginGroup(); },
     [] { return Value(false); }},
    {"Caption", TadxProperty::Caption,
     [](const TadxCommandBarControl& item) -> Value { return item.Caption(); }},
    {"DescriptionText", TadxProperty::DescriptionText,
     [](const TadxCommandBarControl& item) -> Value { return item.DescriptionText(); }, &Empty},
    {"Enabled", TadxProperty::Enabled,
     [](const TadxCommandBarControl& item) -> Value { return item.Enabled(); },
     [] { return Value(true); }},
    {"Height", TadxProperty::Height,
     [](const TadxCommandBarControl& item) { return Size(item.Height()); }},
    {"HelpContextID", TadxProperty::HelpContextID,
     [](const TadxCommandBarControl& item) -> Value { return item.HelpContextID(); }, &Zero},
    {"HelpFile", TadxProperty::HelpFile,
     [](const TadxCommandBarControl& item) -> Value { return item.HelpFile(); }, &Empty},
    {"Parameter", TadxProperty::Parameter,
     [](const TadxCommandBarControl& item) -> Value { return item.Parameter(); }, &Empty},
    {"Priority", TadxProperty::Priority,
     [](const TadxCommandBarControl& item) -> Value { return item.Priority(); }},
    {"Tag", TadxProperty::OfficeTag,
     [](const TadxCommandBarControl& item) -> Value { return item.OfficeTag(); }, &Empty},
    {"TooltipText", TadxProperty::TooltipText,
     [](const TadxCommandBarControl& item) -> Value { return item.TooltipText(); }},
    {"Visible", TadxProperty::Visible,
     [](const TadxCommandBarControl& item) -> Value { return item.Visible(); },
     [] { return Value(true); }},
    {"Width", TadxProperty::Width,
     [](const TadxCommandBarControl& item) { return Size(item.Width()); }},
    {"FaceId", TadxProperty::FaceID,
     [](const TadxCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Size(button->FaceID()) : std::nullopt;
     }},
    {"ShortcutText", TadxProperty::ShortcutText,
     [](const TadxCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Value(button->ShortcutText()) : std::nullopt;
     },
     &Empty},
    {"State", TadxProperty::State,
     [](const TadxCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Value(button->State()) : std::nullopt;
     },
     &Zero},
    {"Style", TadxProperty::Style,
     [](const TadxCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Value(static_cast<int>(button->Style())) : std::nullopt;
     },
     &Zero},
    {"HyperlinkType", TadxProperty::HyperlinkType,
     [](const TadxCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Value(button->HyperlinkType()) : std::nullopt;
     },
     &Zero},
    // Given when the control is added, never written.
    {kOfficeType, std::nullopt},
    {"Id", TadxProperty::OfficeID},
};

// Left, Top and RowIndex at -1 are Office's own.
Value Placement(int value) {
  return value != -1 ? Value(value) : std::nullopt;
}

constexpr TadxOfficeBarProperty kBarProperties[] = {
    {"Enabled", TadxProperty::Enabled,
     [](const TadxOlExplorerCommandBar& bar) -> Value { return bar.Enabled(); }},
    {"Visible", TadxProperty::Visible,
     [](const TadxOlExplorerCommandBar& bar) -> Value { return bar.Visible(); }},
    {"Protection", TadxProperty::Protection,
     [](const TadxOlExplorerCommandBar& bar) -> Value {
       return static_cast<int>(bar.Protection());
     }},
    {"Position", TadxProperty::Position,
     [](const TadxOlExplorerCommandBar& bar) -> Value { return static_cast<int>(bar.Position()); }},
    {"Left", TadxProperty::CommandBarLeft,
     [](const TadxOlExplorerCommandBar& bar) { return Placement(bar.CommandBarLeft()); }},
    {"Top", TadxProperty::CommandBarTop,
     [](const TadxOlExplorerCommandBar& bar) { return Placement(bar.CommandBarTop()); }},
    {"RowIndex", TadxProperty::RowIndex,
     [](const TadxOlExplorerCommandBar& bar) { return Placement(bar.RowIndex()); }},
    {kOfficeName, TadxProperty::CommandBarName,
     [](const TadxOlExplorerCommandBar& bar) -> Value { return bar.CommandBarName(); }},
    {kOfficeNameLocal, TadxProperty::CommandBarName,
     [](const TadxOlExplorerCommandBar& bar) -> Value { return bar.CommandBarName(); }},
    {kOfficeBuiltIn, std::nullopt},
    {kOfficeType, std::nullopt},
};

template <typename Row, std::size_t size>
const Row* Find(const Row (&rows)[size], TadxProperty property) {
  for (const Row& row : rows) {
    if (row.property == property) {
      return &row;
    }
  }
  return nullptr;
}

template <typename Row>
std::string_view NameOf(const Row* row, TadxProperty property) {
  if (row == nullptr) {
    throw std::logic_error("Office has no property for property " +
                           std::to_string(static_cast<int>(property)) + ".");
  }
  return row->office_name;
}

}  // namespace

std::span<const TadxOfficeControlProperty> OfficeControlProperties() {
  return kControlProperties;
}

std::span<const TadxOfficeBarProperty> OfficeBarProperties() {
  return kBarProperties;
}

const TadxOfficeControlProperty* FindOfficeControlProperty(TadxProperty property) {
  return Find(kControlProperties, property);
}

const TadxOfficeBarProperty* FindOfficeBarProperty(TadxProperty property) {
  return Find(kBarProperties, property);
}

std::string_view OfficeControlName(TadxProperty property) {
  return NameOf(FindOfficeControlProperty(property), property);
}

std::string_view OfficeBarName(TadxProperty property) {
  return NameOf(FindOfficeBarProperty(property), property);
}

}  // namespace quivra::framework
