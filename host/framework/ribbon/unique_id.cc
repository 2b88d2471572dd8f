#include "host/framework/ribbon/unique_id.h"

#include <array>
#include <cstdint>
#include <random>

namespace quivra::framework {

namespace {

// 16 random bytes with the version (4) and variant bits of a random GUID.
std::array<std::uint8_t, 16> RandomGuidBytes() {
  static std::mt19937_64 engine = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    return std::mt19937_64(seed);
  }();
  std::array<std::uint8_t, 16> bytes;
  for (int half = 0; half < 2; ++half) {
    std::uint64_t value = engine();
    for (int i = 0; i < 8; ++i)
      bytes[half * 8 + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
  return bytes;
}

void AppendHex(std::string& text, std::uint8_t byte) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  text += kDigits[byte >> 4];
  text += kDigits[byte & 0x0F];
}

}  // namespace

std::string NewGuidText() {
  const std::array<std::uint8_t, 16> bytes = RandomGuidBytes();
  std::string text = "{";
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10)
      text += '-';
    AppendHex(text, bytes[i]);
  }
  text += '}';
  return text;
}

std::string NewControlId(std::string_view kind) {
  std::string text(kind);
  for (std::uint8_t byte : RandomGuidBytes())
    AppendHex(text, byte);
  return text;
}

std::string DesignControlId(std::string_view kind, std::string_view design_path) {
  // Two 64-bit FNV-1a hashes of the path with different offset bases: 128 bits that depend only
  // on the text, never on the platform's word size or byte order.
  constexpr std::uint64_t kPrime = 0x100000001B3ULL;
  std::uint64_t high = 0xCBF29CE484222325ULL;
  std::uint64_t low = 0x84222325CBF29CE4ULL;
  for (unsigned char c : design_path) {
    high = (high ^ c) * kPrime;
    low = (low ^ c) * kPrime;
  }
  low = (low ^ 0xFF) * kPrime;  // parts the two hashes further for short paths
  std::string text(kind);
  for (std::uint64_t half : {high, low}) {
    for (int shift = 56; shift >= 0; shift -= 8)
      AppendHex(text, static_cast<std::uint8_t>(half >> shift));
  }
  return text;
}

}  // namespace quivra::framework
