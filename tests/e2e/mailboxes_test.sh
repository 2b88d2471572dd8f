#!/usr/bin/env bash
# Real mailboxes end to end under Wine: the real DLL in the Outlook stand-in of Outlook 2013,
# with Mailbox\Projects\Alpha bound to button 1, against a mailbox that changes and refuses.
#
#   refusal         the mailbox has become read-only: a click files nothing and says which
#                   mails stayed, with Outlook's own reason
#   renamed_folder  the button's folder is renamed: a click files into it, the button's label
#                   and the saved path follow, and after a restart the folder is still found
#                   when it is moved as well
#   moved_folder    the button's folder moves below another folder: a click files into it, the
#                   saved path follows, the user's own label stays
#   german          Outlook in German: the picker offers none of the folders Outlook keeps for
#                   itself (photographed as picker_german.png)
#   open_objects    the mailbox's server limits the objects the session holds open, as Exchange
#                   does: 1,000 selected mails are filed by Alt+1 without a message, Undo
#                   puts all of them back and the picker comes up, and the server refuses
#                   nothing
#   new_explorer    a second explorer window opens; Outlook reports it before its window exists:
#                   no error box, and once it is activated its shortcuts file its mails
#   inbox_id_form   a button bound to the Inbox: the explorer showing the Inbox gives another
#                   form of its EntryID than the button's path finds, and filing from it still
#                   says the messages are already in that folder
# Every configuration file written is checked against its layout (tests/schemas).
#
# Usage: mailboxes_test.sh <case>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST (the stand-in of the same bitness).
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK=2013
readonly PROGID=OLQuivra.coOLQuivra
source "$(dirname "$0")/stand_in_session.sh"

case_refusal() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
refuse-moves Mailbox 80070005 You don't have appropriate permission to perform this operation.
select 1 6 2
ribbon-click $PROGID Alpha
expect-dialog An error occurred - message not moved.\r\n\r\nYou don't have appropriate permission to perform this operation.\r\n\r\nNot moved (2 of 2):\r\n"Inbox mail 20"\r\n"Inbox mail 19"
expect-items 3 Mailbox\\Projects\\Alpha
expect-items 25 Mailbox\\Inbox
expect-ribbon $PROGID Undo
quit
SCRIPT
  run_script "$OUTLOOK"
}

readonly SCHEMAS="$(dirname "$0")/../schemas"

# check_configuration <folder path>: the saved configuration file holds the path for button 1,
# begins with its declaration line, ends every line with CR LF and validates against its layout;
# the folder ids beside it name the path too.
check_configuration() {
  local file="$CONFIG_DIR/Qelvo.xml" path=$1
  [ "$(head -n 1 "$file")" = $'<?xml version="1.0" encoding="UTF-8" ?>\r' ] &&
    pass "the configuration file begins with its declaration" ||
    fail "the configuration file begins with its declaration"
  [ "$(grep -c $'\r$' "$file")" -eq "$(wc -l <"$file")" ] &&
    pass "every line of the configuration file ends with CR LF" ||
    fail "every line of the configuration file ends with CR LF"
  xmllint --noout --schema "$SCHEMAS/configuration.xsd" "$file" 2>&1 | sed 's/^/    /'
  [ "${PIPESTATUS[0]}" -eq 0 ] && pass "the configuration file validates against its layout" ||
    fail "the configuration file validates against its layout"
  grep -qF "<foldername>$path</foldername>" "$file" && pass "the saved path is $path" ||
    fail "the saved path is $path"
  grep -qF ">$path</folder>" "$CONFIG_DIR/QelvoIds.xml" && pass "the folder ids name $path" ||
    fail "the folder ids name $path"
}

case_renamed_folder() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
select 1 6 1
ribbon-click $PROGID Alpha
expect-items 4 Mailbox\\Projects\\Alpha
rename-folder Mailbox\\Projects\\Alpha -> Alpha 2024
select 1 6 1
ribbon-click $PROGID Alpha
expect-items 5 Mailbox\\Projects\\Alpha 2024
expect-ribbon $PROGID Alpha 2024
screenshot explorer_renamed_folder.bmp
restart
move-folder Mailbox\\Projects\\Alpha 2024 -> Mailbox\\Projects\\Beta
select 1 6 1
ribbon-click $PROGID Alpha 2024
expect-items 6 Mailbox\\Projects\\Beta\\Alpha 2024
expect-no-dialog
quit
SCRIPT
  run_script "$OUTLOOK"
  check_configuration 'Mailbox\Projects\Beta\Alpha 2024'
  grep -qF "<buttonname>Alpha 2024</buttonname>" "$CONFIG_DIR/Qelvo.xml" &&
    pass "the saved label is Alpha 2024" || fail "the saved label is Alpha 2024"
}

