#ifndef QUIVRA_PLATFORM_WIN32_WIN32_MESSAGE_BOXES_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_MESSAGE_BOXES_H_

#include "platform/message_box.h"

namespace quivra::platform::win32 {

// Standard Windows message boxes, owned by the thread's active window.
class Win32MessageBoxes : public MessageBoxes {
 public:
  MessageButton Show(const MessageBoxRequest& request) override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_MESSAGE_BOXES_H_
