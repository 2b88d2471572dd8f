#include "model/keyed_hash.h"

#include <gtest/gtest.h>

#include <string>

namespace quivra::core {
namespace {

// The reference vectors of SipHash-2-4: key 00 01 ... 0f, message 00 01 ... (n - 1), the
// output read as a little-endian number. Lengths around the 8-byte block boundary.
TEST(KeyedHashTest, MatchesTheReferenceVectors) {
  HashKey key;
  for (int i = 0; i < 16; ++i) {
    key[i] = static_cast<std::uint8_t>(i);
  }
  auto message = [](int length) {
    std::string bytes;
    for (int i = 0; i < length; ++i) {
      bytes += static_cast<char>(i);
    }
    return bytes;
  };
  EXPECT_EQ(KeyedHash(key, message(0)), 0x726fdb47dd0e0e31ULL);
  EXPECT_EQ(KeyedHash(key, message(1)), 0x74f839c593dc67fdULL);
  EXPECT_EQ(KeyedHash(key, message(7)), 0xab0200f58b01d137ULL);
  EXPECT_EQ(KeyedHash(key, message(8)), 0x93f5f5799a932462ULL);
  EXPECT_EQ(KeyedHash(key, message(15)), 0xa129ca6149be45e5ULL);
}

TEST(KeyedHashTest, AnotherKeyGivesAnotherHash) {
  HashKey one{};
  HashKey two{};
  two[15] = 1;
  EXPECT_NE(KeyedHash(one, "ann@example.com"), KeyedHash(two, "ann@example.com"));
}

}  // namespace
}  // namespace quivra::core
