#!/usr/bin/env bash
# The add-in's explorer command bar end to end under Wine: the real DLL, registered with
# regsvr32, loaded by the Outlook stand-in of Outlook 2007, with slot 1 bound in its configuration
# file. The add-in builds its bar through the explorer's CommandBars, reached by name through
# IDispatch, and connects to its buttons' Click through their connection points. The bar shows
# the filing button and a disabled Undo; a click on the filing button files the selection, and
# Undo becomes enabled until it is clicked.
#
# Usage: command_bar_test.sh
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST (the stand-in of the same bitness).
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK=2007
readonly PROGID='OLQuivra.coOLQuivra'
readonly USER_KEY='HKCU\Software\Microsoft\Office\Outlook\AddIns\OLQuivra.coOLQuivra'
readonly HOME_DIR="$WINEPREFIX/drive_c/Quivra"
readonly CONFIG_DIR="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Local/QuivraOL"

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

mkdir -p "$HOME_DIR"
cp "$QUIVRA_DLL" "$HOME_DIR/OLQuivra.dll"
cp "$QUIVRA_OLHOST" "$HOME_DIR/olhost.exe"
wine regsvr32 /s /u 'C:\Quivra\OLQuivra.dll' >/dev/null 2>&1
wine reg delete "$USER_KEY" /f >/dev/null 2>&1
(cd "$HOME_DIR" && wine olhost.exe --outlook "$OUTLOOK" --install >/dev/null 2>&1) ||
  fail "Outlook $OUTLOOK installed"
wine regsvr32 /s 'C:\Quivra\OLQuivra.dll' >/dev/null 2>&1 || fail "regsvr32 registered the add-in"

rm -rf "$CONFIG_DIR"
mkdir -p "$CONFIG_DIR"
cat >"$CONFIG_DIR/Qelvo.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8" ?>
<!--Quivra configuration - DO NOT MODIFY-->
<config>
  <folders>
    <folder id="1">
      <foldername>Mailbox\Projects\Alpha</foldername>
      <buttonname>Alpha</buttonname>
      <storename>Mailbox</storename>
      <storenameid>Mailbox</storenameid>
      <storeid>0000000038A1BB1005E5101AA1BB08002B2A56C200006D737073742E646C6C00000000E155E1A159433A1537B87F69B019491E</storeid>
    </folder>
  </folders>
</config>
XML

cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
expect-connected OLQuivra.coOLQuivra yes
command-bar QuivraOL
expect-command-bar QuivraOL button "Alpha"
expect-command-bar QuivraOL button "Undo" disabled
# The newest mails; the five items above them are of other kinds.
select 1 6 2
command-bar-click QuivraOL Alpha
expect-selected-in Mailbox\Projects\Alpha
command-bar QuivraOL
expect-command-bar QuivraOL button "Undo" group tip="Undo last filing action"
# Undo moves the last filed item back, and is disabled again.
command-bar-click QuivraOL Undo
expect-command-bar QuivraOL button "Undo" disabled
expect-no-dialog
quit
SCRIPT
out=$(cd "$HOME_DIR" && timeout 60 wine olhost.exe --outlook "$OUTLOOK" --script script.txt 2>&1)
status=$?
printf '%s\n' "$out" | sed 's/^/    /'
[ "$status" -eq 0 ] && pass "stand-in script of Outlook $OUTLOOK" ||
  fail "stand-in script of Outlook $OUTLOOK (exit $status)"

wine regsvr32 /s /u 'C:\Quivra\OLQuivra.dll' >/dev/null 2>&1
rm -rf "$CONFIG_DIR"
echo "$failures failed"
exit "$failures"
