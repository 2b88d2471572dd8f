#!/usr/bin/env bash
# The add-in's ribbon end to end under Wine: the real DLL, registered with regsvr32, loaded by
# the Outlook stand-in of a ribbon Outlook, with slot 3 bound in its configuration file. The
# stand-in asks for the customUI text, calls onLoad and every callback by name through the
# add-in's IDispatch, and prints the ribbon as the user sees it: the own tab with the configured
# button, its screen tip and picture, the Home-tab group, Undo disabled. A click on the button
# files the selection, and the Undo buttons become enabled through InvalidateControl.
#
# Outlook 2016 and Microsoft 365 draw the same ribbon and, like 2010 and 2013, have no command
# bars in their explorers: the add-in goes on without them, with no error shown.
#
# Usage: ribbon_test.sh <2010|2013|2016|365>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST (the stand-in of the same bitness).
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${1:-2010}"
source "$(dirname "$0")/stand_in_session.sh"

install_add_in "$OUTLOOK" 3

cat >"$HOME_DIR/script.txt" <<SCRIPT
start
expect-connected OLQuivra.coOLQuivra yes
ribbon OLQuivra.coOLQuivra
expect-ribbon OLQuivra.coOLQuivra tab "Quivra"
expect-ribbon OLQuivra.coOLQuivra button "Alpha" tip="Mailbox\Projects\Alpha (Alt+3)" image
expect-ribbon OLQuivra.coOLQuivra button "Any Folder..." tip="Move to Any Folder... (Alt+Z)" image
expect-ribbon OLQuivra.coOLQuivra button "Undo" disabled
expect-ribbon OLQuivra.coOLQuivra tab TabMail
# The newest mails; the five items above them are of other kinds.
select 1 6 2
screenshot explorer_${OUTLOOK}_before_filing.bmp
ribbon-click OLQuivra.coOLQuivra Alpha
expect-selected-in Mailbox\\Projects\\Alpha
screenshot explorer_${OUTLOOK}_after_filing.bmp
ribbon OLQuivra.coOLQuivra
expect-ribbon OLQuivra.coOLQuivra button "Undo" tip="Undo: 2 items to Projects\\Alpha" image
expect-no-dialog
quit
SCRIPT
run_script "$OUTLOOK"
printf '%s\n' "$out" | grep -q 'GetCustomUI(Microsoft.Outlook.Explorer) -> S_OK' &&
  pass "Outlook asked for the ribbon" || fail "Outlook asked for the ribbon"
finish
