#!/usr/bin/env bash
# Undo with the real DLL in the stand-in: twelve mails filed into Alpha with Alt+3 come back
# into the Inbox with one Undo, whose tip names the step; three filing runs, then a restart of
# Outlook, then Undo puts back the newest run, and again the one before, from the undo history
# kept beside the configuration.
#
# Usage: undo_test.sh <outlook year>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST.
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${1:-2013}"
readonly PROGID=OLQuivra.coOLQuivra
source "$(dirname "$0")/stand_in_session.sh"

install_add_in "$OUTLOOK" 3

# The view shows the newest item first; the five items above the mails are of other kinds. The
# sample Inbox holds 25 items and Alpha 3.
cat >"$HOME_DIR/script.txt" <<SCRIPT
start
select 1 6 12
key alt+3
expect-items 15 Mailbox\\Projects\\Alpha
expect-items 13 Mailbox\\Inbox
expect-ribbon $PROGID button "Undo" tip="Undo: 12 items to Projects\\Alpha"
ribbon-click $PROGID Undo
expect-items 3 Mailbox\\Projects\\Alpha
expect-items 25 Mailbox\\Inbox
expect-ribbon $PROGID button "Undo" disabled
# Three runs of two, one and three mails, then Outlook restarts.
select 1 6 2
key alt+3
select 1 6 1
key alt+3
select 1 6 3
key alt+3
expect-items 9 Mailbox\\Projects\\Alpha
restart
expect-connected $PROGID yes
expect-ribbon $PROGID button "Undo" tip="Undo: 3 items to Projects\\Alpha"
ribbon-click $PROGID Undo
expect-items 6 Mailbox\\Projects\\Alpha
expect-ribbon $PROGID button "Undo" tip="Undo: 1 item to Projects\\Alpha"
ribbon-click $PROGID Undo
expect-items 5 Mailbox\\Projects\\Alpha
expect-items 23 Mailbox\\Inbox
expect-no-dialog
quit
SCRIPT
run_script "$OUTLOOK"

# The history is a file of its own; the configuration file holds none of it.
if [ -s "$CONFIG_DIR/QelvoUndo.xml" ] && ! grep -q "<undo\|<step" "$CONFIG_DIR/Qelvo.xml"; then
  pass "the undo history is kept beside the configuration file"
else
  fail "the undo history is kept beside the configuration file"
fi
finish
