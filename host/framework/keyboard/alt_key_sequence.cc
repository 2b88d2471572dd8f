#include "host/framework/keyboard/alt_key_sequence.h"

#include <cstdint>

namespace quivra::framework {

namespace {

constexpr std::uint32_t kRepeatBit = 1u << 30;
constexpr std::uint32_t kReleaseBit = 1u << 31;

constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;
constexpr int kVkNumpad0 = 0x60;
constexpr int kVkNumpad9 = 0x69;
// The left and right variants: VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU,
// VK_RMENU.
constexpr int kVkLeftShift = 0xA0;
constexpr int kVkRightControl = 0xA3;
constexpr int kVkLeftMenu = 0xA4;
constexpr int kVkRightMenu = 0xA5;

bool IsAlt(int virtual_key) {
  return virtual_key == kVkMenu || virtual_key == kVkLeftMenu || virtual_key == kVkRightMenu;
}

bool IsShiftOrCtrl(int virtual_key) {
  return virtual_key == kVkShift || virtual_key == kVkControl ||
         (virtual_key >= kVkLeftShift && virtual_key <= kVkRightControl);
}

bool IsKeypadDigit(int virtual_key) {
  return virtual_key >= kVkNumpad0 && virtual_key <= kVkNumpad9;
}

bool IsFreshKeyDown(const TKeyPress& press) {
  return (press.KeyData & (kRepeatBit | kReleaseBit)) == 0;
}

}  // namespace

void TAltKeySequence::Take(const TKeyPress& press) {
  if (IsAlt(press.VirtualKey)) {
    // Held Alt repeats its key-down: only a new press or the release starts afresh.
    if (IsFreshKeyDown(press) || (press.KeyData & kReleaseBit) != 0) {
      keypad_digits_ = 0;
    }
    return;
  }
  if (!IsFreshKeyDown(press) || press.VirtualKey == kAltMaskKey ||
      IsShiftOrCtrl(press.VirtualKey)) {
    return;
  }
  if (IsKeypadDigit(press.VirtualKey) && press.Alt) {
    ++keypad_digits_;
  } else {
    keypad_digits_ = 0;
  }
}

bool TAltKeySequence::ContinuesCharacterCode(const TKeyPress& press) const {
  return keypad_digits_ > 0 && press.Alt && IsKeypadDigit(press.VirtualKey) &&
         IsFreshKeyDown(press);
}

}  // namespace quivra::framework
