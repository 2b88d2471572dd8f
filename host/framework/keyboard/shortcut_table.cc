#include "host/framework/keyboard/shortcut_table.h"

#include <stdexcept>

#include "host/framework/command_bars/command_bar_controls.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "host/framework/keyboard/shortcut_text.h"
#include "host/framework/module/com_addin_module.h"

namespace quivra::framework {

void TShortcutTable::AddCommandBarControls(const TCommandBarControls& controls) {
  for (const auto& control : controls.Items()) {
    if (auto* popup = dynamic_cast<TCommandBarPopup*>(control.get())) {
      AddCommandBarControls(popup->Controls());
      continue;
    }
    auto* button = dynamic_cast<TCommandBarButton*>(control.get());
    if (button == nullptr)
      continue;
    if (!button->ShortcutText().empty()) {
      entries_.push_back({NormalizeShortcutText(button->ShortcutText()), button, false});
    }
    std::string accelerator = AcceleratorText(button->Caption());
    if (!accelerator.empty())
      entries_.push_back({std::move(accelerator), button, true});
  }
}

void TShortcutTable::AddKeyboardShortcuts(const TCOMAddInModule& module,
                                             TOfficeHostApp host) {
  for (TKeyboardShortcut* shortcut : module.ComponentsOf<TKeyboardShortcut>()) {
    if (!shortcut->Enabled() || !shortcut->SupportedApps().Contains(host))
      continue;
    entries_.push_back({NormalizeShortcutText(shortcut->ShortcutText()), shortcut, false});
  }
}

int TShortcutTable::Find(std::string_view text) const {
  if (text.empty())
    return -1;
  const std::string key = NormalizeShortcutText(text);
  for (int i = 0; i < Count(); ++i) {
    if (entries_[static_cast<size_t>(i)].Text == key)
      return i;
  }
  return -1;
}

const TShortcutTable::Entry& TShortcutTable::operator[](int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("Shortcut table index out of range: " + std::to_string(index));
  }
  return entries_[static_cast<size_t>(index)];
}

TKeyboardShortcut* FindKeyboardShortcut(const TCOMAddInModule& module,
                                           TOfficeHostApp host,
                                           std::string_view text) {
  TShortcutTable table;
  table.AddKeyboardShortcuts(module, host);
  const int index = table.Find(text);
  return index < 0 ? nullptr : std::get<TKeyboardShortcut*>(table[index].Owner);
}

}  // namespace quivra::framework
