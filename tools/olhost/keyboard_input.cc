#include "tools/olhost/keyboard_input.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/olhost/stand_in_windows.h"

namespace quivra::olhost {

namespace {

// The window the keys were typed into and the main key of the last combination.
HWND target = nullptr;
WPARAM main_key = 0;

// The window that gets typed keys: the one with the focus, else the one in front.
HWND TypingTarget() {
  HWND focus = ::GetFocus();
  return focus != nullptr ? focus : ::GetForegroundWindow();
}

// Takes the thread's messages for a while.
void TakeMessages(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  do {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(10);
  } while (::GetTickCount() - start < milliseconds);
}

// Takes the thread's messages until `done` holds or `patience` milliseconds have passed, then
// what is still queued: the messages the last one caused (a posted shortcut and what its action
// posts in turn).
template <typename Done>
void TakeMessagesUntil(Done done, DWORD patience) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (!done() && ::GetTickCount() - start < patience) {
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
      continue;
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  TakeMessages(30);
}

WORD VirtualKey(std::string name) {
  for (char& c : name) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (name == "alt")
    return VK_MENU;
  if (name == "ctrl")
    return VK_CONTROL;
  if (name == "shift")
    return VK_SHIFT;
  if (name == "bksp")
    return VK_BACK;
  if (name == "enter")
    return VK_RETURN;
  if (name == "esc")
    return VK_ESCAPE;
  if (name == "tab")
    return VK_TAB;
  if (name == "space")
    return VK_SPACE;
  if (name == "home")
    return VK_HOME;
  if (name == "end")
    return VK_END;
  if (name == "up")
    return VK_UP;
  if (name == "down")
    return VK_DOWN;
  if (name == "left")
    return VK_LEFT;
  if (name == "right")
    return VK_RIGHT;
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
  }
  if (name.size() >= 2 && name[0] == 'f') {
    const int number = std::atoi(name.c_str() + 1);
    if (number >= 1 && number <= 24) {
      return static_cast<WORD>(VK_F1 + number - 1);
    }
  }
  if (name.size() == 7 && name.rfind("numpad", 0) == 0 && std::isdigit(name[6])) {
    return static_cast<WORD>(VK_NUMPAD0 + name[6] - '0');
  }
  throw std::invalid_argument("unknown key " + name);
}

INPUT KeyInput(WORD virtual_key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

std::vector<WORD> KeysOf(const std::string& combination) {
  std::vector<WORD> keys;
  size_t begin = 0;
  while (begin <= combination.size()) {
    const size_t plus = combination.find('+', begin);
    const size_t end = plus == std::string::npos ? combination.size() : plus;
    keys.push_back(VirtualKey(combination.substr(begin, end - begin)));
    begin = end + 1;
  }
  return keys;
}

// Takes the keyboard messages the thread has now, and those their handling brings, leaving every
// other message queued: the keyboard hook sees the key, and what it sends comes through too.
void TakeKeyMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void InjectKey(WORD key, bool up) {
  INPUT input = KeyInput(key, up);
  if (::SendInput(1, &input, static_cast<int>(sizeof(INPUT))) != 1) {
    throw std::runtime_error("the key strokes could not be injected");
  }
}

// Presses the keys as a person does: each press reaches the thread before the next key goes
// down, so that whatever the thread does about one press comes before the next key; then the
// keys are released, in reverse.
void PressKeys(const std::vector<WORD>& keys) {
  for (WORD key : keys) {
    InjectKey(key, false);
    TakeKeyMessages();
  }
  std::vector<INPUT> inputs;
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    inputs.push_back(KeyInput(*key, true));
  }
  const UINT sent =
      ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), static_cast<int>(sizeof(INPUT)));
  if (sent != inputs.size()) {
    throw std::runtime_error("the key strokes could not be injected");
  }
}

// Presses the keys in order and releases them in reverse, all at once.
void InjectKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    inputs.push_back(KeyInput(key, false));
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    inputs.push_back(KeyInput(*key, true));
  }
  const UINT sent =
      ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), static_cast<int>(sizeof(INPUT)));
  if (sent != inputs.size()) {
    throw std::runtime_error("the key strokes could not be injected");
  }
}

}  // namespace

void KeyboardInput::Type(const std::string& combination) {
  const std::vector<WORD> keys = KeysOf(combination);
  TakeMessages(20);
  StandInWindows::ForgetKeys();
  target = TypingTarget();
  main_key = keys.back();
  PressKeys(keys);
  // The first key pressed is the last released: once its release reached a window of the
  // stand-in, the whole combination has gone through the thread's keyboard hook. A key taken by
  // a dialog's own message loop is not seen here, and the wait ends after a second.
  const WORD last_released = keys.front();
  TakeMessagesUntil([last_released] { return StandInWindows::KeyReleased(last_released); }, 1000);
}

void KeyboardInput::TypeAltCode(const std::string& digits) {
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
    throw std::invalid_argument("a character code is digits: " + digits);
  }
  TakeMessages(20);
  StandInWindows::ForgetKeys();
  target = TypingTarget();
  main_key = static_cast<WPARAM>(VK_NUMPAD0 + digits[0] - '0');
  InjectKey(VK_MENU, false);
  TakeKeyMessages();
  for (char digit : digits) {
    const WORD key = static_cast<WORD>(VK_NUMPAD0 + digit - '0');
    InjectKey(key, false);
    TakeKeyMessages();
    InjectKey(key, true);
    TakeKeyMessages();
  }
  InjectKey(VK_MENU, true);
  TakeMessagesUntil([] { return StandInWindows::KeyReleased(VK_MENU); }, 1000);
}

void KeyboardInput::Validate(const std::string& combination) {
  KeysOf(combination);
}

void KeyboardInput::Inject(const std::string& combination) {
  InjectKeys(KeysOf(combination));
}

double KeyboardInput::TypeRepeatedly(const std::string& key, int count) {
  constexpr int kBatch = 16;
  constexpr DWORD kPatience = 5000;  // milliseconds without a key-down before giving up
  const WORD virtual_key = VirtualKey(key);
  TakeMessages(50);
  StandInWindows::ForgetKeys();
  target = TypingTarget();
  main_key = virtual_key;
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  int typed = 0;
  while (typed < count) {
    const int batch = std::min(kBatch, count - typed);
    std::vector<INPUT> inputs;
    for (int i = 0; i < batch; ++i) {
      inputs.push_back(KeyInput(virtual_key, false));
      inputs.push_back(KeyInput(virtual_key, true));
    }
    if (::SendInput(static_cast<UINT>(inputs.size()), inputs.data(),
                    static_cast<int>(sizeof(INPUT))) != inputs.size()) {
      throw std::runtime_error("the key strokes could not be injected");
    }
    typed += batch;
    DWORD waited_since = ::GetTickCount();
    size_t reached = StandInWindows::KeysReached();
    while (StandInWindows::KeysReached() < static_cast<size_t>(typed)) {
      MSG msg;
      if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        continue;
      }
      if (StandInWindows::KeysReached() != reached) {
        reached = StandInWindows::KeysReached();
        waited_since = ::GetTickCount();
      } else if (::GetTickCount() - waited_since > kPatience) {
        throw std::runtime_error(std::to_string(typed - reached) +
                                 " key-downs did not reach the window");
      }
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
  }
  ::QueryPerformanceCounter(&end);
  TakeMessages(20);
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

bool KeyboardInput::MainKeyReached() {
  return StandInWindows::KeyReached(target, main_key);
}

std::string KeyboardInput::TargetName() {
  return StandInWindows::NameOf(target);
}

}  // namespace quivra::olhost
