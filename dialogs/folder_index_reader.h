#ifndef QUIVRA_DIALOGS_FOLDER_INDEX_READER_H_
#define QUIVRA_DIALOGS_FOLDER_INDEX_READER_H_

#include "dialogs/folder_index.h"
#include "host/outlook/outlook.h"
#include "platform/collation.h"

namespace quivra::dialogs {

// Reads the stores Outlook has open now, and every mail folder in them that the folder tree
// would show, into a finished index (the recently used list not yet marked). Each folder costs
// six calls into Outlook: its place in its parent's Folders, Name, DefaultItemType, EntryID,
// Folders and its Count; one with subfolders costs three more, as no folder stays open while
// the folders below it are read: it is opened again by its ids (NameSpace.GetFolderFromID) and
// its Folders and Count are read again. The StoreID is read once per store. A folder directly
// below a store's top-level folder costs one more (whether Outlook hides it), and the default
// store's synchronisation folders are looked up once. A folder Outlook fails to read is left
// out with what lies below it, so one broken store does not hide the others.
FolderIndex ReadFolderIndex(outlook::Application& outlook, platform::Collation& collation);

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_FOLDER_INDEX_READER_H_
