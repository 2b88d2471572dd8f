#!/usr/bin/env bash
# The folder picker of "Any Folder..." with the real DLL in the stand-in: the add-in's shortcuts
# typed while it is open neither open a second picker nor file, and its OK then moves only the
# items the user chose; "Add..." creates the new folder also on an Outlook that refuses the
# picker's folder type, and shows any other refusal as an error.
#
# Usage: picker_test.sh <outlook year>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST.
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${1:-2013}"
source "$(dirname "$0")/stand_in_session.sh"

install_add_in "$OUTLOOK" 3
# Alpha heads the recently used list, so the picker opens with it selected.
sed -i -e 's|</folders>|</folders>\n  <mrulist>\n    <mru id="1">\n      <mrufolder>Mailbox\\Projects\\Alpha</mrufolder>\n      <mrustore>Mailbox</mrustore>\n      <mrustoreid>0000000038A1BB1005E5101AA1BB08002B2A56C200006D737073742E646C6C00000000E155E1A159433A1537B87F69B019491E</mrustoreid>\n    </mru>\n  </mrulist>|' \
  "$CONFIG_DIR/Qelvo.xml"

cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
expect-connected OLQuivra.coOLQuivra yes
expect-items 25 Mailbox\Inbox
expect-items 3 Mailbox\Projects\Alpha
# Alt+Z and Alt+3 typed in the open picker, then OK on the list's first entry: the two selected
# items go to Alpha, and nothing else moves (not the item Outlook selects after a move).
select 1 6 2
answer-keys alt+z
answer-keys alt+3
answer OK
key alt+z
expect-dialogs 1 File to Any Folder...
expect-selected-in Mailbox\Projects\Alpha
expect-items 23 Mailbox\Inbox
expect-items 5 Mailbox\Projects\Alpha
# The same keys in the configuration dialog, then its OK: no picker, and nothing moves.
select 1 6 2
answer-keys alt+z
answer-keys alt+3
answer OK
ribbon-click OLQuivra.coOLQuivra Configure Buttons
expect-dialogs 1 Configure Quivra
expect-dialogs 1 File to Any Folder...
expect-items 23 Mailbox\Inbox
expect-items 5 Mailbox\Projects\Alpha
quit
SCRIPT
run_script "$OUTLOOK"

# "Add..." in the picker (the user goes from the list, which has the focus when the picker
# opens, back to the tree and its first folder, the mailbox) on an Outlook that refuses the folder type as an argument (either of
# the two ways Outlook reports a wrong argument): the folder is made without a type, so it
# holds what its parent holds (mail); refused for any other reason, the error shows and no
# folder is made.
write_alpha_configuration 3
cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
expect-connected OLQuivra.coOLQuivra yes
refuse-folder-type 15 80070057
answer-keys shift+tab
answer-keys home
answer Add...
answer-edit -> Gamma
answer OK
answer Cancel
key alt+z
expect-folder 0 Mailbox\Gamma
refuse-folder-type 15 80020005
answer-keys shift+tab
answer-keys home
answer Add...
answer-edit -> Delta
answer OK
answer Cancel
key alt+z
expect-folder 0 Mailbox\Delta
refuse-folder-type 15 80004005
answer-keys shift+tab
answer-keys home
answer Add...
answer-edit -> Epsilon
answer OK
answer OK
answer Cancel
key alt+z
expect-folder none Mailbox\Epsilon
expect-dialogs 6 File to Any Folder...
quit
SCRIPT
run_script "$OUTLOOK"
# Message boxes show a text, the add-in's forms none: the one refusal that is not about the
# argument is the only message box of the session.
boxes=$(grep -c '^dialog "[^"]*": "[^"]' <<<"$out")
[ "$boxes" -eq 1 ] && pass "the other refusal, and only it, was shown in a message box" ||
  fail "$boxes message boxes, not just the other refusal's"
finish
