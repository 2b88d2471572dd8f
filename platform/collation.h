#ifndef QUIVRA_PLATFORM_COLLATION_H_
#define QUIVRA_PLATFORM_COLLATION_H_

#include <string>
#include <string_view>

namespace quivra::platform {

// The user's locale's order of texts, as Windows sorts names for display (lstrcmp).
class Collation {
 public:
  virtual ~Collation() = default;
  // Negative when `a` sorts before `b`, zero when they are the same text, positive otherwise.
  virtual int Compare(std::string_view a, std::string_view b) = 0;
  // The text as names are matched for people, without regard to case or accents: lowercase,
  // with the accents taken off the letters that carry them ("Müller" gives "muller"). Letters
  // that are letters of their own (æ, ø, ß, ł) stay. Two texts that differ only in case or
  // accents fold to the same text, so a search folds each name once and then compares bytes.
  virtual std::string Fold(std::string_view text) = 0;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_COLLATION_H_
