#ifndef QUIVRA_PLATFORM_UI_WIN32_ACCESSIBLE_ITEMS_H_
#define QUIVRA_PLATFORM_UI_WIN32_ACCESSIBLE_ITEMS_H_

#include <windows.h>

// After windows.h, which they need.
#include <commctrl.h>
#include <oleacc.h>

#include <string>

namespace quivra::ui::win32 {

// The rows of a list view or the shown nodes of a tree view as simple elements 1 … n, named by
// their text, where the system offers no object of its own for these controls (Wine's oleacc
// gives both a plain client object); Windows' own list and tree objects do the same.
// https://learn.microsoft.com/en-us/windows/win32/winauto/list-view-control
// https://learn.microsoft.com/en-us/windows/win32/winauto/tree-view-control
// Without a window, the control has no items of ours.
struct AccessibleItems {
  HWND window = nullptr;
  bool tree = false;  // a tree view; else a list view

  long Count() const;
  // The item's text; false for a child that is not an item.
  bool Text(const VARIANT& child, std::wstring& text) const;
  // A list row's other columns as "Caption: text", as Windows' list object describes its rows:
  // two folders of one name are told apart by their paths. Empty for a tree's nodes.
  std::wstring Description(const VARIANT& child) const;
  // The role of the control itself (`self`) or of one of its items.
  long Role(bool self) const;
  long State(const VARIANT& child) const;

 private:
  // The tree's node for child `id`, or null.
  HTREEITEM Node(long id) const;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_ACCESSIBLE_ITEMS_H_
