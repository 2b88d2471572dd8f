#include "tools/olhost/dialog_answerer.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"
#include "tools/olhost/dialog_tree.h"
#include "tools/olhost/keyboard_input.h"
#include "tools/olhost/window_photograph.h"

namespace quivra::olhost {

namespace {

using platform::win32::WideToUtf8;

std::deque<std::string> g_answers;
std::vector<std::pair<std::string, std::string>> g_edits;
std::vector<SeenDialog> g_seen;
// The keys typed into the forms that come up: each group into one form, in order.
std::deque<std::vector<std::string>> g_keys;
// Answers that failed in the timer's procedure.
int g_failures = 0;
std::string g_photograph;  // where the next form is photographed; empty: not at all
// When the queued keys were typed into a form; the form is answered once the thread has taken
// them all from its input queue and a little time has passed for what they set off (0: no keys
// on their way). The timer's own message comes only when no other message waits.
DWORD g_typed_at = 0;
// The thread timer that answers dialogs; 0 while none runs.
UINT_PTR g_timer = 0;
constexpr DWORD kKeySettleTime = 100;  // milliseconds
// The form last looked at as it first showed (none between dialogs), the file its successor
// is photographed into, and the row its list had selected.
HWND g_looked = nullptr;
std::string g_photograph_on_show;
std::string g_selected_row;

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
  return WideToUtf8(text);
}

std::string ClassName(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return WideToUtf8(name);
}

// A message box or standard dialog, or one of the add-in's own forms, that the user can act
// on: a form under another modal one is disabled.
BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  if (::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
      (ClassName(window) == "#32770" || ClassName(window) == "QuivraForm")) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectButtons(HWND child, LPARAM list) {
  if (ClassName(child) == "Button" && ::IsWindowVisible(child)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  }
  return TRUE;
}

BOOL CALLBACK CollectEdits(HWND child, LPARAM list) {
  if (ClassName(child) == "Edit" && ::IsWindowVisible(child)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  }
  return TRUE;
}

// The edit box an edit of `from` is meant for: the one showing that text, or for an empty
// `from` the empty box the cursor is in (a form may have other empty boxes).
bool EditMeant(HWND edit, const std::string& from) {
  return WindowText(edit) == from && (!from.empty() || ::GetFocus() == edit);
}

// Button texts without their mnemonic ampersands.
std::string Plain(std::string text) {
  std::string plain;
  for (char c : text) {
    if (c != '&') {
      plain += c;
    }
  }
  return plain;
}

struct EnabledCount {
  HWND except;
  int count;
};

BOOL CALLBACK CountEnabled(HWND window, LPARAM count_address) {
  auto* count = reinterpret_cast<EnabledCount*>(count_address);
  if (window != count->except && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
    ++count->count;
  }
  return TRUE;
}

BOOL CALLBACK FindListView(HWND child, LPARAM found) {
  if (ClassName(child) == "SysListView32" && ::IsWindowVisible(child)) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
  }
  return TRUE;
}

// The caption of the selected row of the form's list; "" when none.
std::string SelectedRow(HWND form) {
  HWND list = nullptr;
  ::EnumChildWindows(form, FindListView, reinterpret_cast<LPARAM>(&list));
  if (!list) {
    return {};
  }
  const LRESULT row =
      ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0));
  if (row < 0) {
    return {};
  }
  wchar_t text[512] = {};
  LVITEMW item = {};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = 512;
  ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return WideToUtf8(text);
}

// What the user sees as a form first shows: the selected row, and a photograph when one is due.
void LookAt(HWND form) {
  if (form == g_looked) {
    return;
  }
  g_looked = form;
  g_selected_row = SelectedRow(form);
  std::printf("form \"%s\" shows, row \"%s\" selected\n", WindowText(form).c_str(),
              g_selected_row.c_str());
  // Whether the control with the focus shows it (no UISF_HIDEFOCUS in the form's UI state).
  // https://learn.microsoft.com/en-us/windows/win32/menurc/wm-queryuistate
  const LRESULT state = ::SendMessageW(form, WM_QUERYUISTATE, 0, 0);
  std::printf("form \"%s\" %s its focus\n", WindowText(form).c_str(),
              (state & UISF_HIDEFOCUS) != 0 ? "hides" : "shows");
  if (!g_photograph_on_show.empty()) {
    const bool taken = PhotographWindow(form, platform::win32::Utf8ToWide(g_photograph_on_show));
    std::printf("%s %s\n",
                taken ? "photographed the form into" : "could not photograph the form into",
                g_photograph_on_show.c_str());
    g_photograph_on_show.clear();
  }
  std::fflush(stdout);
}

