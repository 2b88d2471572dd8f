#ifndef QUIVRA_TOOLS_OLHOST_SCRIPT_H_
#define QUIVRA_TOOLS_OLHOST_SCRIPT_H_

#include <istream>

namespace quivra::olhost {

class OutlookStandIn;

// Runs a script of user actions and expectations against the stand-in, one command a line
// ("#" starts a comment). Prints what happens; each expectation prints a PASS or FAIL line.
// Returns the number of failed expectations and unusable lines.
//
//   start                         Outlook starts and loads its add-ins
//   quit                          the user closes Outlook
//   restart                       Outlook quits and starts again; add-ins are loaded afresh
//   refuse-addin-object           from the next start, COMAddIn.Object cannot be set
//   open-inspector [read|compose] the user opens a mail in its own window
//   close-inspector               the user closes the inspector opened last
//   save-custom-ui <ribbon id> <file>   writes the customUI text the add-in returned (UTF-8)
//   open-explorer <folder path>   a new explorer window on the folder ("Mailbox\Projects")
//   activate-explorer <n>         the n-th open explorer comes to the front
//   show-folder <n> <folder path> the n-th explorer shows another folder
//   close-explorer <n>
//   deactivate                    another program comes to the front
//   disconnect <ProgID>           the user unticks the add-in in the COM add-ins dialog
//   connect <ProgID>              the user ticks it (connection after start-up)
//   fail <method> [always]        Outlook's next call of <method> fails ("Explorer.WindowHandle")
//   answer <button>               the next dialog is answered with that button
//   answer-edit [<text>] -> <new> in the next form with an edit box showing <text> (none: the
//                                 empty box with the focus), that box gets <new>
//   answer-keys <keys>            the user types the keys ("shift+tab") into the next form
//   refuse-folder-type <type> <hex code>   Folders.Add raises that error for the folder type
//   expect-folder <item type>|none <path>  the folder exists holding that item type, or not
//   expect-items <n> <path>       the folder holds n items
//   expect-connected <ProgID> yes|no
//   expect-unload <ProgID> S_OK|S_FALSE     what the add-in's DllCanUnloadNow answers
//   expect-dialog <text>          a dialog has shown a text containing <text> (\r \n allowed)
//   expect-no-dialog
//   expect-sinks <n>              event sinks connected to Outlook's objects now
//   expect-registry <key> <value name> <text>   e.g. HKCU\Software\...\Key StartMode NORMAL
//   expect-no-registry <key> <value name>
//   photograph-dialog <file.bmp>  the next form is photographed before it is answered
//   expect-dialog-tree <path>     the tree of the last form answered showed that item
//   expect-no-dialog-tree <name>  ... showed no item of that name
//   rename-folder, move-folder, delete-folder, empty-deleted-items, refuse-moves
//                                 change the mailbox (see mailbox_script.h)
//   add-items, conversation, add-reply, conversation-view, select-conversations,
//   select-attachment, select-in-todo-bar, live-selection
//                                 fill the mailbox and select as Outlook's views do
//                                 (see selection_script.h)
//   key, key-loop, alt-code, focus, expect-key, expect-text, expect-key-tips   the keyboard
//                                 (see keyboard_script.h)
//   command-bar <bar>             prints the active explorer's command bar (Outlook 2007)
//   command-bar-click <bar> <caption or tag>   the user clicks the button
//   expect-command-bar <bar> <text>            some line of the bar contains the text
int RunScript(std::istream& script, OutlookStandIn& outlook);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_SCRIPT_H_
