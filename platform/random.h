#ifndef QUIVRA_PLATFORM_RANDOM_H_
#define QUIVRA_PLATFORM_RANDOM_H_

#include <cstddef>
#include <cstdint>

namespace quivra::platform {

// Random bytes fit for keys. Raises PlatformError when the source fails.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Fill(std::uint8_t* bytes, std::size_t count) = 0;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_RANDOM_H_
