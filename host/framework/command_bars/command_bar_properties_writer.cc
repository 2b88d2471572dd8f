#include "host/framework/command_bars/command_bar_connection.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <utility>

#include "host/framework/command_bars/office_properties.h"

// What the connection writes to Office's bars and controls: their properties when they are
// made or found again, and each later change of the add-in's bars and controls.
namespace quivra::framework {

namespace {

using office::PropertyValue;

// The button's picture and mask: the mask is white where the glyph shows the button face (its
// transparent colour, or its bottom-left pixel by default; fully transparent pixels too).
std::pair<office::Picture, office::Picture> PictureOf(const TCommandBarButton& button) {
  const TBitmap& glyph = button.Glyph();
  const std::size_t count =
      static_cast<std::size_t>(glyph.Width) * static_cast<std::size_t>(glyph.Height);
  office::Picture picture{glyph.Width, glyph.Height, {}};
  office::Picture mask{glyph.Width, glyph.Height, {}};
  if (glyph.Pixels.size() < count) {
    return {picture, mask};
  }
  TColor transparent = button.GlyphTransparentColor();
  if (transparent == clDefault) {
    transparent = glyph.Pixels[count - static_cast<std::size_t>(glyph.Width)] & 0xFFFFFF;
  }
  for (std::size_t index = 0; index < count; ++index) {
    const std::uint32_t pixel = glyph.Pixels[index];
    const bool clear =
        (pixel & 0xFFFFFF) == transparent || (glyph.BitsPerPixel == 32 && (pixel >> 24) == 0);
    picture.pixels.push_back(pixel & 0xFFFFFF);
    mask.pixels.push_back(clear ? 0xFFFFFF : 0);
  }
  return {picture, mask};
}

}  // namespace

void TCommandBarConnection::ApplyBarProperties(office::CommandBar& office_bar,
                                                  const TOlExplorerCommandBar& bar) {
  for (const TOfficeBarProperty& row : OfficeBarProperties()) {
    if (row.value == nullptr || row.property == TProperty::CommandBarName ||
        (row.property == TProperty::Visible && !bar.Enabled())) {
      continue;
    }
    if (auto value = row.value(bar)) {
      WriteIfChanged(office_bar, row.office_name, *value);
    }
  }
}

void TCommandBarConnection::ApplyControlProperties(office::CommandBarControl& control,
                                                      const TCommandBarControl& item,
                                                      bool added) {
  for (const TOfficeControlProperty& row : OfficeControlProperties()) {
    if (row.value == nullptr) {
      continue;
    }
    std::optional<PropertyValue> value = row.value(item);
    if (!value) {
      continue;
    }
    if (!added) {
      WriteIfChanged(control, row.office_name, *value);
    } else if (row.new_value == nullptr || row.new_value() != value) {
      // A control just added holds Office's values for a new one: reading them back from
      // Office would only tell what is already known. What is not known is written as is.
      control.Put(row.office_name, *value);
    }
  }
  if (const auto* button = dynamic_cast<const TCommandBarButton*>(&item)) {
    ApplyGlyph(control, *button);
  }
}

void TCommandBarConnection::ApplyGlyph(office::CommandBarControl& control,
                                          const TCommandBarButton& button) {
  if (button.Glyph().Empty()) {
    return;
  }
  auto [picture, mask] = PictureOf(button);
  try {
    control.SetPicture(picture, mask);
  } catch (const office::OfficeError&) {
    // The button goes without an image.
  }
}

void TCommandBarConnection::Carry(const TPropertyChange& change) {
  if (TCommandBarControl* item = change.CommandBarControl) {
    for (auto& window : windows_) {
      auto found = window->controls.find(item);
      if (found == window->controls.end()) {
        continue;
      }
      try {
        CarryToControl(*found->second, *item, change.Property);
      } catch (const std::exception& error) {
        // Another window may be closing; only the active one's failures are the user's concern.
        if (window.get() == active_) {
          module_.ReportError(error);
        }
      }
    }
    return;
  }
  auto* bar = dynamic_cast<TOlExplorerCommandBar*>(change.Component);
  if (bar == nullptr || bar_target_ == nullptr) {
    return;
  }
  auto found = bar_target_->bar.find(bar);
  if (found == bar_target_->bar.end()) {
    return;
  }
  try {
    CarryToBar(*found->second, *bar, change.Property);
  } catch (const std::exception& error) {
    module_.ReportError(error);
  }
}

void TCommandBarConnection::CarryToControl(office::CommandBarControl& control,
                                              const TCommandBarControl& item,
                                              TProperty property) {
  if (property == TProperty::Glyph || property == TProperty::GlyphTransparentColor) {
    if (const auto* button = dynamic_cast<const TCommandBarButton*>(&item)) {
      ApplyGlyph(control, *button);
    }
    return;
  }
  const TOfficeControlProperty* row = FindOfficeControlProperty(property);
  if (row == nullptr || row->value == nullptr) {
    return;
  }
  const std::string_view name = row->office_name;
  std::optional<PropertyValue> value = row->value(item);
  if (!value) {
    return;
  }
  std::optional<PropertyValue> current;
  try {
    current = control.Get(name);
  } catch (const office::OfficeError&) {
  }
  if (current == value) {
    return;
  }
  control.Put(name, *value);
  if (property == TProperty::Enabled) {
    // Outlook redraws a control whose Enabled changed only once its size changes.
    const std::string_view width_name = OfficeControlName(TProperty::Width);
    const int width = control.GetInt(width_name);
    control.Put(width_name, width + 1);
    control.Put(width_name, width);
  }
}

void TCommandBarConnection::CarryToBar(office::CommandBar& office_bar,
                                          const TOlExplorerCommandBar& bar,
                                          TProperty property) {
  if (office_bar.GetBool(kOfficeBuiltIn)) {
    return;
  }
  if (property == TProperty::Visible && !bar.Enabled()) {
    return;
  }
  // The name goes to both of Office's names of the bar.
  for (const TOfficeBarProperty& row : OfficeBarProperties()) {
    if (row.property != property || row.value == nullptr) {
      continue;
    }
    if (auto value = row.value(bar)) {
      WriteIfChanged(office_bar, row.office_name, *value);
    }
  }
}

}  // namespace quivra::framework
