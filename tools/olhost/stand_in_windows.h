#ifndef QUIVRA_TOOLS_OLHOST_STAND_IN_WINDOWS_H_
#define QUIVRA_TOOLS_OLHOST_STAND_IN_WINDOWS_H_

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/outlook/sim/sim_world.h"

namespace quivra::olhost {

// What an explorer window shows: the folder tree, the messages of the folder shown and the
// add-in's buttons (its ribbon tab, or on Outlook 2007 its command bar).
struct ExplorerButton {
  std::string label;
  bool enabled = true;
  bool operator==(const ExplorerButton&) const = default;
};
struct ExplorerContent {
  std::string title;
  std::vector<std::string> folders;  // one line each, indented by depth
  std::vector<std::pair<std::string, bool>> messages;  // subject, selected
  std::vector<ExplorerButton> buttons;
  bool operator==(const ExplorerContent&) const = default;
};

// Where the explorer windows get what they show, and where a click on a button goes.
class ExplorerContentSource {
 public:
  virtual ExplorerContent ContentOf(std::uintptr_t explorer) = 0;
  virtual void ClickButton(std::uintptr_t explorer, const std::string& label) = 0;
  // A click on the row-th message of the list (0 the first): selects that message alone, or
  // with `toggle` (Ctrl held) adds it to the selection or takes it out.
  virtual void ClickMessage(std::uintptr_t explorer, int row, bool toggle) = 0;
  // Alt pressed and released alone in the explorer: the ribbon's key tips show.
  virtual void StartKeyTips(std::uintptr_t explorer) = 0;
  // A letter or digit typed while they show; false when key tip mode has ended.
  virtual bool TypeKeyTip(std::uintptr_t explorer, char key) = 0;

 protected:
  ~ExplorerContentSource() = default;
};

// The parts of an explorer window a key press can go to: the inline reply is the reply the user
// writes in the reading pane's place (Outlook 2013 and later).
enum class ExplorerPart { kMessageList, kSearchBox, kReadingPane, kInlineReply };

// The stand-in's Outlook windows as real windows on the user-interface thread, so that the
// add-in's keyboard hook meets them as it meets Outlook's: each explorer a top-level window
// holding a message list, an Instant Search box and an inline reply (edit controls that take
// character codes typed with Alt as Windows' do) and a reading pane whose editor shows the text
// caret while it has the focus (as the mail editor of the reading pane does); an inspector a
// top-level window whose mail body has the focus.
// Every key-down that reaches one of these windows is recorded.
class StandInWindows {
 public:
  // The window system the simulated Outlook uses for its explorers.
  static outlook::sim::internal::WindowSystem ExplorerWindows();

  // Puts the keyboard focus on a part of the explorer window `explorer`.
  static void Focus(std::uintptr_t explorer, ExplorerPart part);
  // The text the user typed into a text field of the explorer (UTF-8).
  static std::string TextOf(std::uintptr_t explorer, ExplorerPart part);
  // Whether the explorer shows the ribbon's key tips now.
  static bool KeyTipsShowing(std::uintptr_t explorer);

  // Opens an inspector window in front, its body focused; closes the one opened last.
  static void OpenInspector();
  static void CloseInspector();

  // The source of every explorer's content; Refresh draws each open explorer anew from it
  // (with `only_changed`, only those whose content differs from what they show).
  static void SetContentSource(ExplorerContentSource* source);
  static void Refresh(bool only_changed = false);
  // Saves the explorer window as a bitmap file; false when it could not.
  static bool Photograph(std::uintptr_t explorer, const std::string& path);
  // Takes the thread's messages until the user closes every explorer window.
  static void RunUntilClosed();

  // Forgets the key-downs recorded so far.
  static void ForgetKeys();
  // Whether a key-down of `virtual_key` reached `window` since the keys were last forgotten.
  static bool KeyReached(HWND window, WPARAM virtual_key);
  // Whether a key-up of `virtual_key` reached a window of the stand-in since the keys were last
  // forgotten.
  static bool KeyReleased(WPARAM virtual_key);
  // Whether it reached any window of the stand-in.
  static bool KeyReachedAny(WPARAM virtual_key);
  // How many key-downs reached the stand-in's windows since the keys were last forgotten.
  static size_t KeysReached();
  // A short name of the window for messages: "message list", "search box", "inspector", ...
  static std::string NameOf(HWND window);
};

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_STAND_IN_WINDOWS_H_
