#ifndef QUIVRA_MODEL_KEYED_HASH_H_
#define QUIVRA_MODEL_KEYED_HASH_H_

#include <array>
#include <cstdint>
#include <string_view>

namespace quivra::core {

// A 128-bit key for KeyedHash.
using HashKey = std::array<std::uint8_t, 16>;

// SipHash-2-4 of `bytes` under `key`: a keyed 64-bit hash, so that what it is taken of cannot
// be found again by hashing guesses without the key.
std::uint64_t KeyedHash(const HashKey& key, std::string_view bytes);

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_KEYED_HASH_H_
