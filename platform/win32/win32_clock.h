#ifndef QUIVRA_PLATFORM_WIN32_WIN32_CLOCK_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_CLOCK_H_

#include "platform/clock.h"

namespace quivra::platform::win32 {

class Win32Clock : public Clock {
 public:
  LocalTime Now() override;
  std::string TimeSeparator() override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_CLOCK_H_
