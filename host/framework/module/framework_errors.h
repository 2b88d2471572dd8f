#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_FRAMEWORK_ERRORS_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_FRAMEWORK_ERRORS_H_

#include <stdexcept>
#include <string>
#include <string_view>

namespace quivra::framework {

// A control was put into a parent that cannot hold its kind, such as a button straight into a
// tab. The design data is wrong; the component is not created.
class TContainmentError : public std::logic_error {
 public:
  TContainmentError(std::string_view class_name, std::string_view container_class_name)
      : std::logic_error("The " + std::string(class_name) + " class cannot be contained in the " +
                         std::string(container_class_name) + " class.") {}
};

// A property that must have a value was given an empty one.
class TPropertyError : public std::invalid_argument {
 public:
  explicit TPropertyError(std::string_view property_name)
      : std::invalid_argument("The " + std::string(property_name) + " property cannot be empty.") {}
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_FRAMEWORK_ERRORS_H_
