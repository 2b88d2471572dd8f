#include "host/framework/keyboard/window_in_front.h"

#include <algorithm>
#include <cctype>

namespace quivra::framework {

namespace {

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool IsTextEntryWindowClass(std::string_view class_name) {
  // The class names Windows documents for its text controls: "Edit" (WC_EDIT), "RichEdit"
  // (version 1.0), "RichEdit20A"/"RichEdit20W" (RICHEDIT_CLASS, versions 2.0 and 3.0),
  // "RICHEDIT50W" (MSFTEDIT_CLASS, version 4.1), "ComboBox" (WC_COMBOBOX) and "ComboBoxEx32"
  // (WC_COMBOBOXEX).
  static constexpr std::string_view kTextEntryClasses[] = {
      "Edit", "RichEdit", "RichEdit20A", "RichEdit20W", "RICHEDIT50W", "ComboBox", "ComboBoxEx32"};
  return std::any_of(std::begin(kTextEntryClasses), std::end(kTextEntryClasses),
                     [&](std::string_view known) { return SameTextIgnoringCase(known, class_name); });
}

bool IsTyping(const TFocusedWindow& window) {
  return window.ShowsCaret || IsTextEntryWindowClass(window.ClassName);
}

}  // namespace quivra::framework
