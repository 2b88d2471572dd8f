#ifndef QUIVRA_PLATFORM_UI_WIN32_TREE_VIEW_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_TREE_VIEW_WINDOW_H_

#include <optional>

#include "platform/ui/tree_mirror.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// A tree view. The form's tree decides what the user's clicks, double-clicks and expansions do;
// the window shows what the tree then holds, written node by node through a mirror.
class TreeViewWindow : public ControlWindow {
 public:
  TreeViewWindow(TreeView& tree, ControlHost& host);

  LRESULT OnNotify(NMHDR& header) override;

 protected:
  WindowKind Describe() override;
  void Created() override;
  void SyncContent(bool first) override;
  void Rescaled() override { SetStateImages(); }
  void ColorsChanged() override { SetStateImages(); }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void DoubleClick(POINT point);

  TreeView& tree_;
  TreeMirror mirror_;
  // Draws the state images at the tree's DPI in the current colours and gives them to it.
  void SetStateImages();

  UniqueImageList state_images_;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_TREE_VIEW_WINDOW_H_
