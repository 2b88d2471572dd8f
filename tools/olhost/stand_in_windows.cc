#include "tools/olhost/stand_in_windows.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"
#include "tools/olhost/explorer_keys.h"
#include "tools/olhost/text_fields.h"
#include "tools/olhost/window_photograph.h"

namespace quivra::olhost {

namespace {

constexpr wchar_t kExplorerClass[] = L"OlhostExplorer";
constexpr wchar_t kInspectorClass[] = L"OlhostInspector";
constexpr wchar_t kMessageListClass[] = L"OlhostMessageList";
constexpr wchar_t kEditorClass[] = L"OlhostMailEditor";
constexpr wchar_t kFolderPaneClass[] = L"OlhostFolderPane";

// Child window ids of an explorer window.
constexpr int kMessageListId = 1;
constexpr int kSearchBoxId = 2;
constexpr int kReadingPaneId = 3;
constexpr int kInspectorBodyId = 4;
constexpr int kFolderPaneId = 5;
constexpr int kInlineReplyId = 6;
constexpr int kFirstButtonId = 100;  // the add-in's buttons, in order

// The strip above the panes that holds the add-in's buttons.
constexpr int kStripHeight = 34;
constexpr int kLineHeight = 18;

ExplorerContentSource* content_source = nullptr;

// What each explorer window shows now.
std::map<HWND, ExplorerContent>& Contents() {
  static std::map<HWND, ExplorerContent> contents;
  return contents;
}

const ExplorerContent* ContentOf(HWND explorer) {
  const auto found = Contents().find(explorer);
  return found == Contents().end() ? nullptr : &found->second;
}

// Lines of text from the top of a pane, the chosen ones highlighted.
void PaintLines(HWND window, const std::vector<std::pair<std::string, bool>>& lines) {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window, &paint);
  RECT client{};
  ::GetClientRect(window, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
  ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  int top = 2;
  for (const auto& [text, chosen] : lines) {
    RECT line{0, top, client.right, top + kLineHeight};
    if (chosen) {
      ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    ::SetTextColor(dc, ::GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring wide = platform::win32::Utf8ToWide(text);
    RECT inner{4, top, client.right - 2, top + kLineHeight};
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &inner,
                DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    top += kLineHeight;
  }
  ::EndPaint(window, &paint);
}

// The window procedures the recording replaced, for windows of classes the stand-in did not make
// (the edit controls of the search box and the inline reply).
std::map<HWND, WNDPROC>& OriginalProcedures() {
  static std::map<HWND, WNDPROC> procedures;
  return procedures;
}

// The open inspector windows, the one opened last at the back.
std::vector<HWND>& Inspectors() {
  static std::vector<HWND> inspectors;
  return inspectors;
}

// The explorer and inspector windows: they lay out their parts, pass clicks on the add-in's
// buttons on, and keep key presses to themselves. Alt released alone brings the ribbon's key
// tips, never the window menu: a text field's default handling asks for that menu (SC_KEYMENU),
// which Office's windows do not show.
LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  RecordKey(window, message, wparam);
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      KeyTipInput(window, message, wparam, content_source);
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_KEYMENU) {
        return 0;
      }
      return ::DefWindowProcW(window, message, wparam, lparam);
    case WM_SIZE: {
      const int width = LOWORD(lparam);
      const int height = HIWORD(lparam);
      // The add-in's buttons in a strip on top; below it the folder tree on the left, the
      // search box over the message list in the middle, the reading pane on the right with
      // the inline reply below the mail it answers.
      const int top = kStripHeight + 4;
      const int tree = 180;
      const int middle = (width - tree) / 2;
      if (HWND folders = ::GetDlgItem(window, kFolderPaneId)) {
        ::MoveWindow(folders, 4, top, tree - 8, height - top - 4, TRUE);
      }
      if (HWND search = ::GetDlgItem(window, kSearchBoxId)) {
        ::MoveWindow(search, tree, top, middle - 4, 22, TRUE);
      }
      if (HWND list = ::GetDlgItem(window, kMessageListId)) {
        ::MoveWindow(list, tree, top + 26, middle - 4, height - top - 30, TRUE);
      }
      const int pane_height = (height - top - 4) * 3 / 5;
      if (HWND pane = ::GetDlgItem(window, kReadingPaneId)) {
        ::MoveWindow(pane, tree + middle, top, width - tree - middle - 4, pane_height, TRUE);
      }
      if (HWND reply = ::GetDlgItem(window, kInlineReplyId)) {
        ::MoveWindow(reply, tree + middle, top + pane_height + 4, width - tree - middle - 4,
                     height - top - pane_height - 12, TRUE);
      }
      if (HWND body = ::GetDlgItem(window, kInspectorBodyId)) {
        ::MoveWindow(body, 4, 4, width - 8, height - 8, TRUE);
      }
      return 0;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const ExplorerContent* content = ContentOf(window);
      if (HIWORD(wparam) == BN_CLICKED && id >= kFirstButtonId && content != nullptr &&
          content_source != nullptr &&
          static_cast<size_t>(id - kFirstButtonId) < content->buttons.size()) {
        const std::string label = content->buttons[static_cast<size_t>(id - kFirstButtonId)].label;
        content_source->ClickButton(reinterpret_cast<std::uintptr_t>(window), label);
        StandInWindows::Refresh();
      }
      return 0;
    }
    default:
      return ::DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT CALLBACK FolderPaneProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    std::vector<std::pair<std::string, bool>> lines;
    if (const ExplorerContent* content = ContentOf(::GetParent(window))) {
      for (const std::string& folder : content->folders) {
        lines.emplace_back(folder, false);
      }
    }
    PaintLines(window, lines);
    return 0;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK MessageListProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  RecordKey(window, message, wparam);
  if (message == WM_PAINT) {
    const ExplorerContent* content = ContentOf(::GetParent(window));
    PaintLines(window, content != nullptr ? content->messages
                                          : std::vector<std::pair<std::string, bool>>{});
    return 0;
  }
  if (message == WM_LBUTTONDOWN) {
    ::SetFocus(window);
    const int y = static_cast<short>(HIWORD(lparam));
    if (content_source != nullptr && y >= 2) {
      content_source->ClickMessage(reinterpret_cast<std::uintptr_t>(::GetParent(window)),
                                   (y - 2) / kLineHeight, (wparam & MK_CONTROL) != 0);
      StandInWindows::Refresh();
    }
    return 0;
  }
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_KEYUP ||
      message == WM_SYSKEYUP) {
    KeyTipInput(window, message, wparam, content_source);
    return 0;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

// A mail editor: shows the text caret while it has the focus, as an editor the user types in.
// In the explorer's reading pane its keys go to the ribbon's key tips as well, as in the other
// parts of the explorer.
LRESULT CALLBACK EditorProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  RecordKey(window, message, wparam);
  switch (message) {
    case WM_SETFOCUS:
      ::CreateCaret(window, nullptr, 1, 16);
      ::SetCaretPos(4, 4);
      ::ShowCaret(window);
      return 0;
    case WM_KILLFOCUS:
      ::DestroyCaret();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (::GetDlgCtrlID(window) == kReadingPaneId) {
        KeyTipInput(window, message, wparam, content_source);
      }
      return 0;
    default:
      return ::DefWindowProcW(window, message, wparam, lparam);
  }
}

// The explorer's text fields: their keys are recorded and go to the ribbon's key tips first; a
// key the key tips took types no character either.
LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  static bool key_tips_took_key = false;
  RecordKey(window, message, wparam);
  if (message == WM_CHAR && key_tips_took_key) {
    key_tips_took_key = false;
    return 0;
  }
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_KEYUP ||
       message == WM_SYSKEYUP) &&
      KeyTipInput(window, message, wparam, content_source)) {
    key_tips_took_key = message == WM_KEYDOWN;
    return 0;
  }
  const auto found = OriginalProcedures().find(window);
  if (found == OriginalProcedures().end()) {
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  const WNDPROC original = found->second;
  if (message == WM_NCDESTROY) {
    OriginalProcedures().erase(found);
  }
  return ::CallWindowProcW(original, window, message, wparam, lparam);
}

void RegisterClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = name;
  if (::RegisterClassExW(&window_class) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("a window class of the stand-in could not be registered");
  }
}

void RegisterClasses() {
  static bool registered = false;
  if (!registered) {
    RegisterClass(kExplorerClass, FrameProcedure);
    RegisterClass(kInspectorClass, FrameProcedure);
    RegisterClass(kMessageListClass, MessageListProcedure);
    RegisterClass(kEditorClass, EditorProcedure);
    RegisterClass(kFolderPaneClass, FolderPaneProcedure);
    registered = true;
  }
}

HWND Child(HWND parent, const wchar_t* window_class, int id, DWORD style = 0) {
  HWND child = ::CreateWindowExW(0, window_class, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ::GetModuleHandleW(nullptr), nullptr);
  if (child == nullptr) {
    throw std::runtime_error("a part of a stand-in window could not be created");
  }
  return child;
}

HWND TopLevel(const wchar_t* window_class, const wchar_t* title) {
  RegisterClasses();
  HWND window = ::CreateWindowExW(0, window_class, title, WS_OVERLAPPEDWINDOW, 40, 40, 900, 600,
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    throw std::runtime_error("a stand-in window could not be created");
  }
  return window;
}

// An edit control of the explorer that composes character codes typed with Alt and records its
// keys.
void TextField(HWND explorer, int id, DWORD style) {
  HWND field = Child(explorer, L"Edit", id, WS_BORDER | WS_TABSTOP | style);
  ComposeAltCodes(field);
  OriginalProcedures()[field] = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProcedure)));
}

