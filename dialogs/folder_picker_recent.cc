// The picker's list of recently used folders: its rows, choosing from it, and its check boxes.
#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/folder_picker.h"
#include "platform/ui/ui.h"

namespace quivra::dialogs {

using platform::MessageButton;
using platform::MessageIcon;

void TfrmFolders2::MruListAdd() {
  std::vector<std::string> paths;
  row_entries_.clear();
  std::vector<bool> shown(core::kMruCapacity + 1, false);
  for (const core::LearnedFolder& folder : Suggestions) {
    paths.push_back(folder.path);
    int entry = -1;
    for (int position = 1; position <= core::kMruCapacity && entry == -1; ++position) {
      const core::TMruDetails& mru = configuration_.MruList[position];
      if (mru.InUse() && mru.Folder == folder.path && mru.StoreId == folder.store_id) {
        entry = position;
        shown[position] = true;
      }
    }
    row_entries_.push_back(entry);
  }
  suggested_rows_ = Suggestions.size();
  for (int position = 1; position <= core::kMruCapacity; ++position) {
    const core::TMruDetails& entry = configuration_.MruList[position];
    if (entry.InUse() && !shown[position]) {
      paths.push_back(entry.Folder);
      row_entries_.push_back(position);
    }
  }
  FillPathRows(paths, suggested_rows_);
}

void TfrmFolders2::FillPathRows(const std::vector<std::string>& paths, size_t suggested) {
  ListView1.Clear();
  const ui::Font font = ListView1.GetFont();
  int widest = 0;
  for (const std::string& path : paths) {
    const size_t last = path.rfind('\\');
    const std::string mark = ListView1.Count() < static_cast<int>(suggested) ? kSuggestedMark : "";
    if (last == std::string::npos) {
      ListView1.AddItem(path + mark, {""});
    } else {
      ListView1.AddItem(path.substr(last + 1) + mark, {path});
    }
    widest = std::max(widest,
                      platform_.ui.TextWidth(font, ListView1.Item(ListView1.Count() - 1).caption));
  }
  ui::ListColumn& name_column = ListView1.Columns()[0];
  name_column.width = std::max(widest, 100) + 10;
  name_column.auto_size = true;
  ListView1.Columns()[1].width = ListView1.Width() - name_column.width - 5;
}

int TfrmFolders2::SelectedEntry() const {
  const int row = ListView1.ItemIndex();
  return row >= 0 && row < static_cast<int>(row_entries_.size()) ? row_entries_[row] : -1;
}

void TfrmFolders2::MruListDblClick() {
  if (finding_) {
    // The list shows matches: a row names a folder, not an entry.
    AcceptMatch(ListView1.ItemIndex());
    return;
  }
  const int row = ListView1.ItemIndex();
  const int position = SelectedEntry();
  if (position == -1 && row >= 0 && row < static_cast<int>(suggested_rows_)) {
    // A suggested folder that is not among the recently used ones: taken as a tree folder is.
    const core::LearnedFolder& folder = Suggestions[row];
    const std::string store = folder.path.substr(0, folder.path.find('\\'));
    SelectedPath = folder.path;
    SelectedName = folder.path.substr(folder.path.rfind('\\') + 1);
    SelectedStore = {store, store, folder.store_id};
    SetModalResult(ui::ModalResult::kOk);
    return;
  }
  if (position == -1) {
    SetModalResult(ui::ModalResult::kCancel);
    return;
  }
  SelectedMruIndex = position;
  SetModalResult(ui::ModalResult::kOk);
}

void TfrmFolders2::ListView1Enter() {
  treeFolders.Select(nullptr);
}

void TfrmFolders2::MruListExit() {
  ListView1.SetItemIndex(-1);
}

void TfrmFolders2::RemoveSelections() {
  treeFolders.Select(nullptr);
  ListView1.SetItemIndex(-1);
}

void TfrmFolders2::cbNoListUpdatesClick() {
  RemoveSelections();
  configuration_.NoListUpdates = cbNoListUpdates.Checked();
}

void TfrmFolders2::cbClearListClick() {
  RemoveSelections();
}

void TfrmFolders2::cbClearEntryClick() {
  if (!cbClearEntry.Checked()) {
    return;
  }
  const int row = ListView1.ItemIndex();
  const int position = SelectedEntry();
  if (position == -1) {
    platform_.message_boxes.Show({"Information",
                                  "First select item to remove",
                                  MessageIcon::kInformation,
                                  {MessageButton::kOk}});
    cbClearEntry.SetChecked(false);
    return;
  }
  std::string text = "Do you want to remove item \"";
  text += ListView1.Item(row).caption;
  text += "\" from Most Recently Used list?";
  const MessageButton answer = platform_.message_boxes.Show(
      {"Warning", text, MessageIcon::kWarning, {MessageButton::kOk, MessageButton::kCancel}});
  if (answer == MessageButton::kOk) {
    EmptyMruEntry(position);
    SetModalResult(ui::ModalResult::kCancel);
  } else {
    RemoveSelections();
    cbClearEntry.SetChecked(false);
  }
}

void TfrmFolders2::EmptyMruList() {
  for (core::TMruDetails& entry : configuration_.MruList) {
    entry = core::TMruDetails();
  }
}

void TfrmFolders2::EmptyMruEntry(int k) {
  if (k >= 1 && k <= core::kMruCapacity) {
    configuration_.RemoveMruEntry(k);
  }
}

}  // namespace quivra::dialogs
