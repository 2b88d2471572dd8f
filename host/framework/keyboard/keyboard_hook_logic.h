#ifndef QUIVRA_HOST_FRAMEWORK_KEYBOARD_KEYBOARD_HOOK_LOGIC_H_
#define QUIVRA_HOST_FRAMEWORK_KEYBOARD_KEYBOARD_HOOK_LOGIC_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/framework/keyboard/alt_key_sequence.h"
#include "host/framework/keyboard/shortcut_table.h"
#include "host/framework/keyboard/shortcut_text.h"
#include "host/framework/keyboard/window_in_front.h"
#include "host/framework/module/host_apps.h"
#include "host/outlook/outlook.h"

namespace quivra::framework {

class TCOMAddInModule;
class TCommandBarButton;
class TOlExplorerCommandBar;

// The scan code that marks a Backspace the add-in sends on to Outlook itself. The hook lets a
// key with this mark pass, so that the key it hands back is never taken a second time.
constexpr int kPassedOnScanCode = 1;

// What the keyboard hook does with one keyboard message.
struct THookVerdict {
  enum class Kind {
    kPass,          // the message goes on to the host
    kPostShortcut,  // swallowed; the shortcut window is told to run entry `Index`
    kSwallow,       // swallowed; the module's OnKeyDown handled it
  };
  Kind Action = Kind::kPass;
  int Index = -1;
  // The swallowed key was pressed with Alt held: see KeySwallowed.
  bool AltHeld = false;

  bool Swallowed() const { return Action != Kind::kPass; }
};

// Asks a command-bar button's control in Office whether it answers and is enabled before the
// button is clicked through a shortcut; false keeps the click from running.
using TOfficeButtonCheck = std::function<bool(TCommandBarButton& Button)>;

// The decisions of the add-in's keyboard hook on the host's user-interface thread, without the
// Windows calls: which key presses the add-in takes, and what runs when the shortcut window
// later receives the message the hook posted. The action never runs inside the hook, so a
// handler may show dialogs and pump messages as it pleases.
class TKeyboardHookLogic {
 public:
  // `host_app` is Outlook's application (its active window decides which command bars count);
  // none for a host without command bars.
  TKeyboardHookLogic(TCOMAddInModule& module,
                        outlook::ApplicationPtr host_app,
                        TOfficeHostApp host = TOfficeHostApp::ohaOutlook);
  TKeyboardHookLogic(const TKeyboardHookLogic&) = delete;
  TKeyboardHookLogic& operator=(const TKeyboardHookLogic&) = delete;

  TCOMAddInModule& Module() const { return module_; }

  // One keyboard message of the thread (hook code HC_ACTION). `window_exists`: the shortcut
  // window is there to receive the posted message.
  //
  // A key-down that is neither an auto-repeat nor Shift, Ctrl or Alt by itself is turned into
  // its shortcut text; when some enabled bar or shortcut component has that text and the key
  // goes to an explorer (see KeyGoesToExplorer), the shortcut table is rebuilt and the first
  // entry with that text taken (kPostShortcut). A text nobody
  // has leaves the table as it was, asking Outlook nothing. A keypad digit that goes on a
  // character code the user is typing with Alt held (the 2, 3 and 3 of Alt+0233) is never
  // taken. Otherwise the module's OnKeyDown, when
  // assigned, sees non-repeated key-downs and may keep them (kSwallow). Key-ups, auto-repeats, the
  // modifier keys and every other key pass on. Exceptions of the module's OnKeyDown go to its
  // ReportError.
  THookVerdict KeyMessage(const TKeyPress& press, bool window_exists);

  // The hook swallowed the key of `verdict`. When Alt was held, the window would now see Alt
  // pressed and released with nothing between, which Windows and Office take as the user asking
  // for the menu or the ribbon's key tips: the next letter typed would run a ribbon command.
  // So a key without any meaning (kAltMaskKey) is pressed and released through the platform's
  // keyboard in its place, while Alt is still held, as the swallowed key would have been.
  void KeySwallowed(const THookVerdict& verdict);

  // Whether KeyMessage looks at the modifier state of a message with this key data: only for a
  // fresh key-down (neither an auto-repeat nor a release). The hook reads the keyboard's state
  // for those alone; Ctrl, Shift and Alt of any other message may be left unset.
  static bool UsesModifiers(std::uint32_t key_data);

  // The shortcut window received the posted message for entry `index` of the table as it is
  // now (a later key press may have rebuilt it): an enabled shortcut component runs its
  // OnAction; a command-bar button is clicked when it and its bar allow it. False when nothing
  // could be asked (no such entry, or the button's control in Office did not answer): the
  // message then gets the window's default handling.
  bool RunShortcut(int index);

  // Rebuilds the table: the entries of the enabled command bars that count for the window in
  // front, then the module's enabled shortcut components. Failures to read the host's active
  // window or its folder leave the command bars out.
  void RebuildShortcutTable();
  const TShortcutTable& ShortcutTable() const { return table_; }

  // Names keys outside the fixed names (the keyboard layout's key names); unset: none.
  TKeyNameSource KeyNames;
  // Unset: a button's own Enabled stands for its control in Office.
  TOfficeButtonCheck OfficeButtonCheck;
  // Whether a command bar is shown in Office, so that its buttons' shortcuts and caption
  // accelerators have something to act on; unset: every enabled bar is.
  std::function<bool(const TOlExplorerCommandBar& bar)> BarInUse;
  // Where the key is going; either part unset: that part is not asked.
  TWindowInFront WindowInFront;
  // Whether a top-level window is one of Outlook's explorers the add-in tracks; unset: every
  // window counts as one.
  std::function<bool(std::uintptr_t window)> IsExplorerWindow;

 private:
  void AddCommandBarEntries();
  // The enabled command bars for the host that Office shows.
  std::vector<TOlExplorerCommandBar*> BarsInUse() const;
  // Whether `text` is the text of any entry the table could hold, whatever window is in front.
  bool AnyEntryHas(const std::string& text) const;
  // Shortcuts act in the explorers only: a key pressed in a message window, another Outlook
  // window or one of the add-in's own dialogs goes on to that window untouched (Alt+1 ... Alt+9
  // are Outlook's own keys there, and a shortcut inside the add-in's dialog would start a
  // second one over the first). Nor does any shortcut act while the user is typing text in the
  // explorer: in its search box, a folder name being edited, or a reply in the reading pane
  // (there Backspace deletes, and Alt with keypad digits enters a character).
  bool KeyGoesToExplorer() const;

  TCOMAddInModule& module_;
  outlook::ApplicationPtr host_app_;
  TOfficeHostApp host_;
  TShortcutTable table_;
  TAltKeySequence alt_keys_;
};

// The thread's keyboard hook and shortcut window serving one logic; destroying it removes both.
class TInstalledKeyboardHook {
 public:
  virtual ~TInstalledKeyboardHook() = default;
};

// Installs the hook and the shortcut window on the calling thread for `logic`, which outlives
// the result. Raises an exception when Windows refuses either.
using TKeyboardHookInstaller =
    std::function<std::unique_ptr<TInstalledKeyboardHook>(TKeyboardHookLogic& logic)>;

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_KEYBOARD_KEYBOARD_HOOK_LOGIC_H_
