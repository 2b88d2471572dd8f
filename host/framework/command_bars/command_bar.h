#ifndef QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_H_
#define QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_H_

#include <string>
#include <string_view>
#include <vector>

#include "host/framework/command_bars/command_bar_controls.h"
#include "host/framework/module/component.h"
#include "host/framework/module/host_apps.h"

namespace quivra::framework {

// Where a command bar docks; the numbers are Office's.
enum class TMsoBarPosition {
  msoBarLeft = 0,
  msoBarTop = 1,
  msoBarRight = 2,
  msoBarBottom = 3,
  msoBarFloating = 4,
  msoBarPopup = 5,
  msoBarMenuBar = 6,
};

// What the user may not change about a command bar; the numbers are Office's.
enum class TMsoBarProtection {
  msoBarNoProtection = 0,
  msoBarNoCustomize = 1,
  msoBarNoResize = 2,
  msoBarNoMove = 4,
  msoBarNoChangeVisible = 8,
  msoBarNoChangeDock = 16,
  msoBarNoVerticalDock = 32,
  msoBarNoHorizontalDock = 64,
};

// A command bar (toolbar) of the add-in in Outlook's explorer windows, owned by the module.
// Enabled and shown for folders whose item type is among `ItemTypes` (or whose path is
// `FolderName` or one of `FolderNames`). Holds buttons and pop-ups. Setters store a value only
// when it differs and then tell the module once (TCOMAddInModule::PropertyChanged).
class TOlExplorerCommandBar : public TComponent {
 public:
  static constexpr std::string_view kClassName = "TOlExplorerCommandBar";

  // Named "Custom " + its number among the module's command bars.
  explicit TOlExplorerCommandBar(TCOMAddInModule& owner);
  std::string_view ClassName() const override { return kClassName; }

  TCommandBarControls& Controls() { return controls_; }
  const TCommandBarControls& Controls() const { return controls_; }

  // The bar's name in Office, by which it is found again.
  const std::string& CommandBarName() const { return command_bar_name_; }
  void SetCommandBarName(std::string value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  TMsoBarPosition Position() const { return position_; }
  void SetPosition(TMsoBarPosition value);
  TMsoBarProtection Protection() const { return protection_; }
  void SetProtection(TMsoBarProtection value);
  // -1: not set, Office places the bar.
  int CommandBarLeft() const { return command_bar_left_; }
  void SetCommandBarLeft(int value);
  int CommandBarTop() const { return command_bar_top_; }
  void SetCommandBarTop(int value);
  int RowIndex() const { return row_index_; }
  void SetRowIndex(int value);
  // Whether Office forgets the bar when it closes; controls added later take this value.
  bool Temporary() const { return temporary_; }
  void SetTemporary(bool value);
  THostAppSet SupportedApps() const { return supported_apps_; }
  void SetSupportedApps(THostAppSet value);
  // Controls added later take this value as their olExplorerItemTypes.
  TOLItemTypes ItemTypes() const { return item_types_; }
  void SetItemTypes(TOLItemTypes value);
  const std::string& FolderName() const { return folder_name_; }
  void SetFolderName(std::string value);
  const std::vector<std::string>& FolderNames() const { return folder_names_; }
  void SetFolderNames(std::vector<std::string> value);
  // Whether the bar is created also in an Outlook whose explorer has a ribbon.
  bool UseForRibbon() const { return use_for_ribbon_; }
  void SetUseForRibbon(bool value);

 private:
  TCommandBarControls controls_{*this};
  std::string command_bar_name_;
  bool enabled_ = true;
  bool visible_ = true;
  TMsoBarPosition position_ = TMsoBarPosition::msoBarTop;
  TMsoBarProtection protection_ = TMsoBarProtection::msoBarNoProtection;
  int command_bar_left_ = -1;
  int command_bar_top_ = -1;
  int row_index_ = -1;
  bool temporary_ = true;
  THostAppSet supported_apps_{TOfficeHostApp::ohaOutlook};
  TOLItemTypes item_types_{TOLItemType::olMailItem};
  std::string folder_name_;
  std::vector<std::string> folder_names_;
  bool use_for_ribbon_ = true;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_H_
