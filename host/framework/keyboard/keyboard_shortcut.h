#ifndef QUIVRA_HOST_FRAMEWORK_KEYBOARD_KEYBOARD_SHORTCUT_H_
#define QUIVRA_HOST_FRAMEWORK_KEYBOARD_KEYBOARD_SHORTCUT_H_

#include <functional>
#include <string>
#include <string_view>

#include "host/framework/module/component.h"
#include "host/framework/module/host_apps.h"

namespace quivra::framework {

class TKeyboardShortcut;

using TKeyboardShortcutOnAction = std::function<void(TKeyboardShortcut& Sender)>;

// A keyboard shortcut of the add-in, owned by the module: while it is enabled, a key press whose
// text equals `ShortcutText` (not regarding case: "BkSp" and "Bksp" are one text) is taken from
// the host and runs `OnAction`. Creating one turns on the module's HandleShortcuts. Armed and
// disarmed by setting its text and Enabled; the next key press sees the change.
class TKeyboardShortcut : public TComponent {
 public:
  static constexpr std::string_view kClassName = "TKeyboardShortcut";

  // Supports the hosts the module supports at this moment.
  explicit TKeyboardShortcut(TCOMAddInModule& owner);
  std::string_view ClassName() const override { return kClassName; }

  // "Alt+1", "Ctrl+Shift+F", "BkSp": modifiers in the order Ctrl, Shift, Alt, then the key name.
  const std::string& ShortcutText() const { return shortcut_text_; }
  void SetShortcutText(std::string value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  THostAppSet SupportedApps() const { return supported_apps_; }
  void SetSupportedApps(THostAppSet value);

  TKeyboardShortcutOnAction OnAction;
  // The shortcut was pressed: runs OnAction when the shortcut is enabled; an exception from the
  // handler goes to the module's ReportError.
  void DoAction();

 private:
  std::string shortcut_text_;
  bool enabled_ = true;
  THostAppSet supported_apps_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_KEYBOARD_KEYBOARD_SHORTCUT_H_