void BringToFront(HWND window, HWND focus) {
  // A thread's window must be shown activated to become the foreground window.
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  ::SetActiveWindow(window);
  ::SetFocus(focus != nullptr ? focus : window);
}

int PartId(ExplorerPart part) {
  switch (part) {
    case ExplorerPart::kSearchBox:
      return kSearchBoxId;
    case ExplorerPart::kReadingPane:
      return kReadingPaneId;
    case ExplorerPart::kInlineReply:
      return kInlineReplyId;
    case ExplorerPart::kMessageList:
      break;
  }
  return kMessageListId;
}

std::uintptr_t MakeExplorer() {
  HWND window = TopLevel(kExplorerClass, L"Inbox - Microsoft Outlook");
  Child(window, kFolderPaneClass, kFolderPaneId, WS_BORDER);
  Child(window, kMessageListClass, kMessageListId, WS_TABSTOP | WS_BORDER);
  TextField(window, kSearchBoxId, ES_AUTOHSCROLL);
  Child(window, kEditorClass, kReadingPaneId, WS_TABSTOP | WS_BORDER);
  // The reply the user writes inside the explorer (Outlook 2013 and later).
  TextField(window, kInlineReplyId, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
  RECT area = {};
  ::GetClientRect(window, &area);
  ::SendMessageW(window, WM_SIZE, 0, MAKELPARAM(area.right, area.bottom));
  Contents()[window] = {};
  return reinterpret_cast<std::uintptr_t>(window);
}

}  // namespace

outlook::sim::internal::WindowSystem StandInWindows::ExplorerWindows() {
  outlook::sim::internal::WindowSystem windows;
  windows.make = &MakeExplorer;
  windows.bring_to_front = [](std::uintptr_t handle) {
    HWND window = reinterpret_cast<HWND>(handle);
    BringToFront(window, ::GetDlgItem(window, kMessageListId));
  };
  windows.destroy = [](std::uintptr_t handle) {
    Contents().erase(reinterpret_cast<HWND>(handle));
    ::DestroyWindow(reinterpret_cast<HWND>(handle));
  };
  return windows;
}

