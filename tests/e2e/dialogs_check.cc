// Shows the real dialogs as windows inside a Wine prefix, over the simulated Outlook, and acts
// on them from a thread timer as a person would: clicks and double-clicks on tree nodes, keys,
// typed text, buttons. Checks what the dialogs leave behind and photographs each of them into
// the folder given as the first argument. Prints one PASS or FAIL line per check and exits with
// the number of failures.
#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/configuration.h"
#include "dialogs/add_folder_form.h"
#include "dialogs/folder_picker.h"
#include "host/outlook/sim/standard_world.h"
#include "platform/platform.h"
#include "platform/ui/button.h"
#include "platform/ui/win32/win32_ui.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_codec.h"

namespace {

using namespace quivra;
using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

int failures = 0;
std::wstring screenshot_folder;

void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok)
    ++failures;
}

// ---- Finding windows and reading them, as an accessibility tool would.

struct WindowQuery {
  std::wstring class_name;
  std::wstring text;
  HWND found = nullptr;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return text;
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM lparam) {
  auto& query = *reinterpret_cast<WindowQuery*>(lparam);
  if (::IsWindowVisible(window) &&
      (query.class_name.empty() || ClassOf(window) == query.class_name) &&
      (query.text.empty() || TextOf(window) == query.text)) {
    query.found = window;
    return FALSE;
  }
  return TRUE;
}

// The visible top-level window of this thread with that caption (any, when empty) and class.
HWND TopWindow(const std::wstring& caption, const std::wstring& class_name = L"QuivraForm") {
  WindowQuery query{class_name, caption};
  ::EnumThreadWindows(::GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

// The visible control below `parent` of that class and, when given, that text.
HWND Child(HWND parent, const std::wstring& class_name, const std::wstring& text = L"") {
  WindowQuery query{class_name, text};
  if (parent != nullptr) {
    ::EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&query));
  }
  return query.found;
}

std::string ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[256] = {};
  TVITEMW described{};
  described.mask = TVIF_TEXT | TVIF_HANDLE;
  described.hItem = item;
  described.pszText = text;
  described.cchTextMax = 256;
  ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&described));
  return WideToUtf8(text);
}

std::vector<HTREEITEM> ItemsBelow(HWND tree, HTREEITEM parent) {
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

std::string TextsBelow(HWND tree, HTREEITEM parent) {
  std::string texts;
  for (HTREEITEM item : ItemsBelow(tree, parent)) {
    texts += (texts.empty() ? "" : ", ") + ItemText(tree, item);
  }
  return texts;
}

// The item at a path of texts joined by backslashes, or null.
HTREEITEM Item(HWND tree, const std::string& path) {
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

UINT ItemState(HWND tree, HTREEITEM item) {
  return static_cast<UINT>(
      ::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), 0xFFFF));
}
int StateImage(HWND tree, HTREEITEM item) {
  return static_cast<int>((ItemState(tree, item) & TVIS_STATEIMAGEMASK) >> 12);
}
bool Expanded(HWND tree, HTREEITEM item) {
  return (ItemState(tree, item) & TVIS_EXPANDED) != 0;
}

