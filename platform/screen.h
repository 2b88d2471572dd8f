#ifndef QUIVRA_PLATFORM_SCREEN_H_
#define QUIVRA_PLATFORM_SCREEN_H_

#include <functional>

namespace quivra::platform {

enum class CursorShape { kDefault, kWait };

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// The screen cursor, the mouse pointer and the thread's message queue.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual void SetCursor(CursorShape shape) = 0;
  virtual Point PointerPosition() = 0;
  virtual void SetPointerPosition(Point position) = 0;
  // Dispatches the window messages that are waiting in the thread's queue, then returns.
  virtual void ProcessPendingMessages() = 0;
  // Runs `action` on this thread once its message loop next dispatches, after the call in
  // progress has returned to the loop. What the action raises is dropped.
  virtual void Post(std::function<void()> action) = 0;
};

// Shows the wait cursor for as long as it lives and the default cursor afterwards, however the
// scope is left.
class WaitCursor {
 public:
  explicit WaitCursor(Screen& screen) : screen_(screen) { screen_.SetCursor(CursorShape::kWait); }
  ~WaitCursor() { screen_.SetCursor(CursorShape::kDefault); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Screen& screen_;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_SCREEN_H_
