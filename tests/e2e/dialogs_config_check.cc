// Shows the configuration dialog and the About box as real windows inside a Wine prefix, over
// the simulated Outlook, and acts on them from a thread timer as a person would: Browse with the
// folder picker, the arrow pictures, Clear, the Backspace check box, typed captions, OK, Enter
// and Esc; the About box's texts and its link. Reads the windows back, checks what the dialogs
// leave in the configuration and photographs them into the folder given as the first argument.
// Prints one PASS or FAIL line per check and exits with the number of failures.
#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "dialogs/config_dialog.h"
#include "dialogs/folder_picker.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "model/filing_history.h"
#include "model/filing_options.h"
#include "platform/compositions/win32/win32_platform.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "tests/e2e/window_driver.h"

namespace {

using namespace quivra;
using namespace quivra::e2e;

constexpr char kConfigCaption[] = "Configure Quivra";
constexpr char kPickerCaption[] = "Folders";

// The shell of the test: it records what it is asked to open instead of starting a browser.
class RecordingShell : public platform::Shell {
 public:
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
  std::vector<std::string> opened;
};

struct Fixture {
  outlook::sim::StandardWorld world;
  outlook::ApplicationPtr app = world.outlook.application();
  core::Configuration config;
  RecordingShell shell;
  platform::win32::Win32Platform windows{shell};
  platform::Platform& services = windows.platform();
  ui::win32::Win32Ui& forms = windows.forms;
  dialogs::TfrmFolders2 picker{*app, config, services};
  // Serves "Suggest folders" and "Forget what was learned", as in the add-in.
  core::FilingHistory history{services};
  core::MarkAsReadOption mark_as_read{services};

  void Bind(int slot, const outlook::sim::SimFolder& folder, const std::string& caption) {
    const std::string path = folder.path();
    const std::string store = path.substr(0, path.find('\\'));
    config.StoreDetails[slot] = {store, store, folder.store_id()};
    config.FolderNames[slot] = path;
    config.ButtonNames[slot] = caption;
  }

