#include "host/framework/command_bars/command_bar.h"

#include <utility>

#include "host/framework/module/com_addin_module.h"

namespace quivra::framework {

TadxOlExplorerCommandBar::TadxOlExplorerCommandBar(TadxCOMAddInModule& owner)
    : TadxComponent(owner),
      command_bar_name_(
          "Custom " + std::to_string(owner.ComponentsOf<TadxOlExplorerCommandBar>().size() + 1)) {}

void TadxOlExplorerCommandBar::SetCommandBarName(std::string value) {
  if (StoreIfChanged(command_bar_name_, std::move(value)))
    Changed(TadxProperty::CommandBarName);
}

void TadxOlExplorerCommandBar::SetEnabled(bool value) {
  if (StoreIfChanged(enabled_, value))
    Changed(TadxProperty::Enabled);
}

void TadxOlExplorerCommandBar::SetVisible(bool value) {
  if (StoreIfChanged(visible_, value))
    Changed(TadxProperty::Visible);
}

void TadxOlExplorerCommandBar::SetPosition(TadxMsoBarPosition value) {
  if (StoreIfChanged(position_, value))
    Changed(TadxProperty::Position);
}

void TadxOlExplorerCommandBar::SetProtection(TadxMsoBarProtection value) {
  if (StoreIfChanged(protection_, value))
    Changed(TadxProperty::Protection);
}

void TadxOlExplorerCommandBar::SetCommandBarLeft(int value) {
  if (StoreIfChanged(command_bar_left_, value))
    Changed(TadxProperty::CommandBarLeft);
}

void TadxOlExplorerCommandBar::SetCommandBarTop(int value) {
  if (StoreIfChanged(command_bar_top_, value))
    Changed(TadxProperty::CommandBarTop);
}

void TadxOlExplorerCommandBar::SetRowIndex(int value) {
  if (StoreIfChanged(row_index_, value))
    Changed(TadxProperty::RowIndex);
}

void TadxOlExplorerCommandBar::SetTemporary(bool value) {
  if (StoreIfChanged(temporary_, value))
    Changed(TadxProperty::Temporary);
}

void TadxOlExplorerCommandBar::SetSupportedApps(TadxHostAppSet value) {
  if (StoreIfChanged(supported_apps_, value))
    Changed(TadxProperty::SupportedApps);
}

void TadxOlExplorerCommandBar::SetItemTypes(TadxOLItemTypes value) {
  if (StoreIfChanged(item_types_, value))
    Changed(TadxProperty::ItemTypes);
}

void TadxOlExplorerCommandBar::SetFolderName(std::string value) {
  if (StoreIfChanged(folder_name_, std::move(value)))
    Changed(TadxProperty::FolderName);
}

void TadxOlExplorerCommandBar::SetFolderNames(std::vector<std::string> value) {
  if (StoreIfChanged(folder_names_, std::move(value)))
    Changed(TadxProperty::FolderNames);
}

void TadxOlExplorerCommandBar::SetUseForRibbon(bool value) {
  if (StoreIfChanged(use_for_ribbon_, value))
    Changed(TadxProperty::UseForRibbon);
}

}  // namespace quivra::framework
