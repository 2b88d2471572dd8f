#ifndef QUIVRA_PLATFORM_UI_WIN32_STATE_IMAGES_H_
#define QUIVRA_PLATFORM_UI_WIN32_STATE_IMAGES_H_

#include <string>

#include "platform/ui/win32/handles.h"

namespace quivra::ui::win32 {

// The state images of a tree view by the name of their image list, drawn in code: 16 x 16
// pixels each, image 0 empty (a tree shows no state image for it). Null for an unknown name.
UniqueImageList MakeStateImages(const std::string& image_list);

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_STATE_IMAGES_H_
