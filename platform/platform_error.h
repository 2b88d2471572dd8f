#ifndef QUIVRA_PLATFORM_PLATFORM_ERROR_H_
#define QUIVRA_PLATFORM_PLATFORM_ERROR_H_

#include <stdexcept>
#include <string>

namespace quivra::platform {

// A Windows service failed (a file could not be read or written, a folder could not be made).
// The message names the operation and the object it failed on.
class PlatformError : public std::runtime_error {
 public:
  explicit PlatformError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_PLATFORM_ERROR_H_
