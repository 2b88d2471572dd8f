#!/usr/bin/env bash
# The add-in's explorer command bar end to end under Wine: the real DLL, registered with
# regsvr32, loaded by the Outlook stand-in of Outlook 2007, with slot 1 bound in its configuration
# file. The add-in builds its bar through the explorer's CommandBars, reached by name through
# IDispatch, and connects to its buttons' Click through their connection points. The bar shows
# the filing button and a disabled Undo; a click on the filing button files the selection, and
# Undo becomes enabled, its tip naming what it undoes, until it is clicked.
#
# Usage: command_bar_test.sh
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST (the stand-in of the same bitness).
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK=2007
source "$(dirname "$0")/stand_in_session.sh"

install_add_in "$OUTLOOK" 1

cat >"$HOME_DIR/script.txt" <<SCRIPT
start
expect-connected OLQuivra.coOLQuivra yes
command-bar QuivraOL
expect-command-bar QuivraOL button "Alpha"
expect-command-bar QuivraOL button "Undo" disabled
# Pictures go to Office as 24-bit bitmaps with their mask: no alpha channel to misread.
expect-picture-depth 24
# The newest mails; the five items above them are of other kinds.
select 1 6 2
screenshot explorer_2007_before_filing.bmp
command-bar-click QuivraOL Alpha
expect-selected-in Mailbox\\Projects\\Alpha
screenshot explorer_2007_after_filing.bmp
command-bar QuivraOL
expect-command-bar QuivraOL button "Undo" group tip="Undo: 2 items to Projects\\Alpha"
# Undo moves both mails back, and is disabled again.
command-bar-click QuivraOL Undo
expect-items 3 Mailbox\\Projects\\Alpha
expect-command-bar QuivraOL button "Undo" disabled
expect-no-dialog
quit
SCRIPT
run_script "$OUTLOOK"
finish
