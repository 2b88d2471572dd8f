#!/usr/bin/env bash
# The add-in against behaviours of a real Outlook, end to end under Wine: the real DLL in the
# Outlook stand-in, with Mailbox\Projects\Alpha (3 mails) bound to button 1 and filed into by
# Alt+1. The Inbox lists, newest first, five items of other kinds, then Inbox mail 20 ... 1.
#
#   deleted_folder    the button's folder is deleted: it lies in Deleted Items with its EntryID;
#                     Alt+1 files nothing there and offers a new folder (Outlook 2013: the
#                     store's Deleted Items from Store.GetDefaultFolder; Outlook 2007: from the
#                     store's PR_IPM_WASTEBASKET_ENTRYID)
#   conversation      a collapsed conversation filed: its mails of the Inbox move, the user's
#                     reply that the conversation view shows from Sent Items stays there
#   live_selection    the view takes every moved item out of the selection at once: ten mails
#                     filed, each once
#   item_kinds        a task acceptance and a sharing invitation filed with two mails
#   elsewhere         an attachment selected in the reading pane files its mail; a task selected
#                     in the To-Do Bar files nothing and says so
#
# Usage: outlook_behaviour_test.sh <case> [<outlook year>]
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST (the stand-in of the same bitness).
set -u
source "$(dirname "$0")/wine_env.sh"

readonly OUTLOOK="${2:-2013}"
source "$(dirname "$0")/stand_in_session.sh"

case_deleted_folder() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
delete-folder Mailbox\Projects\Alpha
expect-items 3 Mailbox\Deleted Items\Alpha
select 1 6 1
answer No
key alt+1
expect-dialog The folder "Mailbox\Projects\Alpha" of the button "Alpha" no longer exists.\r\n\r\nPick a new folder for this button now?
expect-items 3 Mailbox\Deleted Items\Alpha
expect-items 25 Mailbox\Inbox
expect-selected-in Mailbox\Inbox
quit
SCRIPT
  run_script "$OUTLOOK"
}

case_conversation() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
# Inbox mail 20 and 18 are one conversation, and so is the user's reply in Sent Items.
conversation c1 1 6 8
add-reply c1 Mailbox\Sent Items
conversation-view 1 on
# The reply now heads the view, before the Inbox's own items.
select-conversations 1 7
key alt+1
expect-items 5 Mailbox\Projects\Alpha
expect-items 23 Mailbox\Inbox
expect-items 5 Mailbox\Sent Items
expect-no-dialog
quit
SCRIPT
  run_script "$OUTLOOK"
}

case_live_selection() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
live-selection on
select 1 6 10
key alt+1
expect-items 13 Mailbox\Projects\Alpha
expect-items 15 Mailbox\Inbox
expect-no-dialog
quit
SCRIPT
  run_script "$OUTLOOK"
}

case_item_kinds() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
add-items 1 task-accept Mailbox\Inbox
add-items 1 sharing Mailbox\Inbox
add-items 2 mail Mailbox\Inbox
select 1 1 4
key alt+1
expect-items 7 Mailbox\Projects\Alpha
expect-items 25 Mailbox\Inbox
expect-selected-in Mailbox\Projects\Alpha
expect-no-dialog
quit
SCRIPT
  run_script "$OUTLOOK"
}

case_elsewhere() {
  install_add_in "$OUTLOOK" 1
  cat >"$HOME_DIR/script.txt" <<'SCRIPT'
start
select-attachment 1 6
key alt+1
expect-items 4 Mailbox\Projects\Alpha
expect-no-dialog
select-in-todo-bar 1 7
answer OK
key alt+1
expect-dialog The selection is in the To-Do Bar or the task list - nothing moved.
expect-items 4 Mailbox\Projects\Alpha
expect-items 24 Mailbox\Inbox
quit
SCRIPT
  run_script "$OUTLOOK"
}

"case_$1"
finish
