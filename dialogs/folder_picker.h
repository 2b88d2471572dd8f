#ifndef QUIVRA_DIALOGS_FOLDER_PICKER_H_
#define QUIVRA_DIALOGS_FOLDER_PICKER_H_

namespace quivra::dialogs {

// The folder picker: a tree of the stores and their mail folders and the recently used list.
class TfrmFolders2 {};

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_FOLDER_PICKER_H_
