#ifndef QUIVRA_PLATFORM_SIM_SIM_COLLATION_H_
#define QUIVRA_PLATFORM_SIM_SIM_COLLATION_H_

#include <string_view>

#include "platform/collation.h"

namespace quivra::platform::sim {

// The order of a Western European Windows for ASCII and Latin-1 text: punctuation before digits
// before letters; letters by their base letter without regard to case or accent; then the
// unaccented letter first, then the lowercase one first. Other characters sort after the
// letters, by code point.
class SimCollation : public Collation {
 public:
  int Compare(std::string_view a, std::string_view b) override;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_COLLATION_H_
