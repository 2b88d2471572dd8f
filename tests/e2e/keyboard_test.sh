#!/usr/bin/env bash
# The add-in's keyboard shortcuts end to end under Wine: the real DLL, registered with regsvr32,
# loaded by the Outlook stand-in, with slot 3 bound in its configuration file. Key strokes are
# injected into the stand-in's explorer window as a person types them: Alt+3 files the selected
# items into slot 3's folder and never reaches the window; the unassigned Alt+4 reaches it.
#
# Usage: keyboard_test.sh <2007|2010|2013>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST (the stand-in of the same bitness).
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${1:-2010}"
source "$(dirname "$0")/stand_in_session.sh"

install_add_in "$OUTLOOK" 3

cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
expect-connected OLQuivra.coOLQuivra yes
# The newest mails; the five items above them are of other kinds.
select 1 6 2
key alt+3
expect-key no
expect-selected-in Mailbox\Projects\Alpha
select 1 8 1
key alt+4
expect-key yes
expect-selected-in Mailbox\Inbox
expect-no-dialog
quit
SCRIPT
run_script "$OUTLOOK"
finish