case_moved_folder() {
  install_add_in "$OUTLOOK" 1
  sed -i 's|<buttonname>Alpha</buttonname>|<buttonname>Project A</buttonname>|' "$CONFIG_DIR/Qelvo.xml"
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
select 1 6 1
ribbon-click $PROGID Project A
move-folder Mailbox\\Projects\\Alpha -> Mailbox\\Projects\\Beta
select 1 6 1
ribbon-click $PROGID Project A
expect-items 5 Mailbox\\Projects\\Beta\\Alpha
expect-ribbon $PROGID Project A
expect-no-dialog
quit
SCRIPT
  run_script "$OUTLOOK"
  check_configuration 'Mailbox\Projects\Beta\Alpha'
  grep -qF "<buttonname>Project A</buttonname>" "$CONFIG_DIR/Qelvo.xml" &&
    pass "the user's own label stays" || fail "the user's own label stays"
}

case_german() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
photograph-dialog picker_german.bmp
answer Cancel
key alt+z
expect-dialogs 1 File to Any Folder...
expect-dialog-tree Postfach\\Posteingang
expect-dialog-tree Postfach\\Projects
expect-no-dialog-tree Newsfeed
expect-no-dialog-tree Einstellungen für QuickSteps
expect-no-dialog-tree Einstellungen für Unterhaltungsaktionen
expect-no-dialog-tree Synchronisierungsprobleme
quit
SCRIPT
  run_script "$OUTLOOK" --locale de
}

case_open_objects() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
limit-open-objects exchange
add-items 1000 Mailbox\\Inbox
select 1 1 1000
key alt+1
expect-selected-in Mailbox\\Projects\\Alpha
expect-items 1003 Mailbox\\Projects\\Alpha
expect-items 25 Mailbox\\Inbox
expect-no-dialog
ribbon-click $PROGID Undo
expect-items 3 Mailbox\\Projects\\Alpha
expect-items 1025 Mailbox\\Inbox
# The picker's tree of two stores and the default store's folders holds no folder open.
limit-open-objects folders 6
answer Cancel
key alt+z
expect-dialogs 1 File to Any Folder...
expect-open-objects folders 500
expect-open-objects items 250
expect-open-objects folder-views 500
expect-open-objects item-views 500
quit
SCRIPT
  run_script "$OUTLOOK"
}

case_new_explorer() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
open-explorer Mailbox\\Projects\\Beta
expect-no-dialog
select 2 1 1
key alt+1
expect-key no
expect-selected-in Mailbox\\Projects\\Alpha
expect-items 4 Mailbox\\Projects\\Alpha
# The first explorer, activated again, files as before.
activate-explorer 1
select 1 6 2
key alt+1
expect-key no
expect-selected-in Mailbox\\Projects\\Alpha
expect-items 6 Mailbox\\Projects\\Alpha
expect-no-dialog
quit
SCRIPT
  run_script "$OUTLOOK"
}

case_inbox_id_form() {
  install_add_in "$OUTLOOK" 1
  sed -i -e 's|<foldername>Mailbox\\Projects\\Alpha</foldername>|<foldername>Mailbox\\Inbox</foldername>|' \
    -e 's|<buttonname>Alpha</buttonname>|<buttonname>Inbox</buttonname>|' "$CONFIG_DIR/Qelvo.xml"
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
select 1 6 2
key alt+1
expect-key no
expect-dialog Message already in this folder
expect-items 25 Mailbox\\Inbox
select 1 6 1
ribbon-click $PROGID Inbox
expect-dialogs 2 Information
expect-items 25 Mailbox\\Inbox
quit
SCRIPT
  run_script "$OUTLOOK"
}

"case_$1"
finish
