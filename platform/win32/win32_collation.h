#ifndef QUIVRA_PLATFORM_WIN32_WIN32_COLLATION_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_COLLATION_H_

#include "platform/collation.h"

namespace quivra::platform::win32 {

// The user's locale's order, through CompareStringW as lstrcmpW uses it.
class Win32Collation : public Collation {
 public:
  int Compare(std::string_view a, std::string_view b) override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_COLLATION_H_
