#include "platform/sim/sim_collation.h"

#include <cstdint>
#include <tuple>
#include <vector>

#include "xml/utf8.h"

namespace quivra::platform::sim {

namespace {

// The three levels at which two characters may differ, most significant first.
struct Weight {
  std::uint32_t primary = 0;    // character class and base letter
  std::uint32_t secondary = 0;  // accent
  std::uint32_t tertiary = 0;   // case
};

// Decodes UTF-8; a byte that starts no valid sequence stands for itself.
std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> points;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 4;
    char32_t point = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
    bool valid = lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4);
    for (int k = 1; valid && k < length; ++k) {
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        valid = false;
      } else {
        point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      }
    }
    if (!valid) {
      point = lead;
      length = 1;
    }
    points.push_back(point);
    i += static_cast<size_t>(length);
  }
  return points;
}

// Base letters of Latin-1's accented letters U+00C0 ... U+00FF ('\0': not a letter).
constexpr char kLatin1Base[] = "aaaaaaaceeeeiiiidnooooo\0ouuuuytsaaaaaaaceeeeiiiidnooooo\0ouuuuyty";

Weight WeightOf(char32_t c) {
  if (c >= 'a' && c <= 'z') {
    return {0x300 + static_cast<std::uint32_t>(c), 0, 0};
  }
  if (c >= 'A' && c <= 'Z') {
    return {0x300 + static_cast<std::uint32_t>(c - 'A' + 'a'), 0, 1};
  }
  if (c >= 0xC0 && c <= 0xFF && kLatin1Base[c - 0xC0] != '\0') {
    const bool upper = c < 0xDF;
    return {0x300 + static_cast<std::uint32_t>(kLatin1Base[c - 0xC0]),
            static_cast<std::uint32_t>(c), upper ? 1u : 0u};
  }
  if (c >= '0' && c <= '9') {
    return {0x200 + static_cast<std::uint32_t>(c), 0, 0};
  }
  if (c <= 0xBF || c == 0xD7 || c == 0xF7) {
    return {0x100 + static_cast<std::uint32_t>(c), 0, 0};
  }
  return {0x1000 + static_cast<std::uint32_t>(c), 0, 0};
}

// Folded Latin-1 letters U+00C0 ... U+00FF: the base letter of an accented letter, '*' for a
// letter of its own (lowercased by adding 0x20 to its capital), '.' for ß, × and ÷, which stay.
constexpr char kLatin1Fold[] = "aaaaaa*ceeeeiiii*nooooo.*uuuuy*.aaaaaa*ceeeeiiii*nooooo.*uuuuy*y";

// Folded Latin Extended-A letters U+0100 ... U+017F, likewise; '*' letters of their own come in
// pairs, the capital first.
constexpr char kExtendedAFold[] =
    "aaaaaaccccccccdd**eeeeeeeeeegggg"
    "gggghh**iiiiiiiii***jjkk.llllll*"
    "***nnnnnn.**oooooo**rrrrrrssssss"
    "sstttt**uuuuuuuuuuuuwwyyyzzzzzz.";

// The capitals of the letters of their own in Latin Extended-A: Đ Ħ Ĳ Ŀ Ł Ŋ Œ Ŧ.
bool IsExtendedACapital(char32_t c) {
  return c == 0x110 || c == 0x126 || c == 0x132 || c == 0x13F || c == 0x141 || c == 0x14A ||
         c == 0x152 || c == 0x166;
}

char32_t FoldOf(char32_t c) {
  if (c >= 'A' && c <= 'Z') {
    return c - 'A' + 'a';
  }
  if (c >= 0xC0 && c <= 0xFF) {
    const char base = kLatin1Fold[c - 0xC0];
    return base == '*' ? (c < 0xDF ? c + 0x20 : c) : base == '.' ? c : char32_t(base);
  }
  if (c >= 0x100 && c <= 0x17F) {
    const char base = kExtendedAFold[c - 0x100];
    return base == '*' ? (IsExtendedACapital(c) ? c + 1 : c) : base == '.' ? c : char32_t(base);
  }
  return c;
}

// Combining accents, as a decomposed text carries them.
bool IsCombiningMark(char32_t c) {
  return c >= 0x300 && c <= 0x36F;
}

int Sign(std::uint32_t a, std::uint32_t b) {
  return a < b ? -1 : a > b ? 1 : 0;
}

}  // namespace

std::string SimCollation::Fold(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (const char32_t c : CodePoints(text)) {
    if (!IsCombiningMark(c)) {
      xml::AppendUtf8(folded, FoldOf(c));
    }
  }
  return folded;
}

int SimCollation::Compare(std::string_view a, std::string_view b) {
  const std::vector<char32_t> left = CodePoints(a);
  const std::vector<char32_t> right = CodePoints(b);
  // Level by level: a difference of base letter anywhere outweighs any accent or case.
  for (int level = 0; level < 3; ++level) {
    for (size_t i = 0; i < left.size() && i < right.size(); ++i) {
      const Weight l = WeightOf(left[i]);
      const Weight r = WeightOf(right[i]);
      const int result = level == 0   ? Sign(l.primary, r.primary)
                         : level == 1 ? Sign(l.secondary, r.secondary)
                                      : Sign(l.tertiary, r.tertiary);
      if (result != 0) {
        return result;
      }
    }
    if (level == 0 && left.size() != right.size()) {
      return left.size() < right.size() ? -1 : 1;
    }
  }
  return 0;
}

}  // namespace quivra::platform::sim
