#ifndef QUIVRA_PLATFORM_UI_LIST_VIEW_H_
#define QUIVRA_PLATFORM_UI_LIST_VIEW_H_

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace quivra::ui {

struct ListColumn {
  std::string caption;
  int width = 50;
  // The column takes its width from its contents when the list is drawn.
  bool auto_size = false;
};

// A row: the first column's text and the texts of the further columns.
struct ListItem {
  std::string caption;
  std::vector<std::string> sub_items;
};

// A list in report style: columns with headers, rows with sub-items, one row selected at most.
class ListView : public Control {
 public:
  using Control::Control;

  std::vector<ListColumn>& Columns() { return columns_; }
  const std::vector<ListColumn>& Columns() const { return columns_; }
  ListColumn& AddColumn(std::string caption, int width);

  int Count() const { return static_cast<int>(items_.size()); }
  const ListItem& Item(int row) const { return items_[static_cast<size_t>(row)]; }
  ListItem& AddItem(std::string caption, std::vector<std::string> sub_items = {});
  // Removes every row, and so the selection.
  void Clear();

  // The selected row, or -1.
  int ItemIndex() const { return item_index_; }
  // Selects a row (-1: none); fires OnChange when the selection changes.
  void SetItemIndex(int row);

  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value) { read_only_ = value; }
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool value) { row_select_ = value; }
  // Whether a click on a column header is passed on (sorts, say).
  bool ColumnClick() const { return column_click_; }
  void SetColumnClick(bool value) { column_click_ = value; }

  // The user's actions: a click focuses the list and selects the row (-1: the empty area below
  // the rows, which leaves no row selected); a double-click then fires OnDblClick.
  void UserClick(int row);
  void UserDoubleClick(int row);

  std::function<void()> OnChange;
  std::function<void()> OnDblClick;

 private:
  std::vector<ListColumn> columns_;
  std::vector<ListItem> items_;
  int item_index_ = -1;
  bool read_only_ = false;
  bool row_select_ = false;
  bool column_click_ = true;
};

}  // namespace quivra::ui

#endif  // QUIVRA_PLATFORM_UI_LIST_VIEW_H_
