#!/usr/bin/env bash
# End-to-end tests of the add-in in the Outlook stand-in under Wine: regsvr32 registers the real
# DLL, olhost.exe plays Outlook, finds the add-in in the registry and loads it as Outlook does,
# and a script of user actions and expectations drives it.
#
# Usage: addin_test.sh <case>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST (the stand-in of the same bitness).
set -u
source "$(dirname "$0")/wine_env.sh"

readonly PROGID='OLQuivra.coOLQuivra'
readonly ADDIN_KEY='Software\Microsoft\Office\Outlook\AddIns\OLQuivra.coOLQuivra'
readonly USER_KEY="HKCU\\$ADDIN_KEY"
readonly ERROR_REPORT='QuivraOL error: the add-in has fired an exception.\r\n'
readonly HOME_DIR="$WINEPREFIX/drive_c/Quivra"
readonly CONFIG_DIR="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Local/QuivraOL"

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
reg_quiet() { wine reg "$@" >/dev/null 2>&1; }

# The DLL and the stand-in in C:\Quivra, Outlook of the given version installed, the add-in
# registered, no per-user state of an earlier case and no configuration file.
setup() {  # setup <2007|2010|2013|2016|365>
  mkdir -p "$HOME_DIR"
  cp "$QUIVRA_DLL" "$HOME_DIR/OLQuivra.dll"
  cp "$QUIVRA_OLHOST" "$HOME_DIR/olhost.exe"
  wine regsvr32 /s /u 'C:\Quivra\OLQuivra.dll' >/dev/null 2>&1
  reg_quiet delete "$USER_KEY" /f
  reg_quiet delete 'HKCU\Software\Microsoft\Office\14.0\Outlook\Options\Shutdown' /f
  reg_quiet delete 'HKCU\Software\Microsoft\Office\15.0\Outlook\Options\Shutdown' /f
  reg_quiet delete 'HKCU\Software\Microsoft\Office\16.0\Outlook\Options\Shutdown' /f
  rm -rf "$CONFIG_DIR"
  (cd "$HOME_DIR" && wine olhost.exe --outlook "$1" --install >/dev/null 2>&1) ||
    fail "Outlook $1 installed"
  wine regsvr32 /s 'C:\Quivra\OLQuivra.dll' >/dev/null 2>&1 || fail "regsvr32 registered the add-in"
}

# Runs the stand-in with the script on stdin; its output is kept in $out.
out=""
play() {  # play <2007|2010|2013>
  cat >"$HOME_DIR/script.txt"
  out=$(cd "$HOME_DIR" && timeout 60 wine olhost.exe --outlook "$1" --script script.txt 2>&1)
  local status=$?
  printf '%s\n' "$out" | sed 's/^/    /'
  [ "$status" -eq 0 ] && pass "stand-in script of Outlook $1" ||
    fail "stand-in script of Outlook $1 (exit $status)"
}
saw() {  # saw <fixed text>: the stand-in printed it
  if printf '%s\n' "$out" | grep -qF -- "$1"; then pass "printed: $1"; else fail "printed: $1"; fi
}
not_saw() {
  if printf '%s\n' "$out" | grep -qF -- "$1"; then fail "not printed: $1"; else pass "not printed: $1"; fi
}

case_load() {
  setup 2010
  play 2010 <<SCRIPT
expect-no-registry $USER_KEY StartMode
start
expect-connected $PROGID yes
expect-registry $USER_KEY StartMode NORMAL
# The explorer, the explorers and (fast shutdown) the application's Quit.
expect-sinks 3
expect-unload $PROGID S_FALSE
open-explorer Mailbox\Projects
expect-sinks 4
show-folder 2 Mailbox\Projects\Alpha
activate-explorer 1
close-explorer 2
expect-sinks 3
expect-no-dialog
quit
expect-sinks 0
expect-unload $PROGID S_OK
SCRIPT
  saw "add-in $PROGID in HKLM"
  saw "$PROGID: OnConnection(ext_cm_Startup) -> S_OK"
  saw "$PROGID: GetCustomUI(Microsoft.Outlook.Explorer) -> S_OK"
  saw "$PROGID: OnStartupComplete -> S_OK"
  printf '%s\n' "$out" | grep -E "start-up took" | sed 's/^/    measured: /'
}

