#ifndef QUIVRA_PLATFORM_SHELL_H_
#define QUIVRA_PLATFORM_SHELL_H_

#include <string>

namespace quivra::platform {

// The Windows shell's "open": a web address starts the user's default browser.
class Shell {
 public:
  virtual ~Shell() = default;
  // Opens `target` in a normal window, without parameters or working folder. False when the
  // shell refused it; callers that only offer a convenience ignore that.
  virtual bool Open(const std::string& target) = 0;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_SHELL_H_
