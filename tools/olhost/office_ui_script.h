#ifndef QUIVRA_TOOLS_OLHOST_OFFICE_UI_SCRIPT_H_
#define QUIVRA_TOOLS_OLHOST_OFFICE_UI_SCRIPT_H_

#include <string>

#include "tools/olhost/keyboard_script.h"

namespace quivra::olhost {

class OutlookStandIn;

// The script commands on what Office shows of the add-ins in the active explorer:
//
//   save-custom-ui <ribbon id> <file>   writes the customUI text the add-in returned (UTF-8)
//   ribbon <prog id>                    prints the add-in's ribbon as the user sees it
//   ribbon-click <prog id> <label>      clicks the control shown with that label
//   expect-ribbon <prog id> <text>      some line of the ribbon contains the text
//   command-bar <bar>                   prints the bar (Outlook 2007)
//   command-bar-click <bar> <caption or tag>   clicks the button
//   expect-command-bar <bar> <text>     some line of the bar contains the text
//
// Returns false for a command it does not know; raises std::exception on a bad argument.
bool RunOfficeUiCommand(const std::string& command,
                        const std::string& rest,
                        OutlookStandIn& outlook,
                        const ScriptCheck& check);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_OFFICE_UI_SCRIPT_H_
