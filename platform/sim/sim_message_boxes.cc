#include "platform/sim/sim_message_boxes.h"

namespace quivra::platform::sim {

MessageButton SimMessageBoxes::Show(const MessageBoxRequest& request) {
  shown_.push_back(request);
  if (on_show_) {
    on_show_(request);
  }
  if (!answers_.empty()) {
    const MessageButton answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return request.buttons.empty() ? MessageButton::kOk : request.buttons.front();
}

}  // namespace quivra::platform::sim
