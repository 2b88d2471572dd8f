#include "host/framework/module/component.h"

#include "host/framework/module/com_addin_module.h"

namespace quivra::framework {

void TadxComponent::SetTag(int value) {
  if (StoreIfChanged(tag_, value))
    Changed(TadxProperty::Tag);
}

void TadxComponent::Changed(TadxProperty property) {
  owner_.NotifyChanged(TadxPropertyChange{this, nullptr, nullptr, property});
}

}  // namespace quivra::framework
