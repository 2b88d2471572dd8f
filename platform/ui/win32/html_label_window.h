#ifndef QUIVRA_PLATFORM_UI_WIN32_HTML_LABEL_WINDOW_H_
#define QUIVRA_PLATFORM_UI_WIN32_HTML_LABEL_WINDOW_H_

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/html_label.h"
#include "platform/ui/win32/control_window.h"

namespace quivra::ui::win32 {

// An HTML label, drawn by this module in a window class of its own: bold pieces in the bold
// font, links underlined in blue under a hand cursor, a click on a link passed to the label.
class HtmlLabelWindow : public ControlWindow {
 public:
  static constexpr wchar_t kWindowClass[] = L"QuivraHtmlLabel";

  HtmlLabelWindow(HtmlLabel& label, ControlHost& host);

 protected:
  WindowKind Describe() override;
  void SyncContent(bool first) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc);
  // The href of the link at `point` of the window; empty beside the links.
  std::string LinkAt(POINT point);
  // The colours of plain text and of links, from the system's.
  COLORREF TextColor();
  COLORREF LinkColor();

  HtmlLabel& label_;
  std::vector<std::string> html_;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_HTML_LABEL_WINDOW_H_
