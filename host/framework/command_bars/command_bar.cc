#include "host/framework/command_bars/command_bar.h"

#include <utility>

#include "host/framework/module/com_addin_module.h"

namespace quivra::framework {

TOlExplorerCommandBar::TOlExplorerCommandBar(TCOMAddInModule& owner)
    : TComponent(owner),
      command_bar_name_(
          "Custom " + std::to_string(owner.ComponentsOf<TOlExplorerCommandBar>().size() + 1)) {}

void TOlExplorerCommandBar::SetCommandBarName(std::string value) {
  if (StoreIfChanged(command_bar_name_, std::move(value)))
    Changed(TProperty::CommandBarName);
}

void TOlExplorerCommandBar::SetEnabled(bool value) {
  if (StoreIfChanged(enabled_, value))
    Changed(TProperty::Enabled);
}

void TOlExplorerCommandBar::SetVisible(bool value) {
  if (StoreIfChanged(visible_, value))
    Changed(TProperty::Visible);
}

void TOlExplorerCommandBar::SetPosition(TMsoBarPosition value) {
  if (StoreIfChanged(position_, value))
    Changed(TProperty::Position);
}

void TOlExplorerCommandBar::SetProtection(TMsoBarProtection value) {
  if (StoreIfChanged(protection_, value))
    Changed(TProperty::Protection);
}

void TOlExplorerCommandBar::SetCommandBarLeft(int value) {
  if (StoreIfChanged(command_bar_left_, value))
    Changed(TProperty::CommandBarLeft);
}

void TOlExplorerCommandBar::SetCommandBarTop(int value) {
  if (StoreIfChanged(command_bar_top_, value))
    Changed(TProperty::CommandBarTop);
}

void TOlExplorerCommandBar::SetRowIndex(int value) {
  if (StoreIfChanged(row_index_, value))
    Changed(TProperty::RowIndex);
}

void TOlExplorerCommandBar::SetTemporary(bool value) {
  if (StoreIfChanged(temporary_, value))
    Changed(TProperty::Temporary);
}

void TOlExplorerCommandBar::SetSupportedApps(THostAppSet value) {
  if (StoreIfChanged(supported_apps_, value))
    Changed(TProperty::SupportedApps);
}

void TOlExplorerCommandBar::SetItemTypes(TOLItemTypes value) {
  if (StoreIfChanged(item_types_, value))
    Changed(TProperty::ItemTypes);
}

void TOlExplorerCommandBar::SetFolderName(std::string value) {
  if (StoreIfChanged(folder_name_, std::move(value)))
    Changed(TProperty::FolderName);
}

void TOlExplorerCommandBar::SetFolderNames(std::vector<std::string> value) {
  if (StoreIfChanged(folder_names_, std::move(value)))
    Changed(TProperty::FolderNames);
}

void TOlExplorerCommandBar::SetUseForRibbon(bool value) {
  if (StoreIfChanged(use_for_ribbon_, value))
    Changed(TProperty::UseForRibbon);
}

}  // namespace quivra::framework
