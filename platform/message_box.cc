#include "platform/message_box.h"

namespace quivra::platform {

void ShowStandardMessage(MessageBoxes& boxes, MessageKind kind, const std::string& text) {
  MessageBoxRequest request;
  request.text = text;
  request.buttons = {MessageButton::kCancel};
  switch (kind) {
    case MessageKind::kWarning:
      request.caption = "Warning";
      request.icon = MessageIcon::kWarning;
      break;
    case MessageKind::kError:
      request.caption = "Error";
      request.icon = MessageIcon::kError;
      break;
    case MessageKind::kInformation:
      request.caption = "Information";
      request.icon = MessageIcon::kInformation;
      break;
  }
  boxes.Show(request);
}

}  // namespace quivra::platform
