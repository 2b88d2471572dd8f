#!/bin/bash
# Shows every dialog under a display setting (display_check.exe) and turns its photographs into
# PNG files.
# Arguments: the program, the folder for the photographs, and the mode: high_contrast (the
# prefix gets a black high-contrast colour scheme for this run only) or monitor.
set -u
source "$(dirname "$0")/wine_env.sh"
program="$1"
out="$2"
mode="$3"
colours='HKCU\Control Panel\Colors'
accessibility='HKCU\Control Panel\Accessibility'
saved=$(mktemp -d)
restore() {
  # The lane's prefix serves the next tests: its colours and high-contrast flag as they were.
  wine reg delete "$colours" /f >/dev/null 2>&1
  [ -s "$saved/colours.reg" ] && wine reg import "$(winepath -w "$saved/colours.reg")" >/dev/null 2>&1
  wine reg delete "$accessibility\\HighContrast" /f >/dev/null 2>&1
  [ -s "$saved/contrast.reg" ] && wine reg import "$(winepath -w "$saved/contrast.reg")" >/dev/null 2>&1
  rm -rf "$saved"
}
if [ "$mode" = high_contrast ]; then
  wine reg export "$colours" "$(winepath -w "$saved/colours.reg")" /y >/dev/null 2>&1
  wine reg export "$accessibility\\HighContrast" "$(winepath -w "$saved/contrast.reg")" /y >/dev/null 2>&1
  trap restore EXIT
  # Windows' "High Contrast Black": white text on black, yellow links, cyan selection.
  while read -r name value; do
    wine reg add "$colours" /v "$name" /t REG_SZ /d "$value" /f >/dev/null 2>&1
  done <<'SCHEME'
Window 0 0 0
WindowText 255 255 255
ButtonFace 0 0 0
ButtonText 255 255 255
HotTrackingColor 255 255 0
Hilight 26 235 255
HilightText 0 0 0
GrayText 63 242 63
ButtonShadow 128 128 128
ButtonHilight 192 192 192
SCHEME
  # Wine reads the colours when its server starts a session.
  wineserver -k
  wineserver -w
fi
rm -f "$out"/*.png "$out"/*.bmp
mkdir -p "$out"
wine "$program" "$(winepath -w "$out" 2>/dev/null)" "$mode"
status=$?
wineserver -w
for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
exit $status
