#ifndef QUIVRA_PLATFORM_SIM_SIM_SCREEN_H_
#define QUIVRA_PLATFORM_SIM_SIM_SCREEN_H_

#include <functional>
#include <vector>

#include "platform/screen.h"

namespace quivra::platform::sim {

// Remembers the cursor shapes set, the pointer position and each processing of pending
// messages, at which a test may run what would have been waiting in the queue.
class SimScreen : public Screen {
 public:
  void SetCursor(CursorShape shape) override { cursor_history_.push_back(shape); }
  Point PointerPosition() override { return pointer_; }
  void SetPointerPosition(Point position) override { pointer_ = position; }
  void ProcessPendingMessages() override {
    ++pending_message_passes_;
    // What was posted before this pass runs in it; what it posts waits for the next one.
    std::vector<std::function<void()>> posted = std::move(posted_);
    posted_.clear();
    for (auto& action : posted) {
      try {
        action();
      } catch (...) {
      }
    }
    if (on_pending_messages_) {
      on_pending_messages_();
    }
  }
  void Post(std::function<void()> action) override { posted_.push_back(std::move(action)); }
  // Actions posted and not yet run.
  size_t posted_count() const { return posted_.size(); }

  CursorShape cursor() const {
    return cursor_history_.empty() ? CursorShape::kDefault : cursor_history_.back();
  }
  const std::vector<CursorShape>& cursor_history() const { return cursor_history_; }
  int pending_message_passes() const { return pending_message_passes_; }
  void SetOnPendingMessages(std::function<void()> action) {
    on_pending_messages_ = std::move(action);
  }

 private:
  std::vector<CursorShape> cursor_history_;
  Point pointer_{400, 300};
  int pending_message_passes_ = 0;
  std::function<void()> on_pending_messages_;
  std::vector<std::function<void()>> posted_;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_SCREEN_H_
