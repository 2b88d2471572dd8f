#include "host/framework/keyboard/shortcut_text.h"

#include <algorithm>

namespace quivra::framework {

namespace {

constexpr int kVkBack = 8;
constexpr int kVkTab = 9;
constexpr int kVkReturn = 13;
constexpr int kVkShift = 16;
constexpr int kVkMenu = 18;  // Alt
constexpr int kVkEscape = 27;
constexpr int kVkSpace = 32;
constexpr int kVkDown = 40;
constexpr int kVkInsert = 45;
constexpr int kVkDelete = 46;
constexpr int kVk0 = 48;
constexpr int kVk9 = 57;
constexpr int kVkA = 65;
constexpr int kVkZ = 90;
constexpr int kVkNumpad0 = 96;
constexpr int kVkNumpad9 = 105;
constexpr int kVkF1 = 112;
constexpr int kVkF24 = 135;

constexpr std::uint32_t kRepeatBit = 1u << 30;
constexpr std::uint32_t kReleaseBit = 1u << 31;

// Space, PageUp, PageDown, End, Home, Left, Up, Right, Down.
constexpr const char* kNavigationNames[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                            "Left",  "Up",   "Right", "Down"};

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The length of the UTF-8 sequence that starts with `lead`.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0)
    return 4;
  if (lead >= 0xE0)
    return 3;
  if (lead >= 0xC0)
    return 2;
  return 1;
}

}  // namespace

std::string KeyName(int virtual_key, const TKeyNameSource& other_keys) {
  if (virtual_key == kVkBack)
    return "BkSp";
  if (virtual_key == kVkTab)
    return "Tab";
  if (virtual_key == kVkReturn)
    return "Enter";
  if (virtual_key == kVkEscape)
    return "Esc";
  if (virtual_key >= kVkSpace && virtual_key <= kVkDown) {
    return kNavigationNames[virtual_key - kVkSpace];
  }
  if (virtual_key == kVkInsert)
    return "Ins";
  if (virtual_key == kVkDelete)
    return "Del";
  if (virtual_key >= kVk0 && virtual_key <= kVk9) {
    return std::string(1, static_cast<char>('0' + virtual_key - kVk0));
  }
  if (virtual_key >= kVkNumpad0 && virtual_key <= kVkNumpad9) {
    return std::string(1, static_cast<char>('0' + virtual_key - kVkNumpad0));
  }
  if (virtual_key >= kVkA && virtual_key <= kVkZ) {
    return std::string(1, static_cast<char>('A' + virtual_key - kVkA));
  }
  if (virtual_key >= kVkF1 && virtual_key <= kVkF24) {
    std::string name = "F";
    name += std::to_string(virtual_key - kVkF1 + 1);
    return name;
  }
  return other_keys ? other_keys(virtual_key) : std::string();
}

std::string ShortcutTextOf(const TKeyPress& press, const TKeyNameSource& other_keys) {
  if (press.VirtualKey == 0 || press.KeyData == 0)
    return {};
  if (press.VirtualKey >= kVkShift && press.VirtualKey <= kVkMenu)
    return {};
  if ((press.KeyData & (kRepeatBit | kReleaseBit)) != 0)
    return {};
  const std::string name = KeyName(press.VirtualKey, other_keys);
  if (name.empty())
    return {};
  std::string text;
  if (press.Ctrl)
    text += "Ctrl+";
  if (press.Shift)
    text += "Shift+";
  if (press.Alt)
    text += "Alt+";
  return NormalizeShortcutText(text + name);
}

std::string NormalizeShortcutText(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    c = Upper(c);
  return upper;
}

std::string AcceleratorText(std::string_view caption) {
  const size_t ampersand = caption.find('&');
  if (ampersand == std::string_view::npos || ampersand + 1 >= caption.size())
    return {};
  const std::string_view rest = caption.substr(ampersand + 1);
  const size_t length = std::min(SequenceLength(static_cast<unsigned char>(rest[0])), rest.size());
  return "ALT+" + NormalizeShortcutText(rest.substr(0, length));
}

}  // namespace quivra::framework