void StandInWindows::Focus(std::uintptr_t explorer, ExplorerPart part) {
  HWND window = reinterpret_cast<HWND>(explorer);
  BringToFront(window, ::GetDlgItem(window, PartId(part)));
}

std::string StandInWindows::TextOf(std::uintptr_t explorer, ExplorerPart part) {
  return WindowText(::GetDlgItem(reinterpret_cast<HWND>(explorer), PartId(part)));
}

void StandInWindows::OpenInspector() {
  HWND inspector = TopLevel(kInspectorClass, L"A message - Message");
  Inspectors().push_back(inspector);
  HWND body = Child(inspector, kEditorClass, kInspectorBodyId, WS_TABSTOP);
  RECT area = {};
  ::GetClientRect(inspector, &area);
  ::SendMessageW(inspector, WM_SIZE, 0, MAKELPARAM(area.right, area.bottom));
  BringToFront(inspector, body);
}

void StandInWindows::CloseInspector() {
  if (!Inspectors().empty()) {
    ::DestroyWindow(Inspectors().back());
    Inspectors().pop_back();
  }
}

void StandInWindows::SetContentSource(ExplorerContentSource* source) {
  content_source = source;
}

void StandInWindows::Refresh(bool only_changed) {
  if (content_source == nullptr) {
    return;
  }
  for (auto& [window, shown] : Contents()) {
    if (!::IsWindow(window)) {
      continue;
    }
    ExplorerContent content = content_source->ContentOf(reinterpret_cast<std::uintptr_t>(window));
    if (only_changed && content == shown) {
      continue;
    }
    ::SetWindowTextW(window, platform::win32::Utf8ToWide(content.title).c_str());
    // The buttons are made anew: their number and captions follow the add-in's.
    for (int id = kFirstButtonId; HWND button = ::GetDlgItem(window, id); ++id) {
      ::DestroyWindow(button);
    }
    int left = 4;
    HDC dc = ::GetDC(window);
    ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    for (size_t i = 0; i < content.buttons.size(); ++i) {
      const std::wstring label = platform::win32::Utf8ToWide(content.buttons[i].label);
      SIZE size{};
      ::GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
      HWND button = ::CreateWindowExW(
          0, L"Button", label.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, left, 4,
          size.cx + 16, kStripHeight - 8, window,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + static_cast<int>(i))),
          ::GetModuleHandleW(nullptr), nullptr);
      ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
      ::EnableWindow(button, content.buttons[i].enabled ? TRUE : FALSE);
      left += size.cx + 20;
    }
    ::ReleaseDC(window, dc);
    shown = std::move(content);
    ::InvalidateRect(window, nullptr, TRUE);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

bool StandInWindows::Photograph(std::uintptr_t explorer, const std::string& path) {
  Refresh();
  return PhotographWindow(reinterpret_cast<HWND>(explorer), platform::win32::Utf8ToWide(path));
}

void StandInWindows::RunUntilClosed() {
  Refresh();
  // Mail filed by a key or from a dialog changes what the explorers show without a click on
  // them: look for such changes a few times a second.
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 250, nullptr);
  MSG message;
  while (std::any_of(Contents().begin(), Contents().end(),
                     [](const auto& entry) { return ::IsWindow(entry.first) != FALSE; })) {
    if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
      break;
    }
    if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer) {
      Refresh(/*only_changed=*/true);
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ::KillTimer(nullptr, timer);
}

std::string StandInWindows::NameOf(HWND window) {
  switch (::GetDlgCtrlID(window)) {
    case kMessageListId:
      return "the message list";
    case kSearchBoxId:
      return "the search box";
    case kReadingPaneId:
      return "the reading pane's editor";
    case kInlineReplyId:
      return "the inline reply";
    case kInspectorBodyId:
      return "the inspector";
    default:
      return window == nullptr ? "no window" : "an Outlook window";
  }
}

}  // namespace quivra::olhost
