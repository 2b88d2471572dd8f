#!/usr/bin/env bash
# What the user types in the explorer of a ribbon Outlook, with the real DLL in the stand-in: a
# character code typed with Alt on the numeric keypad (Alt+0233, "é") goes into the search box
# and into the inline reply and files nothing, and so do the add-in's own keys typed there; in
# the message list a keypad digit with Alt files as the top-row digit does. After Alt+3 files,
# Office shows no key tips, so the next letters typed run no ribbon command; Alt alone still
# brings the key tips.
#
# Usage: keyboard_typing_test.sh <outlook year>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST.
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${1:-2013}"
source "$(dirname "$0")/stand_in_session.sh"

install_add_in "$OUTLOOK" 3

cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
expect-connected OLQuivra.coOLQuivra yes
select 1 6 2
# Alt+0233 in the search box and in the inline reply: "é" there, nothing filed, no key tips.
focus search
alt-code 0233
expect-text search é
expect-key-tips no
focus inline-reply
alt-code 0233
expect-text inline-reply é
expect-key-tips no
expect-selected-in Mailbox\Inbox
# Alt alone shows the key tips wherever the focus is in the explorer, the reading pane too;
# pressed again, it hides them.
focus reading
key alt
expect-key-tips yes
key alt
expect-key-tips no
focus inline-reply
# Alt+3 and Alt with the keypad 3 typed into the reply are the user's as well.
key alt+3
expect-key yes
alt-code 3
expect-key yes
expect-selected-in Mailbox\Inbox
# In the message list the keypad 3 with Alt files into slot 3.
focus list
alt-code 3
expect-key no
expect-selected-in Mailbox\Projects\Alpha
expect-key-tips no
# Alt+3 files one mail and leaves no key tips: U and U (the add-in's tab, then its Undo) are
# plain keys.
select 1 6 1
key alt+3
expect-key no
expect-selected-in Mailbox\Projects\Alpha
expect-key-tips no
key u
key u
expect-selected-in Mailbox\Projects\Alpha
# Alt pressed and released alone shows them: Alt, U, U undoes the filing of that mail.
key alt
expect-key-tips yes
key u
key u
expect-selected-in Mailbox\Inbox
quit
SCRIPT
run_script "$OUTLOOK"
grep -q 'user presses .* by its key tip' <<<"$out" &&
  pass "Undo was pressed by its key tips after Alt alone" ||
  fail "Undo was pressed by its key tips after Alt alone"
# Twice, each time after Alt alone (the reading pane, then the message list); never after a
# character code or a shortcut.
[ "$(grep -c 'the ribbon shows its key tips' <<<"$out")" -eq 2 ] &&
  pass "the key tips showed twice, each time after Alt alone" ||
  fail "the key tips showed twice, each time after Alt alone"
finish
