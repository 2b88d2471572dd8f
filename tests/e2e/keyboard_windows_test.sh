#!/usr/bin/env bash
# The add-in's shortcuts as a user meets them in the windows of a ribbon Outlook, with the real
# DLL in the stand-in: they act in the explorer's message list only; the same keys in an
# inspector, in the add-in's own dialogs, and Backspace while typing in the explorer's search
# box or reading pane go on to those windows and file nothing.
#
# Usage: keyboard_windows_test.sh <outlook year>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST.
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${1:-2013}"
readonly PROGID=OLQuivra.coOLQuivra
source "$(dirname "$0")/stand_in_session.sh"

install_add_in "$OUTLOOK" 3
# Slot 11 (the Backspace button) files to Alpha as well, with the Backspace option on.
sed -i -e 's|</folders>|    <folder id="11">\n      <foldername>Mailbox\\Projects\\Alpha</foldername>\n      <buttonname>Alpha</buttonname>\n      <storename>Mailbox</storename>\n      <storenameid>Mailbox</storenameid>\n      <storeid>0000000038A1BB1005E5101AA1BB08002B2A56C200006D737073742E646C6C00000000E155E1A159433A1537B87F69B019491E</storeid>\n    </folder>\n  </folders>\n  <setup>\n    <shortcuts>True</shortcuts>\n    <icons>True</icons>\n    <backspacekey>True</backspacekey>\n  </setup>|' \
  "$CONFIG_DIR/Qelvo.xml"

cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
expect-connected OLQuivra.coOLQuivra yes
# In an inspector, Alt+3 is Outlook's own key: it reaches the inspector and files nothing.
select 1 6 2
open-inspector
key alt+3
expect-key yes
expect-selected-in Mailbox\Inbox
close-inspector
# Backspace while typing in the search box or in the reading pane's editor is the user's.
focus search
key bksp
expect-key yes
focus reading
key bksp
expect-key yes
expect-selected-in Mailbox\Inbox
# In the message list Backspace files the two selected items.
focus list
key bksp
expect-key no
expect-selected-in Mailbox\Projects\Alpha
# Alt+Z and Alt+3 typed in the open picker: no second picker, nothing filed by Alt+3; Cancel
# files nothing either.
select 1 6 2
answer-keys alt+z
answer-keys alt+3
answer Cancel
key alt+z
expect-dialogs 1 File to Any Folder...
expect-selected-in Mailbox\Inbox
# The same keys in the configuration dialog.
answer-keys alt+z
answer-keys alt+3
answer Cancel
ribbon-click OLQuivra.coOLQuivra Configure Buttons
expect-dialogs 1 Configure Quivra
expect-dialogs 1 File to Any Folder...
expect-selected-in Mailbox\Inbox
# With a second explorer and an inspector open, Configure blocks them all until it closes.
open-explorer Mailbox\Projects
activate-explorer 1
open-inspector
expect-windows-enabled 3
answer Cancel
ribbon-click OLQuivra.coOLQuivra Configure Buttons
expect-blocking Configure Quivra
expect-windows-enabled 3
close-inspector
close-explorer 2
activate-explorer 1
# Back in the message list, Alt+3 files.
key alt+3
expect-key no
expect-selected-in Mailbox\Projects\Alpha
quit
SCRIPT
run_script "$OUTLOOK"
finish
