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
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/add_folder_form.h"
#include "dialogs/folder_picker.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "platform/compositions/win32/win32_platform.h"
#include "platform/platform.h"
#include "platform/ui/button.h"
#include "platform/win32/wide_text.h"
#include "tests/e2e/picker_showing.h"
#include "tests/e2e/window_driver.h"

namespace {

using namespace quivra;
using namespace quivra::e2e;

// ---- The scenarios.

struct Fixture {
  outlook::sim::StandardWorld world;
  outlook::ApplicationPtr app = world.outlook.application();
  core::Configuration config;
  platform::win32::Win32Platform windows;
  platform::Platform& services = windows.platform();
  ui::win32::Win32Ui& forms = windows.forms;
  dialogs::TfrmFolders2 picker{*app, config, services};

  ui::ModalResult ShowPicker(bool any_folder) { return ShowPickerAsCallersDo(picker, any_folder); }
};

void PickerWithTheMouse(Fixture& f) {
  Play({
      On("Folders",
         [](HWND dialog) {
           RECT window{};
           RECT work{};
           ::GetWindowRect(dialog, &window);
           ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
           // A picker larger than the screen (at a high DPI) starts at its top left corner.
           const bool fits_across = window.right <= work.right ||
                                    (window.left == work.left &&
                                     window.right - window.left > work.right - work.left);
           const bool fits_down = window.bottom <= work.bottom ||
                                  (window.top == work.top &&
                                   window.bottom - window.top > work.bottom - work.top);
           Check(window.left >= work.left && window.top >= work.top && fits_across && fits_down,
                 "the picker is on the screen as far as it fits (" + std::to_string(window.left) +
                     " to " + std::to_string(window.right) + " of " +
                     std::to_string(work.left) + " to " + std::to_string(work.right) + ")");
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
      On("Folders",
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
      On("Folders",
         [&f](HWND dialog) {
           HWND tree = Child(dialog, L"SysTreeView32");
           HTREEITEM projects = Item(tree, "Mailbox\\Projects");
           Check(Expanded(tree, projects) && TextsBelow(tree, projects) == "Alpha, Beta",
                 "the right arrow expands Projects with its subfolders loaded");
           Check(f.picker.treeFolders.Selected()->Expanded(), "expanded in the form too");
           Screenshot(dialog, "folder_picker_projects");
           DoubleClickItem(tree, Item(tree, "Mailbox\\Projects\\Beta"));
         }),
      On("Folders",
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
  Check(TopWindow("Folders") == nullptr, "the picker window is gone");
}

void PickerWithTheKeyboard(Fixture& f) {
  Play({
      On("Folders",
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
      On("Folders",
         [](HWND dialog) {
           Screenshot(dialog, "folder_picker_browse");
           RECT client{};
           ::GetClientRect(dialog, &client);
           HWND ok = Child(dialog, L"Button", "OK");
           HWND cancel = Child(dialog, L"Button", "Cancel");
           RECT ok_rect{};
           RECT cancel_rect{};
           ::GetWindowRect(ok, &ok_rect);
           ::GetWindowRect(cancel, &cancel_rect);
           ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&cancel_rect), 2);
           Check(client.right == Scaled(302) && Child(dialog, L"SysListView32") == nullptr &&
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
      On("Folders",
         [](HWND dialog) {
           HWND tree = Child(dialog, L"SysTreeView32");
           ClickItem(tree, Item(tree, "Mailbox\\Projects"));
         }),
      On("Folders",
         [](HWND dialog) { ::PostMessageW(Child(dialog, L"Button", "Add..."), BM_CLICK, 0, 0); }),
      On("Create New Folder",
         [](HWND dialog) {
           Screenshot(dialog, "new_folder");
           HWND edit = Child(dialog, L"Edit");
           Check(::GetFocus() == edit, "the name field has the focus");
           Type(edit, "Quarterly Reports");
         }),
      On("Create New Folder",
         [](HWND dialog) {
           Screenshot(dialog, "new_folder_typed");
           PressKey(Child(dialog, L"Edit"), VK_RETURN);
         }),
      [&f] {
        HWND dialog = TopWindow("Folders");
        if (dialog == nullptr || TopWindow("Create New Folder") != nullptr)
          return false;
        HWND tree = Child(dialog, L"SysTreeView32");
        Check(static_cast<bool>(f.world.projects["Quarterly Reports"]),
              "the folder was created below Projects in Outlook");
        Check(Item(tree, "Mailbox\\Projects\\Quarterly Reports") != nullptr,
              "the tree was filled anew and shows it: " +
                  TextsBelow(tree, Item(tree, "Mailbox\\Projects")));
        Screenshot(dialog, "folder_picker_after_add");
        ::SendMessageW(Child(dialog, L"Button", "Cancel"), BM_CLICK, 0, 0);
        return true;
      },
  });
  Check(f.ShowPicker(true) == ui::ModalResult::kCancel, "Cancel closes the picker");

  Play({
      On("Create New Folder",
         [](HWND dialog) {
           Type(Child(dialog, L"Edit"), "Zürich – 東京");
           PressKey(Child(dialog, L"Edit"), VK_ESCAPE);
         }),
  });
  std::string name = "unchanged";
  const bool asked = dialogs::AskNewFolderName(f.forms, "Inbox", name);
  Check(!asked && name.empty(), "Esc cancels the new-folder dialog");
  Play({
      On("Create New Folder", [](HWND dialog) { Type(Child(dialog, L"Edit"), "Zürich – 東京"); }),
      On("Create New Folder",
         [](HWND dialog) { ::SendMessageW(Child(dialog, L"Button", "OK"), BM_CLICK, 0, 0); }),
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
      On("Errors",
         [](HWND dialog) { ::PostMessageW(Child(dialog, L"Button", "Fail"), BM_CLICK, 0, 0); }),
      [&error_text] {
        HWND box = TopWindow("Error", L"#32770");
        if (box == nullptr)
          return false;
        wchar_t text[256] = {};
        ::GetDlgItemTextW(box, 0xFFFF, text, 256);
        error_text = text;
        ::SendMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        return true;
      },
      On("Errors",
         [](HWND dialog) { ::PostMessageW(Child(dialog, L"Button", "Close"), BM_CLICK, 0, 0); }),
  });
  const ui::ModalResult closed = f.forms.ShowModal(form);
  Check(closed == ui::ModalResult::kOk && error_text == L"The folder cannot be read.",
        "a failing handler's error is shown and the form stays up: \"" + WideToUtf8(error_text) +
            "\"");
}

// A modal form disables every window of the thread (all explorers and message windows), and
// enables them again when it closes — also when it ends because the application quits.
void ModalBlocksEveryWindow(Fixture& f) {
  const auto window = [](const wchar_t* title, bool visible) {
    return ::CreateWindowExW(0, L"Static", title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                             600, 400, 200, 100, nullptr, nullptr, nullptr, nullptr);
  };
  HWND explorer = window(L"Inbox - Outlook", true);
  HWND inspector = window(L"A message", true);
  HWND hidden = window(L"hidden", false);
  ui::Form form("Blocking");
  form.SetCaption("Blocking");
  form.SetClientSize(200, 80);
  form.SetPosition(ui::FormPosition::kScreenCenter);
  ui::Button close(&form, "close", {100, 10, 75, 25});
  close.SetCaption("Close");
  close.SetModalResult(ui::ModalResult::kCancel);
  for (const bool quit : {false, true}) {
    const std::string how = quit ? " (the application quits)" : "";
    bool blocked = false;
    Play({On("Blocking", [&](HWND dialog) {
      blocked = !::IsWindowEnabled(explorer) && !::IsWindowEnabled(inspector) &&
                ::IsWindowEnabled(hidden) && ::IsWindowEnabled(dialog);
      if (quit) {
        ::PostQuitMessage(0);
      } else {
        ::PostMessageW(Child(dialog, L"Button", "Close"), BM_CLICK, 0, 0);
      }
    })});
    const ui::ModalResult result = f.forms.ShowModal(form);
    Check(blocked, "while the form is up, every other visible window of the thread is disabled" +
                       how);
    Check(result == ui::ModalResult::kCancel && ::IsWindowEnabled(explorer) &&
              ::IsWindowEnabled(inspector),
          "after the form closed, they are enabled again" + how);
  }
  MSG quit_message;
  ::PeekMessageW(&quit_message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  ::DestroyWindow(explorer);
  ::DestroyWindow(inspector);
  ::DestroyWindow(hidden);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    screenshot_folder = Utf8ToWide(argv[1]);
  }
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
    ModalBlocksEveryWindow(f);
  } catch (const std::exception& error) {
    Check(false, std::string("unexpected error: ") + error.what());
  }
  std::printf("%d failure(s)\n", failures);
  return failures;
}