case_config() {
  setup 2013
  mkdir -p "$CONFIG_DIR"
  cat >"$CONFIG_DIR/Qelvo.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8" ?>
<!--Quivra configuration - DO NOT MODIFY-->
<!--Modified 2026-12-09 08:05:03-->
<config>
  <folders>
    <folder id="1">
      <foldername>Mailbox\Projects\Alpha</foldername>
      <buttonname>Alpha</buttonname>
      <storename>Mailbox</storename>
      <storenameid>Mailbox</storenameid>
      <storeid>00AB</storeid>
    </folder>
  </folders>
</config>
XML
  local before
  before=$(md5sum <"$CONFIG_DIR/Qelvo.xml")
  play 2013 <<SCRIPT
start
expect-connected $PROGID yes
expect-no-dialog
quit
SCRIPT
  ! compgen -G "$CONFIG_DIR/Qelvo.xml.bad-*" >/dev/null && pass "the prepared file read without complaint" ||
    fail "the prepared file was taken for damaged"
  [ "$(md5sum <"$CONFIG_DIR/Qelvo.xml")" = "$before" ] && pass "nothing saved at start or end" ||
    fail "the file changed"
}

case_malformed() {
  setup 2010
  mkdir -p "$CONFIG_DIR"
  printf '<?xml version="1.0" encoding="UTF-8" ?>\r\n<config><folders><folder id="1">\r\n' \
    >"$CONFIG_DIR/Qelvo.xml"
  play 2010 <<SCRIPT
answer OK
start
expect-dialog ${ERROR_REPORT}The configuration file
expect-connected $PROGID yes
expect-registry $USER_KEY StartMode NORMAL
# The add-in keeps running: its explorer tracking goes on.
open-explorer Mailbox\Inbox
expect-sinks 4
quit
SCRIPT
  saw 'dialog "QuivraOL": "QuivraOL error: the add-in has fired an exception.\r\nThe configuration file'
  saw "$PROGID: OnStartupComplete -> S_OK"
  error_after_startup
  compgen -G "$CONFIG_DIR/Qelvo.xml.bad-*" >/dev/null && pass "damaged file kept" || fail "damaged file kept"

  # The same on Outlook of today, whose ribbon the add-in goes on drawing.
  setup 365
  mkdir -p "$CONFIG_DIR"
  printf '<?xml version="1.0" encoding="UTF-8" ?>\r\n<config><folders><folder id="1">\r\n' \
    >"$CONFIG_DIR/Qelvo.xml"
  play 365 <<SCRIPT
answer OK
start
expect-dialog ${ERROR_REPORT}The configuration file
expect-connected $PROGID yes
expect-ribbon $PROGID tab "Quivra"
open-explorer Mailbox\Inbox
expect-sinks 4
quit
SCRIPT
  error_after_startup
}

# The error box of a start-up comes once start-up is over: OnStartupComplete has returned S_OK
# and the start-up time was printed before the dialog appeared.
error_after_startup() {
  local completed timed shown
  completed=$(printf '%s\n' "$out" | grep -nF "$PROGID: OnStartupComplete -> S_OK" | head -n 1 | cut -d: -f1)
  timed=$(printf '%s\n' "$out" | grep -nF "$PROGID: start-up took" | head -n 1 | cut -d: -f1)
  shown=$(printf '%s\n' "$out" | grep -nF 'dialog "QuivraOL"' | head -n 1 | cut -d: -f1)
  if [ -n "$completed" ] && [ -n "$timed" ] && [ -n "$shown" ] && [ "$completed" -lt "$shown" ] &&
    [ "$timed" -lt "$shown" ]; then
    pass "start-up completed (line $completed, timed line $timed) before the error box (line $shown)"
  else
    fail "start-up completed before the error box (${completed:-none}, ${timed:-none}, ${shown:-none})"
  fi
}

