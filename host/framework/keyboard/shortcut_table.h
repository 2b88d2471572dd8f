#ifndef QUIVRA_HOST_FRAMEWORK_KEYBOARD_SHORTCUT_TABLE_H_
#define QUIVRA_HOST_FRAMEWORK_KEYBOARD_SHORTCUT_TABLE_H_

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/framework/module/host_apps.h"

namespace quivra::framework {

class TCOMAddInModule;
class TCommandBarButton;
class TCommandBarControls;
class TKeyboardShortcut;

// The shortcut texts the add-in takes from the keyboard, in the order they are tried: the
// entries of the command bars first (filled by whoever knows which bars count in the window in
// front), then the module's shortcut components. The first entry with a text wins.
class TShortcutTable {
 public:
  using Target = std::variant<TKeyboardShortcut*, TCommandBarButton*>;
  struct Entry {
    std::string Text;  // upper-cased
    Target Owner;
    bool IsAccelerator = false;  // taken from a button caption's "&"
  };

  void Clear() { entries_.clear(); }

  // The entries of a bar's or pop-up's controls, in order and into pop-ups: a button's
  // ShortcutText when it has one, then the accelerator of its caption ("&3 Projects" →
  // "ALT+3") when it has one.
  void AddCommandBarControls(const TCommandBarControls& controls);
  // Each enabled shortcut component of the module that supports `host`, in creation order.
  void AddKeyboardShortcuts(const TCOMAddInModule& module, TOfficeHostApp host);

  // The position of the first entry with `text` (not regarding case), or -1. An empty text
  // matches nothing.
  int Find(std::string_view text) const;

  int Count() const { return static_cast<int>(entries_.size()); }
  // The entry at `index`; raises std::out_of_range outside 0 … Count() − 1.
  const Entry& operator[](int index) const;

 private:
  std::vector<Entry> entries_;
};

// The enabled shortcut component of the module that supports `host` and has `text`
// ("ALT+3", not regarding case), or null.
TKeyboardShortcut* FindKeyboardShortcut(const TCOMAddInModule& module,
                                           TOfficeHostApp host,
                                           std::string_view text);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_KEYBOARD_SHORTCUT_TABLE_H_