POINT ItemCentre(HWND tree, HTREEITEM item) {
  RECT rect{};
  // The message takes the item in the rectangle it fills.
  std::memcpy(&rect, &item, sizeof(item));
  ::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// ---- The person at the screen.

void ClickItem(HWND tree, HTREEITEM item) {
  const POINT at = ItemCentre(tree, item);
  ::PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  ::PostMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void DoubleClickItem(HWND tree, HTREEITEM item) {
  const POINT at = ItemCentre(tree, item);
  ::PostMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  ::PostMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void PressKey(HWND window, WPARAM key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
  ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

void Type(HWND edit, const std::string& text) {
  for (wchar_t c : Utf8ToWide(text)) {
    ::PostMessageW(edit, WM_CHAR, c, 1);
  }
}

// ---- Photographs.

void Screenshot(HWND window, const std::string& name) {
  // Everything is drawn now, children included, rather than when the queue runs dry.
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC window_dc = ::GetWindowDC(window);
  HDC memory = ::CreateCompatibleDC(window_dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
  ::GdiFlush();
  // GDI leaves the fourth byte of a pixel as it was; it is not transparency.
  if (bits != nullptr) {
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
      pixels[i] |= 0xFF000000;
  }
  const DWORD size = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + size;
  const std::wstring path = screenshot_folder + L"\\" + Utf8ToWide(name) + L".bmp";
  HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  bool ok = out != INVALID_HANDLE_VALUE && bits != nullptr;
  if (ok) {
    ok = ::WriteFile(out, &file, sizeof(file), &written, nullptr) &&
         ::WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
         ::WriteFile(out, bits, size, &written, nullptr);
    ::CloseHandle(out);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, window_dc);
  Check(ok, "screenshot " + name);
}

// ---- The script: one step per timer tick. A step returns false to be tried again on the next
// tick (a window has not come up yet); a script that is not done in time fails and the windows
// are closed.

using Step = std::function<bool()>;
std::deque<Step> steps;
int ticks_left = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR timer, DWORD) {
  static bool running = false;
  if (running)
    return;  // a step's message box runs a loop of its own
  running = true;
  if (!steps.empty()) {
    if (--ticks_left < 0) {
      Check(false, "script finished in time (" + std::to_string(steps.size()) + " steps left)");
      steps.clear();
      for (const wchar_t* caption : {L"Create New Folder", L"Folders", L"Errors"}) {
        if (HWND window = TopWindow(caption))
          ::PostMessageW(window, WM_CLOSE, 0, 0);
      }
    } else if (steps.front()()) {
      steps.pop_front();
    }
  }
  if (steps.empty())
    ::KillTimer(nullptr, timer);
  running = false;
}

void Play(std::vector<Step> script) {
  steps.assign(script.begin(), script.end());
  ticks_left = 100;  // 10 s at 100 ms a tick
  ::SetTimer(nullptr, 0, 100, RunStep);
}

// A step that waits for the window of that caption and then acts on it.
Step On(const std::wstring& caption, std::function<void(HWND)> act) {
  return [caption, act] {
    HWND window = TopWindow(caption);
    if (window == nullptr)
      return false;
    act(window);
    return true;
  };
}

// ---- The scenarios.

struct Fixture {
  outlook::sim::StandardWorld world;
  outlook::ApplicationPtr app = world.outlook.application();
  core::Configuration config;
  platform::win32::Win32FileSystem files;
  platform::win32::Win32Clock clock;
  platform::win32::Win32TextCodec codec;
  platform::win32::Win32Registry registry;
  platform::win32::Win32MessageBoxes message_boxes;
  platform::win32::Win32Screen screen;
  platform::win32::Win32Keyboard keyboard;
  platform::win32::Win32Collation collation;
  ui::win32::Win32Ui forms{message_boxes};
  platform::win32::Win32Shell shell;
  platform::Platform services{files,  clock,    codec,     registry, message_boxes,
                              screen, keyboard, collation, forms,    shell};
  dialogs::TfrmFolders2 picker{*app, config, services};

  // Shows the picker as its callers do: any-folder mode with the list, or browse mode with the
  // list side disabled and the width restored afterwards.
  ui::ModalResult ShowPicker(bool any_folder) {
    picker.SelectedPath.clear();
    picker.SelectedName.clear();
    picker.SelectedMruIndex = -1;
    picker.MruGroupList.SetEnabled(any_folder);
    picker.ListView1.SetEnabled(any_folder);
    picker.Panel1.SetEnabled(any_folder);
    // Wine's virtual screen is 1024 pixels wide: the picker's designed place would put its
    // right edge off the screen, and off the photographs.
    const int width = picker.Width();
    picker.SetBounds({20, 20, width, picker.Height()});
    picker.FillTree();
    picker.MruListAdd();
    const ui::ModalResult result = picker.ShowModal();
    picker.SetWidth(width);
    return result;
  }
};

void PickerWithTheMouse(Fixture& f) {
  Play({
      On(L"Folders",
         [](HWND dialog) {
           Screenshot(dialog, "folder_picker");
           HWND tree = Child(dialog, L"SysTreeView32");
           HWND list = Child(dialog, L"SysListView32");
           Check(TextsBelow(tree, nullptr) == "Mailbox, Archive",
                 "stores in the tree, default first");
           HTREEITEM mailbox = Item(tree, "Mailbox");
           Check(Expanded(tree, mailbox), "the default store is expanded");
           Check(TextsBelow(tree, mailbox) ==
                     "Deleted Items, Drafts, Inbox, Junk E-mail, Outbox, Projects, Sent Items",
                 "mail folders of the mailbox: " + TextsBelow(tree, mailbox));
           Check(StateImage(tree, mailbox) == 1 && StateImage(tree, Item(tree, "Archive")) == 3 &&
                     StateImage(tree, Item(tree, "Mailbox\\Inbox")) == 6 &&
                     StateImage(tree, Item(tree, "Mailbox\\Junk E-mail")) == 7 &&
                     StateImage(tree, Item(tree, "Mailbox\\Projects")) == 2,
                 "state images of stores and folders");
           Check(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 2 &&
                     ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                    LVNI_SELECTED) == 0,
                 "recently used list with its first row selected");
           Check(::GetFocus() == list, "the list has the focus");
           ClickItem(tree, Item(tree, "Mailbox\\Projects"));
         }),
      On(L"Folders",
         [&f](HWND dialog) {
           HWND tree = Child(dialog, L"SysTreeView32");
           HWND list = Child(dialog, L"SysListView32");
           Check(f.picker.treeFolders.Selected() != nullptr &&
                     f.picker.treeFolders.Selected()->Text() == "Projects",
                 "a click selects the node in the form");
           Check(f.picker.ListView1.ItemIndex() == -1 &&
                     ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                    LVNI_SELECTED) == -1,
                 "entering the tree clears the list's selection, in the window too");
           Check(::GetFocus() == tree, "the tree has the focus");
           PressKey(tree, VK_RIGHT);
         }),
      On(L"Folders",
         [&f](HWND dialog) {
           HWND tree = Child(dialog, L"SysTreeView32");
           HTREEITEM projects = Item(tree, "Mailbox\\Projects");
           Check(Expanded(tree, projects) && TextsBelow(tree, projects) == "Alpha, Beta",
                 "the right arrow expands Projects with its subfolders loaded");
           Check(f.picker.treeFolders.Selected()->Expanded(), "expanded in the form too");
           Screenshot(dialog, "folder_picker_projects");
           DoubleClickItem(tree, Item(tree, "Mailbox\\Projects\\Beta"));
         }),
      On(L"Folders",
         [&f](HWND dialog) {
           HWND tree = Child(dialog, L"SysTreeView32");
           HTREEITEM beta = Item(tree, "Mailbox\\Projects\\Beta");
           Check(f.picker.GetModalResult() == ui::ModalResult::kNone && Expanded(tree, beta) &&
                     TextsBelow(tree, beta) == "Specs",
                 "a double-click on a folder with subfolders opens it and the picker stays");
           DoubleClickItem(tree, Item(tree, "Mailbox\\Projects\\Alpha"));
         }),
  });
  const ui::ModalResult result = f.ShowPicker(true);
  Check(result == ui::ModalResult::kOk && f.picker.SelectedPath == "Mailbox\\Projects\\Alpha" &&
            f.picker.SelectedName == "Alpha" &&
            f.picker.SelectedStore.StoreId == f.world.mailbox.store_id(),
        "double-click on Alpha accepts it: " + f.picker.SelectedPath);
  Check(TopWindow(L"Folders") == nullptr, "the picker window is gone");
}

void PickerWithTheKeyboard(Fixture& f) {
  Play({
      On(L"Folders",
         [](HWND dialog) {
           HWND tree = Child(dialog, L"SysTreeView32");
           Check(Expanded(tree, Item(tree, "Mailbox\\Projects")) &&
                     Expanded(tree, Item(tree, "Mailbox\\Projects\\Beta")),
                 "the next showing restores the expanded folders");
           ClickItem(tree, Item(tree, "Mailbox\\Projects"));
           PressKey(tree, VK_RETURN);
         }),
  });
  const ui::ModalResult entered = f.ShowPicker(true);
  Check(entered == ui::ModalResult::kOk && f.picker.SelectedPath == "Mailbox\\Projects",
        "Enter takes the selected folder with subfolders: " + f.picker.SelectedPath);

  Play({
      On(L"Folders",
         [](HWND dialog) {
           Screenshot(dialog, "folder_picker_browse");
           RECT client{};
           ::GetClientRect(dialog, &client);
           HWND ok = Child(dialog, L"Button", L"OK");
           HWND cancel = Child(dialog, L"Button", L"Cancel");
           RECT ok_rect{};
           RECT cancel_rect{};
           ::GetWindowRect(ok, &ok_rect);
           ::GetWindowRect(cancel, &cancel_rect);
           ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&cancel_rect), 2);
           Check(client.right == 302 && Child(dialog, L"SysListView32") == nullptr &&
                     ok != nullptr && cancel_rect.right <= client.right && cancel_rect.left >= 0,
                 "browse mode narrows the window to the tree, OK and Cancel inside (width " +
                     std::to_string(client.right) + ")");
           PressKey(Child(dialog, L"SysTreeView32"), VK_ESCAPE);
         }),
  });
  Check(f.ShowPicker(false) == ui::ModalResult::kCancel && f.picker.SelectedPath.empty(),
        "Esc closes the picker in browse mode with Cancel");
}

