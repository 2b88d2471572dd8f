# Sourced, after wine_env.sh, by the end-to-end tests that run the real add-in in the Outlook
# stand-in with the Alpha project folder bound to one filing button.
# Needs QUIVRA_DLL and QUIVRA_OLHOST (the stand-in of the same bitness).

readonly HOME_DIR="$WINEPREFIX/drive_c/Quivra"
readonly CONFIG_DIR="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Local/QuivraOL"
readonly USER_KEY='HKCU\Software\Microsoft\Office\Outlook\AddIns\OLQuivra.coOLQuivra'

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# install_add_in <outlook year> <slot>: puts the DLL and the stand-in in C:\Quivra, plays that
# Outlook's installation, registers the add-in afresh with regsvr32 and writes a configuration
# file that binds Mailbox\Projects\Alpha, captioned "Alpha", to the slot.
install_add_in() {
  local outlook=$1 slot=$2
  mkdir -p "$HOME_DIR"
  cp "$QUIVRA_DLL" "$HOME_DIR/OLQuivra.dll"
  cp "$QUIVRA_OLHOST" "$HOME_DIR/olhost.exe"
  wine regsvr32 /s /u 'C:\Quivra\OLQuivra.dll' >/dev/null 2>&1
  wine reg delete "$USER_KEY" /f >/dev/null 2>&1
  (cd "$HOME_DIR" && wine olhost.exe --outlook "$outlook" --install >/dev/null 2>&1) ||
    fail "Outlook $outlook installed"
  wine regsvr32 /s 'C:\Quivra\OLQuivra.dll' >/dev/null 2>&1 ||
    fail "regsvr32 registered the add-in"

  write_alpha_configuration "$slot"
}

# write_alpha_configuration <slot>: a fresh configuration file that binds Mailbox\Projects\Alpha,
# captioned "Alpha", to the slot.
write_alpha_configuration() {
  local slot=$1
  rm -rf "$CONFIG_DIR"
  mkdir -p "$CONFIG_DIR"
  cat >"$CONFIG_DIR/Qelvo.xml" <<XML
<?xml version="1.0" encoding="UTF-8" ?>
<!--Quivra configuration - DO NOT MODIFY-->
<config>
  <folders>
    <folder id="$slot">
      <foldername>Mailbox\\Projects\\Alpha</foldername>
      <buttonname>Alpha</buttonname>
      <storename>Mailbox</storename>
      <storenameid>Mailbox</storenameid>
      <storeid>0000000038A1BB1005E5101AA1BB08002B2A56C200006D737073742E646C6C00000000E155E1A159433A1537B87F69B019491E</storeid>
    </folder>
  </folders>
</config>
XML
}

# run_script <outlook year> [stand-in option...]: runs C:\Quivra\script.txt in the stand-in
# playing that Outlook, prints what happened indented, and leaves it in $out.
run_script() {
  local outlook=$1 status
  out=$(cd "$HOME_DIR" &&
    timeout 60 wine olhost.exe --outlook "$outlook" "${@:2}" --script script.txt 2>&1)
  status=$?
  printf '%s\n' "$out" | sed 's/^/    /'
  [ "$status" -eq 0 ] && pass "stand-in script of Outlook $outlook" ||
    fail "stand-in script of Outlook $outlook (exit $status)"
}

# finish: removes the add-in and its configuration, prints the count and exits with it.
# keep_photographs: the explorer photographs the script took (*.bmp in C:\Quivra) as PNG files
# in $QUIVRA_SCREENSHOTS/explorer, when that folder is given.
keep_photographs() {
  local bmp folder="${QUIVRA_SCREENSHOTS:-}/explorer"
  [ -n "${QUIVRA_SCREENSHOTS:-}" ] || { rm -f "$HOME_DIR"/*.bmp; return 0; }
  mkdir -p "$folder"
  for bmp in "$HOME_DIR"/*.bmp; do
    [ -e "$bmp" ] || continue
    /usr/bin/convert "$bmp" "$folder/$(basename "${bmp%.bmp}").png" &&
      pass "photograph $(basename "${bmp%.bmp}").png kept" ||
      fail "photograph $(basename "${bmp%.bmp}").png kept"
    rm -f "$bmp"
  done
}

finish() {
  keep_photographs
  wine regsvr32 /s /u 'C:\Quivra\OLQuivra.dll' >/dev/null 2>&1
  rm -rf "$CONFIG_DIR"
  echo "$failures failed"
  exit "$failures"
}
