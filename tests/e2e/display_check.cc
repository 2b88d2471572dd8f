// Every dialog as a real window under the user's display settings, over the simulated Outlook:
//   high_contrast  the prefix has a high-contrast colour scheme (set by the test script in
//                  HKCU\Control Panel\Colors); the program turns the high-contrast flag on, shows
//                  each dialog and checks that it draws in the scheme's colours only, then
//                  changes the colours while a dialog is up and checks that it follows them.
//   monitor        each dialog opens at 96 DPI and is then told that it moved to a monitor of
//                  144 DPI (WM_DPICHANGED with Windows' suggested rectangle, as Windows sends it
//                  to a per-monitor aware window); it must redraw at that scale. A picker whose
//                  remembered place lies on no monitor opens on the primary one.
// Photographs go to the folder given as the first argument. Prints one PASS or FAIL line per
// check and exits with the number of failures.
#include <windows.h>

// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "dialogs/add_folder_form.h"
#include "dialogs/config_dialog.h"
#include "dialogs/folder_picker.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "model/filing_history.h"
#include "model/filing_options.h"
#include "platform/compositions/win32/win32_platform.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/ui/win32/display.h"
#include "platform/ui/window_placement.h"
#include "tests/e2e/picker_showing.h"
#include "tests/e2e/real_dialogs.h"
#include "tests/e2e/window_driver.h"

namespace {

using namespace quivra;
using namespace quivra::e2e;

struct Fixture : RealDialogs {
  core::FilingHistory history{services};
  core::MarkAsReadOption mark_as_read{services};

  Fixture() {
    config.MruList[1] = {"Mailbox\\Inbox", "Mailbox", world.mailbox.store_id()};
    config.MruList[2] = {"Archive\\2024", "Archive", world.archive.store_id()};
  }
};

// ---- Reading what the windows show.

std::set<COLORREF> ColoursOf(HWND window) {
  std::set<COLORREF> colours;
  RECT client{};
  ::GetClientRect(window, &client);
  HDC dc = ::GetDC(window);
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      colours.insert(::GetPixel(dc, x, y));
    }
  }
  ::ReleaseDC(window, dc);
  return colours;
}

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
  return text;
}

std::string Listed(const std::set<COLORREF>& colours) {
  std::string text;
  for (COLORREF colour : colours) {
    text += " " + Hex(colour);
  }
  return text;
}

struct Pictures {
  std::vector<HWND> found;
};

