// The picker's "Find:" box: finding a folder by typing part of its name.
#include <algorithm>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/folder_index_reader.h"
#include "dialogs/folder_picker.h"

namespace quivra::dialogs {

namespace {

// The most matches the list shows; typing more narrows them down.
constexpr size_t kShownMatches = 100;

// Where the box goes in each mode. In browse mode the tree gives up the height the box needs.
constexpr ui::Rect kLabelBelowList = {314, 432, 32, 13};
constexpr ui::Rect kBoxBelowList = {348, 428, 208, 21};
constexpr ui::Rect kLabelBelowTree = {8, 495, 32, 13};
constexpr ui::Rect kBoxBelowTree = {42, 491, 254, 21};
constexpr int kTreeGroupHeight = 514;
constexpr int kTreeHeight = 497;
constexpr int kBoxStrip = 28;

}  // namespace

void TfrmFolders2::PlaceFindBox(bool any_folder_mode) {
  const int shortened = any_folder_mode ? 0 : kBoxStrip;
  FolderTree.SetHeight(kTreeGroupHeight - shortened);
  treeFolders.SetHeight(kTreeHeight - shortened);
  LabelFind.SetBounds(any_folder_mode ? kLabelBelowList : kLabelBelowTree);
  EditFind.SetBounds(any_folder_mode ? kBoxBelowList : kBoxBelowTree);
}

namespace {

// What a screen reader says of the Find box after each keystroke: how many folders match.
std::string MatchCountText(size_t count) {
  if (count == 0) {
    return "No matching folders";
  }
  if (count == 1) {
    return "1 matching folder";
  }
  return std::to_string(count) + (count >= kShownMatches ? " or more" : "") + " matching folders";
}

}  // namespace

void TfrmFolders2::ResetFind() {
  finding_ = false;
  matches_.clear();
  match_ = -1;
  // Read again at the first keystroke: folders may have changed while the picker was closed.
  index_.reset();
  EditFind.SetText("");
  EditFind.SetAccessibleDescription("");
}

void TfrmFolders2::EditFindChange() {
  if (EditFind.Text().empty()) {
    if (finding_) {
      EndFind();
    }
    return;
  }
  if (!finding_) {
    finding_ = true;
    saved_row_ = ListView1.ItemIndex();
    const ui::TreeNode* node = treeFolders.Selected();
    const TFolderData* data = node != nullptr ? FolderData(*node) : nullptr;
    saved_node_ = data != nullptr ? data->EntryId : std::string();
  }
  ShowMatches();
}

void TfrmFolders2::ShowMatches() {
  if (!index_) {
    index_ = ReadFolderIndex(outlook_, platform_.collation);
    for (int position = 1; position <= core::kMruCapacity; ++position) {
      const core::TMruDetails& entry = configuration_.MruList[position];
      if (entry.InUse()) {
        index_->MarkRecent(entry.Folder, entry.StoreId, position);
      }
    }
  }
  std::vector<std::pair<std::string, std::string>> suggested;
  for (const core::LearnedFolder& folder : Suggestions) {
    suggested.emplace_back(folder.path, folder.store_id);
  }
  index_->MarkSuggested(suggested);
  matches_ = index_->Find(platform_.collation.Fold(EditFind.Text()), kShownMatches);
  match_ = -1;
  EditFind.SetAccessibleDescription(MatchCountText(matches_.size()));
  if (ListView1.Enabled()) {
    std::vector<std::string> paths;
    paths.reserve(matches_.size());
    for (const int position : matches_) {
      paths.push_back(index_->at(position).path);
    }
    row_entries_.clear();
    suggested_rows_ = 0;
    FillPathRows(paths);
  }
  if (matches_.empty()) {
    treeFolders.Select(nullptr);
  } else {
    SelectMatch(0);
  }
}

void TfrmFolders2::SelectMatch(int match) {
  match_ = match;
  if (ListView1.Enabled()) {
    ListView1.SetItemIndex(match);
  }
  treeFolders.Select(RevealFolder(matches_[static_cast<size_t>(match)]));
}

ui::TreeNode* TfrmFolders2::RevealFolder(int position) {
  std::vector<int> chain;
  for (int at = position; at != -1; at = index_->at(at).parent) {
    chain.push_back(at);
  }
  ui::TreeNode* node = nullptr;
  try {
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      if (node != nullptr) {
        // Loads the children from Outlook unless the node is open already.
        treeFolders.Expand(*node);
      }
      const std::string& entry_id = index_->at(*it).entry_id;
      const int count = node == nullptr ? treeFolders.Count() : node->Count();
      ui::TreeNode* next = nullptr;
      for (int i = 0; i < count && next == nullptr; ++i) {
        ui::TreeNode& child = node == nullptr ? treeFolders.Item(i) : node->Item(i);
        const TFolderData* data = FolderData(child);
        if (data != nullptr && data->EntryId == entry_id) {
          next = &child;
        }
      }
      if (next == nullptr) {
        return nullptr;
      }
      node = next;
    }
  } catch (const std::exception&) {
    // Outlook could not open a parent: the match stays in the list, the tree shows none.
    return nullptr;
  }
  return node;
}

void TfrmFolders2::EndFind() {
  finding_ = false;
  EditFind.SetAccessibleDescription("");
  matches_.clear();
  match_ = -1;
  if (ListView1.Enabled()) {
    MruListAdd();
    ListView1.SetItemIndex(saved_row_);
  }
  ui::TreeNode* node = nullptr;
  if (!saved_node_.empty()) {
    treeFolders.ForEach([&](ui::TreeNode& each) {
      const TFolderData* data = FolderData(each);
      if (node == nullptr && data != nullptr && data->EntryId == saved_node_) {
        node = &each;
      }
    });
  }
  treeFolders.Select(node);
}

void TfrmFolders2::AcceptMatch(int match) {
  if (match < 0 || match >= static_cast<int>(matches_.size())) {
    SetModalResult(ui::ModalResult::kCancel);
    return;
  }
  // As a tree folder is accepted: the caller files into SelectedPath, and File to Any Folder
  // puts it at the top of the recently used list.
  const IndexedFolder& folder = index_->at(matches_[static_cast<size_t>(match)]);
  SelectedStore.StoreId = folder.store_id;
  SelectedName = folder.name;
  SelectedPath = folder.path;
  SetModalResult(ui::ModalResult::kOk);
  TreeExpandedNodes();
}

void TfrmFolders2::FormKeyDown(int& Key) {
  if (!EditFind.Focused() || !finding_ || matches_.empty()) {
    return;
  }
  if (Key == ui::kUpKey) {
    SelectMatch(std::max(match_ - 1, 0));
    Key = 0;
  } else if (Key == ui::kDownKey) {
    SelectMatch(std::min(match_ + 1, static_cast<int>(matches_.size()) - 1));
    Key = 0;
  }
}

}  // namespace quivra::dialogs
