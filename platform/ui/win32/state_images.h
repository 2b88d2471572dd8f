#ifndef QUIVRA_PLATFORM_UI_WIN32_STATE_IMAGES_H_
#define QUIVRA_PLATFORM_UI_WIN32_STATE_IMAGES_H_

#include <string>

#include "platform/ui/win32/handles.h"

namespace quivra::ui::win32 {

// The state images of a tree view by the name of their image list, drawn in code on 16 x 16
// pixels and enlarged to `size` (the tree's DPI), image 0 empty (a tree shows no state image
// for it); under high contrast, outlines in the window text colour (system_ink.h). Null for an
// unknown name.
UniqueImageList MakeStateImages(const std::string& image_list, int size);

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_STATE_IMAGES_H_
