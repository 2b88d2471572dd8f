#ifndef QUIVRA_CORE_COMMAND_BAR_KEYS_H_
#define QUIVRA_CORE_COMMAND_BAR_KEYS_H_

#include <string>
#include <string_view>

// Access keys of the add-in's command bar in Outlook 2007, whose explorer presses a bar button
// for Alt and the letter marked with '&' in its caption.
namespace quivra::core {

// Keys the add-in's bar leaves alone: the letters of Outlook 2007's explorer menus (File, Edit,
// View, Go, Tools, Actions, Help) and the digits of the filing buttons' Alt+digit.
inline constexpr std::string_view kTakenBarKeys = "FEVGTAH0123456789";
// Keys of the add-in's own buttons on the bar: Undo, Any Folder... and Suggested.
inline constexpr std::string_view kOwnBarKeys = "UOS";

// The caption with '&' before its first letter whose key is not in `taken` (upper case); as it
// is when it marks a key already or no letter is free. A literal '&' stays one ("&&").
std::string WithAccessKey(std::string_view caption, std::string_view taken);

}  // namespace quivra::core

#endif  // QUIVRA_CORE_COMMAND_BAR_KEYS_H_
