// The keyboard hook's decisions over the simulated Outlook: which key presses the add-in takes,
// where, and what runs when the shortcut window receives the posted message.
#include "host/framework/keyboard/keyboard_hook_logic.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/framework/keyboard/alt_key_sequence.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "platform/keyboard.h"
#include "platform/sim/sim_keyboard.h"
#include "tests/host_framework/keyboard_hook_logic_fixture.h"

namespace quivra::framework {
namespace {

TEST_F(KeyboardHookLogicTest, AltDigitIsTakenOnceAndItsActionRunsOnlyWhenTheMessageArrives) {
  Shortcut("Alt+2", 2);
  Shortcut("Alt+1", 1);

  const THookVerdict verdict = logic_.KeyMessage(Alt('1'), true);
  ASSERT_EQ(verdict.Action, Kind::kPostShortcut);
  EXPECT_TRUE(ran_.empty());  // nothing runs inside the hook
  EXPECT_TRUE(logic_.RunShortcut(verdict.Index));
  EXPECT_EQ(ran_, std::vector<std::string>{"shortcut 1"});

  // Holding the keys, letting them go, and Alt itself all reach Outlook.
  EXPECT_FALSE(Press(Alt('1', kRepeat)).Swallowed());
  EXPECT_FALSE(Press(Alt('1', kKeyUp)).Swallowed());
  EXPECT_FALSE(Press(Alt(kVkAlt)).Swallowed());
  EXPECT_FALSE(Press(Alt(kVkAlt, kKeyUp)).Swallowed());
  EXPECT_EQ(ran_.size(), 1u);

  // The keypad 1 gives the same text.
  EXPECT_TRUE(Press(Alt(kVkNumpad1)).Swallowed());
  EXPECT_EQ(ran_, (std::vector<std::string>{"shortcut 1", "shortcut 1"}));
  // Without Alt, or with a digit nobody took, the key passes.
  EXPECT_FALSE(Press(TKeyPress{'1', kKeyDown, false, false, false}).Swallowed());
  EXPECT_FALSE(Press(Alt('4')).Swallowed());
  EXPECT_EQ(ran_.size(), 2u);
}

TEST_F(KeyboardHookLogicTest, OnlyEnabledShortcutsForOutlookWithTheExactModifierOrderMatch) {
  Shortcut("Alt+1", 1).SetEnabled(false);
  Shortcut("Alt+2", 2).SetSupportedApps({TOfficeHostApp::ohaExcel});
  Shortcut("Shift+Ctrl+A", 3);
  Shortcut("", 4);
  Shortcut("bksp", 5);

  EXPECT_FALSE(Press(Alt('1')).Swallowed());
  EXPECT_FALSE(Press(Alt('2')).Swallowed());
  EXPECT_FALSE(Press(TKeyPress{'A', kKeyDown, true, true, false}).Swallowed());
  // A key without a name gives an empty text, which the empty shortcut text never matches.
  EXPECT_FALSE(Press(TKeyPress{186, kKeyDown, false, false, false}).Swallowed());
  EXPECT_TRUE(ran_.empty());

  // Backspace is taken everywhere; the text compares without regard to case.
  EXPECT_TRUE(Press(TKeyPress{kVkBack, kKeyDown}).Swallowed());
  EXPECT_EQ(ran_, std::vector<std::string>{"shortcut 5"});

  // The Backspace the add-in hands back to Outlook (scan code 1) passes, even once the user has
  // let go of the key, so it cannot come round again.
  constexpr std::uint32_t kPassedOnKeyDown = 0x00010001;
  EXPECT_FALSE(Press(TKeyPress{kVkBack, kPassedOnKeyDown}).Swallowed());
}

TEST_F(KeyboardHookLogicTest, ShortcutsActOnlyInAnExplorerAndNeverWhileTheUserTypes) {
  Shortcut("Alt+3", 3);
  Shortcut("Alt+Z", 12);
  Shortcut("BkSp", 11);
  constexpr std::uintptr_t kExplorer = 0x100;
  constexpr std::uintptr_t kOtherExplorer = 0x200;
  std::uintptr_t foreground = kExplorer;
  TFocusedWindow focused{"SysListView32", false};
  int window_queries = 0;
  logic_.IsExplorerWindow = [&](std::uintptr_t window) {
    return window == kExplorer || window == kOtherExplorer;
  };
  logic_.WindowInFront.Foreground = [&] {
    ++window_queries;
    return foreground;
  };
  logic_.WindowInFront.Focused = [&] { return focused; };

  // In an explorer's message list every shortcut acts; a key nobody armed asks Windows nothing.
  EXPECT_TRUE(Press(Alt('3')).Swallowed());
  EXPECT_TRUE(Press(TKeyPress{kVkBack, kKeyDown}).Swallowed());
  foreground = kOtherExplorer;
  EXPECT_TRUE(Press(Alt('Z')).Swallowed());
  EXPECT_EQ(ran_, (std::vector<std::string>{"shortcut 3", "shortcut 11", "shortcut 12"}));
  window_queries = 0;
  EXPECT_FALSE(Press(Alt('4')).Swallowed());
  EXPECT_EQ(window_queries, 0);

  // A message window, the add-in's own dialog or no window in front: every key goes on.
  for (const std::uintptr_t other : {std::uintptr_t{0x300}, std::uintptr_t{0}}) {
    foreground = other;
    EXPECT_FALSE(Press(Alt('3')).Swallowed());
    EXPECT_FALSE(Press(Alt('Z')).Swallowed());
    EXPECT_FALSE(Press(TKeyPress{kVkBack, kKeyDown}).Swallowed());
  }
  EXPECT_EQ(ran_.size(), 3u);

  // In the explorer's search box, a folder name being edited or an inline reply (a text field
  // or any window showing the caret) every key goes on to what the user types: Backspace,
  // Alt+3, Alt+Z and the keypad 3 with Alt, which begins a character code there.
  foreground = kExplorer;
  for (const TFocusedWindow& typing :
       {TFocusedWindow{"Edit", false}, TFocusedWindow{"richedit20w", false},
        TFocusedWindow{"RICHEDIT50W", false}, TFocusedWindow{"ComboBox", false},
        TFocusedWindow{"MailEditor", true}}) {
    focused = typing;
    EXPECT_FALSE(Press(TKeyPress{kVkBack, kKeyDown}).Swallowed()) << typing.ClassName;
    EXPECT_FALSE(Press(Alt('3')).Swallowed()) << typing.ClassName;
    EXPECT_FALSE(Press(Alt('Z')).Swallowed()) << typing.ClassName;
    EXPECT_FALSE(Press(Alt(kVkNumpad3)).Swallowed()) << typing.ClassName;
  }
  EXPECT_EQ(ran_.size(), 3u);

  // Back in the message list they act again.
  focused = TFocusedWindow{"SysListView32", false};
  EXPECT_TRUE(Press(Alt('3')).Swallowed());
  EXPECT_EQ(ran_.size(), 4u);
}

TEST(TextEntryWindowTest, OnlyWindowsThatTakeTextCountAsTyping) {
  for (const char* name : {"Edit", "EDIT", "RichEdit", "RichEdit20A", "RichEdit20W", "RICHEDIT50W",
                           "ComboBox", "ComboBoxEx32"}) {
    EXPECT_TRUE(IsTextEntryWindowClass(name)) << name;
  }
  for (const char* name : {"", "SysListView32", "SysTreeView32", "Button", "Edit2", "RichEdit2"}) {
    EXPECT_FALSE(IsTextEntryWindowClass(name)) << name;
    EXPECT_FALSE(IsTyping(TFocusedWindow{name, false})) << name;
    EXPECT_TRUE(IsTyping(TFocusedWindow{name, true})) << name;
  }
}

TEST_F(KeyboardHookLogicTest, ArmingAndDisarmingTakeEffectWithTheNextKeyPress) {
  TKeyboardShortcut& shortcut = Shortcut("", 3);
  EXPECT_FALSE(Press(Alt('3')).Swallowed());

  shortcut.SetShortcutText("Alt+3");
  EXPECT_TRUE(Press(Alt('3')).Swallowed());

  // Disarmed between the key press and the message: the posted entry no longer runs.
  const THookVerdict verdict = logic_.KeyMessage(Alt('3'), true);
  ASSERT_EQ(verdict.Action, Kind::kPostShortcut);
  shortcut.SetEnabled(false);
  EXPECT_TRUE(logic_.RunShortcut(verdict.Index));
  EXPECT_EQ(ran_, std::vector<std::string>{"shortcut 3"});
  EXPECT_FALSE(Press(Alt('3')).Swallowed());
}

TEST_F(KeyboardHookLogicTest, ActionsThatRaiseAreReportedAndStaleMessagesRunNothing) {
  Shortcut("Alt+1", 1).OnAction = [](TKeyboardShortcut&) {
    throw std::runtime_error("Folder gone");
  };
  EXPECT_TRUE(Press(Alt('1')).Swallowed());
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_NE(sim.message_boxes.shown()[0].text.find("Folder gone"), std::string::npos);

  EXPECT_FALSE(logic_.RunShortcut(7));
  EXPECT_FALSE(logic_.RunShortcut(-1));
}

TEST_F(KeyboardHookLogicTest, WithoutAWindowOnlyOnKeyDownSeesKeys) {
  Shortcut("Alt+1", 1);
  EXPECT_FALSE(logic_.KeyMessage(Alt('1'), false).Swallowed());

  std::vector<int> seen;
  module_.OnKeyDown = [&](TCOMAddInModule&, TKeyDownEventArgs& args) {
    seen.push_back(args.VirtualKey);
    args.Handled = args.VirtualKey == 'Q' && args.Alt;
  };
  // A shortcut with no window to run it is not taken; the handler sees it instead.
  EXPECT_FALSE(logic_.KeyMessage(Alt('1'), false).Swallowed());
  EXPECT_EQ(logic_.KeyMessage(Alt('Q'), false).Action, Kind::kSwallow);
  EXPECT_FALSE(logic_.KeyMessage(Alt('Q', kRepeat), true).Swallowed());
  EXPECT_FALSE(logic_.KeyMessage(Alt('Q', kKeyUp), true).Swallowed());
  // Taken shortcuts never reach the handler.
  EXPECT_EQ(logic_.KeyMessage(Alt('1'), true).Action, Kind::kPostShortcut);
  EXPECT_EQ(seen, (std::vector<int>{'1', 'Q'}));
}

// The keys of a character code typed with Alt held on the numeric keypad (Alt+0233 gives "é").
class CharacterCodeTest : public KeyboardHookLogicTest {
 protected:
  CharacterCodeTest() {
    Shortcut("Alt+3", 3);
    Shortcut("Alt+2", 2);
    Shortcut("Alt+0", 10);
  }

