// The folder picker's "Find:" box as a real window under Wine, over the simulated Outlook:
// typing into the list and the tree, the matches in the list and the tree, Up and Down, Esc
// and Enter, names with accents found without them. Photographs the picker with the box empty
// and with matches, in both modes, into the folder given as the first argument. Prints one
// PASS or FAIL line per check and exits with the number of failures.
#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "dialogs/folder_picker.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "platform/compositions/win32/win32_platform.h"
#include "platform/platform.h"
#include "tests/e2e/picker_showing.h"
#include "tests/e2e/window_driver.h"

namespace {

using namespace quivra;
using namespace quivra::e2e;

struct Fixture {
  Fixture() {
    world.archive_alpha.AddFolder("M\xC3\xBCller");
    config.ExpandList = std::vector<std::string>();
    config.MruList[1] = {"Mailbox\\Inbox", "Mailbox", world.mailbox.store_id()};
    config.MruList[2] = {"Archive\\2024", "Archive", world.archive.store_id()};
  }

  ui::ModalResult ShowPicker(bool any_folder) {
    const ui::ModalResult result = ShowPickerAsCallersDo(picker, any_folder);
    picker.FreeAllNodes();
    return result;
  }

  outlook::sim::StandardWorld world;
  outlook::ApplicationPtr app = world.outlook.application();
  core::Configuration config;
  platform::win32::Win32Platform windows;
  platform::Platform& services = windows.platform();
  dialogs::TfrmFolders2 picker{*app, config, services};
};

int RowCount(HWND list) {
  return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

int SelectedRow(HWND list) {
  return static_cast<int>(
      ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string RowText(HWND list, int row, int column) {
  wchar_t text[260] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 260;
  ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return WideToUtf8(text);
}

std::string TreeSelection(HWND tree) {
  const auto item =
      reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  return item == nullptr ? std::string() : ItemText(tree, item);
}

// Whether a lies wholly above b, or wholly left of it.
bool Above(const RECT& a, const RECT& b) {
  return a.bottom <= b.top;
}
bool LeftOf(const RECT& a, const RECT& b) {
  return a.right <= b.left;
}

void AnyFolderMode(Fixture& f) {
  Play({
      On("Folders",
         [](HWND dialog) {
           HWND list = Child(dialog, L"SysListView32");
           HWND box = Child(dialog, L"Edit");
           const RECT box_rect = RectIn(dialog, box);
           RECT client{};
           ::GetClientRect(dialog, &client);
           Check(
               box != nullptr && Above(RectIn(dialog, list), box_rect) &&
                   LeftOf(box_rect, RectIn(dialog, Child(dialog, L"Button", "Clear MRU Entry"))) &&
                   Above(box_rect,
                         RectIn(dialog, Child(dialog, L"Button", "Disable List Updates"))) &&
                   box_rect.right <= client.right,
               "the box is below the list and left of its check boxes");
           Check(platform::CaptionAsShown(TextOf(Child(dialog, L"Static", "Find:"))) == "Find:",
                 "the box is labelled");
           Screenshot(dialog, "find_box_empty");
           Check(::GetFocus() == list && TextOf(box).empty(), "the list has the focus");
           Type(list, "a");
         }),
      On("Folders",
         [](HWND dialog) {
           HWND box = Child(dialog, L"Edit");
           Check(::GetFocus() == box && TextOf(box) == "a",
                 "a letter typed in the list goes to the box: \"" + TextOf(box) + "\"");
           Type(box, "lp");
         }),
      On("Folders",
         [](HWND dialog) {
           HWND list = Child(dialog, L"SysListView32");
           HWND tree = Child(dialog, L"SysTreeView32");
           Check(RowCount(list) == 2 && RowText(list, 0, 1) == "Mailbox\\Projects\\Alpha" &&
                     RowText(list, 1, 1) == "Archive\\Projects\\Alpha" && SelectedRow(list) == 0,
                 "the list shows the matches, the best selected: " + RowText(list, 0, 1));
           Check(TreeSelection(tree) == "Alpha" && Expanded(tree, Item(tree, "Mailbox\\Projects")),
                 "the tree opens Projects and selects Alpha");
           Screenshot(dialog, "find_box_matches");
           PressKey(Child(dialog, L"Edit"), VK_DOWN);
         }),
      On("Folders",
         [](HWND dialog) {
           HWND list = Child(dialog, L"SysListView32");
           Check(SelectedRow(list) == 1 &&
                     Expanded(Child(dialog, L"SysTreeView32"),
                              Item(Child(dialog, L"SysTreeView32"), "Archive\\Projects")),
                 "Down selects the next match, in the tree too");
           PressKey(Child(dialog, L"Edit"), VK_ESCAPE);
         }),
      On("Folders",
         [](HWND dialog) {
           HWND list = Child(dialog, L"SysListView32");
           HWND box = Child(dialog, L"Edit");
           Check(TextOf(box).empty() && RowCount(list) == 2 &&
                     RowText(list, 1, 1) == "Archive\\2024" && SelectedRow(list) == 0,
                 "Esc empties the box and the recently used list is back as it was");
           Type(box, "MULLER");
         }),
      On("Folders",
         [](HWND dialog) {
           HWND list = Child(dialog, L"SysListView32");
           Check(RowCount(list) == 1 && RowText(list, 0, 0) == "M\xC3\xBCller",
                 "\"MULLER\" finds M\xC3\xBCller in the second store: " + RowText(list, 0, 0));
           Screenshot(dialog, "find_box_accents");
           PressKey(Child(dialog, L"Edit"), VK_RETURN);
         }),
  });
  const ui::ModalResult result = f.ShowPicker(true);
  Check(result == ui::ModalResult::kOk &&
            f.picker.SelectedPath == "Archive\\Projects\\Alpha\\M\xC3\xBCller" &&
            f.picker.SelectedStore.StoreId == f.world.archive.store_id(),
        "Enter accepts the match: " + f.picker.SelectedPath);
}

void BrowseMode(Fixture& f) {
  Play({
      On("Folders",
         [](HWND dialog) {
           HWND tree = Child(dialog, L"SysTreeView32");
           HWND box = Child(dialog, L"Edit");
           RECT client{};
           ::GetClientRect(dialog, &client);
           const RECT box_rect = RectIn(dialog, box);
           Check(Above(RectIn(dialog, Child(dialog, L"Button", "Select Folder")), box_rect) &&
                     Above(box_rect, RectIn(dialog, Child(dialog, L"Button", "OK"))) &&
                     box_rect.right <= client.right,
                 "in browse mode the box is under the tree, inside the narrowed window");
           Screenshot(dialog, "find_box_browse");
           Type(tree, "s");
         }),
      On("Folders", [](HWND dialog) { Type(Child(dialog, L"Edit"), "pec"); }),
      On("Folders",
         [](HWND dialog) {
           Check(TreeSelection(Child(dialog, L"SysTreeView32")) == "Specs",
                 "typing in the tree selects the match there");
           Screenshot(dialog, "find_box_browse_matches");
           PressKey(Child(dialog, L"Edit"), VK_RETURN);
         }),
  });
  const ui::ModalResult result = f.ShowPicker(false);
  Check(result == ui::ModalResult::kOk && f.picker.SelectedPath == "Mailbox\\Projects\\Beta\\Specs",
        "Enter accepts the match in browse mode: " + f.picker.SelectedPath);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    screenshot_folder = Utf8ToWide(argv[1]);
  }
  try {
    Fixture f;
    const std::string folded = f.services.collation.Fold(
        "M\xC3\xBCller \xC5\x81\xC3\x93"
        "D\xC5\xB9");
    Check(folded == "muller \xC5\x82odz", "names fold without case and accents: " + folded);
    AnyFolderMode(f);
    BrowseMode(f);
  } catch (const std::exception& error) {
    Check(false, std::string("unexpected error: ") + error.what());
  }
  std::printf("%d failure(s)\n", failures);
  return failures;
}
