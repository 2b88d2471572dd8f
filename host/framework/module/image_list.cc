#include "host/framework/module/image_list.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace quivra::framework {

void TImageList::SetSize(int width, int height) {
  if (!images_.empty())
    throw std::logic_error(Name() + ": the image size is fixed once it holds images.");
  width_ = width;
  height_ = height;
}

int TImageList::Add(TBitmap image) {
  if (image.Width != width_ || image.Height != height_) {
    throw std::invalid_argument(Name() + ": the image is not " + std::to_string(width_) + " x " +
                                std::to_string(height_) + ".");
  }
  images_.push_back(std::move(image));
  return Count() - 1;
}

const TBitmap& TImageList::operator[](int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range(Name() + ": no image " + std::to_string(index) + ".");
  }
  return images_[static_cast<size_t>(index)];
}

}  // namespace quivra::framework