  // Alt pressed, as the hook sees it (Alt itself counts as held).
  void PressAlt() { EXPECT_FALSE(Press(Alt(kVkAlt)).Swallowed()); }
  void ReleaseAlt() { EXPECT_FALSE(Press(Alt(kVkAlt, kKeyUp)).Swallowed()); }
  // A key pressed and released with Alt held.
  bool Tap(int vk) {
    const bool taken = Press(Alt(vk)).Swallowed();
    Press(Alt(vk, kKeyUp));
    return taken;
  }
  // The keys the hook sent meanwhile reach it in turn, Alt still held.
  void DeliverSentKeys() {
    sim.keyboard.DeliverPending([this](const platform::sim::SentKey& key) {
      const std::uint32_t data = (static_cast<std::uint32_t>(key.scan_code) << 16) | 1u |
                                 (key.released() ? (3u << 30) : 0u);
      EXPECT_FALSE(Press(Alt(key.virtual_key, data)).Swallowed());
    });
  }
};

TEST_F(CharacterCodeTest, OnlyTheFirstKeypadDigitWithAltHeldCanBeAShortcut) {
  // Alt+0233 in the message list: the keypad 0 files into slot 10; 2, 3 and 3 go on to Windows
  // as the rest of the code, also once the keys the hook sent for the 0 have come through.
  PressAlt();
  EXPECT_TRUE(Tap(kVkNumpad0));
  DeliverSentKeys();
  EXPECT_FALSE(Tap(kVkNumpad0 + 2));
  EXPECT_FALSE(Tap(kVkNumpad3));
  EXPECT_FALSE(Tap(kVkNumpad3));
  ReleaseAlt();
  EXPECT_EQ(ran_, std::vector<std::string>{"shortcut 10"});

  // Alt pressed anew: its first keypad digit files again. Holding Alt repeats its key-down,
  // and Shift or Ctrl pressed between, neither ends the code.
  ran_.clear();
  PressAlt();
  EXPECT_TRUE(Tap(kVkNumpad3));
  EXPECT_FALSE(Press(Alt(kVkAlt, kRepeat)).Swallowed());
  EXPECT_FALSE(Press(TKeyPress{0x10, kKeyDown, false, true, true}).Swallowed());
  EXPECT_FALSE(Tap(kVkNumpad0 + 2));
  ReleaseAlt();
  EXPECT_EQ(ran_, std::vector<std::string>{"shortcut 3"});
}

TEST_F(CharacterCodeTest, TopRowDigitsAreNeverPartOfACode) {
  // The top-row digits make no character: each files, Alt held throughout, and one of them
  // between keypad digits ends the code before it.
  PressAlt();
  EXPECT_TRUE(Tap('3'));
  EXPECT_TRUE(Tap('2'));
  EXPECT_TRUE(Tap(kVkNumpad3));
  EXPECT_TRUE(Tap('2'));
  EXPECT_TRUE(Tap(kVkNumpad3));
  ReleaseAlt();
  EXPECT_EQ(ran_, (std::vector<std::string>{"shortcut 3", "shortcut 2", "shortcut 3", "shortcut 2",
                                            "shortcut 3"}));
}

// What the window in front sees of Alt: a shortcut taken with Alt held must not leave it Alt
// pressed and released alone, which Windows and Office take as asking for the menu or the
// ribbon's key tips.
class AltReleaseTest : public KeyboardHookLogicTest {
 protected:
  AltReleaseTest() { Shortcut("Alt+3", 3); }