BOOL CALLBACK FindPicture(HWND window, LPARAM data) {
  if (ClassOf(window) == L"Static" &&
      (::GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
      ::IsWindowVisible(window)) {
    reinterpret_cast<Pictures*>(data)->found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> PicturesOf(HWND dialog) {
  Pictures pictures;
  ::EnumChildWindows(dialog, FindPicture, reinterpret_cast<LPARAM>(&pictures));
  return pictures.found;
}

// Under high contrast: the dialog's background is the scheme's, and every picture is drawn in
// the scheme's pair of colours and nothing else.
void CheckSchemeColours(HWND dialog, const std::string& name, int background_index) {
  const int text_index = background_index == COLOR_WINDOW ? COLOR_WINDOWTEXT : COLOR_BTNTEXT;
  const COLORREF background = ::GetSysColor(background_index);
  const COLORREF text = ::GetSysColor(text_index);
  HDC dc = ::GetDC(dialog);
  RECT client{};
  ::GetClientRect(dialog, &client);
  const COLORREF corner = ::GetPixel(dc, client.right - 2, client.bottom - 2);
  ::ReleaseDC(dialog, dc);
  Check(corner == background,
        name + " stands on the scheme's background " + Hex(background) + " (" + Hex(corner) + ")");
  // A blend of the two is the smoothed edge of a letter or line.
  const auto blend = [&](COLORREF colour) {
    const int channels[3][3] = {{GetRValue(colour), GetRValue(background), GetRValue(text)},
                                {GetGValue(colour), GetGValue(background), GetGValue(text)},
                                {GetBValue(colour), GetBValue(background), GetBValue(text)}};
    double share = -1;
    for (const auto& [value, from, to] : channels) {
      if (from == to) {
        if (std::abs(value - from) > 2) {
          return false;
        }
        continue;
      }
      const double here = static_cast<double>(value - from) / (to - from);
      if (here < -0.01 || here > 1.01 || (share >= 0 && std::abs(here - share) > 0.03)) {
        return false;
      }
      share = here;
    }
    return true;
  };
  int index = 0;
  for (HWND picture : PicturesOf(dialog)) {
    std::set<COLORREF> colours = ColoursOf(picture);
    std::erase_if(colours, blend);
    Check(colours.empty() && !ColoursOf(picture).empty(),
          name + " picture " + std::to_string(++index) + " only in " + Hex(text) + " on " +
              Hex(background) + (colours.empty() ? "" : ", also" + Listed(colours)));
  }
}

// ---- The high-contrast run.

// A black high-contrast scheme, as Windows' "High Contrast Black" sets it.
const std::vector<std::pair<int, COLORREF>> kHighContrastBlack = {
    {COLOR_WINDOW, RGB(0, 0, 0)},
    {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(0, 0, 0)},
    {COLOR_BTNTEXT, RGB(255, 255, 255)},
    {COLOR_HOTLIGHT, RGB(255, 255, 0)},
    {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
    {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
    {COLOR_GRAYTEXT, RGB(63, 242, 63)},
    {COLOR_3DFACE, RGB(0, 0, 0)},
    {COLOR_BTNSHADOW, RGB(128, 128, 128)},
    {COLOR_BTNHIGHLIGHT, RGB(192, 192, 192)}};

void SetColours(const std::vector<std::pair<int, COLORREF>>& scheme) {
  std::vector<INT> elements;
  std::vector<COLORREF> values;
  for (const auto& [element, value] : scheme) {
    elements.push_back(element);
    values.push_back(value);
  }
  ::SetSysColors(static_cast<int>(elements.size()), elements.data(), values.data());
}

// Turns high contrast on or off as the settings do: through SystemParametersInfo, saving it in
// the user's profile. Wine 8 ignores SPI_SETHIGHCONTRAST, so its saved value is written here as
// Windows writes it (bit 0 of the decimal flags).
void SetHighContrastFlag(bool on) {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  contrast.dwFlags = on ? HCF_HIGHCONTRASTON : 0;
  ::SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(contrast), &contrast,
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  const wchar_t* flags = on ? L"127" : L"126";
  ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                    REG_SZ, flags, static_cast<DWORD>((std::wcslen(flags) + 1) * sizeof(wchar_t)));
}

bool HighContrastFlag() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// Shows `form` and runs `act` on its window once it is up, then closes it.
void ShowAndAct(const std::function<void()>& show,
                const std::string& caption,
                std::vector<Step> steps) {
  std::vector<Step> script = std::move(steps);
  script.push_back(On(caption, [](HWND dialog) { ::PostMessageW(dialog, WM_CLOSE, 0, 0); }));
  Play(script);
  show();
}

// What is done with each dialog once it is up: its window, a name for it, its background's
// system colour and its form.
using Look = std::function<void(HWND, const std::string&, int, ui::Form&)>;

// Shows one dialog: `before` acts on it when it comes up (the next step sees the result), then
// `look`, then it is closed.
void Show(const std::function<void()>& show,
          const std::string& caption,
          const std::function<void(HWND)>& before,
          const std::function<void(HWND)>& look) {
  ShowAndAct(show, caption,
             {On(caption,
                 [&](HWND dialog) {
                   if (before) {
                     before(dialog);
                   }
                 }),
              On(caption, look)});
}

void EveryDialog(Fixture& f, const Look& look, const std::function<void(HWND)>& before = nullptr) {
  // The picker with its recently used list and a search in its Find box.
  Show([&] { ShowPickerAsCallersDo(f.picker, true); }, "Folders",
       [&](HWND dialog) {
         if (before) {
           before(dialog);
         }
         Type(Child(dialog, L"Edit"), "al");
       },
       [&](HWND dialog) { look(dialog, "folder_picker_find", COLOR_BTNFACE, f.picker); });
  dialogs::TFormAddFolder add_folder;
  add_folder.ParentName = "Projects";
  Show([&] { f.forms.ShowModal(add_folder); }, "Create New Folder", before,
       [&](HWND dialog) { look(dialog, "new_folder", COLOR_BTNFACE, add_folder); });
  for (const bool ribbon : {false, true}) {
    f.config.HostIsRibbonOutlook = ribbon;
    dialogs::TfrmConfig config{f.config, f.picker, &f.history, &f.mark_as_read};
    const std::string name = ribbon ? "configuration_ribbon" : "configuration_command_bar";
    Show([&] { f.forms.ShowModal(config); }, "Configure Quivra", before,
         [&](HWND dialog) { look(dialog, name, COLOR_BTNFACE, config); });
  }
  dialogs::TFormAbout about{f.shell};
  Show([&] { f.forms.ShowModal(about); }, "About Quivra", before,
       [&](HWND dialog) { look(dialog, "about", COLOR_WINDOW, about); });
}

void HighContrast(Fixture& f) {
  // What Wine takes from the prefix's registry, and whether it keeps the flag.
  std::printf(
      "Colours read from the registry: window %s, window text %s, button face %s, "
      "hyperlink %s; high-contrast flag %s\n",
      Hex(::GetSysColor(COLOR_WINDOW)).c_str(), Hex(::GetSysColor(COLOR_WINDOWTEXT)).c_str(),
      Hex(::GetSysColor(COLOR_BTNFACE)).c_str(), Hex(::GetSysColor(COLOR_HOTLIGHT)).c_str(),
      HighContrastFlag() ? "on" : "off");
  Check(::GetSysColor(COLOR_WINDOW) == RGB(0, 0, 0) &&
            ::GetSysColor(COLOR_WINDOWTEXT) == RGB(255, 255, 255),
        "the prefix's high-contrast colours are the system's");
  SetHighContrastFlag(true);
  std::printf("After SPI_SETHIGHCONTRAST: SPI_GETHIGHCONTRAST says %s\n",
              HighContrastFlag() ? "on" : "off");
  Check(ui::win32::HighContrast(), "the add-in sees high contrast on");

  EveryDialog(f, [](HWND dialog, const std::string& name, int background, ui::Form&) {
    CheckSchemeColours(dialog, name, background);
    if (name == "about") {
      HWND link = nullptr;
      for (HWND window = ::GetWindow(dialog, GW_CHILD); window != nullptr;
           window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (TextOf(window).find("Visit our website") == 0) {
          link = window;
        }
      }
      Check(link != nullptr && ColoursOf(link).count(::GetSysColor(COLOR_HOTLIGHT)) == 1,
            "the About box's link is drawn in the hyperlink colour " +
                Hex(::GetSysColor(COLOR_HOTLIGHT)));
    }
    Screenshot(dialog, name);
  });

  // The colours change while a dialog is up: it follows them both ways.
  dialogs::TfrmConfig config{f.config, f.picker, &f.history, &f.mark_as_read};
  const std::vector<std::pair<int, COLORREF>> standard = {
      {COLOR_WINDOW, RGB(255, 255, 255)},        {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
      {COLOR_BTNFACE, RGB(240, 240, 240)},       {COLOR_BTNTEXT, RGB(0, 0, 0)},
      {COLOR_HOTLIGHT, RGB(0, 102, 204)},        {COLOR_HIGHLIGHT, RGB(0, 120, 215)},
      {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)}, {COLOR_GRAYTEXT, RGB(109, 109, 109)},
      {COLOR_3DFACE, RGB(240, 240, 240)}};
  ShowAndAct([&] { f.forms.ShowModal(config); }, "Configure Quivra",
             {On("Configure Quivra",
                 [&standard](HWND) {
                   SetHighContrastFlag(false);
                   SetColours(standard);
                 }),
              On("Configure Quivra",
                 [](HWND dialog) {
                   std::set<COLORREF> colours;
                   for (HWND picture : PicturesOf(dialog)) {
                     for (COLORREF colour : ColoursOf(picture)) {
                       colours.insert(colour);
                     }
                   }
                   // The arrows' green and the keys' blue are back.
                   Check(colours.size() > 4 && ColoursOf(dialog).count(RGB(240, 240, 240)) == 1,
                         "high contrast turned off while the dialog is up: its own colours "
                         "again (" +
                             std::to_string(colours.size()) + " in its pictures)");
                   Screenshot(dialog, "configuration_after_high_contrast_off");
                   SetHighContrastFlag(true);
                   SetColours(kHighContrastBlack);
                 }),
              On("Configure Quivra", [](HWND dialog) {
                CheckSchemeColours(dialog, "configuration after high contrast on again",
                                   COLOR_BTNFACE);
                Screenshot(dialog, "configuration_high_contrast_on_again");
              })});
}

// ---- The monitor run.

constexpr int kNewDpi = 144;

// The font a window uses, as its height in pixels.
int FontHeight(HWND window) {
  auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW description{};
  if (font == nullptr || ::GetObjectW(font, sizeof(description), &description) == 0) {
    return 0;
  }
  return description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
}

// Tells the dialog it moved to a monitor of 144 DPI, with a rectangle as Windows suggests one:
// its window scaled to the new DPI, here at the top left corner of the (only) screen, so that
// as much of it as the screen holds can be photographed.
void MoveToLargerMonitor(HWND dialog) {
  RECT window{};
  ::GetWindowRect(dialog, &window);
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  RECT suggested = {0, 0, ::MulDiv(window.right - window.left, kNewDpi, dpi),
                    ::MulDiv(window.bottom - window.top, kNewDpi, dpi)};
  ::SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(kNewDpi, kNewDpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

// The buttons standing on the dialog itself whose window is not at its control's designed
// bounds scaled to 144 DPI.
struct PlaceSearch {
  std::string misplaced;
  ui::Form* form;
  HWND dialog;
};

BOOL CALLBACK FindMisplaced(HWND window, LPARAM data) {
  auto& s = *reinterpret_cast<PlaceSearch*>(data);
  if (::GetParent(window) != s.dialog || !::IsWindowVisible(window) ||
      ClassOf(window) != L"Button") {
    return TRUE;
  }
  const std::string text = TextOf(window);
  for (ui::Control* control : s.form->Controls()) {
    if (!text.empty() && control->Caption() == text) {
      const RECT rect = RectIn(s.dialog, window);
      const ui::Rect wanted = ui::ScaleToDpi(control->BoundsRect(), kNewDpi);
      if (std::abs(rect.left - wanted.left) > 1 || std::abs(rect.top - wanted.top) > 1 ||
          std::abs(rect.right - rect.left - wanted.width) > 1) {
        s.misplaced += " " + text;
      }
    }
  }
  return TRUE;
}

// Checks the dialog as 144 DPI draws it: its client area the form's designed size at that
// scale, every button and check box at its scaled place in a font of 8 points at 144 DPI
// (16 pixels), and every text inside its control.
void CheckAtNewDpi(HWND dialog, const std::string& name, ui::Form& form) {
  RECT client{};
  ::GetClientRect(dialog, &client);
  const int width = ui::ScaleToDpi(form.ClientWidth(), kNewDpi);
  const int height = ui::ScaleToDpi(form.ClientHeight(), kNewDpi);
  Check(std::abs(client.right - width) <= 1 && std::abs(client.bottom - height) <= 1,
        name + " is its designed size at 144 DPI: " + std::to_string(client.right) + " x " +
            std::to_string(client.bottom) + " for " + std::to_string(width) + " x " +
            std::to_string(height));
  HWND ok = Child(dialog, L"Button", "OK");
  Check(ok != nullptr && FontHeight(ok) == ::MulDiv(8, kNewDpi, 72),
        name + ": the OK button's font is made anew for 144 DPI (" +
            std::to_string(FontHeight(ok)) + " pixels)");
  PlaceSearch search{"", &form, dialog};
  ::EnumChildWindows(dialog, FindMisplaced, reinterpret_cast<LPARAM>(&search));
  Check(search.misplaced.empty(),
        name + ": its buttons stand at their places scaled to 144 DPI" + search.misplaced);
}

void Monitor(Fixture& f) {
  HDC screen = ::GetDC(nullptr);
  std::printf("System DPI %d\n", ::GetDeviceCaps(screen, LOGPIXELSY));
  ::ReleaseDC(nullptr, screen);
  EveryDialog(
      f,
      [&](HWND dialog, const std::string& name, int, ui::Form& form) {
        CheckAtNewDpi(dialog, name, form);
        if (name == "about") {
          // Wine's own scheme has a hyperlink colour close to white: the link must still read.
          const COLORREF background = ::GetSysColor(COLOR_WINDOW);
          HWND link = nullptr;
          for (HWND window = ::GetWindow(dialog, GW_CHILD); window != nullptr;
               window = ::GetWindow(window, GW_HWNDNEXT)) {
            if (TextOf(window).find("Visit our website") == 0) {
              link = window;
            }
          }
          int darkest = 255 * 3;
          for (COLORREF colour : link != nullptr ? ColoursOf(link) : std::set<COLORREF>{}) {
            darkest = std::min(darkest, GetRValue(colour) + GetGValue(colour) + GetBValue(colour));
          }
          Check(link != nullptr && GetRValue(background) + GetGValue(background) +
                                           GetBValue(background) - darkest >
                                       300,
                "the About box's link reads on its background (hyperlink colour " +
                    Hex(::GetSysColor(COLOR_HOTLIGHT)) + ")");
        }
        if (name == "folder_picker_find") {
          HWND tree = Child(dialog, L"SysTreeView32");
          auto images =
              reinterpret_cast<HIMAGELIST>(::SendMessageW(tree, TVM_GETIMAGELIST, TVSIL_STATE, 0));
          int cx = 0;
          int cy = 0;
          Check(images != nullptr && ::ImageList_GetIconSize(images, &cx, &cy) && cx == 24,
                "the tree's folder pictures are drawn anew at 24 pixels (" + std::to_string(cx) +
                    ")");
        }
        Screenshot(dialog, name);
      },
      MoveToLargerMonitor);

  // A remembered place on a monitor that is gone: the picker opens centred on the primary
  // monitor's work area.
  f.picker.SetBounds({5000, 4000, f.picker.Width(), f.picker.Height()});
  ShowAndAct([&] { ShowPickerAsCallersDo(f.picker, true); }, "Folders",
             {On("Folders", [](HWND dialog) {
               RECT window{};
               RECT work{};
               ::GetWindowRect(dialog, &window);
               ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
               const int width = window.right - window.left;
               const int height = window.bottom - window.top;
               const bool centred_across =
                   width > work.right - work.left
                       ? window.left == work.left
                       : std::abs(window.left - (work.left + work.right - width) / 2) <= 1;
               const bool centred_down =
                   height > work.bottom - work.top
                       ? window.top == work.top
                       : std::abs(window.top - (work.top + work.bottom - height) / 2) <= 1;
               Check(centred_across && centred_down,
                     "a picker remembered on a monitor that is gone opens on the primary one "
                     "(at " +
                         std::to_string(window.left) + ", " + std::to_string(window.top) + ")");
             })});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: display_check <photographs folder> high_contrast|monitor\n");
    return 2;
  }
  screenshot_folder = Utf8ToWide(argv[1]);
  const std::string mode = argv[2];
  try {
    Fixture f;
    if (mode == "high_contrast") {
      HighContrast(f);
    } else {
      Monitor(f);
    }
  } catch (const std::exception& error) {
    Check(false, std::string("unexpected error: ") + error.what());
  }
  std::printf("%d failure(s)\n", failures);
  return failures;
}