case_after_startup() {
  setup 2010
  # Loaded at start-up but not connected: the user connects it while Outlook runs.
  reg_quiet add "HKLM\\$ADDIN_KEY" /v LoadBehavior /t REG_DWORD /d 2 /f "/reg:$QUIVRA_BITS"
  play 2010 <<SCRIPT
start
expect-connected $PROGID no
expect-sinks 0
connect $PROGID
expect-connected $PROGID yes
expect-registry $USER_KEY StartMode NORMAL
expect-sinks 3
expect-unload $PROGID S_FALSE
quit
SCRIPT
  saw "$PROGID: OnConnection(ext_cm_AfterStartup) -> S_OK"
  not_saw "$PROGID: OnStartupComplete"
}

# An upgrade from a build that wrote the start-state marker under its earlier name (the letters
# A, D, X before "StartMode"): the state is kept under "StartMode" and the old value removed.
case_upgrade() {
  local earlier_name
  earlier_name="$(printf '\x41\x44\x58')StartMode"
  setup 2013
  reg_quiet add "$USER_KEY" /v "$earlier_name" /d UNINSTALL /f
  play 2013 <<SCRIPT
expect-registry $USER_KEY $earlier_name UNINSTALL
expect-no-registry $USER_KEY StartMode
start
expect-connected $PROGID yes
expect-registry $USER_KEY StartMode UNINSTALL
expect-no-registry $USER_KEY $earlier_name
quit
SCRIPT
  reg_quiet delete "$USER_KEY" /v StartMode /f
  reg_quiet add "$USER_KEY" /v "$earlier_name" /d NORMAL /f
  play 2013 <<SCRIPT
start
expect-registry $USER_KEY StartMode NORMAL
expect-no-registry $USER_KEY $earlier_name
restart
expect-registry $USER_KEY StartMode NORMAL
quit
SCRIPT
}

case_unload() {
  setup 2013
  reg_quiet add "$USER_KEY\\CommandBars" /v QuivraOL /d x /f
  reg_quiet add "$USER_KEY\\Controls" /v 1 /t REG_DWORD /d 1 /f
  play 2013 <<SCRIPT
start
disconnect $PROGID
expect-connected $PROGID no
expect-sinks 0
expect-unload $PROGID S_OK
expect-registry $USER_KEY StartMode NORMAL
quit
SCRIPT
  saw "$PROGID: OnDisconnection(ext_dm_UserClosed) -> S_OK"
  reg_quiet query "$USER_KEY\\CommandBars" && fail "CommandBars subkey removed" ||
    pass "CommandBars subkey removed"
  reg_quiet query "$USER_KEY\\Controls" && fail "Controls subkey removed" ||
    pass "Controls subkey removed"
}

case_fast_shutdown() {
  setup 2010
  play 2010 <<SCRIPT
start
quit
expect-sinks 0
expect-unload $PROGID S_OK
SCRIPT
  saw "$PROGID: fast shutdown, released without OnBeginShutdown and OnDisconnection"
  not_saw "OnBeginShutdown ->"
  # Outlook 2010 told to notify add-ins, and Outlook 2007, shut down the old way.
  reg_quiet add 'HKCU\Software\Microsoft\Office\14.0\Outlook\Options\Shutdown' \
    /v AddinFastShutdownBehavior /t REG_DWORD /d 1 /f
  play 2010 <<SCRIPT
start
expect-sinks 2
quit
SCRIPT
  saw "$PROGID: OnBeginShutdown -> S_OK"
  saw "$PROGID: OnDisconnection(ext_dm_HostShutdown) -> S_OK"
  setup 2007
  play 2007 <<SCRIPT
start
quit
SCRIPT
  saw "$PROGID: OnDisconnection(ext_dm_HostShutdown) -> S_OK"
  not_saw "GetCustomUI"
}

case_failures() {
  setup 2010
  # Outlook failing under the add-in's own start-up work, and under its handling of an event.
  play 2010 <<SCRIPT
fail Application.Explorers
start
expect-connected $PROGID yes
expect-sinks 0
quit
SCRIPT
  saw "$PROGID: OnStartupComplete -> 0x80004005"
  play 2010 <<SCRIPT
start
fail Explorer.WindowHandle
open-explorer Mailbox\Projects
# A window not known yet at NewExplorer is no error: it is read again at the activation, and
# both new explorers are tracked.
expect-no-dialog
open-explorer Mailbox\Drafts
expect-sinks 5
quit
SCRIPT
}

"case_$1"
[ "$failures" -eq 0 ]