void NewFolderThroughThePicker(Fixture& f) {
  Play({
      On(L"Folders",
         [](HWND dialog) {
           HWND tree = Child(dialog, L"SysTreeView32");
           ClickItem(tree, Item(tree, "Mailbox\\Projects"));
         }),
      On(L"Folders",
         [](HWND dialog) { ::PostMessageW(Child(dialog, L"Button", L"Add..."), BM_CLICK, 0, 0); }),
      On(L"Create New Folder",
         [](HWND dialog) {
           Screenshot(dialog, "new_folder");
           HWND edit = Child(dialog, L"Edit");
           Check(::GetFocus() == edit, "the name field has the focus");
           Type(edit, "Quarterly Reports");
         }),
      On(L"Create New Folder",
         [](HWND dialog) {
           Screenshot(dialog, "new_folder_typed");
           PressKey(Child(dialog, L"Edit"), VK_RETURN);
         }),
      [&f] {
        HWND dialog = TopWindow(L"Folders");
        if (dialog == nullptr || TopWindow(L"Create New Folder") != nullptr)
          return false;
        HWND tree = Child(dialog, L"SysTreeView32");
        Check(static_cast<bool>(f.world.projects["Quarterly Reports"]),
              "the folder was created below Projects in Outlook");
        Check(Item(tree, "Mailbox\\Projects\\Quarterly Reports") != nullptr,
              "the tree was filled anew and shows it: " +
                  TextsBelow(tree, Item(tree, "Mailbox\\Projects")));
        Screenshot(dialog, "folder_picker_after_add");
        ::SendMessageW(Child(dialog, L"Button", L"Cancel"), BM_CLICK, 0, 0);
        return true;
      },
  });
  Check(f.ShowPicker(true) == ui::ModalResult::kCancel, "Cancel closes the picker");

  Play({
      On(L"Create New Folder",
         [](HWND dialog) {
           Type(Child(dialog, L"Edit"), "Zürich – 東京");
           PressKey(Child(dialog, L"Edit"), VK_ESCAPE);
         }),
  });
  std::string name = "unchanged";
  const bool asked = dialogs::AskNewFolderName(f.forms, "Inbox", name);
  Check(!asked && name.empty(), "Esc cancels the new-folder dialog");
  Play({
      On(L"Create New Folder", [](HWND dialog) { Type(Child(dialog, L"Edit"), "Zürich – 東京"); }),
      On(L"Create New Folder",
         [](HWND dialog) { ::SendMessageW(Child(dialog, L"Button", L"OK"), BM_CLICK, 0, 0); }),
  });
  const bool named = dialogs::AskNewFolderName(f.forms, "Inbox", name);
  Check(named && name == "Zürich – 東京", "the typed name comes back exactly: " + name);
}

