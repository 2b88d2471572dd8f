#ifndef QUIVRA_PLATFORM_WIN32_WIN32_SCREEN_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_SCREEN_H_

#include <windows.h>

#include <deque>
#include <functional>

#include "platform/screen.h"
#include "platform/win32/unique_handle.h"

namespace quivra::platform::win32 {

// Dispatches the messages waiting in the thread's queue, then returns; a quit request is left
// for the thread's own loop.
void DispatchPendingMessages();

class Win32Screen : public Screen {
 public:
  void SetCursor(CursorShape shape) override;
  Point PointerPosition() override;
  void SetPointerPosition(Point position) override;
  void ProcessPendingMessages() override;
  void Post(std::function<void()> action) override;

  Win32Screen() = default;
  ~Win32Screen() override;
  Win32Screen(const Win32Screen&) = delete;
  Win32Screen& operator=(const Win32Screen&) = delete;

 private:
  static LRESULT CALLBACK PostedProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void RunPosted();

  // A message-only window of the thread that first posted: each post puts one message in its
  // queue, which runs the oldest action waiting here.
  UniqueWindow posted_window_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_SCREEN_H_
