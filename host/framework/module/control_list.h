#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_CONTROL_LIST_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_CONTROL_LIST_H_

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quivra::framework {

// The ordered, owning list of the controls of a container (a ribbon tab or control, a command
// bar or pop-up). `Derived` adopts each new control (checks that it may stand there and gives
// it what it takes from its parent) in `void Adopt(std::unique_ptr<Control>&)`.
template <typename Derived, typename Control>
class TControlList {
 public:
  TControlList() = default;
  TControlList(const TControlList&) = delete;
  TControlList& operator=(const TControlList&) = delete;

  // Appends a new control of class T.
  template <typename T>
  T& Add() {
    auto control = std::make_unique<T>();
    T& added = *control;
    std::unique_ptr<Control> adopted = std::move(control);
    static_cast<Derived*>(this)->Adopt(adopted);
    items_.push_back(std::move(adopted));
    return added;
  }

  int Count() const { return static_cast<int>(items_.size()); }
  // The control at `index`; raises std::out_of_range outside 0 … Count() − 1.
  Control& operator[](int index) const {
    if (index < 0 || index >= Count()) {
      throw std::out_of_range("Control index out of range: " + std::to_string(index));
    }
    return *items_[static_cast<size_t>(index)];
  }
  // The control at `index` as a T; raises std::bad_cast when it is another kind.
  template <typename T>
  T& Item(int index) const {
    return dynamic_cast<T&>((*this)[index]);
  }
  const std::vector<std::unique_ptr<Control>>& Items() const { return items_; }

 private:
  std::vector<std::unique_ptr<Control>> items_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_CONTROL_LIST_H_
