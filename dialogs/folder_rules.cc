#include "dialogs/folder_rules.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quivra::dialogs {

namespace {

constexpr std::array<std::string_view, 3> kOutlookOwnFolders = {"Conversation Action Settings",
                                                                "News Feed", "Quick Step Settings"};

constexpr std::array<int, 4> kSyncFolderKinds = {
    outlook::kFolderSyncIssues, outlook::kFolderConflicts, outlook::kFolderLocalFailures,
    outlook::kFolderServerFailures};

}  // namespace

bool IsOutlookOwnFolder(std::string_view name) {
  return std::find(kOutlookOwnFolders.begin(), kOutlookOwnFolders.end(), name) !=
         kOutlookOwnFolders.end();
}

OutlookOwnFolders::OutlookOwnFolders(outlook::NameSpace& name_space) {
  for (int kind : kSyncFolderKinds) {
    try {
      sync_folder_ids_.push_back(outlook::Require(name_space.GetDefaultFolder(kind)).EntryID());
    } catch (const outlook::OutlookError&) {
      // A store without synchronisation (a personal folder file alone) has none of them.
    }
  }
}

bool OutlookOwnFolders::Hides(outlook::MAPIFolder& folder, std::string_view name, bool top_level) {
  std::optional<bool> hidden;
  if (top_level && !no_property_accessor_) {
    try {
      hidden = folder.GetBooleanProperty(outlook::kHiddenFolderProperty);
    } catch (const outlook::OutlookError& error) {
      // Not set on this folder; or no PropertyAccessor at all, which will not change.
      no_property_accessor_ = error.code() == outlook::kErrorUnknownName;
    }
  }
  if (hidden.value_or(IsOutlookOwnFolder(name))) {
    return true;
  }
  if (!top_level || sync_folder_ids_.empty()) {
    return false;
  }
  const std::string entry_id = folder.EntryID();
  return std::find(sync_folder_ids_.begin(), sync_folder_ids_.end(), entry_id) !=
         sync_folder_ids_.end();
}

bool HoldsMail(outlook::MAPIFolder& folder) {
  return folder.DefaultItemType() == outlook::kMailItem;
}

}  // namespace quivra::dialogs
