# Sourced, after wine_env.sh and stand_in_session.sh, by the fault sweep under Wine: one Outlook
# session that touches the add-in's work (start-up, filing by button and by key, undo, the
# picker with a new folder, Configure OK, unload and reload, shutdown), run once to count the calls the add-in makes into
# the stand-in's Outlook and Office objects (N), then once for each sampled k with call k
# failed. After the session Outlook starts again, and the add-in must file on the first click.

readonly SWEEP_PROGID=OLQuivra.coOLQuivra

# sweep_script <outlook year>: the session, then the next start with its click.
sweep_script() {
  local click next_window="" next_explorer=1
  if [ "$1" = 2007 ]; then
    click="command-bar-click QuivraOL"
    # The stand-in keeps the first session's windows with their (temporary) bars; the add-in's
    # new bar is looked at in a window of the new session.
    next_window="open-explorer Mailbox\\Inbox"
    next_explorer=2
  else
    click="ribbon-click $SWEEP_PROGID"
  fi
  cat <<SCRIPT
start
select 1 6 1
$click Alpha
select 1 6 1
key alt+3
$click Undo
answer-keys shift+tab
answer-keys home
answer Add...
answer-edit -> Swept
answer OK
answer Cancel
key alt+z
answer OK
$click Configure Buttons
disconnect $SWEEP_PROGID
connect $SWEEP_PROGID
select 1 6 1
key alt+3
calls
restart
$next_window
select $next_explorer 6 1
$click Alpha
expect-selected-in Mailbox\\Projects\\Alpha
quit
SCRIPT
}

# sweep_prepare <outlook year>: installs the add-in with slot 3 on Alpha, writes the session
# script and keeps the configuration file as it was before any run.
sweep_prepare() {
  install_add_in "$1" 3
  sweep_script "$1" >"$HOME_DIR/script.txt"
  cp "$CONFIG_DIR/Qelvo.xml" "$HOME_DIR/Qelvo.xml.before"
}

# sweep_count <outlook year>: runs the session without a fault; sets SWEEP_N to the calls of the
# session before the next start.
sweep_count() {
  cp "$HOME_DIR/Qelvo.xml.before" "$CONFIG_DIR/Qelvo.xml"
  rm -f "$CONFIG_DIR/QelvoIds.xml"
  local out
  out=$(cd "$HOME_DIR" && timeout 120 wine olhost.exe --outlook "$1" --script script.txt 2>&1)
  SWEEP_N=$(printf '%s\n' "$out" | sed -n 's/^calls so far: \([0-9]*\).*/\1/p' | tail -1)
  if [ -z "$SWEEP_N" ] || ! printf '%s\n' "$out" | grep -q '^olhost: 0 failed'; then
    printf '%s\n' "$out" | sed 's/^/    /'
    SWEEP_N=0
    return 1
  fi
}

SWEEP_RUNS=0
SWEEP_HRESULTS=0
SWEEP_DIALOGS=0
SWEEP_BOXES=0
SWEEP_CRASHES=0
SWEEP_BAD_FILES=0
SWEEP_DEAD=0
SWEEP_NOT_STRUCK=0

# sweep_file_ok: the configuration file is the one before the run, or a whole file written by
# the add-in that still binds slot 3 (a save writes the whole file and then moves it in place).
sweep_file_ok() {
  local file="$CONFIG_DIR/Qelvo.xml"
  [ -s "$file" ] || return 1
  cmp -s "$file" "$HOME_DIR/Qelvo.xml.before" && return 0
  head -c 38 "$file" | grep -qF '<?xml version="1.0" encoding="UTF-8"' || return 1
  [ "$(tail -c 11 "$file" | tr '\r\n' 'RN')" = '</config>RN' ] || return 1
  grep -qF '<foldername>Mailbox\Projects\Alpha</foldername>' "$file"
}

# sweep_run <outlook year> <k>: one run with call k failed, tallied.
sweep_run() {
  local outlook=$1 k=$2 out status
  # Every run starts from the same files, so that call k is the same call in each.
  cp "$HOME_DIR/Qelvo.xml.before" "$CONFIG_DIR/Qelvo.xml"
  rm -f "$CONFIG_DIR/QelvoIds.xml"
  out=$(cd "$HOME_DIR" &&
    timeout 120 wine olhost.exe --outlook "$outlook" --fail-call "$k" --script script.txt 2>&1)
  status=$?
  SWEEP_RUNS=$((SWEEP_RUNS + 1))
  local hresults dialogs
  hresults=$(printf '%s\n' "$out" | sed -n 's/^olhost: [0-9]* calls .*, \([0-9]*\) failure results.*/\1/p')
  dialogs=$(printf '%s\n' "$out" | sed -n 's/^olhost: \([0-9]*\) dialogs answered.*/\1/p')
  # Message boxes (the error reports among them) show a text; the add-in's forms do not.
  SWEEP_BOXES=$((SWEEP_BOXES + $(printf '%s\n' "$out" | grep -c '^dialog "[^"]*": "[^"]')))
  SWEEP_HRESULTS=$((SWEEP_HRESULTS + ${hresults:-0}))
  SWEEP_DIALOGS=$((SWEEP_DIALOGS + ${dialogs:-0}))
  local struck
  struck=$(printf '%s\n' "$out" | sed -n 's/^olhost: failed call: //p')
  # The stand-in ends with its count of failed expectations; exit codes of 100 and more, a
  # signal or the timeout mean it did not get there.
  if [ "$status" -ge 100 ] || ! printf '%s\n' "$out" | grep -q '^olhost: [0-9]* failed'; then
    SWEEP_CRASHES=$((SWEEP_CRASHES + 1))
    echo "CRASH: k=$k (exit $status, failed call ${struck:-?})"
    printf '%s\n' "$out" | tail -20 | sed 's/^/    /'
    return
  fi
  [ "$struck" = none ] && SWEEP_NOT_STRUCK=$((SWEEP_NOT_STRUCK + 1))
  if ! sweep_file_ok; then
    SWEEP_BAD_FILES=$((SWEEP_BAD_FILES + 1))
    echo "FILE: k=$k ($struck): the configuration file is neither the old nor a new one"
  fi
  # The next start files on the first click: the last expectation of the script passed.
  if ! printf '%s\n' "$out" | grep '^PASS: \|^FAIL: ' | tail -1 |
    grep -qF 'PASS: the items selected last are in Mailbox\Projects\Alpha'; then
    SWEEP_DEAD=$((SWEEP_DEAD + 1))
    echo "DEAD: k=$k ($struck): the add-in did not file at the next start"
  fi
}

# sweep_report <label> <seconds>
sweep_report() {
  echo "$1: N=$SWEEP_N calls, $SWEEP_RUNS runs, $SWEEP_HRESULTS failure HRESULTs returned," \
    "$SWEEP_DIALOGS dialogs answered ($SWEEP_BOXES of them message boxes), $SWEEP_CRASHES crashes," \
    "$SWEEP_BAD_FILES configuration files neither old nor new, $SWEEP_DEAD add-ins that did not" \
    "file at the next start, $SWEEP_NOT_STRUCK runs whose call k never came, in $2 s"
}
