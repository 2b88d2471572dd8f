#include "platform/ui/win32/list_view_window.h"

#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <utility>

#include "platform/ui/win32/accessible_object.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

using platform::win32::Utf8ToWide;

ListViewWindow::ListViewWindow(ListView& list, ControlHost& host)
    : ControlWindow(list, host), list_(list) {}

ControlWindow::WindowKind ListViewWindow::Describe() {
  return {.window_class = WC_LISTVIEWW,
          .style = kChildStyle | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                   (list_.ColumnClick() ? 0 : LVS_NOSORTHEADER),
          .ex_style = WS_EX_CLIENTEDGE};
}

void ListViewWindow::Created() {
  if (list_.RowSelect()) {
    ::SendMessageW(window(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                   LVS_EX_FULLROWSELECT);
  }
}

void ListViewWindow::SyncContent(bool first) {
  SyncColumns();
  if (first) {
    ExposeListHeader(window());
  }
  SyncRows();
  SyncSelection();
}

void ListViewWindow::Rescaled() {
  // The columns' widths are designed lengths: written again at the new DPI.
  std::vector<std::tuple<std::string, int>> shown = std::move(columns_);
  columns_.assign(shown.size(), {"", -1});
  SyncColumns();
}

void ListViewWindow::SyncColumns() {
  std::vector<std::tuple<std::string, int>> columns;
  for (const ListColumn& column : list_.Columns()) {
    columns.emplace_back(column.caption, column.width);
  }
  if (columns == columns_) {
    return;
  }
  const size_t shown = columns_.size();
  for (size_t i = 0; i < columns.size(); ++i) {
    std::wstring caption = Utf8ToWide(std::get<0>(columns[i]));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = caption.data();
    column.cx = host().Fonts().Scale(std::get<1>(columns[i]));
    ::SendMessageW(window(), i < shown ? LVM_SETCOLUMNW : LVM_INSERTCOLUMNW, i,
                   reinterpret_cast<LPARAM>(&column));
  }
  for (size_t i = shown; i > columns.size(); --i) {
    ::SendMessageW(window(), LVM_DELETECOLUMN, i - 1, 0);
  }
  columns_ = std::move(columns);
}

void ListViewWindow::SyncRows() {
  bool changed = static_cast<int>(rows_.size()) != list_.Count();
  for (int row = 0; !changed && row < list_.Count(); ++row) {
    const ListItem& item = list_.Item(row);
    const ListItem& shown = rows_[static_cast<size_t>(row)];
    changed = item.caption != shown.caption || item.sub_items != shown.sub_items;
  }
  if (!changed) {
    return;
  }
  ::SendMessageW(window(), LVM_DELETEALLITEMS, 0, 0);
  rows_.clear();
  for (int row = 0; row < list_.Count(); ++row) {
    const ListItem& item = list_.Item(row);
    std::wstring caption = Utf8ToWide(item.caption);
    LVITEMW line{};
    line.mask = LVIF_TEXT;
    line.iItem = row;
    line.pszText = caption.data();
    ::SendMessageW(window(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&line));
    for (size_t sub = 0; sub < item.sub_items.size(); ++sub) {
      std::wstring text = Utf8ToWide(item.sub_items[sub]);
      LVITEMW cell{};
      cell.iSubItem = static_cast<int>(sub + 1);
      cell.pszText = text.data();
      ::SendMessageW(window(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&cell));
    }
    rows_.push_back(item);
  }
  // The new rows have no selection yet.
  row_ = -1;
}

void ListViewWindow::SyncSelection() {
  const int selected = list_.ItemIndex();
  if (selected == row_) {
    return;
  }
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(window(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
  if (selected >= 0) {
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(window(), LVM_SETITEMSTATE, static_cast<WPARAM>(selected),
                   reinterpret_cast<LPARAM>(&state));
    ::SendMessageW(window(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
  }
  row_ = selected;
}

LRESULT ListViewWindow::OnNotify(NMHDR& header) {
  switch (header.code) {
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) != 0 &&
          ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0 && !check_posted_) {
        // A new selection arrives as one row losing it and another gaining it: the list is
        // read once both have happened.
        check_posted_ = host().PostBack(*this);
      }
      return 0;
    }
    case NM_DBLCLK: {
      CheckSelection();
      const int row = reinterpret_cast<NMITEMACTIVATE&>(header).iItem;
      Dispatch([this, row] { list_.UserDoubleClick(row); });
      return 0;
    }
    default:
      return 0;
  }
}

void ListViewWindow::OnPosted() {
  CheckSelection();
}

void ListViewWindow::CheckSelection() {
  check_posted_ = false;
  const int row = static_cast<int>(
      ::SendMessageW(window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (row != list_.ItemIndex()) {
    row_ = row;
    Dispatch([this, row] { list_.UserClick(row); });
  }
}

}  // namespace quivra::ui::win32
