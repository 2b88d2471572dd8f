#ifndef QUIVRA_PLATFORM_WIN32_WIN32_SCREEN_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_SCREEN_H_

#include "platform/screen.h"

namespace quivra::platform::win32 {

class Win32Screen : public Screen {
 public:
  void SetCursor(CursorShape shape) override;
  Point PointerPosition() override;
  void SetPointerPosition(Point position) override;
  void ProcessPendingMessages() override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_SCREEN_H_
