#include "host/framework/command_bars/office_properties.h"

#include <stdexcept>
#include <string>

namespace quivra::framework {

namespace {

using office::PropertyValue;
using Value = std::optional<PropertyValue>;

const TCommandBarButton* AsButton(const TCommandBarControl& item) {
  return dynamic_cast<const TCommandBarButton*>(&item);
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

constexpr TOfficeControlProperty kControlProperties[] = {
    {"BeginGroup", TProperty::BeginGroup,
     [](const TCommandBarControl& item) -> Value { return item.BeginGroup(); },
     [] { return Value(false); }},
    {"Caption", TProperty::Caption,
     [](const TCommandBarControl& item) -> Value { return item.Caption(); }},
    {"DescriptionText", TProperty::DescriptionText,
     [](const TCommandBarControl& item) -> Value { return item.DescriptionText(); }, &Empty},
    {"Enabled", TProperty::Enabled,
     [](const TCommandBarControl& item) -> Value { return item.Enabled(); },
     [] { return Value(true); }},
    {"Height", TProperty::Height,
     [](const TCommandBarControl& item) { return Size(item.Height()); }},
    {"HelpContextID", TProperty::HelpContextID,
     [](const TCommandBarControl& item) -> Value { return item.HelpContextID(); }, &Zero},
    {"HelpFile", TProperty::HelpFile,
     [](const TCommandBarControl& item) -> Value { return item.HelpFile(); }, &Empty},
    {"Parameter", TProperty::Parameter,
     [](const TCommandBarControl& item) -> Value { return item.Parameter(); }, &Empty},
    {"Priority", TProperty::Priority,
     [](const TCommandBarControl& item) -> Value { return item.Priority(); }},
    {"Tag", TProperty::OfficeTag,
     [](const TCommandBarControl& item) -> Value { return item.OfficeTag(); }, &Empty},
    {"TooltipText", TProperty::TooltipText,
     [](const TCommandBarControl& item) -> Value { return item.TooltipText(); }},
    {"Visible", TProperty::Visible,
     [](const TCommandBarControl& item) -> Value { return item.Visible(); },
     [] { return Value(true); }},
    {"Width", TProperty::Width,
     [](const TCommandBarControl& item) { return Size(item.Width()); }},
    {"FaceId", TProperty::FaceID,
     [](const TCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Size(button->FaceID()) : std::nullopt;
     }},
    {"ShortcutText", TProperty::ShortcutText,
     [](const TCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Value(button->ShortcutText()) : std::nullopt;
     },
     &Empty},
    {"State", TProperty::State,
     [](const TCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Value(button->State()) : std::nullopt;
     },
     &Zero},
    {"Style", TProperty::Style,
     [](const TCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Value(static_cast<int>(button->Style())) : std::nullopt;
     },
     &Zero},
    {"HyperlinkType", TProperty::HyperlinkType,
     [](const TCommandBarControl& item) {
       const auto* button = AsButton(item);
       return button != nullptr ? Value(button->HyperlinkType()) : std::nullopt;
     },
     &Zero},
    // Given when the control is added, never written.
    {kOfficeType, std::nullopt},
    {"Id", TProperty::OfficeID},
};

// Left, Top and RowIndex at -1 are Office's own.
Value Placement(int value) {
  return value != -1 ? Value(value) : std::nullopt;
}

constexpr TOfficeBarProperty kBarProperties[] = {
    {"Enabled", TProperty::Enabled,
     [](const TOlExplorerCommandBar& bar) -> Value { return bar.Enabled(); }},
    {"Visible", TProperty::Visible,
     [](const TOlExplorerCommandBar& bar) -> Value { return bar.Visible(); }},
    {"Protection", TProperty::Protection,
     [](const TOlExplorerCommandBar& bar) -> Value {
       return static_cast<int>(bar.Protection());
     }},
    {"Position", TProperty::Position,
     [](const TOlExplorerCommandBar& bar) -> Value { return static_cast<int>(bar.Position()); }},
    {"Left", TProperty::CommandBarLeft,
     [](const TOlExplorerCommandBar& bar) { return Placement(bar.CommandBarLeft()); }},
    {"Top", TProperty::CommandBarTop,
     [](const TOlExplorerCommandBar& bar) { return Placement(bar.CommandBarTop()); }},
    {"RowIndex", TProperty::RowIndex,
     [](const TOlExplorerCommandBar& bar) { return Placement(bar.RowIndex()); }},
    {kOfficeName, TProperty::CommandBarName,
     [](const TOlExplorerCommandBar& bar) -> Value { return bar.CommandBarName(); }},
    {kOfficeNameLocal, TProperty::CommandBarName,
     [](const TOlExplorerCommandBar& bar) -> Value { return bar.CommandBarName(); }},
    {kOfficeBuiltIn, std::nullopt},
    {kOfficeType, std::nullopt},
};

template <typename Row, std::size_t size>
const Row* Find(const Row (&rows)[size], TProperty property) {
  for (const Row& row : rows) {
    if (row.property == property) {
      return &row;
    }
  }
  return nullptr;
}

template <typename Row>
std::string_view NameOf(const Row* row, TProperty property) {
  if (row == nullptr) {
    throw std::logic_error("Office has no property for property " +
                           std::to_string(static_cast<int>(property)) + ".");
  }
  return row->office_name;
}

}  // namespace

std::span<const TOfficeControlProperty> OfficeControlProperties() {
  return kControlProperties;
}

std::span<const TOfficeBarProperty> OfficeBarProperties() {
  return kBarProperties;
}

const TOfficeControlProperty* FindOfficeControlProperty(TProperty property) {
  return Find(kControlProperties, property);
}

const TOfficeBarProperty* FindOfficeBarProperty(TProperty property) {
  return Find(kBarProperties, property);
}

std::string_view OfficeControlName(TProperty property) {
  return NameOf(FindOfficeControlProperty(property), property);
}

std::string_view OfficeBarName(TProperty property) {
  return NameOf(FindOfficeBarProperty(property), property);
}

void WriteIfChanged(office::OfficeObject& object, std::string_view property,
                    const office::PropertyValue& value) {
  std::optional<office::PropertyValue> current;
  try {
    current = object.Get(property);
  } catch (const office::OfficeError&) {
  }
  if (current != value) {
    object.Put(property, value);
  }
}

}  // namespace quivra::framework
