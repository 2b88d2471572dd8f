#ifndef QUIVRA_PLATFORM_UI_WIN32_THREAD_WINDOWS_DISABLED_H_
#define QUIVRA_PLATFORM_UI_WIN32_THREAD_WINDOWS_DISABLED_H_

#include <windows.h>

#include <vector>

namespace quivra::ui::win32 {

// While it lives, every visible, enabled top-level window of the calling thread but `except` is
// disabled: a modal form blocks all of the host's windows on the thread (every explorer and
// message window), not only its owner. Destroying it enables again those that still exist.
class ThreadWindowsDisabled {
 public:
  explicit ThreadWindowsDisabled(HWND except);
  ~ThreadWindowsDisabled();
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

  const std::vector<HWND>& windows() const { return windows_; }

 private:
  std::vector<HWND> windows_;
};

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_THREAD_WINDOWS_DISABLED_H_
