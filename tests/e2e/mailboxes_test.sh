#!/usr/bin/env bash
# Real mailboxes end to end under Wine: the real DLL in the Outlook stand-in of Outlook 2013,
# with Mailbox\Projects\Alpha bound to button 1, against a mailbox that changes and refuses.
#
#   refusal   the mailbox has become read-only: a click files nothing and says which mails
#             stayed, with Outlook's own reason
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

"case_$1"
finish
