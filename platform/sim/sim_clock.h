#ifndef QUIVRA_PLATFORM_SIM_SIM_CLOCK_H_
#define QUIVRA_PLATFORM_SIM_SIM_CLOCK_H_

#include <string>

#include "platform/clock.h"

namespace quivra::platform::sim {

// A clock that stands still at the time it is set to.
class SimClock : public Clock {
 public:
  LocalTime Now() override { return now_; }
  std::string TimeSeparator() override { return separator_; }

  void Set(const LocalTime& now) { now_ = now; }
  void SetTimeSeparator(std::string separator) { separator_ = std::move(separator); }

 private:
  LocalTime now_{2026, 12, 9, 8, 5, 3};
  std::string separator_ = ":";
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_CLOCK_H_
