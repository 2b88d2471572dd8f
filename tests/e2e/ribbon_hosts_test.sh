#!/usr/bin/env bash
# The add-in in the stand-in of today's Outlook (16.0) as Office drives its ribbon, end to end
# under Wine: the real DLL registered with regsvr32, slot 3 bound to Mailbox\Projects\Alpha.
#
#   custom_ui      the explorer customUI is the same, byte for byte, after Outlook restarts and
#                  the library is loaded afresh, and is valid against the customUI schema of
#                  its namespace; it is left in $QUIVRA_CUSTOM_UI_DIR for the other architecture
#   architectures  (64-bit tree) the 32-bit DLL in the 32-bit stand-in, in the same prefix,
#                  gives the same explorer customUI as the 64-bit one
#   inspector      an inspector's ribbon loads with an IRibbonUI of its own; while it is open and
#                  after it closes, filing and Configure OK reach the explorer's ribbon
#   refused_object Office refuses COMAddIn.Object: the add-in connects and works all the same
#
# Usage: ribbon_hosts_test.sh <case>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST (the stand-in of the same bitness),
# QUIVRA_BITS, QUIVRA_CUSTOM_UI_DIR; for architectures QUIVRA_OTHER_DLL and QUIVRA_OTHER_OLHOST
# (the 32-bit build).
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK=365
readonly PROGID=OLQuivra.coOLQuivra
readonly SCHEMAS="$(dirname "$0")/../schemas"
source "$(dirname "$0")/stand_in_session.sh"

saw() {  # saw <fixed text>: the stand-in printed it
  if printf '%s\n' "$out" | grep -qF -- "$1"; then pass "printed: $1"; else fail "printed: $1"; fi
}

# explorer_custom_ui <file>: starts Outlook, saves the explorer customUI to <file> (below
# C:\Quivra) and quits.
explorer_custom_ui() {
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
expect-connected $PROGID yes
save-custom-ui Microsoft.Outlook.Explorer $1
quit
SCRIPT
  run_script "$OUTLOOK"
}

case_custom_ui() {
  install_add_in "$OUTLOOK" 3
  rm -f "$HOME_DIR"/load1.xml "$HOME_DIR"/load2.xml
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
save-custom-ui Microsoft.Outlook.Explorer load1.xml
restart
expect-connected $PROGID yes
save-custom-ui Microsoft.Outlook.Explorer load2.xml
expect-ribbon $PROGID button "Alpha" tip="Mailbox\Projects\Alpha (Alt+3)" image
quit
SCRIPT
  run_script "$OUTLOOK"
  saw "$PROGID: library unloaded"
  [ "$(printf '%s\n' "$out" | grep -c "GetCustomUI(Microsoft.Outlook.Explorer) -> S_OK")" = 2 ] &&
    pass "the explorer ribbon was asked for on each start" ||
    fail "the explorer ribbon was asked for on each start"
  if [ -s "$HOME_DIR/load1.xml" ] && cmp -s "$HOME_DIR/load1.xml" "$HOME_DIR/load2.xml"; then
    pass "the explorer customUI is byte-identical across two loads"
  else
    fail "the explorer customUI is byte-identical across two loads"
  fi
  if bash "$SCHEMAS/validate_custom_ui.sh" "$SCHEMAS" "$HOME_DIR/load1.xml"; then
    pass "the explorer customUI is valid against its schema"
  else
    fail "the explorer customUI is valid against its schema"
  fi
  mkdir -p "$QUIVRA_CUSTOM_UI_DIR"
  cp "$HOME_DIR/load1.xml" "$QUIVRA_CUSTOM_UI_DIR/explorer_$OUTLOOK.xml"
  finish
}

