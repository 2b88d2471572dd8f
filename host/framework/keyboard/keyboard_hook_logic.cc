#include "host/framework/keyboard/keyboard_hook_logic.h"

#include <exception>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/command_bars/command_bar_controls.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "host/framework/module/com_addin_module.h"

namespace quivra::framework {

namespace {

constexpr std::uint32_t kRepeatBit = 1u << 30;
constexpr std::uint32_t kReleaseBit = 1u << 31;

// Outlook's OlItemType numbers that name a member of TadxOLItemType.
constexpr int kLastItemType = static_cast<int>(TadxOLItemType::adxOLDistributionListItem);

constexpr int kVkBack = 8;

// A Backspace the add-in handed back to Outlook (see SendBackspaceKey).
bool IsPassedOnBackspace(const TadxKeyPress& press) {
  return press.VirtualKey == kVkBack &&
         static_cast<int>((press.KeyData >> 16) & 0xFF) == kTadxPassedOnScanCode;
}

}  // namespace

TadxKeyboardHookLogic::TadxKeyboardHookLogic(TadxCOMAddInModule& module,
                                             outlook::ApplicationPtr host_app,
                                             TadxOfficeHostApp host)
    : module_(module), host_app_(std::move(host_app)), host_(host) {}

TadxHookVerdict TadxKeyboardHookLogic::KeyMessage(const TadxKeyPress& press, bool window_exists) {
  const bool on_key_down = static_cast<bool>(module_.OnKeyDown);
  if (press.VirtualKey == 0 || press.KeyData == 0 || (!window_exists && !on_key_down) ||
      IsPassedOnBackspace(press)) {
    return {};
  }
  // Only a window that can receive the posted message may take a shortcut: a key swallowed
  // with nobody to run its action would simply be lost.
  if (window_exists) {
    const std::string text = ShortcutTextOf(press, KeyNames);
    if (!text.empty() && AnyEntryHas(text) && KeyGoesToExplorer(press)) {
      RebuildShortcutTable();
      const int index = table_.Find(text);
      if (index >= 0) {
        return {TadxHookVerdict::Kind::kPostShortcut, index};
      }
    }
  }
  if (on_key_down && UsesModifiers(press.KeyData)) {
    TadxKeyDownEventArgs args;
    args.Ctrl = press.Ctrl;
    args.Alt = press.Alt;
    args.Shift = press.Shift;
    args.VirtualKey = press.VirtualKey;
    args.KeyData = press.KeyData;
    module_.CallHandler([&] { module_.OnKeyDown(module_, args); });
    if (args.Handled) {
      return {TadxHookVerdict::Kind::kSwallow, -1};
    }
  }
  return {};
}

bool TadxKeyboardHookLogic::UsesModifiers(std::uint32_t key_data) {
  return (key_data & (kRepeatBit | kReleaseBit)) == 0;
}

bool TadxKeyboardHookLogic::AnyEntryHas(const std::string& text) const {
  // The table's entries as if every enabled bar counted in the window in front: a text none of
  // them has cannot match, so Outlook need not be asked which window that is.
  TadxShortcutTable candidates;
  for (TadxOlExplorerCommandBar* bar : BarsInUse()) {
    candidates.AddCommandBarControls(bar->Controls());
  }
  candidates.AddKeyboardShortcuts(module_, host_);
  return candidates.Find(text) >= 0;
}

bool TadxKeyboardHookLogic::KeyGoesToExplorer(const TadxKeyPress& press) const {
  if (IsExplorerWindow && WindowInFront.Foreground &&
      !IsExplorerWindow(WindowInFront.Foreground())) {
    return false;
  }
  return press.VirtualKey != kVkBack || !WindowInFront.Focused ||
         !IsTyping(WindowInFront.Focused());
}

std::vector<TadxOlExplorerCommandBar*> TadxKeyboardHookLogic::BarsInUse() const {
  std::vector<TadxOlExplorerCommandBar*> bars;
  if (host_ != TadxOfficeHostApp::ohaOutlook || !host_app_) {
    return bars;
  }
  for (TadxOlExplorerCommandBar* bar : module_.ComponentsOf<TadxOlExplorerCommandBar>()) {
    if (bar->SupportedApps().Contains(host_) && bar->Enabled() && (!BarInUse || BarInUse(*bar))) {
      bars.push_back(bar);
    }
  }
  return bars;
}

void TadxKeyboardHookLogic::RebuildShortcutTable() {
  table_.Clear();
  AddCommandBarEntries();
  table_.AddKeyboardShortcuts(module_, host_);
}

void TadxKeyboardHookLogic::AddCommandBarEntries() {
  const std::vector<TadxOlExplorerCommandBar*> bars = BarsInUse();
  if (bars.empty()) {
    return;
  }
  // Explorer bars count only in an explorer in front whose folder holds items of their types;
  // an inspector in front (the query for an explorer is refused) or no window adds nothing.
  int item_type = -1;
  try {
    const outlook::ObjectPtr window = host_app_->ActiveWindow();
    if (!window) {
      return;
    }
    const outlook::ExplorerPtr explorer = window->AsExplorer();
    item_type = outlook::Require(outlook::Require(explorer).CurrentFolder()).DefaultItemType();
  } catch (const std::exception&) {
    return;
  }
  if (item_type < 0 || item_type > kLastItemType) {
    return;
  }
  for (TadxOlExplorerCommandBar* bar : bars) {
    if (bar->ItemTypes().Contains(static_cast<TadxOLItemType>(item_type))) {
      table_.AddCommandBarControls(bar->Controls());
    }
  }
}

bool TadxKeyboardHookLogic::RunShortcut(int index) {
  if (index < 0 || index >= table_.Count()) {
    return false;
  }
  const TadxShortcutTable::Entry entry = table_[index];
  if (auto* const* shortcut = std::get_if<TadxKeyboardShortcut*>(&entry.Owner)) {
    // DoAction runs only an enabled shortcut and reports what its handler raises.
    (*shortcut)->DoAction();
    return true;
  }
  TadxCommandBarButton* button = std::get<TadxCommandBarButton*>(entry.Owner);
  // A control that cannot be reached in Office (a closed explorer, a bar Office dropped) is not
  // clicked.
  bool answers = false;
  try {
    answers = !OfficeButtonCheck || OfficeButtonCheck(*button);
  } catch (const std::exception&) {
    answers = false;
  }
  if (!answers) {
    return false;
  }
  if (!button->Enabled()) {
    return true;
  }
  if (!entry.IsAccelerator) {
    button->DoClick();
    return true;
  }
  // A caption's accelerator works as it would in the visible menu: only for a visible button
  // straight on an enabled, visible bar.
  const TadxOlExplorerCommandBar* bar = button->Bar();
  if (button->ParentPopup() == nullptr && bar != nullptr && bar->Enabled() && bar->Visible() &&
      button->Visible()) {
    button->DoClick();
  }
  return true;
}

}  // namespace quivra::framework
