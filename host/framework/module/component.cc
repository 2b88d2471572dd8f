#include "host/framework/module/component.h"

#include "host/framework/module/com_addin_module.h"

namespace quivra::framework {

std::string ComponentStem(std::string_view class_name) {
  std::string stem(class_name.starts_with('T') ? class_name.substr(1) : class_name);
  const auto is_upper = [](char c) { return c >= 'A' && c <= 'Z'; };
  size_t capitals = 0;
  while (capitals < stem.size() && is_upper(stem[capitals])) {
    ++capitals;
  }
  // In "COMAddIn" the "A" begins the next word and keeps its capital.
  if (capitals > 1 && capitals < stem.size()) {
    --capitals;
  }
  for (size_t i = 0; i < capitals; ++i) {
    stem[i] = static_cast<char>(stem[i] - 'A' + 'a');
  }
  return stem;
}

void TComponent::SetTag(int value) {
  if (StoreIfChanged(tag_, value))
    Changed(TProperty::Tag);
}

void TComponent::Changed(TProperty property) {
  owner_.NotifyChanged(TPropertyChange{this, nullptr, nullptr, property});
}

}  // namespace quivra::framework
