#ifndef QUIVRA_HOST_FRAMEWORK_KEYBOARD_WINDOW_IN_FRONT_H_
#define QUIVRA_HOST_FRAMEWORK_KEYBOARD_WINDOW_IN_FRONT_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quivra::framework {

// The window with the keyboard focus, as the keyboard hook sees it when a key arrives.
struct TFocusedWindow {
  std::string ClassName;  // its window class
  bool ShowsCaret = false;  // it (or a window inside it) shows the thread's text caret
};

// Where a key press is going: read from Windows only for a key press that some shortcut could
// take, since each answer costs a call into the window server.
struct TWindowInFront {
  // The top-level window in front (the foreground window).
  std::function<std::uintptr_t()> Foreground;
  // The window with the keyboard focus on the hook's thread.
  std::function<TFocusedWindow()> Focused;
};

// Whether a window of this class is one the user types text into: Windows' edit control, every
// rich edit version and the combo boxes (whose text field is an edit control of its own).
bool IsTextEntryWindowClass(std::string_view class_name);

// Whether a key press in this window is typing: a text-entry class, or any window showing the
// text caret (an editor of a class Windows does not document, such as a mail editor).
bool IsTyping(const TFocusedWindow& window);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_KEYBOARD_WINDOW_IN_FRONT_H_