  // One message on its way to the window: taken by the hook, or seen by the window.
  void Message(const TKeyPress& press) {
    if (!Press(press).Swallowed()) {
      seen_.push_back(press);
    }
    // What the hook sent comes through the hook as well, before the user's next key.
    sim.keyboard.DeliverPending([this](const platform::sim::SentKey& key) {
      const std::uint32_t data = (static_cast<std::uint32_t>(key.scan_code) << 16) | 1u |
                                 (key.released() ? (3u << 30) : 0u);
      Message(Alt(key.virtual_key, data));
    });
  }
  // Alt pressed, the key pressed and released, Alt released, as a person types Alt+3.
  void TypeAlt(int vk) {
    seen_.clear();
    Message(Alt(kVkAlt));
    Message(Alt(vk));
    Message(Alt(vk, kKeyUp));
    Message(Alt(kVkAlt, kKeyUp));
  }
  // Whether the window saw some other key go down between Alt's press and its release.
  bool WindowSawAltAlone() const {
    bool alone = false;  // Alt is down, and no other key went down since
    bool released_alone = false;
    for (const TKeyPress& press : seen_) {
      const bool release = (press.KeyData & (1u << 31)) != 0;
      if (press.VirtualKey == kVkAlt) {
        released_alone = release && alone;
        alone = !release && (alone || (press.KeyData & (1u << 30)) == 0);
      } else if (!release) {
        alone = false;
      }
    }
    return released_alone;
  }

