#ifndef QUIVRA_PLATFORM_SIM_SIM_COLLATION_H_
#define QUIVRA_PLATFORM_SIM_SIM_COLLATION_H_

#include <string>
#include <string_view>

#include "platform/collation.h"

namespace quivra::platform::sim {

// The order of a Western European Windows for ASCII and Latin-1 text: punctuation before digits
// before letters; letters by their base letter without regard to case or accent; then the
// unaccented letter first, then the lowercase one first. Other characters sort after the
// letters, by code point. Folding lowercases ASCII, Latin-1 and Latin Extended-A letters and
// takes off the accents that Unicode composes onto a base letter, as Windows folds them.
class SimCollation : public Collation {
 public:
  int Compare(std::string_view a, std::string_view b) override;
  std::string Fold(std::string_view text) override;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_COLLATION_H_
