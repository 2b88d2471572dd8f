#include "platform/sim/sim_text_codec.h"

#include "xml/utf8.h"

namespace quivra::platform::sim {

namespace {

// Windows-1252 bytes 0x80 ... 0x9F; the five bytes Windows leaves undefined map to themselves,
// as MultiByteToWideChar maps them.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string SimTextCodec::SystemCodePageToUtf8(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const char32_t code =
        (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
    xml::AppendUtf8(utf8, code);
  }
  return utf8;
}

}  // namespace quivra::platform::sim
