#include "platform/ui/win32/edit_window.h"

#include <windows.h>

#include <utility>

#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

namespace {

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

}  // namespace

EditWindow::EditWindow(Edit& edit, ControlHost& host) : ControlWindow(edit, host), edit_(edit) {}

ControlWindow::WindowKind EditWindow::Describe() {
  return {.window_class = L"EDIT",
          .style = kChildStyle | WS_TABSTOP | ES_AUTOHSCROLL,
          .ex_style = WS_EX_CLIENTEDGE};
}

void EditWindow::SyncContent(bool first) {
  const std::string& text = edit_.Text();
  if (first || text != text_) {
    const std::wstring wide = platform::win32::Utf8ToWide(text);
    ::SetWindowTextW(window(), wide.c_str());
    // The caret goes after the text, where the user goes on typing.
    const auto end = static_cast<WPARAM>(wide.size());
    ::SendMessageW(window(), EM_SETSEL, end, static_cast<LPARAM>(end));
    text_ = text;
  }
}

void EditWindow::OnCommand(int code) {
  if (code != EN_CHANGE) {
    return;
  }
  std::string text = platform::win32::WideToUtf8(WindowText(window()));
  if (text != edit_.Text()) {
    // What the user typed is in the window already: only a handler's change is written.
    text_ = text;
    Dispatch([this, &text] { edit_.SetText(std::move(text)); });
  }
}

}  // namespace quivra::ui::win32
