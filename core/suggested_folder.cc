// "Suggested": filing into the folder suggested first for the selection, and the button that
// names it.

#include <string>
#include <vector>

#include "core/add_in_module.h"
#include "core/folder_suggestions.h"
#include "platform/message_box.h"

namespace quivra::core {

namespace {

constexpr char kNothingSuggested[] = "No folder is suggested for the selected mail.";

// The last part of a full folder path.
std::string FolderName(const std::string& path) {
  return path.substr(path.rfind('\\') + 1);
}

}  // namespace

void TAddInModule::FileToSuggestedFolder() {
  if (AnyDialogShowing()) {
    return;
  }
  const std::vector<LearnedFolder> best = SuggestForSelection(*outlook_, history_, 1);
  if (best.empty()) {
    // Nothing selected is reported by the filing as it always is; a selection without a
    // suggestion is reported here.
    if (!history_.Enabled()) {
      return;
    }
    const outlook::ExplorerPtr explorer = outlook_->ActiveExplorer();
    try {
      if (!explorer || outlook::Require(explorer->Selection()).Count() < 1) {
        return;
      }
    } catch (...) {
      return;
    }
    log_.Write("message shown: " + std::string(kNothingSuggested));
    platform::ShowStandardMessage(Services().message_boxes, platform::MessageKind::kInformation,
                                  kNothingSuggested);
    return;
  }
  const LearnedFolder& folder = best.front();
  const std::string store = folder.path.substr(0, folder.path.find('\\'));
  Configuration& config = configuration_;
  config.StoreDetails[kAnyFolderTargetSlot] = {store, store, folder.store_id};
  config.FolderNames[kAnyFolderTargetSlot] = folder.path;
  if (FileToFolder(kAnyFolderTargetSlot, nullptr) && !config.NoListUpdates) {
    config.MoveMruEntryToTop(folder.path, store, folder.store_id, -1);
  }
  SaveButtonsToFile();
  RefreshSuggestedButton();
}

void TAddInModule::RefreshSuggestedButton() {
  try {
    const bool enabled = history_.Enabled();
    std::string tip;
    if (enabled) {
      const std::vector<LearnedFolder> best = SuggestForSelection(*outlook_, history_, 1);
      tip = best.empty() ? "No folder suggested for the selection"
                         : "Move to the suggested folder: " + FolderName(best.front().path);
      if (configuration_.ShortCuts) {
        tip += " (" + std::string(kSuggestedShortcut) + ")";
      }
    }
    framework::TCommandBarControl& bar = WorkingCommandBar->Controls()[kSuggestedTag];
    bar.SetVisible(enabled);
    bar.SetEnabled(enabled);
    bar.SetTooltipText(tip);
    for (framework::TRibbonGroup* group : {&OwnFilingGroup(), &HomeFilingGroup()}) {
      framework::TRibbonCustomControl& item = group->Controls()[kSuggestedTag];
      item.SetVisible(enabled && (group == &OwnFilingGroup() || configuration_.Icons));
      item.SetEnabled(enabled);
      item.SetScreenTip(tip);
    }
  } catch (...) {
    // The button keeps what it showed; a selection change must not raise an error report.
  }
}

}  // namespace quivra::core
