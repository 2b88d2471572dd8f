#include "host/framework/keyboard/keyboard_shortcut.h"

#include <utility>

#include "host/framework/module/com_addin_module.h"

namespace quivra::framework {

TadxKeyboardShortcut::TadxKeyboardShortcut(TadxCOMAddInModule& owner)
    : TadxComponent(owner), supported_apps_(owner.SupportedApps()) {
  owner.SetHandleShortcuts(true);
}

void TadxKeyboardShortcut::SetShortcutText(std::string value) {
  if (StoreIfChanged(shortcut_text_, std::move(value)))
    Changed(TadxProperty::ShortcutText);
}

void TadxKeyboardShortcut::SetEnabled(bool value) {
  if (StoreIfChanged(enabled_, value))
    Changed(TadxProperty::Enabled);
}

void TadxKeyboardShortcut::SetSupportedApps(TadxHostAppSet value) {
  if (StoreIfChanged(supported_apps_, value))
    Changed(TadxProperty::SupportedApps);
}

void TadxKeyboardShortcut::DoAction() {
  if (!enabled_ || !OnAction)
    return;
  Owner().CallHandler([this] { OnAction(*this); });
}

}  // namespace quivra::framework
