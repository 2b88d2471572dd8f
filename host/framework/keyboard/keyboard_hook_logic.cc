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
#include "platform/keyboard.h"

namespace quivra::framework {

namespace {

constexpr std::uint32_t kRepeatBit = 1u << 30;
constexpr std::uint32_t kReleaseBit = 1u << 31;

// Outlook's OlItemType numbers that name a member of TOLItemType.
constexpr int kLastItemType = static_cast<int>(TOLItemType::olDistributionListItem);

constexpr int kVkBack = 8;

// A Backspace the add-in handed back to Outlook (see SendBackspaceKey).
bool IsPassedOnBackspace(const TKeyPress& press) {
  return press.VirtualKey == kVkBack &&
         static_cast<int>((press.KeyData >> 16) & 0xFF) == kPassedOnScanCode;
}

}  // namespace

TKeyboardHookLogic::TKeyboardHookLogic(TCOMAddInModule& module,
                                             outlook::ApplicationPtr host_app,
                                             TOfficeHostApp host)
    : module_(module), host_app_(std::move(host_app)), host_(host) {}

THookVerdict TKeyboardHookLogic::KeyMessage(const TKeyPress& press, bool window_exists) {
  // Every message counts for the character code being typed, the taken ones too.
  const bool in_character_code = alt_keys_.ContinuesCharacterCode(press);
  alt_keys_.Take(press);
  const bool on_key_down = static_cast<bool>(module_.OnKeyDown);
  if (press.VirtualKey == 0 || press.KeyData == 0 || (!window_exists && !on_key_down) ||
      IsPassedOnBackspace(press) || in_character_code) {
    return {};
  }
  // Only a window that can receive the posted message may take a shortcut: a key swallowed
  // with nobody to run its action would simply be lost.
  if (window_exists) {
    const std::string text = ShortcutTextOf(press, KeyNames);
    if (!text.empty() && AnyEntryHas(text) && KeyGoesToExplorer()) {
      RebuildShortcutTable();
      const int index = table_.Find(text);
      if (index >= 0) {
        return {THookVerdict::Kind::kPostShortcut, index, press.Alt};
      }
    }
  }
  if (on_key_down && UsesModifiers(press.KeyData)) {
    TKeyDownEventArgs args;
    args.Ctrl = press.Ctrl;
    args.Alt = press.Alt;
    args.Shift = press.Shift;
    args.VirtualKey = press.VirtualKey;
    args.KeyData = press.KeyData;
    module_.CallHandler([&] { module_.OnKeyDown(module_, args); });
    if (args.Handled) {
      return {THookVerdict::Kind::kSwallow, -1, press.Alt};
    }
  }
  return {};
}

void TKeyboardHookLogic::KeySwallowed(const THookVerdict& verdict) {
  if (!verdict.Swallowed() || !verdict.AltHeld) {
    return;
  }
  // When the user releases Alt, DefWindowProc sends the top-level window WM_SYSCOMMAND with
  // SC_KEYMENU, which opens its menu; Office shows its key tips when Alt is pressed and released.
  // Neither happens when another key went down while Alt was held, as for a chord Windows
  // handles itself (an accelerator, which TranslateAccelerator turns into a command). The key
  // swallowed here never reached the window, so a key without any meaning goes down and up in
  // its place: keybd_event puts it into the input stream behind the keys queued already, so it
  // reaches the window before Alt's release while the user still holds Alt (pressed after that
  // release, it is a key alone that means nothing either).
  // https://learn.microsoft.com/windows/win32/inputdev/wm-syskeyup
  // https://learn.microsoft.com/windows/win32/menurc/wm-syscommand
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-translateacceleratorw
  // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-keybd_event
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-sendinput
  // http://blogs.msdn.com/b/jensenh/archive/2005/10/13/480568.aspx
  platform::Keyboard& keyboard = module_.Services().keyboard;
  keyboard.KeyEvent(kAltMaskKey, 0, 0);
  keyboard.KeyEvent(kAltMaskKey, 0, platform::kKeyEventKeyUp);
}

bool TKeyboardHookLogic::UsesModifiers(std::uint32_t key_data) {
  return (key_data & (kRepeatBit | kReleaseBit)) == 0;
}

bool TKeyboardHookLogic::AnyEntryHas(const std::string& text) const {
  // The table's entries as if every enabled bar counted in the window in front: a text none of
  // them has cannot match, so Outlook need not be asked which window that is.
  TShortcutTable candidates;
  for (TOlExplorerCommandBar* bar : BarsInUse()) {
    candidates.AddCommandBarControls(bar->Controls());
  }
  candidates.AddKeyboardShortcuts(module_, host_);
  return candidates.Find(text) >= 0;
}

bool TKeyboardHookLogic::KeyGoesToExplorer() const {
  if (IsExplorerWindow && WindowInFront.Foreground &&
      !IsExplorerWindow(WindowInFront.Foreground())) {
    return false;
  }
  return !WindowInFront.Focused || !IsTyping(WindowInFront.Focused());
}

std::vector<TOlExplorerCommandBar*> TKeyboardHookLogic::BarsInUse() const {
  std::vector<TOlExplorerCommandBar*> bars;
  if (host_ != TOfficeHostApp::ohaOutlook || !host_app_) {
    return bars;
  }
  for (TOlExplorerCommandBar* bar : module_.ComponentsOf<TOlExplorerCommandBar>()) {
    if (bar->SupportedApps().Contains(host_) && bar->Enabled() && (!BarInUse || BarInUse(*bar))) {
      bars.push_back(bar);
    }
  }
  return bars;
}

void TKeyboardHookLogic::RebuildShortcutTable() {
  table_.Clear();
  AddCommandBarEntries();
  table_.AddKeyboardShortcuts(module_, host_);
}

void TKeyboardHookLogic::AddCommandBarEntries() {
  const std::vector<TOlExplorerCommandBar*> bars = BarsInUse();
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
  for (TOlExplorerCommandBar* bar : bars) {
    if (bar->ItemTypes().Contains(static_cast<TOLItemType>(item_type))) {
      table_.AddCommandBarControls(bar->Controls());
    }
  }
}

bool TKeyboardHookLogic::RunShortcut(int index) {
  if (index < 0 || index >= table_.Count()) {
    return false;
  }
  const TShortcutTable::Entry entry = table_[index];
  if (auto* const* shortcut = std::get_if<TKeyboardShortcut*>(&entry.Owner)) {
    // DoAction runs only an enabled shortcut and reports what its handler raises.
    (*shortcut)->DoAction();
    return true;
  }
  TCommandBarButton* button = std::get<TCommandBarButton*>(entry.Owner);
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
  const TOlExplorerCommandBar* bar = button->Bar();
  if (button->ParentPopup() == nullptr && bar != nullptr && bar->Enabled() && bar->Visible() &&
      button->Visible()) {
    button->DoClick();
  }
  return true;
}

}  // namespace quivra::framework
