#ifndef QUIVRA_PLATFORM_COLLATION_H_
#define QUIVRA_PLATFORM_COLLATION_H_

#include <string_view>

namespace quivra::platform {

// The user's locale's order of texts, as Windows sorts names for display (lstrcmp).
class Collation {
 public:
  virtual ~Collation() = default;
  // Negative when `a` sorts before `b`, zero when they are the same text, positive otherwise.
  virtual int Compare(std::string_view a, std::string_view b) = 0;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_COLLATION_H_
