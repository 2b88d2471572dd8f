#include "dialogs/folder_rules.h"

#include <algorithm>
#include <array>

namespace quivra::dialogs {

namespace {

constexpr std::array<std::string_view, 3> kOutlookOwnFolders = {"Conversation Action Settings",
                                                                "News Feed", "Quick Step Settings"};

}  // namespace

bool IsOutlookOwnFolder(std::string_view name) {
  return std::find(kOutlookOwnFolders.begin(), kOutlookOwnFolders.end(), name) !=
         kOutlookOwnFolders.end();
}

bool HoldsMail(outlook::MAPIFolder& folder) {
  return folder.DefaultItemType() == outlook::kMailItem;
}

}  // namespace quivra::dialogs
