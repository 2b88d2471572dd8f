#!/bin/bash
# Shows the dialogs under Wine (dialogs_check.exe) and turns their photographs into PNG files.
# Arguments: the program, the folder for the photographs.
set -u
source "$(dirname "$0")/wine_env.sh"
program="$1"
out="$2"
rm -rf "$out"
mkdir -p "$out"
wine "$program" "$(winepath -w "$out" 2>/dev/null)"
status=$?
for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
exit $status
