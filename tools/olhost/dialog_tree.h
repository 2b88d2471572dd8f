#ifndef QUIVRA_TOOLS_OLHOST_DIALOG_TREE_H_
#define QUIVRA_TOOLS_OLHOST_DIALOG_TREE_H_

#include <windows.h>

#include <string>
#include <vector>

namespace quivra::olhost {

// The items of every tree view in the dialog, as the user could reach them: each item's path of
// texts from its top-level item, joined by backslashes ("Postfach\Posteingang"), parents before
// their children. Items not loaded yet (below a collapsed node) are not there.
std::vector<std::string> DialogTreeItems(HWND dialog);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_DIALOG_TREE_H_