// A handler that fails shows the error and leaves the form up.
void HandlerErrors(Fixture& f) {
  ui::Form form("Errors");
  form.SetCaption("Errors");
  form.SetClientSize(200, 80);
  form.SetPosition(ui::FormPosition::kScreenCenter);
  ui::Button fail(&form, "fail", {10, 10, 75, 25});
  fail.SetCaption("Fail");
  fail.OnClick = [] { throw std::runtime_error("The folder cannot be read"); };
  ui::Button close(&form, "close", {100, 10, 75, 25});
  close.SetCaption("Close");
  close.SetModalResult(ui::ModalResult::kOk);
  std::wstring error_text;
  Play({
      On(L"Errors",
         [](HWND dialog) { ::PostMessageW(Child(dialog, L"Button", L"Fail"), BM_CLICK, 0, 0); }),
      [&error_text] {
        HWND box = TopWindow(L"Error", L"#32770");
        if (box == nullptr)
          return false;
        wchar_t text[256] = {};
        ::GetDlgItemTextW(box, 0xFFFF, text, 256);
        error_text = text;
        ::SendMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        return true;
      },
      On(L"Errors",
         [](HWND dialog) { ::PostMessageW(Child(dialog, L"Button", L"Close"), BM_CLICK, 0, 0); }),
  });
  const ui::ModalResult closed = f.forms.ShowModal(form);
  Check(closed == ui::ModalResult::kOk && error_text == L"The folder cannot be read.",
        "a failing handler's error is shown and the form stays up: \"" + WideToUtf8(error_text) +
            "\"");
}

}  // namespace

