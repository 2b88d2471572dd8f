#ifndef QUIVRA_PLATFORM_MESSAGE_BOX_H_
#define QUIVRA_PLATFORM_MESSAGE_BOX_H_

#include <string>
#include <vector>

namespace quivra::platform {

enum class MessageIcon { kNone, kWarning, kError, kInformation, kQuestion };
enum class MessageButton { kOk, kCancel, kYes, kNo, kRetry, kIgnore };

struct MessageBoxRequest {
  std::string caption;
  std::string text;
  MessageIcon icon = MessageIcon::kNone;
  std::vector<MessageButton> buttons;  // in the order shown; the first is the default
};

// Modal message boxes. Show returns the button the user pressed; closing the box with Esc or
// its close box counts as Cancel when there is one, else as the only button.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageButton Show(const MessageBoxRequest& request) = 0;
};

// The three kinds of the add-in's standard message, which ends every user operation that
// cannot be done: the caption names the kind, the icon matches it, and the single button is
// "Cancel".
enum class MessageKind { kWarning, kError, kInformation };

void ShowStandardMessage(MessageBoxes& boxes, MessageKind kind, const std::string& text);

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_MESSAGE_BOX_H_
