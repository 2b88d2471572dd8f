#include "platform/ui/win32/tree_view_window.h"

#include <utility>

#include <windows.h>

// After windows.h, which they need.
#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "platform/ui/win32/state_images.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

namespace {

using platform::win32::Utf8ToWide;

// The tree view window's items for the tree mirror.
class TreeWindowPort : public TreeViewPort {
 public:
  explicit TreeWindowPort(HWND tree) : tree_(tree) {}

  Item Insert(Item parent, Item after, const TreeNode& node) override {
    const std::wstring text = Utf8ToWide(node.Text());
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent != nullptr ? static_cast<HTREEITEM>(parent) : TVI_ROOT;
    insert.hInsertAfter = after != nullptr ? static_cast<HTREEITEM>(after) : TVI_FIRST;
    Describe(node, text, insert.item);
    return reinterpret_cast<Item>(
        ::SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  void Remove(Item item) override {
    ::SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  }
  void Update(Item item, const TreeNode& node) override {
    const std::wstring text = Utf8ToWide(node.Text());
    TVITEMW described{};
    Describe(node, text, described);
    described.mask |= TVIF_HANDLE;
    described.hItem = static_cast<HTREEITEM>(item);
    ::SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&described));
  }
  void SetExpanded(Item item, bool expanded) override {
    ::SendMessageW(tree_, TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE,
                   reinterpret_cast<LPARAM>(item));
  }
  Item Selected() override {
    return reinterpret_cast<Item>(::SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  }
  void Select(Item item) override {
    ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }

 private:
  static void Describe(const TreeNode& node, const std::wstring& text, TVITEMW& item) {
    item.mask = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.cChildren = node.HasChildren() ? 1 : 0;
    const int image = node.StateIndex() >= 1 && node.StateIndex() <= 15 ? node.StateIndex() : 0;
    item.state = INDEXTOSTATEIMAGEMASK(image);
    item.stateMask = TVIS_STATEIMAGEMASK;
  }

  HWND tree_;
};

}  // namespace

TreeViewWindow::TreeViewWindow(TreeView& tree, ControlHost& host)
    : ControlWindow(tree, host), tree_(tree) {}

ControlWindow::WindowKind TreeViewWindow::Describe() {
  return {.window_class = WC_TREEVIEWW,
          .style = kChildStyle | WS_TABSTOP | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                   (tree_.RowSelect() ? TVS_FULLROWSELECT : TVS_HASLINES),
          .ex_style = WS_EX_CLIENTEDGE,
          .own_messages = true};
}

void TreeViewWindow::Created() {
  SetStateImages();
}

void TreeViewWindow::SetStateImages() {
  UniqueImageList images = MakeStateImages(tree_.StateImages(), host().Fonts().Scale(16));
  if (images) {
    // The tree lets go of the old list when given the new one; then it may be destroyed.
    ::SendMessageW(window(), TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images.get()));
    state_images_ = std::move(images);
  }
  ::SendMessageW(window(), TVM_SETINDENT, static_cast<WPARAM>(host().Fonts().Scale(tree_.Indent())),
                 0);
}

void TreeViewWindow::SyncContent(bool) {
  TreeWindowPort port(window());
  mirror_.Sync(tree_, port);
}

LRESULT TreeViewWindow::OnNotify(NMHDR& header) {
  switch (header.code) {
    case TVN_SELCHANGEDW: {
      const auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
      TreeNode* node = mirror_.NodeOf(change.itemNew.hItem, tree_);
      Dispatch([this, node] { tree_.UserClick(node); });
      return 0;
    }
    case TVN_ITEMEXPANDINGW: {
      // The form decides: its OnExpanding loads the children or refuses, and the window then
      // shows what the form holds. Windows is in the middle of its own expansion, so the
      // window is brought in step from the message queue.
      const auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
      TreeNode* node = mirror_.NodeOf(change.itemNew.hItem, tree_);
      const bool expand = (change.action & TVE_EXPAND) != 0;
      if (node != nullptr) {
        Dispatch(
            [this, node, expand] {
              if (expand) {
                tree_.Expand(*node);
              } else {
                tree_.Collapse(*node);
              }
            },
            true);
      }
      return TRUE;
    }
    case NM_RCLICK:
      if (tree_.RightClickSelect()) {
        TVHITTESTINFO hit{};
        ::GetCursorPos(&hit.pt);
        ::ScreenToClient(window(), &hit.pt);
        ::SendMessageW(window(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.hItem != nullptr && (hit.flags & TVHT_ONITEM) != 0) {
          TreeNode* node = mirror_.NodeOf(hit.hItem, tree_);
          Dispatch([this, node] { tree_.UserClick(node); });
        }
      }
      return 0;
    default:
      return 0;
  }
}

std::optional<LRESULT> TreeViewWindow::OnMessage(UINT message, WPARAM, LPARAM lparam) {
  if (message != WM_LBUTTONDBLCLK) {
    return std::nullopt;
  }
  // The form's tree decides what a double-click does (select, open or close, OnDblClick); the
  // window's own opening and closing would do it twice.
  ::SetFocus(window());
  DoubleClick({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
  return 0;
}

void TreeViewWindow::DoubleClick(POINT point) {
  TVHITTESTINFO hit{};
  hit.pt = point;
  ::SendMessageW(window(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  TreeNode* node = hit.hItem != nullptr ? mirror_.NodeOf(hit.hItem, tree_) : nullptr;
  if (node != nullptr && (hit.flags & TVHT_ONITEMBUTTON) != 0) {
    // A second click on the expander: it opens or closes the node again.
    Dispatch([this, node] {
      if (node->Expanded()) {
        tree_.Collapse(*node);
      } else {
        tree_.Expand(*node);
      }
    });
  } else if (node != nullptr &&
             (hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)) != 0) {
    Dispatch([this, node] { tree_.UserDoubleClick(node); });
  } else {
    // Beside the nodes the selection stays, and only the double-click is passed on.
    Dispatch([this] {
      if (tree_.Reachable()) {
        tree_.SetFocus();
        if (tree_.OnDblClick) {
          tree_.OnDblClick();
        }
      }
    });
  }
}

}  // namespace quivra::ui::win32
