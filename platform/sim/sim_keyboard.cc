#include "platform/sim/sim_keyboard.h"

namespace quivra::platform::sim {

namespace {

// Scan codes of the keys the product sends, on a US keyboard.
unsigned ScanCode(unsigned virtual_key) {
  switch (virtual_key) {
    case kVkBack:
      return 0x0E;
    case kVkShift:
      return 0x2A;
    case kVkControl:
      return 0x1D;
    case kVkMenu:
      return 0x38;
    case kVkUp:
      return 0x48;
    case kVkDown:
      return 0x50;
    default:
      return 0;
  }
}

constexpr std::int16_t kDownBit = static_cast<std::int16_t>(0x8000);
constexpr std::int16_t kToggleBit = 0x0001;

}  // namespace

void SimKeyboard::KeyEvent(int virtual_key, int scan_code, std::uint32_t flags) {
  const SentKey key{virtual_key, scan_code, flags};
  sent_.push_back(key);
  queue_.push_back(key);
}

unsigned SimKeyboard::MapVirtualKeyCode(unsigned code, unsigned map_type) {
  return map_type == kMapVkToScanCode ? ScanCode(code) : 0;
}

std::int16_t SimKeyboard::KeyState(int virtual_key) {
  const auto found = states_.find(virtual_key);
  return found == states_.end() ? std::int16_t{0} : found->second;
}

void SimKeyboard::DeliverPending(const std::function<void(const SentKey&)>& receiver) {
  while (!queue_.empty()) {
    const SentKey key = queue_.front();
    queue_.pop_front();
    std::int16_t& state = states_[key.virtual_key];
    if (key.released()) {
      state = static_cast<std::int16_t>(state & kToggleBit);
    } else {
      const bool was_down = IsKeyDown(state);
      const std::int16_t toggle = was_down ? (state & kToggleBit) : ((state & kToggleBit) ^ 1);
      state = static_cast<std::int16_t>(kDownBit | toggle);
    }
    if (receiver) {
      receiver(key);
    }
  }
}

}  // namespace quivra::platform::sim
