#!/usr/bin/env bash
# Suggested folders with the real DLL in the stand-in: three mails from one sender are filed into
# Alpha with Alt+3; the picker then opens for a fourth mail of hers with Alpha on top of its
# list, marked as suggested and selected, and Enter files the mail there; the ribbon's
# "Suggested" names Alpha for her fifth mail, and its shortcut files that one too. The picker as
# it opened is photographed.
#
# Usage: suggest_test.sh <outlook year>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST, QUIVRA_SCREENSHOTS (optional).
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${1:-2013}"
source "$(dirname "$0")/stand_in_session.sh"

install_add_in "$OUTLOOK" 3
rm -f "$CONFIG_DIR/Qelvo.learned"

# The view shows the newest item first; the five items above the mails are of other kinds, and
# the sample inbox's mails come from four senders in turn. Ann's stand at positions 9, 13, 17,
# 21 and 25, each one position higher for every mail filed from above it.
cat >"$HOME_DIR/script.txt" <<SCRIPT
start
expect-connected OLQuivra.coOLQuivra yes
select 1 9 1
key alt+3
expect-selected-in Mailbox\\Projects\\Alpha
select 1 12 1
key alt+3
expect-selected-in Mailbox\\Projects\\Alpha
select 1 15 1
key alt+3
expect-selected-in Mailbox\\Projects\\Alpha
select 1 18 1
photograph-next-form picker_suggested_${OUTLOOK}.bmp
answer-keys enter
key alt+z
expect-selected-row Alpha (suggested)
expect-selected-in Mailbox\\Projects\\Alpha
select 1 21 1
expect-ribbon OLQuivra.coOLQuivra button "Suggested" tip="Move to the suggested folder: Alpha (Alt+K)"
key alt+k
expect-selected-in Mailbox\\Projects\\Alpha
expect-items 8 Mailbox\\Projects\\Alpha
expect-no-dialog
quit
SCRIPT
run_script "$OUTLOOK"

# What was learned is in its own file beside the configuration, and holds no address.
if [ -s "$CONFIG_DIR/Qelvo.learned" ] && ! grep -qi "ann\|contoso" "$CONFIG_DIR/Qelvo.learned"; then
  pass "the filing history holds hashes, not addresses"
else
  fail "the filing history holds hashes, not addresses"
fi

# The picker's photograph is kept with the explorer's.
if [ -n "${QUIVRA_SCREENSHOTS:-}" ] && [ -e "$HOME_DIR/picker_suggested_${OUTLOOK}.bmp" ]; then
  mkdir -p "$QUIVRA_SCREENSHOTS/picker"
  /usr/bin/convert "$HOME_DIR/picker_suggested_${OUTLOOK}.bmp" \
    "$QUIVRA_SCREENSHOTS/picker/picker_suggested_${OUTLOOK}.png" &&
    pass "photograph picker_suggested_${OUTLOOK}.png kept" ||
    fail "photograph picker_suggested_${OUTLOOK}.png kept"
  rm -f "$HOME_DIR/picker_suggested_${OUTLOOK}.bmp"
fi
finish
