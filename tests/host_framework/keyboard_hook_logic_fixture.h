#ifndef QUIVRA_TESTS_HOST_FRAMEWORK_KEYBOARD_HOOK_LOGIC_FIXTURE_H_
#define QUIVRA_TESTS_HOST_FRAMEWORK_KEYBOARD_HOOK_LOGIC_FIXTURE_H_

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/keyboard/keyboard_hook_logic.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "tests/host_framework/framework_module_fixture.h"

namespace quivra::framework {

// The keyboard hook's logic over a bare module on the simulated Outlook: shortcut components
// and command-bar buttons record what ran; Press takes a key press the whole way the hook and
// the shortcut window do.
using Kind = THookVerdict::Kind;

inline constexpr std::uint32_t kKeyDown = 0x00020001;  // repeat count 1, scan code 2
inline constexpr std::uint32_t kRepeat = kKeyDown | (1u << 30);
inline constexpr std::uint32_t kKeyUp = kKeyDown | (1u << 30) | (1u << 31);
inline constexpr int kVkAlt = 18;
inline constexpr int kVkBack = 8;
inline constexpr int kVkNumpad0 = 96;
inline constexpr int kVkNumpad1 = 97;
inline constexpr int kVkNumpad3 = 99;

inline TKeyPress Alt(int vk, std::uint32_t key_data = kKeyDown) {
  return TKeyPress{vk, key_data, false, false, true};
}

class KeyboardHookLogicTest : public FrameworkModuleTest {
 protected:
  KeyboardHookLogicTest() { ServeOutlook(); }

  TKeyboardShortcut& Shortcut(const std::string& text, int tag) {
    auto& shortcut = module_.CreateComponent<TKeyboardShortcut>();
    shortcut.SetShortcutText(text);
    shortcut.SetTag(tag);
    shortcut.OnAction = [this](TKeyboardShortcut& sender) {
      ran_.push_back("shortcut " + std::to_string(sender.Tag()));
    };
    return shortcut;
  }
  TCommandBarButton& BarButton(TCommandBarControls& controls, const std::string& caption, int tag) {
    auto& button = controls.Add<TCommandBarButton>();
    button.SetCaption(caption);
    button.SetTag(tag);
    button.OnClick = [this](TCommandBarButton& sender) {
      ran_.push_back("button " + std::to_string(sender.Tag()));
    };
    return button;
  }

  // The whole way of a key press: the hook's verdict, then, for a posted shortcut, the shortcut
  // window's message.
  THookVerdict Press(const TKeyPress& press) {
    const THookVerdict verdict = logic_.KeyMessage(press, true);
    if (verdict.Swallowed()) {
      logic_.KeySwallowed(verdict);
    }
    if (verdict.Action == Kind::kPostShortcut) {
      EXPECT_TRUE(logic_.RunShortcut(verdict.Index));
    }
    return verdict;
  }

  TKeyboardHookLogic logic_{module_, world.outlook.application()};
  std::vector<std::string> ran_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_TESTS_HOST_FRAMEWORK_KEYBOARD_HOOK_LOGIC_FIXTURE_H_