void AnswerFrontDialog() {
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) {
    g_looked = nullptr;
    return;
  }
  SeenDialog seen;
  seen.caption = WindowText(dialog);
  seen.enabled_windows = EnabledThreadWindows(dialog);
  const bool form = ClassName(dialog) == "QuivraForm";
  if (form) {
    LookAt(dialog);
  }
  // Keys typed before wait until the windows have taken them and what they set off.
  if (g_typed_at != 0 &&
      (HIWORD(::GetQueueStatus(QS_INPUT)) != 0 || ::GetTickCount() - g_typed_at < kKeySettleTime)) {
    return;
  }
  g_typed_at = 0;
  if (form && !g_keys.empty()) {
    // The user types into the form in front, then looks at what happened before answering.
    for (const std::string& keys : g_keys.front()) {
      std::printf("user types %s in \"%s\"\n", keys.c_str(), seen.caption.c_str());
      KeyboardInput::Inject(keys);
    }
    std::fflush(stdout);
    g_keys.pop_front();
    g_typed_at = ::GetTickCount();
    return;
  }
  if (HWND text = ::GetDlgItem(dialog, 0xFFFF)) {
    seen.text = WindowText(text);
  }
  if (form) {
    // The user types into the edit boxes first; the form hears it as EN_CHANGE. An edit meant
    // for a box this form does not have waits for the next form (a dialog opened from this one).
    std::vector<HWND> edits;
    ::EnumChildWindows(dialog, CollectEdits, reinterpret_cast<LPARAM>(&edits));
    for (auto pending = g_edits.begin(); pending != g_edits.end();) {
      const auto& [from, to] = *pending;
      const auto edit =
          std::find_if(edits.begin(), edits.end(), [&](HWND box) { return EditMeant(box, from); });
      if (edit == edits.end()) {
        ++pending;
        continue;
      }
      ::SendMessageW(*edit, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(platform::win32::Utf8ToWide(to).c_str()));
      std::printf("user changes \"%s\" to \"%s\" in \"%s\"\n", from.c_str(), to.c_str(),
                  seen.caption.c_str());
      pending = g_edits.erase(pending);
    }
  }
  if (form) {
    seen.tree_items = DialogTreeItems(dialog);
    if (!g_photograph.empty()) {
      const bool taken = PhotographWindow(dialog, platform::win32::Utf8ToWide(g_photograph));
      std::printf("%s \"%s\" into %s\n", taken ? "photographed" : "could not photograph",
                  seen.caption.c_str(), g_photograph.c_str());
      g_photograph.clear();
    }
  }
  std::vector<HWND> buttons;
  ::EnumChildWindows(dialog, CollectButtons, reinterpret_cast<LPARAM>(&buttons));
  // A form's first button may be any of its controls: without an answer, the user closes it.
  HWND press = buttons.empty() || form ? nullptr : buttons.front();
  const std::string wanted = g_answers.empty() ? std::string() : g_answers.front();
  for (HWND button : buttons) {
    const std::string caption = Plain(WindowText(button));
    seen.buttons.push_back(caption);
    if (!wanted.empty() && caption == wanted) {
      press = button;
    }
  }
  if (!g_answers.empty()) {
    g_answers.pop_front();
  }
  seen.pressed = press ? Plain(WindowText(press)) : std::string();
  std::string listed;
  for (const std::string& button : seen.buttons) {
    listed += (listed.empty() ? "" : ", ") + button;
  }
  std::printf("dialog \"%s\": \"%s\" [%s] -> %s\n", seen.caption.c_str(),
              Escaped(seen.text).c_str(), listed.c_str(),
              seen.pressed.empty() ? "(closed)" : seen.pressed.c_str());
  std::fflush(stdout);
  g_seen.push_back(seen);
  if (press) {
    ::SendMessageW(press, BM_CLICK, 0, 0);
  } else {
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
  }
}

// The timer's procedure runs inside the add-in's modal loops: nothing it raises may leave it, or
// it would unwind through the add-in's frames. A failure is printed and counted instead.
void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) {
  try {
    AnswerFrontDialog();
  } catch (const std::exception& error) {
    ++g_failures;
    std::printf("FAIL: the stand-in could not answer the dialog: %s\n", error.what());
    std::fflush(stdout);
  }
}

}  // namespace

void DialogAnswerer::Start() {
  if (g_timer == 0) {
    g_timer = ::SetTimer(nullptr, 0, 40, Answer);
  }
}

void DialogAnswerer::Stop() {
  if (g_timer != 0) {
    ::KillTimer(nullptr, g_timer);
    g_timer = 0;
  }
}

int DialogAnswerer::Failures() {
  return g_failures;
}

void DialogAnswerer::QueueAnswer(const std::string& button) {
  g_answers.push_back(button);
}

void DialogAnswerer::QueuePhotograph(const std::string& path) {
  g_photograph = path;
}

void DialogAnswerer::PhotographNextForm(const std::string& path) {
  g_photograph_on_show = path;
}

const std::string& DialogAnswerer::LastSelectedRow() {
  return g_selected_row;
}

void DialogAnswerer::QueueKeys(const std::string& keys) {
  if (g_keys.empty()) {
    g_keys.emplace_back();
  }
  g_keys.back().push_back(keys);
}

void DialogAnswerer::QueueFormKeys(const std::vector<std::string>& keys) {
  g_keys.push_back(keys);
}

void DialogAnswerer::QueueEdit(const std::string& from, const std::string& to) {
  g_edits.emplace_back(from, to);
}

const std::vector<SeenDialog>& DialogAnswerer::Seen() {
  return g_seen;
}

int EnabledThreadWindows(void* except) {
  EnabledCount count{static_cast<HWND>(except), 0};
  ::EnumThreadWindows(::GetCurrentThreadId(), CountEnabled, reinterpret_cast<LPARAM>(&count));
  return count.count;
}

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\n') {
      escaped += "\\n";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace quivra::olhost
