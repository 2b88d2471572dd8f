#ifndef QUIVRA_PLATFORM_SIM_SIM_TEXT_CODEC_H_
#define QUIVRA_PLATFORM_SIM_SIM_TEXT_CODEC_H_

#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace quivra::platform::sim {

// The system code page of a Western European Windows: Windows-1252.
class SimTextCodec : public TextCodec {
 public:
  std::string SystemCodePageToUtf8(std::string_view text) override;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_TEXT_CODEC_H_
