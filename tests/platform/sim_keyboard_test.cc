#include "platform/sim/sim_keyboard.h"

#include <vector>

#include <gtest/gtest.h>

namespace quivra::platform::sim {
namespace {

TEST(SimKeyboardTest, KeysTakeEffectWhenDelivered) {
  SimKeyboard keyboard;
  keyboard.KeyEvent(kVkShift, 0x2A, 0);
  keyboard.KeyEvent(kVkDown, 0x50, kKeyEventExtendedKey);
  EXPECT_EQ(keyboard.pending(), 2);
  EXPECT_FALSE(IsKeyDown(keyboard.KeyState(kVkShift)));

  std::vector<bool> shift_seen;
  keyboard.DeliverPending(
      [&](const SentKey&) { shift_seen.push_back(IsKeyDown(keyboard.KeyState(kVkShift))); });
  EXPECT_EQ(shift_seen, (std::vector<bool>{true, true}));
  EXPECT_EQ(keyboard.pending(), 0);

  keyboard.KeyEvent(kVkShift, 0x2A, kKeyEventKeyUp);
  keyboard.DeliverPending({});
  EXPECT_FALSE(IsKeyDown(keyboard.KeyState(kVkShift)));
  EXPECT_EQ(keyboard.KeyState(kVkShift) & 1, 1);  // toggled by the one press
  EXPECT_EQ(keyboard.sent().size(), 3u);
}

TEST(SimKeyboardTest, ScanCodesOfTheKeysTheAddInSends) {
  SimKeyboard keyboard;
  EXPECT_EQ(keyboard.MapVirtualKeyCode(kVkUp, kMapVkToScanCode), 0x48u);
  EXPECT_EQ(keyboard.MapVirtualKeyCode(kVkControl, kMapVkToScanCode), 0x1Du);
  EXPECT_EQ(keyboard.MapVirtualKeyCode(kVkUp, 1), 0u);
}

}  // namespace
}  // namespace quivra::platform::sim
