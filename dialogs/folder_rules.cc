#include "dialogs/folder_rules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "host/outlook/entry_ids.h"

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

KnownFolderIds::KnownFolderIds(outlook::NameSpace& name_space, std::vector<std::string> ids)
    : name_space_(name_space), ids_(std::move(ids)), recognised_(ids_.size(), false) {}

int KnownFolderIds::Find(const std::string& entry_id, bool compare) {
  if (entry_id.empty()) {
    return -1;
  }
  for (size_t i = 0; i < ids_.size(); ++i) {
    if (ids_[i] == entry_id) {
      recognised_[i] = true;
      return static_cast<int>(i);
    }
  }
  if (!compare) {
    return -1;
  }
  for (size_t i = 0; i < ids_.size(); ++i) {
    if (!recognised_[i] && outlook::SameEntryID(name_space_, ids_[i], entry_id)) {
      recognised_[i] = true;
      return static_cast<int>(i);
    }
  }
  return -1;
}

OutlookOwnFolders::OutlookOwnFolders(outlook::NameSpace& name_space) {
  std::vector<std::string> ids;
  for (int kind : kSyncFolderKinds) {
    try {
      ids.push_back(outlook::Require(name_space.GetDefaultFolder(kind)).EntryID());
    } catch (const outlook::OutlookError&) {
      // A store without synchronisation (a personal folder file alone) has none of them.
    }
  }
  sync_folders_.emplace(name_space, std::move(ids));
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
  if (!top_level || sync_folders_->empty()) {
    return false;
  }
  return sync_folders_->Find(folder.EntryID(), true) >= 0;
}

bool HoldsMail(outlook::MAPIFolder& folder) {
  return folder.DefaultItemType() == outlook::kMailItem;
}

}  // namespace quivra::dialogs
