#ifndef QUIVRA_PLATFORM_UI_WIN32_LIST_VIEW_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_LIST_VIEW_WINDOW_H_

#include <string>
#include <tuple>
#include <vector>

#include "platform/ui/list_view.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// A list view in report style with one selected row at the most.
class ListViewWindow : public ControlWindow {
 public:
  ListViewWindow(ListView& list, ControlHost& host);

  LRESULT OnNotify(NMHDR& header) override;
  // Reads the window's selection once Windows has moved it.
  void OnPosted() override;

 protected:
  WindowKind Describe() override;
  void Created() override;
  void SyncContent(bool first) override;
  void Rescaled() override;

 private:
  void SyncColumns();
  void SyncRows();
  void SyncSelection();
  // Passes a selection the user made in the window on to the list.
  void CheckSelection();

  ListView& list_;
  // What was last written to the window.
  std::vector<std::tuple<std::string, int>> columns_;
  std::vector<ListItem> rows_;
  int row_ = -1;
  bool check_posted_ = false;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_LIST_VIEW_WINDOW_H_
