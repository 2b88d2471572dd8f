// What the Wine test programs use to act on real windows as a person at the screen would, and
// to read them back as an accessibility tool would: finding windows, reading their texts,
// clicks, keys and typing, photographs, and a script of steps played from a thread timer inside
// the modal loops of the dialogs. One program includes it once.
#ifndef QUIVRA_TESTS_E2E_WINDOW_DRIVER_H_
#define QUIVRA_TESTS_E2E_WINDOW_DRIVER_H_

#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/caption_text.h"
#include "platform/win32/wide_text.h"
#include "tools/olhost/window_photograph.h"

namespace quivra::e2e {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

inline int failures = 0;
inline std::wstring screenshot_folder = L".";

inline void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) {
    ++failures;
  }
}

// ---- Finding windows and reading them.

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

inline std::string TextOf(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return WideToUtf8(text);
}

struct WindowQuery {
  std::wstring class_name;
  std::string text;
  HWND found = nullptr;
};

// Controls are found by their caption as shown, whichever letter is their access key.
inline BOOL CALLBACK MatchWindow(HWND window, LPARAM lparam) {
  auto& query = *reinterpret_cast<WindowQuery*>(lparam);
  if (::IsWindowVisible(window) &&
      (query.class_name.empty() || ClassOf(window) == query.class_name) &&
      (query.text.empty() || TextOf(window) == query.text ||
       platform::CaptionAsShown(TextOf(window)) == query.text)) {
    query.found = window;
    return FALSE;
  }
  return TRUE;
}

// The visible top-level window of this thread with that caption (any, when empty) and class.
inline HWND TopWindow(const std::string& caption, const std::wstring& class_name = L"QuivraForm") {
  WindowQuery query{class_name, caption};
  ::EnumThreadWindows(::GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

// The visible control below `parent` of that class and, when given, that text.
inline HWND Child(HWND parent, const std::wstring& class_name, const std::string& text = "") {
  WindowQuery query{class_name, text};
  if (parent != nullptr) {
    ::EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&query));
  }
  return query.found;
}

// A window's rectangle in the client coordinates of `dialog`.
inline RECT RectIn(HWND dialog, HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

struct PointQuery {
  HWND dialog;
  std::wstring class_name;
  POINT point;
  HWND found = nullptr;
};

inline BOOL CALLBACK MatchPoint(HWND window, LPARAM lparam) {
  auto& query = *reinterpret_cast<PointQuery*>(lparam);
  const RECT rect = RectIn(query.dialog, window);
  if (::IsWindowVisible(window) && ClassOf(window) == query.class_name &&
      ::PtInRect(&rect, query.point)) {
    query.found = window;
  }
  return TRUE;
}

// A designed (96 DPI) distance in the screen's pixels: the forms scale by the system DPI.
inline int Scaled(int designed) {
  static const int dpi = [] {
    HDC screen = ::GetDC(nullptr);
    const int found = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return found > 0 ? found : 96;
  }();
  return ::MulDiv(designed, dpi, 96);
}

// The visible control of that class below `dialog` that covers the designed point (x, y) of
// the dialog's client area; of several, the last one made.
inline HWND ControlAt(HWND dialog, int x, int y, const std::wstring& class_name) {
  PointQuery query{dialog, class_name, {Scaled(x), Scaled(y)}};
  ::EnumChildWindows(dialog, MatchPoint, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

inline bool Checked(HWND box) {
  return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// ---- The person at the screen.

inline void PressKey(HWND window, WPARAM key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
  ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

inline void Type(HWND edit, const std::string& text) {
  for (wchar_t c : Utf8ToWide(text)) {
    ::PostMessageW(edit, WM_CHAR, c, 1);
  }
}

// Selects all of an edit field's text, so that typing replaces it.
inline void SelectAll(HWND edit) {
  ::PostMessageW(edit, EM_SETSEL, 0, -1);
}

inline void ClickButton(HWND button) {
  ::PostMessageW(button, BM_CLICK, 0, 0);
}

// A click with the left button at the designed point (x, y) of the window's client area.
inline void ClickAt(HWND window, int x, int y) {
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Scaled(x), Scaled(y)));
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(Scaled(x), Scaled(y)));
}

// ---- Tree views: items by their texts, clicked where a person sees them.

inline std::string ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[256] = {};
  TVITEMW described{};
  described.mask = TVIF_TEXT | TVIF_HANDLE;
  described.hItem = item;
  described.pszText = text;
  described.cchTextMax = 256;
  ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&described));
  return WideToUtf8(text);
}

inline std::vector<HTREEITEM> ItemsBelow(HWND tree, HTREEITEM parent) {
  std::vector<HTREEITEM> items;
  auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(
      tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
  while (item != nullptr) {
    items.push_back(item);
    item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
  }
  return items;
}

inline std::string TextsBelow(HWND tree, HTREEITEM parent) {
  std::string texts;
  for (HTREEITEM item : ItemsBelow(tree, parent)) {
    texts += (texts.empty() ? "" : ", ") + ItemText(tree, item);
  }
  return texts;
}

// The item at a path of texts joined by backslashes, or null.
inline HTREEITEM Item(HWND tree, const std::string& path) {
  HTREEITEM parent = nullptr;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t cut = path.find('\\', start);
    const std::string text = path.substr(start, cut - start);
    HTREEITEM next = nullptr;
    for (HTREEITEM item : ItemsBelow(tree, parent)) {
      if (ItemText(tree, item) == text)
        next = item;
    }
    if (next == nullptr)
      return nullptr;
    parent = next;
    if (cut == std::string::npos)
      break;
    start = cut + 1;
  }
  return parent;
}

