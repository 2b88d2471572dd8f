#ifndef QUIVRA_PLATFORM_TEXT_CODEC_H_
#define QUIVRA_PLATFORM_TEXT_CODEC_H_

#include <string>
#include <string_view>

namespace quivra::platform {

// Conversion of 8-bit text in the system code page (the ANSI code page) to UTF-8.
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual std::string SystemCodePageToUtf8(std::string_view text) = 0;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_TEXT_CODEC_H_
