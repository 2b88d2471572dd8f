#include "platform/ui/win32/accessible_items.h"

namespace quivra::ui::win32 {

long AccessibleItems::Count() const {
  if (!tree) {
    return static_cast<long>(::SendMessageW(window, LVM_GETITEMCOUNT, 0, 0));
  }
  long count = 0;
  for (HTREEITEM item = TreeView_GetFirstVisible(window); item != nullptr;
       item = TreeView_GetNextVisible(window, item)) {
    ++count;
  }
  return count;
}

HTREEITEM AccessibleItems::Node(long id) const {
  HTREEITEM item = TreeView_GetFirstVisible(window);
  for (long at = 1; item != nullptr && at < id; ++at) {
    item = TreeView_GetNextVisible(window, item);
  }
  return id >= 1 ? item : nullptr;
}

bool AccessibleItems::Text(const VARIANT& child, std::wstring& text) const {
  if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > Count()) {
    return false;
  }
  wchar_t buffer[260] = {};
  if (tree) {
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = Node(child.lVal);
    item.pszText = buffer;
    item.cchTextMax = 260;
    TreeView_GetItem(window, &item);
  } else {
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = 260;
    ::SendMessageW(window, LVM_GETITEMTEXTW, static_cast<WPARAM>(child.lVal - 1),
                   reinterpret_cast<LPARAM>(&item));
  }
  text = buffer;
  return true;
}

std::wstring AccessibleItems::Description(const VARIANT& child) const {
  std::wstring description;
  if (tree || child.vt != VT_I4 || child.lVal < 1 || child.lVal > Count()) {
    return description;
  }
  HWND header = reinterpret_cast<HWND>(::SendMessageW(window, LVM_GETHEADER, 0, 0));
  const int columns =
      header != nullptr ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int column = 1; column < columns; ++column) {
    wchar_t caption[128] = {};
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = caption;
    info.cchTextMax = 128;
    ::SendMessageW(window, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                   reinterpret_cast<LPARAM>(&info));
    wchar_t text[260] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 260;
    ::SendMessageW(window, LVM_GETITEMTEXTW, static_cast<WPARAM>(child.lVal - 1),
                   reinterpret_cast<LPARAM>(&item));
    if (text[0] != L'\0') {
      description += (description.empty() ? L"" : L", ") + std::wstring(caption) + L": " + text;
    }
  }
  return description;
}

long AccessibleItems::Role(bool self) const {
  if (tree) {
    return self ? ROLE_SYSTEM_OUTLINE : ROLE_SYSTEM_OUTLINEITEM;
  }
  return self ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
}

long AccessibleItems::State(const VARIANT& child) const {
  long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  if (child.vt != VT_I4) {
    return state;
  }
  bool selected = false;
  if (tree) {
    HTREEITEM node = Node(child.lVal);
    selected = node != nullptr && node == TreeView_GetSelection(window);
  } else {
    selected = ::SendMessageW(window, LVM_GETITEMSTATE, static_cast<WPARAM>(child.lVal - 1),
                              LVIS_SELECTED) != 0;
  }
  if (selected) {
    state |= STATE_SYSTEM_SELECTED;
    if (::GetFocus() == window) {
      state |= STATE_SYSTEM_FOCUSED;
    }
  }
  return state;
}

}  // namespace quivra::ui::win32
