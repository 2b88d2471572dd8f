// Runs the keyboard hook's decisions over random key sequences: shortcut components with
// arbitrary shortcut texts, and an explorer command bar whose buttons have arbitrary captions
// (accelerators) and shortcut texts, on the simulated Outlook with an explorer on the Inbox.
// Checks that a key press's text is always in the compared form, that a key release, an
// auto-repeat or a modifier by itself never makes one, that the hook takes a key exactly when
// an entry of the table has its text (the first such entry), and that running the entry it
// posted never fails.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/command_bars/command_bar_controls.h"
#include "host/framework/keyboard/keyboard_hook_logic.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "host/framework/keyboard/shortcut_table.h"
#include "host/framework/keyboard/shortcut_text.h"
#include "host/framework/module/com_addin_module.h"
#include "host/framework/module/host_apps.h"
#include "host/outlook/sim/standard_world.h"
#include "platform/compositions/sim/sim_platform.h"

namespace {

namespace fw = quivra::framework;

constexpr std::uint32_t kRepeatBit = 1u << 30;
constexpr std::uint32_t kReleaseBit = 1u << 31;

// Pieces of shortcut texts and captions: modifiers in every case, key names, digits, letters,
// accelerator marks.
constexpr const char* kPieces[] = {"ALT+", "Alt+", "ctrl+", "CTRL+", "SHIFT+", "+",    "&",
                                   "&&",   "1",    "0",     "9",     "A",      "z",    "BkSp",
                                   "BKSP", "F1",   "f24",   "Del",   "Space",  " ",    "é",
                                   "ß",    "Esc",  "Up",    "PgDn",  ";",      "\xFF", "Tab"};

std::string Text(FuzzedDataProvider& input) {
  std::string text;
  const size_t pieces = input.ConsumeIntegralInRange<size_t>(0, 4);
  for (size_t i = 0; i < pieces; ++i) {
    text += kPieces[input.ConsumeIntegralInRange<size_t>(0, std::size(kPieces) - 1)];
  }
  return text;
}

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

bool IsModifierKey(int virtual_key) {
  return virtual_key == 16 || virtual_key == 17 || virtual_key == 18 ||
         (virtual_key >= 160 && virtual_key <= 165);
}

void AddButtons(FuzzedDataProvider& input, fw::TCommandBarControls& controls, int depth) {
  const int count = input.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < count && input.remaining_bytes() > 0; ++i) {
    if (depth > 0 && input.ConsumeIntegralInRange(0, 3) == 0) {
      auto& popup = controls.Add<fw::TCommandBarPopup>();
      popup.SetCaption(Text(input));
      popup.SetVisible(input.ConsumeBool());
      AddButtons(input, popup.Controls(), depth - 1);
      continue;
    }
    auto& button = controls.Add<fw::TCommandBarButton>();
    button.SetCaption(Text(input));
    button.SetShortcutText(Text(input));
    button.SetEnabled(input.ConsumeBool());
    button.SetVisible(input.ConsumeBool());
    button.OnClick = [](fw::TCommandBarButton&) {};
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static quivra::platform::sim::SimPlatform sim;
  static quivra::outlook::sim::StandardWorld world;
  FuzzedDataProvider input(data, size);

  fw::TCOMAddInModule module(sim.platform());
  module.SetAddInName("QuivraOL");
  module.SetSupportedApps({fw::TOfficeHostApp::ohaOutlook});
  const int shortcuts = input.ConsumeIntegralInRange(0, 6);
  for (int i = 0; i < shortcuts; ++i) {
    auto& shortcut = module.CreateComponent<fw::TKeyboardShortcut>();
    shortcut.SetShortcutText(Text(input));
    shortcut.SetEnabled(input.ConsumeBool());
    shortcut.OnAction = [](fw::TKeyboardShortcut&) {};
  }
  if (input.ConsumeBool()) {
    auto& bar = module.CreateComponent<fw::TOlExplorerCommandBar>();
    bar.SetEnabled(input.ConsumeBool());
    bar.SetVisible(input.ConsumeBool());
    AddButtons(input, bar.Controls(), 2);
  }
  const bool key_down_handler = input.ConsumeBool();
  if (key_down_handler) {
    module.OnKeyDown = [](fw::TCOMAddInModule&, fw::TKeyDownEventArgs& args) {
      args.Handled = args.VirtualKey % 3 == 0;
    };
  }

  fw::TKeyboardHookLogic logic(module, world.outlook.application());
  if (input.ConsumeBool()) {
    // The layout's names of the punctuation keys.
    logic.KeyNames = [](int virtual_key) {
      return virtual_key >= 0xBA && virtual_key <= 0xDF
                 ? std::string(1, "=;,-./`[\\]'"[virtual_key % 11])
                 : std::string();
    };
  }

  while (input.remaining_bytes() > 0) {
    fw::TKeyPress press;
    press.VirtualKey = input.ConsumeIntegralInRange(0, 255);
    switch (input.ConsumeIntegralInRange(0, 4)) {
      case 0:
        press.KeyData = 0x00020001;
        break;
      case 1:
        press.KeyData = 0x00020001 | kRepeatBit;
        break;
      case 2:
        press.KeyData = 0x00020001 | kRepeatBit | kReleaseBit;
        break;
      case 3:
        press.KeyData = (8u << 16) | 1;
        break;  // Backspace's mark when handed back
      default:
        press.KeyData = input.ConsumeIntegral<std::uint32_t>();
        break;
    }
    press.Ctrl = input.ConsumeBool();
    press.Shift = input.ConsumeBool();
    press.Alt = input.ConsumeBool();
    const bool window_exists = input.ConsumeBool();

    const std::string text = fw::ShortcutTextOf(press, logic.KeyNames);
    Require(fw::NormalizeShortcutText(text) == text);
    if ((press.KeyData & (kRepeatBit | kReleaseBit)) != 0 || IsModifierKey(press.VirtualKey) ||
        press.VirtualKey == 0 || press.KeyData == 0) {
      Require(text.empty());
    }

    const fw::THookVerdict verdict = logic.KeyMessage(press, window_exists);
    const fw::TShortcutTable& table = logic.ShortcutTable();
    switch (verdict.Action) {
      case fw::THookVerdict::Kind::kPostShortcut:
        Require(window_exists && !text.empty());
        Require(verdict.Index >= 0 && verdict.Index < table.Count());
        Require(fw::NormalizeShortcutText(table[verdict.Index].Text) == text);
        for (int i = 0; i < verdict.Index; ++i) {
          Require(fw::NormalizeShortcutText(table[i].Text) != text);
        }
        logic.RunShortcut(verdict.Index);
        break;
      case fw::THookVerdict::Kind::kSwallow:
        Require(key_down_handler && press.VirtualKey % 3 == 0);
        break;
      case fw::THookVerdict::Kind::kPass:
        // A key with a text that the hook let pass matches no entry of the rebuilt table
        // (a Backspace the add-in handed back is not looked at).
        if (window_exists && !text.empty() &&
            !(press.VirtualKey == 8 && ((press.KeyData >> 16) & 0xFF) == 1)) {
          Require(table.Find(text) < 0);
        }
        break;
    }
    if (input.ConsumeBool()) {
      // A message for an entry of a table that has changed meanwhile, or of none.
      logic.RunShortcut(input.ConsumeIntegralInRange(-1, table.Count() + 1));
    }
    const std::string caption = Text(input);
    const std::string accelerator = fw::AcceleratorText(caption);
    Require(accelerator.empty() || (accelerator.starts_with("ALT+") && accelerator.size() > 4));
    Require(fw::NormalizeShortcutText(fw::NormalizeShortcutText(caption)) ==
            fw::NormalizeShortcutText(caption));
  }
  return 0;
}
