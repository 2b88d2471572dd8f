#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_IMAGE_LIST_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_IMAGE_LIST_H_

#include <string_view>
#include <vector>

#include "host/framework/module/bitmap.h"
#include "host/framework/module/component.h"

namespace quivra::framework {

// A list of images of one size, owned by the module; ribbon controls pick theirs by
// `ImageIndex` from their tab's list, and the add-in draws command-bar glyphs from it.
class TImageList : public TComponent {
 public:
  static constexpr std::string_view kClassName = "TImageList";

  explicit TImageList(TCOMAddInModule& owner) : TComponent(owner) {}
  std::string_view ClassName() const override { return kClassName; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Sets the size of the images; only while the list is empty.
  void SetSize(int width, int height);

  int Count() const { return static_cast<int>(images_.size()); }
  // Appends an image of the list's size and returns its index.
  int Add(TBitmap image);
  // The image at `index`; raises std::out_of_range outside 0 … Count() − 1.
  const TBitmap& operator[](int index) const;

 private:
  int width_ = 16;
  int height_ = 16;
  std::vector<TBitmap> images_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_IMAGE_LIST_H_
