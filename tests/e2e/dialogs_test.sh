#!/bin/bash
# Shows dialogs under Wine (a test program such as dialogs_check.exe) and turns their
# photographs into PNG files.
# Arguments: the program, the folder for the photographs.
set -u
source "$(dirname "$0")/wine_env.sh"
program="$1"
out="$2"
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
