#include "model/keyed_hash.h"

namespace quivra::core {

namespace {

std::uint64_t Rotate(std::uint64_t x, int bits) {
  return (x << bits) | (x >> (64 - bits));
}

std::uint64_t ReadLittleEndian(const std::uint8_t* p, int count) {
  std::uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = (value << 8) | p[i];
  }
  return value;
}

struct State {
  std::uint64_t v0, v1, v2, v3;

  void Round() {
    v0 += v1;
    v1 = Rotate(v1, 13);
    v1 ^= v0;
    v0 = Rotate(v0, 32);
    v2 += v3;
    v3 = Rotate(v3, 16);
    v3 ^= v2;
    v0 += v3;
    v3 = Rotate(v3, 21);
    v3 ^= v0;
    v2 += v1;
    v1 = Rotate(v1, 17);
    v1 ^= v2;
    v2 = Rotate(v2, 32);
  }

  void Compress(std::uint64_t m) {
    v3 ^= m;
    Round();
    Round();
    v0 ^= m;
  }
};

}  // namespace

std::uint64_t KeyedHash(const HashKey& key, std::string_view bytes) {
  const std::uint64_t k0 = ReadLittleEndian(key.data(), 8);
  const std::uint64_t k1 = ReadLittleEndian(key.data() + 8, 8);
  State s{k0 ^ 0x736f6d6570736575ULL, k1 ^ 0x646f72616e646f6dULL, k0 ^ 0x6c7967656e657261ULL,
          k1 ^ 0x7465646279746573ULL};
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t size = bytes.size();
  const std::size_t whole = size - size % 8;
  for (std::size_t i = 0; i < whole; i += 8) {
    s.Compress(ReadLittleEndian(data + i, 8));
  }
  std::uint64_t last = static_cast<std::uint64_t>(size & 0xff) << 56;
  last |= ReadLittleEndian(data + whole, static_cast<int>(size - whole));
  s.Compress(last);
  s.v2 ^= 0xff;
  s.Round();
  s.Round();
  s.Round();
  s.Round();
  return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

}  // namespace quivra::core
