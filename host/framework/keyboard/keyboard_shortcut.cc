#include "host/framework/keyboard/keyboard_shortcut.h"

#include <utility>

#include "host/framework/module/com_addin_module.h"

namespace quivra::framework {

TKeyboardShortcut::TKeyboardShortcut(TCOMAddInModule& owner)
    : TComponent(owner), supported_apps_(owner.SupportedApps()) {
  owner.SetHandleShortcuts(true);
}

void TKeyboardShortcut::SetShortcutText(std::string value) {
  if (StoreIfChanged(shortcut_text_, std::move(value)))
    Changed(TProperty::ShortcutText);
}

void TKeyboardShortcut::SetEnabled(bool value) {
  if (StoreIfChanged(enabled_, value))
    Changed(TProperty::Enabled);
}

void TKeyboardShortcut::SetSupportedApps(THostAppSet value) {
  if (StoreIfChanged(supported_apps_, value))
    Changed(TProperty::SupportedApps);
}

void TKeyboardShortcut::DoAction() {
  if (!enabled_ || !OnAction)
    return;
  Owner().CallHandler([this] { OnAction(*this); });
}

}  // namespace quivra::framework
