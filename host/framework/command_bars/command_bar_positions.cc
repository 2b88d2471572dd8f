#include "host/framework/command_bars/command_bar_positions.h"

#include <cstdint>
#include <exception>

#include "host/framework/command_bars/office_properties.h"

namespace quivra::framework {

namespace {

// The bar properties that make its position, saved under Office's names.
constexpr TadxProperty kPositionProperties[] = {
    TadxProperty::Position,
    TadxProperty::CommandBarLeft,
    TadxProperty::CommandBarTop,
    TadxProperty::RowIndex,
};

}  // namespace

platform::RegistryKey TadxCommandBarPositions::KeyOf(const TadxOlExplorerCommandBar& bar) const {
  return add_in_key_.Sub("CommandBars").Sub(bar.CommandBarName());
}

void TadxCommandBarPositions::Restore(const std::vector<TadxOlExplorerCommandBar*>& bars) {
  for (TadxOlExplorerCommandBar* bar : bars) {
    if (!bar->Temporary()) {
      continue;
    }
    const platform::RegistryKey key = KeyOf(*bar);
    // A bar never moved has no saved place: one request finds that out instead of four.
    if (!registry_.KeyExists(key)) {
      continue;
    }
    const auto read = [&](TadxProperty property) {
      return registry_.ReadDword(key, std::string(OfficeBarName(property)));
    };
    if (auto position = read(TadxProperty::Position);
        position && *position <= static_cast<std::uint32_t>(TadxMsoBarPosition::adxMsoBarMenuBar)) {
      bar->SetPosition(static_cast<TadxMsoBarPosition>(*position));
    }
    if (auto left = read(TadxProperty::CommandBarLeft)) {
      bar->SetCommandBarLeft(static_cast<int>(static_cast<std::int32_t>(*left)));
    }
    if (auto top = read(TadxProperty::CommandBarTop)) {
      bar->SetCommandBarTop(static_cast<int>(static_cast<std::int32_t>(*top)));
    }
    if (auto row = read(TadxProperty::RowIndex)) {
      bar->SetRowIndex(static_cast<int>(static_cast<std::int32_t>(*row)));
    }
  }
}

void TadxCommandBarPositions::Save(
    const std::map<const TadxOlExplorerCommandBar*, office::CommandBarPtr>& bars) {
  for (const auto& [bar, office_bar] : bars) {
    if (!bar->Temporary()) {
      continue;
    }
    try {
      if (office_bar->GetBool(kOfficeBuiltIn)) {
        continue;
      }
      const platform::RegistryKey key = KeyOf(*bar);
      registry_.CreateKey(key);
      for (TadxProperty property : kPositionProperties) {
        const std::string_view name = OfficeBarName(property);
        registry_.WriteDword(key, std::string(name),
                             static_cast<std::uint32_t>(office_bar->GetInt(name)));
      }
    } catch (const std::exception&) {
      // A bar that no longer answers keeps the positions saved before.
    }
  }
}

}  // namespace quivra::framework
