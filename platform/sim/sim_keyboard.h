#ifndef QUIVRA_PLATFORM_SIM_SIM_KEYBOARD_H_
#define QUIVRA_PLATFORM_SIM_SIM_KEYBOARD_H_

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "platform/keyboard.h"

namespace quivra::platform::sim {

// A synthetic key event as it was sent.
struct SentKey {
  int virtual_key = 0;
  int scan_code = 0;
  std::uint32_t flags = 0;

  bool released() const { return (flags & kKeyEventKeyUp) != 0; }
  bool operator==(const SentKey&) const = default;
};

// Records every synthetic key event and queues it until the test delivers the queue, which is
// what processing the thread's messages does on Windows. Key states follow the events
// delivered. Scan codes are those of a US keyboard.
class SimKeyboard : public Keyboard {
 public:
  void KeyEvent(int virtual_key, int scan_code, std::uint32_t flags) override;
  unsigned MapVirtualKeyCode(unsigned code, unsigned map_type) override;
  std::int16_t KeyState(int virtual_key) override;

  // Every event sent so far, in order.
  const std::vector<SentKey>& sent() const { return sent_; }
  void ClearSent() { sent_.clear(); }

  // Hands the queued events in order to `receiver`, each after the key states took it in.
  void DeliverPending(const std::function<void(const SentKey&)>& receiver);
  // Events sent and not yet delivered.
  int pending() const { return static_cast<int>(queue_.size()); }

 private:
  std::vector<SentKey> sent_;
  std::deque<SentKey> queue_;
  std::map<int, std::int16_t> states_;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_KEYBOARD_H_
