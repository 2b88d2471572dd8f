#ifndef QUIVRA_PLATFORM_SIM_SIM_RANDOM_H_
#define QUIVRA_PLATFORM_SIM_SIM_RANDOM_H_

#include <cstddef>
#include <cstdint>

#include "platform/random.h"

namespace quivra::platform::sim {

// Deterministic "random" bytes: 1, 2, 3 ... continuing over calls, so that tests see the same
// keys every run; counts the calls.
class SimRandom : public RandomSource {
 public:
  void Fill(std::uint8_t* bytes, std::size_t count) override {
    ++calls;
    for (std::size_t i = 0; i < count; ++i) {
      bytes[i] = next_++;
    }
  }

  int calls = 0;

 private:
  std::uint8_t next_ = 1;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_RANDOM_H_
