#ifndef QUIVRA_PLATFORM_CAPTION_TEXT_H_
#define QUIVRA_PLATFORM_CAPTION_TEXT_H_

#include <string>
#include <string_view>

namespace quivra::platform {

// A caption as Windows and Office draw it: an & marks the next letter as the access key and is
// not shown; && shows one &.
std::string CaptionAsShown(std::string_view caption);

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_CAPTION_TEXT_H_
