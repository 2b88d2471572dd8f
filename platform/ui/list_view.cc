#include "platform/ui/list_view.h"

#include <utility>

namespace quivra::ui {

ListColumn& ListView::AddColumn(std::string caption, int width) {
  columns_.push_back({std::move(caption), width, false});
  return columns_.back();
}

ListItem& ListView::AddItem(std::string caption, std::vector<std::string> sub_items) {
  items_.push_back({std::move(caption), std::move(sub_items)});
  return items_.back();
}

void ListView::Clear() {
  SetItemIndex(-1);
  items_.clear();
}

void ListView::SetItemIndex(int row) {
  if (row < -1 || row >= Count()) {
    row = -1;
  }
  if (row == item_index_) {
    return;
  }
  item_index_ = row;
  if (OnChange) {
    OnChange();
  }
}

void ListView::UserClick(int row) {
  if (!Reachable()) {
    return;
  }
  SetFocus();
  SetItemIndex(row);
}

void ListView::UserDoubleClick(int row) {
  if (!Reachable()) {
    return;
  }
  UserClick(row);
  if (OnDblClick) {
    OnDblClick();
  }
}

}  // namespace quivra::ui
