#ifndef QUIVRA_PLATFORM_WIN32_WIN32_COLLATION_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_COLLATION_H_

#include "platform/collation.h"

namespace quivra::platform::win32 {

// The user's locale's order, through CompareStringW as lstrcmpW uses it. Folding decomposes the
// accented letters (FoldStringW, MAP_COMPOSITE), drops the nonspacing marks this leaves
// (GetStringTypeW, C3_NONSPACING) and lowercases the rest by the locale's linguistic rules
// (LCMapStringW).
class Win32Collation : public Collation {
 public:
  int Compare(std::string_view a, std::string_view b) override;
  std::string Fold(std::string_view text) override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_COLLATION_H_