  // Shows the dialog as the Configure command does: the picker in browse mode with its tree
  // filled, and back at its place and size afterwards.
  ui::ModalResult ShowConfig(dialogs::TfrmConfig& dialog) {
    picker.MruGroupList.SetEnabled(false);
    picker.ListView1.SetEnabled(false);
    picker.Panel1.SetEnabled(false);
    const ui::Rect place = picker.BoundsRect();
    picker.FillTree();
    const ui::ModalResult result = forms.ShowModal(dialog);
    picker.SetBounds(place);
    return result;
  }
};

// ---- The dialog's windows, found where a person sees them (client coordinates of the dialog).
// Rows 1 ... 10 stand in the folders group at (2, 0), 32 pixels apart; the Backspace row in its
// own group at (2, 345).

int RowTop(int row) {
  return row == core::kBackspaceSlot ? 345 + 40 : 28 + (row - 1) * 32;
}
HWND FolderField(HWND dialog, int row) {
  return ControlAt(dialog, 2 + 100 + 5, RowTop(row) + 5, L"Edit");
}
HWND CaptionField(HWND dialog, int row) {
  return ControlAt(dialog, 2 + 420 + 5, RowTop(row) + 5, L"Edit");
}
HWND BrowseButton(HWND dialog, int row) {
  return ControlAt(dialog, 2 + 368 + 5, RowTop(row) + 5, L"Button");
}
HWND ClearButton(HWND dialog, int row) {
  return ControlAt(dialog, 2 + 528 + 5, RowTop(row) + 5, L"Button");
}
// The move arrow of a row: down at x 580, up at x 604, 4 pixels below the row's fields.
HWND Arrow(HWND dialog, int row, bool down) {
  return ControlAt(dialog, 2 + (down ? 580 : 604) + 8, RowTop(row) + 4 + 8, L"Static");
}
HWND BackspaceBox(HWND dialog) {
  return Child(dialog, L"Button", "Backspace");
}

std::string RowText(HWND dialog, int row) {
  return TextOf(FolderField(dialog, row)) + " | " + TextOf(CaptionField(dialog, row));
}

bool HasPicture(HWND image) {
  return image != nullptr && ::SendMessageW(image, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
}

// Whether a picture is drawn: more than one colour besides the dialog face covers an eighth of
// it, so that an empty black or white box does not count.
bool PictureDrawn(HWND image) {
  if (image == nullptr) {
    return false;
  }
  RECT rect{};
  ::GetClientRect(image, &rect);
  HDC dc = ::GetDC(image);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  std::set<COLORREF> colours;
  int other = 0;
  for (int y = 0; y < rect.bottom; ++y) {
    for (int x = 0; x < rect.right; ++x) {
      const COLORREF pixel = ::GetPixel(dc, x, y);
      if (pixel != face && pixel != CLR_INVALID) {
        ++other;
        colours.insert(pixel);
      }
    }
  }
  ::ReleaseDC(image, dc);
  return colours.size() > 1 && other > rect.right * rect.bottom / 8;
}

struct HintQuery {
  HWND owner;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTooltips(HWND window, LPARAM lparam) {
  auto& query = *reinterpret_cast<HintQuery*>(lparam);
  if (ClassOf(window) == TOOLTIPS_CLASSW && ::GetWindow(window, GW_OWNER) == query.owner) {
    query.found = window;
    return FALSE;
  }
  return TRUE;
}

// The hint that the dialog's tooltips show for a control.
std::string HintOf(HWND dialog, HWND control) {
  HintQuery query{dialog};
  ::EnumThreadWindows(::GetCurrentThreadId(), MatchTooltips, reinterpret_cast<LPARAM>(&query));
  if (query.found == nullptr || control == nullptr) {
    return "";
  }
  wchar_t text[80] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  ::SendMessageW(query.found, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  return WideToUtf8(text);
}

std::string SlotText(const core::Configuration& config, int slot) {
  const core::TStoreDetails& store = config.StoreDetails[slot];
  return store.StoreName + "/" + store.StoreNameId + "/" + store.StoreId + " " +
         config.FolderNames[slot] + " | " + config.ButtonNames[slot];
}

// ---- The scenarios.

void ConfigOnCommandBarHost(Fixture& f) {
  f.Bind(1, f.world.inbox, "Inbox");
  f.Bind(2, f.world.archive_2024, "Old mail");
  f.Bind(11, f.world.sent_items, "Sent");
  f.config.BackspaceKey = true;
  f.config.MainButtonCaption = "Quivra";
  f.config.ShortCuts = true;
  f.config.Icons = true;
  f.config.Separators = false;
  const std::string mailbox_id = f.world.mailbox.store_id();
  dialogs::TfrmConfig dialog(f.config, f.picker, &f.history, &f.mark_as_read);
  RECT dialog_place{};
  Play({
      On(kConfigCaption,
         [&](HWND window) {
           Screenshot(window, "config_dialog");
           ::GetWindowRect(window, &dialog_place);
           RECT client{};
           ::GetClientRect(window, &client);
           Check(client.right == Scaled(634) && client.bottom == Scaled(525),
                 "the dialog's client area is 634 x 525, scaled to the screen: " +
                     std::to_string(client.right) + " x " + std::to_string(client.bottom));
           Check(RowText(window, 1) == "Mailbox\\Inbox | Inbox" &&
                     RowText(window, 2) == "Archive\\2024 | Old mail" &&
                     RowText(window, 3) == " | " &&
                     RowText(window, 11) == "Mailbox\\Sent Items | Sent",
                 "rows show the slots: " + RowText(window, 1) + "; " + RowText(window, 2) + "; " +
                     RowText(window, 11));
           Check(!::IsWindowEnabled(FolderField(window, 1)) &&
                     ::IsWindowEnabled(CaptionField(window, 1)) &&
                     ::IsWindowEnabled(BrowseButton(window, 11)),
                 "folder fields are read-only, captions and the Backspace row open");
           HWND separators = Child(window, L"Button", "Add button separators");
           HWND main_name = ControlAt(window, 420 + 5, 452 + 5, L"Edit");
           Check(separators != nullptr && !Checked(separators) &&
                     Checked(Child(window, L"Button", "Enable keyboard shortcuts")) &&
                     Checked(BackspaceBox(window)) && TextOf(main_name) == "Quivra",
                 "options and the main button's name from the configuration");
           Check(Arrow(window, 1, false) == nullptr && Arrow(window, 10, true) == nullptr &&
                     HasPicture(Arrow(window, 1, true)) && HasPicture(Arrow(window, 10, false)),
                 "arrow pictures: no up arrow on row 1, no down arrow on row 10");
           Check(HintOf(window, Arrow(window, 4, true)) == "Move down" &&
                     HintOf(window, Arrow(window, 4, false)) == "Move up" &&
                     HintOf(window, BrowseButton(window, 4)).empty(),
                 "the arrows' hints: \"" + HintOf(window, Arrow(window, 4, true)) + "\"");
           Check(PictureDrawn(Arrow(window, 5, true)) && PictureDrawn(Arrow(window, 5, false)) &&
                     PictureDrawn(ControlAt(window, 2 + 18 + 8, 345 + 18 + 8, L"Static")) &&
                     PictureDrawn(ControlAt(window, 136 + 8, 475 + 8, L"Static")) &&
                     PictureDrawn(ControlAt(window, 206 + 8, 475 + 8, L"Static")),
                 "the arrows, the Backspace key and the numbered keys are drawn");
           // A caption typed before Browse is replaced by the folder's name.
           SelectAll(CaptionField(window, 3));
           Type(CaptionField(window, 3), "Typed");
           ClickButton(BrowseButton(window, 3));
         }),
      On(kPickerCaption,
         [&](HWND picker) {
           RECT place{};
           ::GetWindowRect(picker, &place);
           // Where it is designed to open, moved onto the work area when it would not fit
           // there (at a high DPI on a small screen); a pixel of rounding either way.
           RECT work{};
           ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
           const LONG width = place.right - place.left;
           const LONG height = place.bottom - place.top;
           const LONG left = std::max(work.left, std::min<LONG>(dialog_place.left + Scaled(400),
                                                                work.right - width));
           const LONG top = std::max(work.top, std::min<LONG>(dialog_place.top - Scaled(50),
                                                              work.bottom - height));
           Check(std::abs(place.left - left) <= 1 && std::abs(place.top - top) <= 1,
                 "the picker opens 400 right of and 50 above the dialog: (" +
                     std::to_string(place.left - dialog_place.left) + ", " +
                     std::to_string(place.top - dialog_place.top) + ")");
           Check(Child(picker, L"SysListView32") == nullptr, "the picker shows only the tree");
           Screenshot(picker, "config_browse_picker");
           HWND tree = Child(picker, L"SysTreeView32");
           HTREEITEM projects = Item(tree, "Mailbox\\Projects");
           Check(projects != nullptr, "Projects is in the picker's tree");
           ClickItem(tree, projects);
         }),
      On(kPickerCaption,
         [&](HWND picker) {
           Check(f.picker.treeFolders.Selected() != nullptr &&
                     f.picker.treeFolders.Selected()->Text() == "Projects",
                 "Projects selected in the picker");
           ClickButton(Child(picker, L"Button", "OK"));
         }),
      [&] {
        HWND window = TopWindow(kConfigCaption);
        if (window == nullptr || TopWindow(kPickerCaption) != nullptr) {
          return false;
        }
        Check(RowText(window, 3) == "Mailbox\\Projects | Projects",
              "Browse shows the folder and its name in row 3: " + RowText(window, 3));
        Check(SlotText(f.config, 3) ==
                  "Mailbox/Mailbox/" + mailbox_id + " Mailbox\\Projects | Projects",
              "Browse writes slot 3 at once: " + SlotText(f.config, 3));
        Check(::IsWindowEnabled(window) && f.picker.Left() == 378 && f.picker.Top() == 131,
              "the dialog is usable again and the picker back at its place");
        Screenshot(window, "config_dialog_browsed");
        ClickAt(Arrow(window, 1, true), 8, 8);
        return true;
      },
      On(kConfigCaption,
         [&](HWND window) {
           Check(RowText(window, 1) == "Archive\\2024 | Old mail" &&
                     RowText(window, 2) == "Mailbox\\Inbox | Inbox",
                 "the down arrow of row 1 swaps rows 1 and 2: " + RowText(window, 1));
           Check(f.config.FolderNames[1] == "Archive\\2024" &&
                     f.config.StoreDetails[1].StoreName == "Archive" &&
                     f.config.FolderNames[2] == "Mailbox\\Inbox" &&
                     f.config.StoreDetails[2].StoreId == mailbox_id,
                 "and the two slots in the configuration");
           ClickAt(Arrow(window, 3, false), 8, 8);
         }),
      On(kConfigCaption,
         [&](HWND window) {
           Check(RowText(window, 2) == "Mailbox\\Projects | Projects" &&
                     RowText(window, 3) == "Mailbox\\Inbox | Inbox" &&
                     f.config.FolderNames[3] == "Mailbox\\Inbox",
                 "the up arrow of row 3 swaps rows 3 and 2: " + RowText(window, 2));
           ClickButton(ClearButton(window, 1));
         }),
      On(kConfigCaption,
         [&](HWND window) {
           Check(RowText(window, 1) == " | " && f.config.FolderNames[1].empty() &&
                     f.config.StoreDetails[1].StoreId.empty(),
                 "Clear empties row 1 and slot 1: " + SlotText(f.config, 1));
           ClickButton(BackspaceBox(window));
         }),
      On(kConfigCaption,
         [&](HWND window) {
           Check(!Checked(BackspaceBox(window)) && RowText(window, 11) == " | " &&
                     f.config.FolderNames[11].empty(),
                 "unchecking Backspace empties slot 11 at once");
           Check(!::IsWindowEnabled(BrowseButton(window, 11)) &&
                     !::IsWindowEnabled(CaptionField(window, 11)) &&
                     !::IsWindowEnabled(ClearButton(window, 11)),
                 "and disables its Browse, caption and Clear");
           ClickButton(Child(window, L"Button", "Enable keyboard shortcuts"));
           HWND main_name = ControlAt(window, 420 + 5, 452 + 5, L"Edit");
           SelectAll(main_name);
           Type(main_name, "Filing");
           SelectAll(CaptionField(window, 3));
           Type(CaptionField(window, 3), "In");
         }),
      On(kConfigCaption,
         [&](HWND window) {
           Screenshot(window, "config_dialog_changed");
           Check(f.config.ShortCuts && f.config.MainButtonCaption == "Quivra" &&
                     f.config.ButtonNames[3] == "Inbox",
                 "options and captions wait for OK");
           ClickButton(Child(window, L"Button", "OK"));
         }),
  });
  const ui::ModalResult result = f.ShowConfig(dialog);
  Check(result == ui::ModalResult::kOk, "OK closes the dialog with OK");
  Check(!f.config.ShortCuts && f.config.BackspaceKey == false &&
            f.config.MainButtonCaption == "Filing" && f.config.ButtonNames[3] == "In" &&
            f.config.ButtonNames[2] == "Projects" && !f.config.Separators && f.config.Icons,
        "OK takes the options, the main button's name and the typed caption");
  Check(TopWindow(kConfigCaption) == nullptr, "the dialog's window is gone");

  // Esc drops typed captions, but what was done at once stays.
  Play({
      On(kConfigCaption,
         [&](HWND window) {
           Check(RowText(window, 3) == "Mailbox\\Inbox | In" && RowText(window, 1) == " | ",
                 "the next showing refills the rows: " + RowText(window, 3));
           SelectAll(CaptionField(window, 2));
           Type(CaptionField(window, 2), "Dropped");
           ClickButton(ClearButton(window, 3));
         }),
      On(kConfigCaption, [&](HWND window) { PressKey(CaptionField(window, 2), VK_ESCAPE); }),
  });
  Check(f.ShowConfig(dialog) == ui::ModalResult::kCancel, "Esc closes the dialog with Cancel");
  Check(f.config.ButtonNames[2] == "Projects" && f.config.FolderNames[3].empty(),
        "Esc drops the typed caption and keeps the cleared slot");
}

void ConfigOnRibbonHost(Fixture& f) {
  f.config.HostIsRibbonOutlook = true;
  f.config.Separators = true;
  f.config.MainButtonCaption = "Quivra";
  dialogs::TfrmConfig dialog(f.config, f.picker, &f.history, &f.mark_as_read);
  Play({
      On(kConfigCaption,
         [&](HWND window) {
           Screenshot(window, "config_dialog_ribbon");
           HWND icons = Child(window, L"Button", "Show Filing buttons on Home tab of the Ribbon");
           const RECT icons_rect = icons != nullptr ? RectIn(window, icons) : RECT{};
           Check(icons != nullptr && icons_rect.right - icons_rect.left == Scaled(250),
                 "the icons option reads as the Home tab's filing group, 250 wide");
           Check(Child(window, L"Button", "Add button separators") == nullptr &&
                     Child(window, L"Static", "Quivra Main Button name:") == nullptr &&
                     ControlAt(window, 420 + 5, 452 + 5, L"Edit") == nullptr &&
                     ControlAt(window, 136 + 8, 475 + 8, L"Static") == nullptr &&
                     Child(window, L"Static", ", ... ,") == nullptr,
                 "no separators, main button name or icon illustration on the ribbon");
           HWND note = Child(window, L"Static",
                             "Alt+1 to Alt+9 file instead of running the Quick Access Toolbar.");
           Check(note != nullptr && ::IsWindowVisible(note),
                 "the note on the Quick Access Toolbar's keys shows in the main button's place");
           ClickButton(icons);
         }),
      On(kConfigCaption, [&](HWND window) { PressKey(CaptionField(window, 4), VK_RETURN); }),
  });
  const ui::ModalResult result = f.ShowConfig(dialog);
  Check(result == ui::ModalResult::kOk && !f.config.Icons && f.config.Separators &&
            f.config.MainButtonCaption == "Quivra",
        "Enter presses OK; the hidden options keep their values");
  f.config.HostIsRibbonOutlook = false;
}

void AboutBox(Fixture& f) {
  dialogs::TFormAbout about(f.shell);
  const std::string site = dialogs::kProductWebSite;
  std::vector<std::string> texts;
  // The labels at their places: title, subtitle, version, link, copyright line.
  auto read = [&texts](HWND window) {
    texts.clear();
    for (POINT at :
         {POINT{172, 68}, POINT{292, 100}, POINT{68, 148}, POINT{68, 223}, POINT{68, 256}}) {
      HWND label = ControlAt(window, at.x + 3, at.y + 3, L"Static");
      if (at.y == 223) {
        label = ControlAt(window, at.x + 3, at.y + 3, L"QuivraHtmlLabel");
      }
      texts.push_back(TextOf(label));
    }
  };
  Play({
      On("About Quivra",
         [&](HWND window) {
           Screenshot(window, "about_box");
           read(window);
           Check(PictureDrawn(ControlAt(window, 12 + 100, 8 + 20, L"Static")),
                 "the banner is drawn");
           // Beside the texts, and around them in their windows, the box is white.
           HWND version = ControlAt(window, 68 + 3, 148 + 3, L"Static");
           RECT version_rect{};
           ::GetClientRect(version, &version_rect);
           HDC box_dc = ::GetDC(window);
           HDC label_dc = ::GetDC(version);
           const COLORREF beside = ::GetPixel(box_dc, 20, 200);
           const COLORREF around = ::GetPixel(label_dc, version_rect.right - 1, 0);
           ::ReleaseDC(version, label_dc);
           ::ReleaseDC(window, box_dc);
           Check(beside == ::GetSysColor(COLOR_WINDOW) && around == ::GetSysColor(COLOR_WINDOW),
                 "the About box is drawn in the window colour, its labels too");
           HWND link = Child(window, L"QuivraHtmlLabel");
           ClickAt(link, 3, 8);
           // The link starts after the plain words; measured in the label's font.
           HDC dc = ::GetDC(link);
           LOGFONTW font{};
           font.lfHeight = -::MulDiv(8, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
           ::lstrcpyW(font.lfFaceName, L"Tahoma");
           HFONT tahoma = ::CreateFontIndirectW(&font);
           HGDIOBJ old = ::SelectObject(dc, tahoma);
           SIZE words{};
           ::GetTextExtentPoint32W(dc, L"Visit our website at ", 21, &words);
           ::SelectObject(dc, old);
           ::DeleteObject(tahoma);
           ::ReleaseDC(link, dc);
           ClickAt(link, words.cx + 20, 8);
         }),
      On("About Quivra", [](HWND window) { PressKey(Child(window, L"Button", "OK"), VK_ESCAPE); }),
  });
  const ui::ModalResult first = f.forms.ShowModal(about);
  Check(first == ui::ModalResult::kOk, "Esc closes the About box");
  Check(
      texts == std::vector<std::string>{"Quivra", "for Outlook", "Version 1.30 Bld 164",
                                        "Visit our website at " + site,
                                        "Copyright \xC2\xA9 2013 Quivra. All rights reserved."},
      "the About box's texts: " + [&] {
        std::string all;
        for (const std::string& text : texts) {
          all += "\"" + text + "\" ";
        }
        return all;
      }());
  Check(f.shell.opened == std::vector<std::string>{site},
        "the link, and only the link, opens the web site: " +
            std::to_string(f.shell.opened.size()) + " opening(s)");

  const std::vector<std::string> shown_first = texts;
  Play({
      On("About Quivra",
         [&](HWND window) {
           read(window);
           PressKey(Child(window, L"Button", "OK"), VK_RETURN);
         }),
  });
  const ui::ModalResult second = f.forms.ShowModal(about);
  Check(second == ui::ModalResult::kOk && texts == shown_first,
        "Enter closes it; the second showing has the same texts");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    screenshot_folder = Utf8ToWide(argv[1]);
  }
  try {
    Fixture f;
    ConfigOnCommandBarHost(f);
    ConfigOnRibbonHost(f);
    AboutBox(f);
  } catch (const std::exception& error) {
    Check(false, std::string("unexpected error: ") + error.what());
  }
  std::printf("%d failure(s)\n", failures);
  return failures;
}