case_architectures() {
  if [ ! -f "${QUIVRA_OTHER_DLL:-}" ] || [ ! -f "${QUIVRA_OTHER_OLHOST:-}" ]; then
    echo "SKIP: the 32-bit build is not there (${QUIVRA_OTHER_DLL:-})"
    exit 77
  fi
  install_add_in "$OUTLOOK" 3
  rm -f "$HOME_DIR/explorer64.xml"
  explorer_custom_ui explorer64.xml
  wine regsvr32 /s /u 'C:\Quivra\OLQuivra.dll' >/dev/null 2>&1

  # The 32-bit add-in, registered by the 32-bit regsvr32 in the 32-bit registry view, in the
  # 32-bit stand-in.
  local home32="$WINEPREFIX/drive_c/Quivra32"
  mkdir -p "$home32"
  cp "$QUIVRA_OTHER_DLL" "$home32/OLQuivra.dll"
  cp "$QUIVRA_OTHER_OLHOST" "$home32/olhost.exe"
  rm -f "$home32/explorer32.xml"
  cp "$HOME_DIR/script.txt" "$home32/script.txt"
  sed -i 's/explorer64.xml/explorer32.xml/' "$home32/script.txt"
  (cd "$home32" && wine olhost.exe --outlook "$OUTLOOK" --install >/dev/null 2>&1)
  wine 'C:\windows\syswow64\regsvr32.exe' /s 'C:\Quivra32\OLQuivra.dll' >/dev/null 2>&1 ||
    fail "the 32-bit regsvr32 registered the 32-bit add-in"
  out=$(cd "$home32" && timeout 60 wine olhost.exe --outlook "$OUTLOOK" --script script.txt 2>&1)
  local status=$?
  printf '%s\n' "$out" | sed 's/^/    /'
  [ "$status" -eq 0 ] && pass "32-bit stand-in script" || fail "32-bit stand-in script (exit $status)"
  wine 'C:\windows\syswow64\regsvr32.exe' /s /u 'C:\Quivra32\OLQuivra.dll' >/dev/null 2>&1

  if [ -s "$HOME_DIR/explorer64.xml" ] &&
    cmp -s "$HOME_DIR/explorer64.xml" "$home32/explorer32.xml"; then
    pass "the 32-bit and 64-bit DLLs give the same explorer customUI"
  else
    fail "the 32-bit and 64-bit DLLs give the same explorer customUI"
  fi
  # What the 32-bit tree's own run saved, when it has run.
  local saved="${QUIVRA_OTHER_CUSTOM_UI_DIR:-}/explorer_$OUTLOOK.xml"
  if [ -f "$saved" ]; then
    cmp -s "$saved" "$HOME_DIR/explorer64.xml" &&
      pass "the same as the customUI the 32-bit tree saved" ||
      fail "the same as the customUI the 32-bit tree saved"
  fi
  finish
}

case_inspector() {
  install_add_in "$OUTLOOK" 3
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
expect-ribbon $PROGID button "Undo" disabled
# The first read inspector: Office asks for its ribbon and calls onLoad with a new ribbon UI.
open-inspector
# Filing from the explorer while the inspector is open; its Undo buttons follow.
select 1 6 2
ribbon-click $PROGID Alpha
expect-selected-in Mailbox\Projects\Alpha
expect-ribbon $PROGID button "Undo" tip="Undo: 2 items to Projects\Alpha" image
ribbon-click $PROGID Undo
expect-ribbon $PROGID button "Undo" disabled
close-inspector
# A second inspector of the kind: Office keeps the ribbon it has.
open-inspector
close-inspector
select 1 6 1
ribbon-click $PROGID Alpha
expect-selected-in Mailbox\Projects\Alpha
expect-ribbon $PROGID button "Undo" tip="Undo: 1 item to Projects\Alpha" image
# Configure with the button renamed, then OK: the explorer's ribbon shows the new caption.
answer-edit Alpha -> Alpha project
answer OK
ribbon-click $PROGID Configure Buttons
ribbon $PROGID
expect-ribbon $PROGID button "Alpha project" tip="Mailbox\Projects\Alpha (Alt+3)" image
expect-ribbon $PROGID tab TabMail
quit
SCRIPT
  run_script "$OUTLOOK"
  saw "$PROGID: GetCustomUI(Microsoft.Outlook.Mail.Read) -> S_OK"
  saw "1 onLoad with a new IRibbonUI"
  saw "$PROGID: the Microsoft.Outlook.Mail.Read ribbon is loaded already"
  saw 'dialog "Configure Quivra"'
  printf '%s\n' "$out" | grep -F 'dialog "' | grep -vqF 'dialog "Configure Quivra"' &&
    fail "no other dialog came up" || pass "no other dialog came up"
  grep -qF '<buttonname>Alpha project</buttonname>' "$CONFIG_DIR/Qelvo.xml" &&
    pass "the new caption was saved" || fail "the new caption was saved"
  finish
}

case_refused_object() {
  install_add_in "$OUTLOOK" 3
  cat >"$HOME_DIR/script.txt" <<SCRIPT
refuse-addin-object
start
expect-connected $PROGID yes
select 1 6 2
ribbon-click $PROGID Alpha
expect-selected-in Mailbox\Projects\Alpha
expect-ribbon $PROGID button "Undo" tip="Undo: 2 items to Projects\Alpha" image
expect-no-dialog
quit
SCRIPT
  run_script "$OUTLOOK"
  saw "$PROGID: OnConnection(ext_cm_Startup) -> S_OK"
  saw "$PROGID: COMAddIn.Object not set"
  saw "$PROGID: OnStartupComplete -> S_OK"
  finish
}

"case_$1"
