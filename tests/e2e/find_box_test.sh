#!/usr/bin/env bash
# Finding a folder by typing, with the real DLL in the Outlook stand-in: Alt+Z opens "File to
# Any Folder...", the user types "alp" and Enter, and the two selected items land in
# Mailbox\Projects\Alpha, which heads the recently used list in the saved configuration file.
#
# Usage: find_box_test.sh <outlook year>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST.
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${1:-2013}"
source "$(dirname "$0")/stand_in_session.sh"

readonly MAILBOX_ID=0000000038A1BB1005E5101AA1BB08002B2A56C200006D737073742E646C6C00000000E155E1A159433A1537B87F69B019491E
install_add_in "$OUTLOOK" 3
# The Inbox was used before: the folder found must come before it.
sed -i -e "s|</config>|  <mrulist>\n    <mru id=\"1\">\n      <mrufolder>Mailbox\\\\Inbox</mrufolder>\n      <mrustore>Mailbox</mrustore>\n      <mrustoreid>$MAILBOX_ID</mrustoreid>\n    </mru>\n  </mrulist>\n</config>|" \
  "$CONFIG_DIR/Qelvo.xml"
grep -q '<mrufolder>Mailbox\\Inbox</mrufolder>' "$CONFIG_DIR/Qelvo.xml" &&
  pass "the configuration lists the Inbox as used before" ||
  fail "the configuration lists the Inbox as used before"

cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
expect-connected OLQuivra.coOLQuivra yes
select 1 6 2
answer-keys a
answer-keys l
answer-keys p
answer-keys enter
key alt+z
expect-selected-in Mailbox\Projects\Alpha
quit
SCRIPT
run_script "$OUTLOOK"
grep -q 'user types enter in "File to Any Folder..."' <<<"$out" &&
  pass "the keys were typed into the picker" || fail "the keys were typed into the picker"

# The saved list: Alpha first, the Inbox second.
mru=$(tr -d '\r' <"$CONFIG_DIR/Qelvo.xml" | grep -o '<mrufolder>[^<]*</mrufolder>' | tr '\n' ' ')
[ "$mru" = '<mrufolder>Mailbox\Projects\Alpha</mrufolder> <mrufolder>Mailbox\Inbox</mrufolder> ' ] &&
  pass "Alpha tops the recently used list: $mru" ||
  fail "Alpha tops the recently used list: $mru"
finish
