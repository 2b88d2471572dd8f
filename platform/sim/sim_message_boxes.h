#ifndef QUIVRA_PLATFORM_SIM_SIM_MESSAGE_BOXES_H_
#define QUIVRA_PLATFORM_SIM_SIM_MESSAGE_BOXES_H_

#include <deque>
#include <functional>
#include <vector>

#include "platform/message_box.h"

namespace quivra::platform::sim {

// Records every message box shown. Answers come from a script, one per box; without one, the
// first button is pressed. An observer may act while a box is up (a modal loop runs then).
class SimMessageBoxes : public MessageBoxes {
 public:
  MessageButton Show(const MessageBoxRequest& request) override;

  void ScriptAnswer(MessageButton answer) { answers_.push_back(answer); }
  void SetOnShow(std::function<void(const MessageBoxRequest&)> on_show) {
    on_show_ = std::move(on_show);
  }

  const std::vector<MessageBoxRequest>& shown() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  std::vector<MessageBoxRequest> shown_;
  std::deque<MessageButton> answers_;
  std::function<void(const MessageBoxRequest&)> on_show_;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_MESSAGE_BOXES_H_
