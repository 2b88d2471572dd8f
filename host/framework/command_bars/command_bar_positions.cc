#include "host/framework/command_bars/command_bar_positions.h"

#include <cstdint>
#include <exception>

#include "host/framework/command_bars/office_properties.h"

namespace quivra::framework {

namespace {

// The bar properties that make its position, saved under Office's names.
constexpr TProperty kPositionProperties[] = {
    TProperty::Position,
    TProperty::CommandBarLeft,
    TProperty::CommandBarTop,
    TProperty::RowIndex,
};

}  // namespace

platform::RegistryKey TCommandBarPositions::KeyOf(const TOlExplorerCommandBar& bar) const {
  return add_in_key_.Sub("CommandBars").Sub(bar.CommandBarName());
}

void TCommandBarPositions::Restore(const std::vector<TOlExplorerCommandBar*>& bars) {
  for (TOlExplorerCommandBar* bar : bars) {
    if (!bar->Temporary()) {
      continue;
    }
    const platform::RegistryKey key = KeyOf(*bar);
    // A bar never moved has no saved place: one request finds that out instead of four.
    if (!registry_.KeyExists(key)) {
      continue;
    }
    const auto read = [&](TProperty property) {
      return registry_.ReadDword(key, std::string(OfficeBarName(property)));
    };
    if (auto position = read(TProperty::Position);
        position && *position <= static_cast<std::uint32_t>(TMsoBarPosition::msoBarMenuBar)) {
      bar->SetPosition(static_cast<TMsoBarPosition>(*position));
    }
    if (auto left = read(TProperty::CommandBarLeft)) {
      bar->SetCommandBarLeft(static_cast<int>(static_cast<std::int32_t>(*left)));
    }
    if (auto top = read(TProperty::CommandBarTop)) {
      bar->SetCommandBarTop(static_cast<int>(static_cast<std::int32_t>(*top)));
    }
    if (auto row = read(TProperty::RowIndex)) {
      bar->SetRowIndex(static_cast<int>(static_cast<std::int32_t>(*row)));
    }
  }
}

void TCommandBarPositions::Save(
    const std::map<const TOlExplorerCommandBar*, office::CommandBarPtr>& bars) {
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
      for (TProperty property : kPositionProperties) {
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
