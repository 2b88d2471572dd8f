#ifndef QUIVRA_PLATFORM_WIN32_WIN32_SHELL_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_SHELL_H_

#include <string>

#include "platform/shell.h"

namespace quivra::platform::win32 {

class Win32Shell : public Shell {
 public:
  bool Open(const std::string& target) override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_SHELL_H_
