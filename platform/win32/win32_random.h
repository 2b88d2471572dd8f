#ifndef QUIVRA_PLATFORM_WIN32_WIN32_RANDOM_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_RANDOM_H_

#include "platform/random.h"

namespace quivra::platform::win32 {

// The system's preferred cryptographic random number generator: BCryptGenRandom where
// Windows has it, CryptGenRandom on Windows XP.
class Win32Random : public RandomSource {
 public:
  void Fill(std::uint8_t* bytes, std::size_t count) override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_RANDOM_H_
