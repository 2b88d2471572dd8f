#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_ENUM_SET_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_ENUM_SET_H_

#include <cstdint>
#include <initializer_list>

namespace quivra::framework {

// A set of the members of an enumeration whose members are numbered 0 … 63, each member one bit
// (the bit number is the member's number).
template <typename Enum>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<Enum> members) {
    for (Enum member : members)
      Include(member);
  }

  constexpr void Include(Enum member) { bits_ |= Bit(member); }
  constexpr void Exclude(Enum member) { bits_ &= ~Bit(member); }
  constexpr bool Contains(Enum member) const { return (bits_ & Bit(member)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  // The members as bits, for tests over ranges of members.
  constexpr std::uint64_t Bits() const { return bits_; }

  constexpr bool operator==(const TEnumSet&) const = default;

 private:
  static constexpr std::uint64_t Bit(Enum member) {
    return std::uint64_t{1} << static_cast<int>(member);
  }
  std::uint64_t bits_ = 0;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_ENUM_SET_H_
