// Exercises the real Windows backends of the platform seams, and the configuration file on top
// of them, inside a Wine prefix: the local application-data folder, atomic replace, listing,
// renaming and deleting files, the kept copy of a damaged configuration file, the clock
// and time separator, the code page, message boxes (answered by a thread timer, as a user
// would), the pointer and the message pump. Prints one PASS or FAIL line per check and exits
// with the number of failures.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/configuration_file.h"
#include "platform/compositions/win32/win32_platform.h"
#include "platform/platform.h"
#include "platform/platform_error.h"
#include "platform/win32/wide_text.h"
#include "tests/e2e/check_report.h"

namespace {

using namespace quivra;

using e2e::Check;

// What the timer saw of the message box it answered.
std::wstring seen_caption;
std::wstring seen_button;
std::wstring seen_text;

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
  wchar_t class_name[16] = {};
  ::GetClassNameW(window, class_name, 16);
  if (std::wstring(class_name) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK AnswerMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
  if (!box)
    return;
  ::KillTimer(nullptr, timer);
  wchar_t text[256] = {};
  ::GetWindowTextW(box, text, 256);
  seen_caption = text;
  ::GetDlgItemTextW(box, 0xFFFF, text, 256);
  seen_text = text;
  HWND button = ::GetDlgItem(box, IDOK);
  if (!button)
    button = ::GetDlgItem(box, IDCANCEL);
  ::GetWindowTextW(button, text, 256);
  seen_button = text;
  ::SendMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace

int main() {
  platform::win32::Win32Platform windows;
  platform::Platform& services = windows.platform();
  auto& files = windows.files;
  auto& clock = windows.clock;
  auto& codec = windows.codec;
  auto& message_boxes = windows.message_boxes;
  auto& screen = windows.screen;
  auto& keyboard = windows.keyboard;
  auto& collation = windows.collation;

  try {
    const std::string app_data = files.LocalAppDataFolder();
    Check(files.DirectoryExists(app_data), "local application-data folder " + app_data);

    // A folder and file whose names lie outside the code page.
    const std::string folder = app_data + "\\Проверка\\深い\\folder";
    files.CreateDirectories(folder);
    Check(files.DirectoryExists(folder), "folder created with its parents");
    const std::string file = folder + "\\файл.txt";
    files.ReplaceWholeFile(file, "first");
    files.ReplaceWholeFile(file, std::string("second\r\n\0end", 13));
    Check(files.ReadWholeFile(file) == std::string("second\r\n\0end", 13),
          "whole file replaced and read back");
    Check(!files.FileExists(file + ".tmp"), "no temporary file left behind");

    // Files listed by the beginning of their names, renamed without replacing, deleted.
    const std::string first = folder + "\\файл.bad-1";
    const std::string second = folder + "\\файл.bad-2";
    const std::string renamed = folder + "\\файл.unread-1";
    files.RemoveFile(renamed);  // left by an earlier run in the same prefix
    files.ReplaceWholeFile(first, "one");
    files.ReplaceWholeFile(second, "two");
    std::vector<std::string> listed = files.ListFiles(folder, "файл.bad-");
    std::sort(listed.begin(), listed.end());
    Check(listed == std::vector<std::string>{"файл.bad-1", "файл.bad-2"},
          "files listed by the beginning of their names");
    Check(files.ListFiles(folder + "\\missing", "").empty(), "a missing folder lists nothing");
    files.RenameFile(first, renamed);
    Check(!files.FileExists(first) && files.ReadWholeFile(renamed) == "one", "file renamed");
    bool refused = false;
    try {
      files.RenameFile(renamed, second);
    } catch (const platform::PlatformError&) {
      refused = true;
    }
    Check(refused && files.ReadWholeFile(second) == "two" && files.FileExists(renamed),
          "a rename never replaces a file");
    files.RemoveFile(second);
    files.RemoveFile(second);
    Check(!files.FileExists(second), "file deleted, and a missing file deleted without complaint");
    Check(files.FileSize(second) == 0, "a missing file has size 0");
    files.AppendToFile(second, "line 1\r\n");
    files.AppendToFile(second, std::string("line\0 2\r\n", 9));
    Check(files.ReadWholeFile(second) == std::string("line 1\r\nline\0 2\r\n", 17) &&
              files.FileSize(second) == 17,
          "appending creates the file, then adds at its end");
    files.RemoveFile(second);

    const platform::LocalTime now = clock.Now();
    Check(now.year >= 2020 && now.month >= 1 && now.month <= 12, "local time");
    Check(!clock.TimeSeparator().empty(), "time separator \"" + clock.TimeSeparator() + "\"");
    Check(codec.SystemCodePageToUtf8("Caf\xE9") == "Caf\xC3\xA9", "code page text to UTF-8");
    Check(collation.Compare("apple", "Banana") < 0 && collation.Compare("Zeta", "alpha") > 0 &&
              collation.Compare("inbox", "Inbox") != 0,
          "locale order of texts, letter case second");

    // The configuration file in the real local application-data folder.
    core::Configuration saved;
    saved.FolderNames[1] = "Почта\\Входящие\\R&D &lt;new&gt;";
    saved.ButtonNames[1] = "R&D";
    saved.StoreDetails[1] = {"Почта", "Почта", "00AB"};
    saved.MruList[1] = {"邮箱\\收件箱", "邮箱", "00CD"};
    core::ConfigurationFile(saved, services).SaveButtonsToFile();
    core::Configuration loaded;
    core::ConfigurationFile loader(loaded, services);
    loader.LoadButtonsFromFile();
    Check(loaded.FolderNames == saved.FolderNames && loaded.MruList == saved.MruList,
          "configuration saved and loaded in " + loader.ConfigPath());

    // A damaged file is kept as a dated copy beside it.
    const std::string config_folder = loader.ConfigPath();
    for (const std::string& old : files.ListFiles(config_folder, "Qelvo.xml.bad-")) {
      files.RemoveFile(config_folder + "\\" + old);
    }
    files.ReplaceWholeFile(config_folder + "\\Qelvo.xml", "<config><folders>");
    bool damaged = false;
    try {
      loader.LoadButtonsFromFile();
    } catch (const core::ConfigurationFileError&) {
      damaged = true;
    }
    const std::vector<std::string> kept = files.ListFiles(config_folder, "Qelvo.xml.bad-");
    Check(damaged && kept.size() == 1 &&
              files.ReadWholeFile(config_folder + "\\" + kept[0]) == "<config><folders>",
          "damaged configuration kept as " + (kept.empty() ? std::string("nothing") : kept[0]));
    files.RemoveFile(config_folder + "\\Qelvo.xml");
    if (!kept.empty()) {
      files.RemoveFile(config_folder + "\\" + kept[0]);
    }

    // A message box whose only button is Cancel.
    ::SetTimer(nullptr, 0, 100, AnswerMessageBox);
    const platform::MessageButton answer = message_boxes.Show({"Warning",
                                                               "Nothing selected - nothing moved.",
                                                               platform::MessageIcon::kWarning,
                                                               {platform::MessageButton::kCancel}});
    Check(answer == platform::MessageButton::kCancel, "message box answered with Cancel");
    Check(seen_caption == L"Warning" && seen_button == L"Cancel" &&
              seen_text == L"Nothing selected - nothing moved.",
          "message box caption \"" + platform::win32::WideToUtf8(seen_caption) + "\", button \"" +
              platform::win32::WideToUtf8(seen_button) + "\"");

    Check(keyboard.MapVirtualKeyCode(VK_BACK, 0) == 14, "scan code of Backspace");
    Check((keyboard.KeyState(VK_MENU) & 0x8000) == 0, "Alt is up");

    screen.SetCursor(platform::CursorShape::kWait);
    screen.SetCursor(platform::CursorShape::kDefault);
    const platform::Point pointer = screen.PointerPosition();
    screen.SetPointerPosition({pointer.x + 1, pointer.y});
    const platform::Point moved = screen.PointerPosition();
    Check(moved.x == pointer.x + 1 && moved.y == pointer.y, "pointer moved one pixel right");
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
    screen.ProcessPendingMessages();
    MSG left;
    Check(!::PeekMessageW(&left, nullptr, 0, 0, PM_NOREMOVE), "pending messages processed");

    // Texts read back whole: short ones, ones of exactly the first read's buffer, long ones.
    const platform::RegistryKey key{platform::RegistryRoot::kCurrentUser,
                                    "Software\\QuivraOL\\PlatformCheck"};
    services.registry.CreateKey(key);
    for (const size_t length : {size_t{0}, size_t{7}, size_t{259}, size_t{260}, size_t{261},
                                size_t{4000}}) {
      std::string text(length, 'x');
      if (length > 2) {
        text.replace(length / 2, 2, "\xc3\xa9");  // one character outside ASCII
      }
      services.registry.WriteString(key, "Text", text);
      Check(services.registry.ReadString(key, "Text") == text,
            "registry text of " + std::to_string(text.size()) + " bytes read back whole");
    }
    Check(!services.registry.ReadString(key, "Missing"), "a missing value reads as none");
    services.registry.DeleteKey(key);

    // A target that does not exist: the shell refuses it and starts nothing.
    Check(!services.shell.Open(app_data + "\\no such page.url"), "shell refuses a missing target");
  } catch (const std::exception& error) {
    Check(false, std::string("unexpected error: ") + error.what());
  }
  return e2e::Failures();
}