int main(int argc, char** argv) {
  screenshot_folder = Utf8ToWide(argc > 1 ? argv[1] : ".");
  try {
    Fixture f;
    const ui::Font tahoma{"Tahoma", 8, false};
    const ui::Font bold{"Tahoma", 8, true};
    const int plain_width = f.forms.TextWidth(tahoma, "Quarterly Reports");
    Check(plain_width > 40 && plain_width < 150 &&
              f.forms.TextWidth(bold, "Quarterly Reports") > plain_width &&
              f.forms.TextWidth({"Tahoma", 16, false}, "Quarterly Reports") > plain_width &&
              f.forms.TextWidth(tahoma, "") == 0,
          "text measured in its font: " + std::to_string(plain_width) + " pixels");
    f.config.ExpandList = std::vector<std::string>();
    f.config.MruList[1] = {"Mailbox\\Inbox", "Mailbox", f.world.mailbox.store_id()};
    f.config.MruList[2] = {"Archive\\2024", "Archive", f.world.archive.store_id()};
    PickerWithTheMouse(f);
    PickerWithTheKeyboard(f);
    NewFolderThroughThePicker(f);
    HandlerErrors(f);
  } catch (const std::exception& error) {
    Check(false, std::string("unexpected error: ") + error.what());
  }
  std::printf("%d failure(s)\n", failures);
  return failures;
}
