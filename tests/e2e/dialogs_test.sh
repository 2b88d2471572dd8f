#!/bin/bash
# Shows dialogs under Wine (a test program such as dialogs_check.exe) and turns their
# photographs into PNG files.
# Arguments: the program, the folder for the photographs, and optionally the screen's dots per
# inch (Wine's LogPixels; 96 when not given), set for this run only.
set -u
source "$(dirname "$0")/wine_env.sh"
program="$1"
out="$2"
dpi="${3:-}"
set_dpi() {  # set_dpi <dots per inch>|"": Wine reads it when a program starts
  local key
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    if [ -n "$1" ]; then
      wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    else
      wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1
    fi
  done
}
if [ -n "$dpi" ]; then
  set_dpi "$dpi"
  trap 'set_dpi ""' EXIT
fi
# Only this folder's photographs: other programs keep theirs in folders below it.
rm -f "$out"/*.png "$out"/*.bmp
mkdir -p "$out"
wine "$program" "$(winepath -w "$out" 2>/dev/null)"
status=$?
for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
exit $status
