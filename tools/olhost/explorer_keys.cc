#include "tools/olhost/explorer_keys.h"

#include <algorithm>
#include <map>
#include <vector>

namespace quivra::olhost {

namespace {

struct ReachedKey {
  HWND window;
  WPARAM virtual_key;
};

std::vector<ReachedKey>& ReachedKeys() {
  static std::vector<ReachedKey> keys;
  return keys;
}

std::vector<WPARAM>& ReleasedKeys() {
  static std::vector<WPARAM> keys;
  return keys;
}

struct KeyTipState {
  bool alt_alone = false;
  bool showing = false;
};

std::map<HWND, KeyTipState>& KeyTipStates() {
  static std::map<HWND, KeyTipState> states;
  return states;
}

}  // namespace

void RecordKey(HWND window, UINT message, WPARAM virtual_key) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    ReachedKeys().push_back({window, virtual_key});
  } else if (message == WM_KEYUP || message == WM_SYSKEYUP) {
    ReleasedKeys().push_back(virtual_key);
  }
}

bool KeyTipInput(HWND window, UINT message, WPARAM key, ExplorerContentSource* source) {
  HWND explorer = ::GetAncestor(window, GA_ROOT);
  KeyTipState& state = KeyTipStates()[explorer];
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
  if (key == VK_MENU) {
    if (down) {
      state.alt_alone = true;
    } else if (up && state.alt_alone) {
      state.alt_alone = false;
      state.showing = !state.showing;
      if (state.showing && source != nullptr) {
        source->StartKeyTips(reinterpret_cast<std::uintptr_t>(explorer));
      }
    }
    return false;
  }
  if (!down) {
    return false;
  }
  state.alt_alone = false;
  if (!state.showing) {
    return false;
  }
  const bool letter_or_digit =
      message == WM_KEYDOWN && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'));
  state.showing =
      letter_or_digit && source != nullptr &&
      source->TypeKeyTip(reinterpret_cast<std::uintptr_t>(explorer), static_cast<char>(key));
  return true;
}

bool StandInWindows::KeyTipsShowing(std::uintptr_t explorer) {
  const auto found = KeyTipStates().find(reinterpret_cast<HWND>(explorer));
  return found != KeyTipStates().end() && found->second.showing;
}

void StandInWindows::ForgetKeys() {
  ReachedKeys().clear();
  ReleasedKeys().clear();
}

bool StandInWindows::KeyReleased(WPARAM virtual_key) {
  return std::find(ReleasedKeys().begin(), ReleasedKeys().end(), virtual_key) !=
         ReleasedKeys().end();
}

bool StandInWindows::KeyReached(HWND window, WPARAM virtual_key) {
  return std::any_of(ReachedKeys().begin(), ReachedKeys().end(), [&](const ReachedKey& key) {
    return key.window == window && key.virtual_key == virtual_key;
  });
}

bool StandInWindows::KeyReachedAny(WPARAM virtual_key) {
  return std::any_of(ReachedKeys().begin(), ReachedKeys().end(),
                     [&](const ReachedKey& key) { return key.virtual_key == virtual_key; });
}

size_t StandInWindows::KeysReached() {
  return ReachedKeys().size();
}

}  // namespace quivra::olhost