  std::vector<TKeyPress> seen_;
};

TEST_F(AltReleaseTest, AChordTakenWithAltHeldNeverLeavesTheWindowAltAlone) {
  TypeAlt('3');
  EXPECT_EQ(ran_, std::vector<std::string>{"shortcut 3"});
  EXPECT_FALSE(WindowSawAltAlone());
  // In the 3's place the window gets a key that means nothing: pressed and released with Alt
  // held, and never taken.
  EXPECT_EQ(sim.keyboard.sent(),
            (std::vector<platform::sim::SentKey>{{kAltMaskKey, 0, 0},
                                                 {kAltMaskKey, 0, platform::kKeyEventKeyUp}}));

  // A chord the add-in leaves alone reaches the window as it is; Alt alone stays Alt alone.
  sim.keyboard.ClearSent();
  TypeAlt('4');
  EXPECT_FALSE(WindowSawAltAlone());
  seen_.clear();
  Message(Alt(kVkAlt));
  Message(Alt(kVkAlt, kKeyUp));
  EXPECT_TRUE(WindowSawAltAlone());
  EXPECT_TRUE(sim.keyboard.sent().empty());
}

TEST_F(AltReleaseTest, KeysTakenWithoutAltSendNothing) {
  Shortcut("BkSp", 11);
  Shortcut("Ctrl+Shift+F", 5);
  EXPECT_TRUE(Press(TKeyPress{kVkBack, kKeyDown}).Swallowed());
  EXPECT_TRUE(Press(TKeyPress{'F', kKeyDown, true, true, false}).Swallowed());
  EXPECT_TRUE(sim.keyboard.sent().empty());

  // A key the module's OnKeyDown keeps with Alt held is a taken chord too.
  module_.OnKeyDown = [](TCOMAddInModule&, TKeyDownEventArgs& args) {
    args.Handled = args.VirtualKey == 'Q';
  };
  TypeAlt('Q');
  EXPECT_FALSE(WindowSawAltAlone());
  EXPECT_EQ(sim.keyboard.sent().size(), 2u);
}

}  // namespace
}  // namespace quivra::framework
