#ifndef QUIVRA_PLATFORM_CLOCK_H_
#define QUIVRA_PLATFORM_CLOCK_H_

#include <string>

namespace quivra::platform {

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The user's local time and the time separator of the user's locale.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  virtual std::string TimeSeparator() = 0;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_CLOCK_H_
