#include "tools/olhost/text_fields.h"

#include <map>
#include <vector>

#include "platform/win32/wide_text.h"

namespace quivra::olhost {

namespace {

struct Composition {
  WNDPROC original = nullptr;
  std::string digits;  // the keypad digits typed since Alt went down
};

std::map<HWND, Composition>& Compositions() {
  static std::map<HWND, Composition> compositions;
  return compositions;
}

bool AltHeld() {
  return (::GetKeyState(VK_MENU) & 0x8000) != 0;
}

// The character of a code typed on the keypad, none when the code names none.
std::wstring CharacterOf(const std::string& digits) {
  unsigned value = 0;
  for (char digit : digits) {
    value = (value * 10 + static_cast<unsigned>(digit - '0')) % 256;
  }
  if (value == 0) {
    return {};
  }
  const char byte = static_cast<char>(value);
  wchar_t wide[4] = {};
  const int length =
      ::MultiByteToWideChar(digits[0] == '0' ? CP_ACP : CP_OEMCP, 0, &byte, 1, wide, 4);
  return std::wstring(wide, static_cast<size_t>(length > 0 ? length : 0));
}

LRESULT CALLBACK ComposingProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto found = Compositions().find(window);
  if (found == Compositions().end()) {
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  Composition& composition = found->second;
  const WNDPROC original = composition.original;
  const bool keypad_digit = wparam >= VK_NUMPAD0 && wparam <= VK_NUMPAD9;
  switch (message) {
    case WM_SYSKEYDOWN:
    case WM_KEYDOWN:
      if (wparam == VK_MENU) {
        if ((lparam & (1 << 30)) == 0) {
          composition.digits.clear();
        }
        break;
      }
      if (keypad_digit && AltHeld()) {
        composition.digits += static_cast<char>('0' + (wparam - VK_NUMPAD0));
        return 0;
      }
      composition.digits.clear();
      break;
    case WM_SYSKEYUP:
    case WM_KEYUP:
      if (keypad_digit && AltHeld()) {
        return 0;
      }
      if (wparam == VK_MENU && !composition.digits.empty()) {
        const std::wstring character = CharacterOf(composition.digits);
        composition.digits.clear();
        for (wchar_t c : character) {
          ::CallWindowProcW(original, window, WM_CHAR, c, 1);
        }
        // Released after a code, Alt is no key of its own: it opens no menu.
        return 0;
      }
      break;
    case WM_NCDESTROY: {
      Compositions().erase(found);
      return ::CallWindowProcW(original, window, message, wparam, lparam);
    }
    default:
      break;
  }
  return ::CallWindowProcW(original, window, message, wparam, lparam);
}

}  // namespace

void ComposeAltCodes(HWND edit) {
  Composition& composition = Compositions()[edit];
  composition.original = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComposingProcedure)));
}

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  const int got = ::GetWindowTextW(window, text.data(), length + 1);
  return platform::win32::WideToUtf8(std::wstring_view(text.data(), static_cast<size_t>(got)));
}

}  // namespace quivra::olhost
