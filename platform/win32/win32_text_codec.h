#ifndef QUIVRA_PLATFORM_WIN32_WIN32_TEXT_CODEC_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_TEXT_CODEC_H_

#include "platform/text_codec.h"

namespace quivra::platform::win32 {

class Win32TextCodec : public TextCodec {
 public:
  std::string SystemCodePageToUtf8(std::string_view text) override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_TEXT_CODEC_H_