inline UINT ItemState(HWND tree, HTREEITEM item) {
  return static_cast<UINT>(
      ::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), 0xFFFF));
}
inline int StateImage(HWND tree, HTREEITEM item) {
  return static_cast<int>((ItemState(tree, item) & TVIS_STATEIMAGEMASK) >> 12);
}
inline bool Expanded(HWND tree, HTREEITEM item) {
  return (ItemState(tree, item) & TVIS_EXPANDED) != 0;
}

inline POINT ItemCentre(HWND tree, HTREEITEM item) {
  RECT rect{};
  // The message takes the item in the rectangle it fills.
  std::memcpy(&rect, &item, sizeof(item));
  ::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

inline void ClickItem(HWND tree, HTREEITEM item) {
  const POINT at = ItemCentre(tree, item);
  ::PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  ::PostMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

inline void DoubleClickItem(HWND tree, HTREEITEM item) {
  const POINT at = ItemCentre(tree, item);
  ::PostMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  ::PostMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

// ---- Photographs.

// Saves the window as it is on the screen, frame included, as <name>.bmp in the screenshot
// folder.
// The controls whose text does not fit them, measured as they draw it: in the font the window
// uses, without the & of a shortcut letter, within the room the control leaves for text.
struct FitSearch {
  std::string clipped;
};

inline BOOL CALLBACK FindClippedText(HWND window, LPARAM search_address) {
  auto* search = reinterpret_cast<FitSearch*>(search_address);
  const std::wstring class_name = ClassOf(window);
  if (!::IsWindowVisible(window) || (class_name != L"Button" && class_name != L"Static")) {
    return TRUE;
  }
  wchar_t text[512] = {};
  const int length = ::GetWindowTextW(window, text, 512);
  std::wstring shown;
  for (int i = 0; i < length; ++i) {
    if (text[i] == L'&' && i + 1 < length) {
      ++i;
    }
    shown += text[i];
  }
  if (shown.empty()) {
    return TRUE;
  }
  HDC dc = ::GetDC(window);
  const HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::SelectObject(dc, old);
  ::ReleaseDC(window, dc);
  RECT client{};
  ::GetClientRect(window, &client);
  int room = client.right;
  const LONG style = ::GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
  if (class_name == L"Button") {
    const int dpi_room = ::MulDiv(16, dpi, 96);
    if (style == BS_CHECKBOX || style == BS_AUTOCHECKBOX || style == BS_RADIOBUTTON ||
        style == BS_AUTORADIOBUTTON || style == BS_3STATE || style == BS_AUTO3STATE) {
      room -= dpi_room;  // the box and the gap beside it
    } else if (style == BS_GROUPBOX) {
      room -= dpi_room;  // the caption sits between the frame's corners
    } else {
      room -= 4;  // a push button's edges
    }
  }
  if (size.cx > room) {
    search->clipped += " \"" + WideToUtf8(shown) + "\" (" + std::to_string(size.cx) + " > " +
                       std::to_string(room) + ")";
  }
  return TRUE;
}

inline void Screenshot(HWND window, const std::string& name) {
  {
    FitSearch search;
    ::EnumChildWindows(window, FindClippedText, reinterpret_cast<LPARAM>(&search));
    Check(search.clipped.empty(), "every text of " + name + " fits its control" + search.clipped);
  }
  const std::wstring path = screenshot_folder + L"\\" + Utf8ToWide(name) + L".bmp";
  const bool ok = olhost::PhotographWindow(window, path);
  Check(ok, "screenshot " + name);
}

// ---- The script: one step per timer tick. A step returns false to be tried again on the next
// tick (a window has not come up yet); a script that is not done in time fails and the forms
// are closed.

using Step = std::function<bool()>;
inline std::deque<Step> steps;
inline int ticks_left = 0;

inline BOOL CALLBACK CloseForm(HWND window, LPARAM) {
  if (::IsWindowVisible(window) && ClassOf(window) == L"QuivraForm") {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

inline void CALLBACK RunStep(HWND, UINT, UINT_PTR timer, DWORD) {
  static bool running = false;
  if (running) {
    return;  // a step's message box runs a loop of its own
  }
  running = true;
  if (!steps.empty()) {
    if (--ticks_left < 0) {
      Check(false, "script finished in time (" + std::to_string(steps.size()) + " steps left)");
      steps.clear();
      ::EnumThreadWindows(::GetCurrentThreadId(), CloseForm, 0);
    } else if (steps.front()()) {
      steps.pop_front();
    }
  }
  if (steps.empty()) {
    ::KillTimer(nullptr, timer);
  }
  running = false;
}

inline void Play(std::vector<Step> script) {
  steps.assign(script.begin(), script.end());
  ticks_left = 100;  // 10 s at 100 ms a tick
  ::SetTimer(nullptr, 0, 100, RunStep);
}

// A step that waits for the window of that caption and then acts on it.
inline Step On(const std::string& caption, std::function<void(HWND)> act) {
  return [caption, act] {
    HWND window = TopWindow(caption);
    if (window == nullptr) {
      return false;
    }
    act(window);
    return true;
  };
}

}  // namespace quivra::e2e

#endif  // QUIVRA_TESTS_E2E_WINDOW_DRIVER_H_
