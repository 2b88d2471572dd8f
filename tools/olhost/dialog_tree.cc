#include "tools/olhost/dialog_tree.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"

namespace quivra::olhost {

namespace {

BOOL CALLBACK CollectTrees(HWND child, LPARAM list) {
  wchar_t name[64] = {};
  ::GetClassNameW(child, name, 64);
  if (std::wstring(name) == WC_TREEVIEWW) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  }
  return TRUE;
}

std::string ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[512] = {};
  TVITEMW data = {};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = 512;
  ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  return platform::win32::WideToUtf8(text);
}

void Walk(HWND tree, HTREEITEM first, const std::string& parent, std::vector<std::string>& out) {
  for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
    const std::string path =
        parent.empty() ? ItemText(tree, item) : parent + "\\" + ItemText(tree, item);
    out.push_back(path);
    Walk(tree, TreeView_GetChild(tree, item), path, out);
  }
}

}  // namespace

std::vector<std::string> DialogTreeItems(HWND dialog) {
  std::vector<HWND> trees;
  ::EnumChildWindows(dialog, CollectTrees, reinterpret_cast<LPARAM>(&trees));
  std::vector<std::string> items;
  for (HWND tree : trees) {
    Walk(tree, TreeView_GetRoot(tree), std::string(), items);
  }
  return items;
}

}  // namespace quivra::olhost
