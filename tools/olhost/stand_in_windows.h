#ifndef QUIVRA_TOOLS_OLHOST_STAND_IN_WINDOWS_H_
#define QUIVRA_TOOLS_OLHOST_STAND_IN_WINDOWS_H_

#include <windows.h>

#include <cstdint>
#include <string>

#include "host/outlook/sim/sim_world.h"

namespace quivra::olhost {

// The parts of an explorer window a key press can go to.
enum class ExplorerPart { kMessageList, kSearchBox, kReadingPane };

// The stand-in's Outlook windows as real windows on the user-interface thread, so that the
// add-in's keyboard hook meets them as it meets Outlook's: each explorer a top-level window
// holding a message list, an Instant Search box (an edit control) and a reading pane whose
// editor shows the text caret while it has the focus (as the mail editor of the reading pane
// does for an inline reply); an inspector a top-level window whose mail body has the focus.
// Every key-down that reaches one of these windows is recorded.
class StandInWindows {
 public:
  // The window system the simulated Outlook uses for its explorers.
  static outlook::sim::internal::WindowSystem ExplorerWindows();

  // Puts the keyboard focus on a part of the explorer window `explorer`.
  static void Focus(std::uintptr_t explorer, ExplorerPart part);

  // Opens an inspector window in front, its body focused; closes the one opened last.
  static void OpenInspector();
  static void CloseInspector();

  // Forgets the key-downs recorded so far.
  static void ForgetKeys();
  // Whether a key-down of `virtual_key` reached `window` since the keys were last forgotten.
  static bool KeyReached(HWND window, WPARAM virtual_key);
  // Whether it reached any window of the stand-in.
  static bool KeyReachedAny(WPARAM virtual_key);
  // How many key-downs reached the stand-in's windows since the keys were last forgotten.
  static size_t KeysReached();
  // A short name of the window for messages: "message list", "search box", "inspector", ...
  static std::string NameOf(HWND window);
};

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_STAND_IN_WINDOWS_H_
