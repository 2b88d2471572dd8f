#!/usr/bin/env bash
# The add-in used with the keyboard alone, the real DLL in the stand-in of a ribbon Outlook: no
# click and no button pressed for the user. The configuration dialog opens by the ribbon's key
# tips (Alt, the add-in's tab, its main button, Configure Buttons); a row's digit leads to its
# Browse button and Space presses it; the picker's Find box (its access key) finds the folder and
# Enter takes it; Tab reaches the row's arrow, Space moves the row, Enter confirms the dialog. Alt+Z and the Find box file the selection.
# Alt+A in the picker makes a new folder below the folder found, which the Find box then finds.
# Undo by its key tip puts the mail back. The About box's link is reached by Tab and followed by
# Enter and by Space.
#
# Usage: keyboard_only_test.sh <outlook year>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST, QUIVRA_LINK_RECORDER.
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${1:-2013}"
source "$(dirname "$0")/stand_in_session.sh"

install_add_in "$OUTLOOK" 3
# Web addresses open in a recorder that writes each address down, instead of a browser; it has
# no window, so the About box keeps the keyboard. Wine reads the handler from the machine's
# classes only (not the user's), so the machine's is replaced and put back afterwards.
opened_link="$WINEPREFIX/drive_c/opened_link.txt"
browser_key='HKLM\Software\Classes\https\shell\open\command'
rm -f "$opened_link" "$WINEPREFIX/drive_c/browser.reg"
cp "$QUIVRA_LINK_RECORDER" "$HOME_DIR/link_recorder.exe"
wine reg export "$browser_key" 'C:\browser.reg' /y >/dev/null 2>&1
wine reg add "$browser_key" /ve \
  /d '"C:\Quivra\link_recorder.exe" "C:\opened_link.txt" "%1"' /f >/dev/null 2>&1

cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
expect-connected OLQuivra.coOLQuivra yes
# Configure Buttons by the key tips U (the add-in's tab), Q (its main button), C. In the dialog
# Alt+4 leads to row 4's Browse and Space presses it; in the picker Alt+F goes to the Find box,
# "beta" finds Projects\Beta and Enter takes it; back in the dialog Tab goes on along the row
# to its down arrow, which Space presses (Beta moves to row 5), then on to row 5's name, where
# Enter presses OK.
form-keys alt+4 space
form-keys alt+f b e t a enter
form-keys tab tab tab space tab tab tab enter
key alt
key u
key q
key c
expect-ribbon OLQuivra.coOLQuivra button "Beta"
expect-ribbon OLQuivra.coOLQuivra Beta (Alt+5)
# Alt+Z, the Find box and Enter file the two selected items.
select 1 6 2
form-keys alt+f b e t a enter
key alt+z
expect-selected-in Mailbox\Projects\Beta
# A new folder: the Find box selects Projects in the tree, Alt+A adds below it; the name is
# typed and Enter creates it; the Find box finds it and Enter files into it.
select 1 6 1
form-keys alt+f p r o j alt+a
form-keys g a m m a enter
form-keys alt+f g a m m a enter
key alt+z
expect-folder 0 Mailbox\Projects\gamma
expect-selected-in Mailbox\Projects\gamma
# Undo by its key tip on the add-in's tab: Alt, U, U.
key alt
key u
key u
expect-selected-in Mailbox\Inbox
# The About box by its key tips (U, Q, A): it opens on OK; Tab goes on to the web site's link,
# Enter follows it, so does Space, and Esc closes the box.
form-keys tab enter space esc
key alt
key u
key q
key a
quit
SCRIPT
run_script "$OUTLOOK"
[ -f "$WINEPREFIX/drive_c/browser.reg" ] && wine reg import 'C:\browser.reg' >/dev/null 2>&1
for form in 'Configure Quivra' 'Folders' 'File to Any Folder...' 'Create New Folder' \
    'About Quivra'; do
  grep -q "form \"$form\" shows" <<<"$out" && pass "\"$form\" came up" ||
    fail "\"$form\" came up"
done
grep -q 'user presses .* by its key tip' <<<"$out" &&
  pass "the ribbon's controls were pressed by their key tips" ||
  fail "the ribbon's controls were pressed by their key tips"
# Every form was closed by the user's keys: none was left for the stand-in to answer.
answered=$(grep -c '^dialog "' <<<"$out")
[ "$answered" -eq 0 ] && pass "every dialog was closed by the keyboard" ||
  fail "every dialog was closed by the keyboard ($answered answered for the user)"
grep -q 'user clicks' <<<"$out" && fail "no click" || pass "no click"
opened=0
for _ in 1 2 3 4 5 6 7 8 9 10; do
  opened=$(grep -c 'https://www.quivra.example/' "$opened_link" 2>/dev/null)
  [ "${opened:-0}" -ge 2 ] && break
  sleep 0.5
done
[ "${opened:-0}" -eq 2 ] &&
  pass "the About box's link was followed by Enter and by Space" ||
  fail "the About box's link was followed by Enter and by Space (${opened:-0} of 2 openings)"
# The focus is shown in every form, opened from the keyboard as they all were here.
grep -q 'hides its focus' <<<"$out" && fail "every form shows its focus" ||
  pass "every form shows its focus"
grep -q 'shows its focus' <<<"$out" || fail "the forms' focus was looked at"
finish
