#ifndef QUIVRA_HOST_OUTLOOK_SIM_SIM_OBJECTS_H_
#define QUIVRA_HOST_OUTLOOK_SIM_SIM_OBJECTS_H_

// The Outlook objects of the simulated world, as the product gets them. Internal to the sim.

#include <memory>

#include "host/outlook/outlook.h"
#include "host/outlook/sim/sim_world.h"

namespace quivra::outlook::sim::internal {

ApplicationPtr MakeApplication(std::shared_ptr<World> world);
// `second_form`: the folder answers its second EntryID, if it has one, as a folder reached
// other than through Folders.Item does.
MAPIFolderPtr MakeFolder(std::shared_ptr<World> world,
                         FolderNode* folder,
                         bool second_form = false);
ExplorerPtr MakeExplorer(std::shared_ptr<World> world, ExplorerNode* explorer);
// An item as a selection or an item collection hands it out, before any interface query.
ObjectPtr MakeItemObject(std::shared_ptr<World> world, ItemNode* item);
// An attachment of `owner`, as the attachment well's selection hands it out.
ObjectPtr MakeAttachmentObject(std::shared_ptr<World> world, ItemNode* owner);
// The root folders of the open stores (no owner), or the subfolders of `owner`.
FolderCollectionPtr MakeFolderCollection(std::shared_ptr<World> world, FolderNode* owner);
// The window in front as ActiveWindow hands it out: `explorer`'s, or an inspector's for none.
ObjectPtr MakeWindowObject(std::shared_ptr<World> world, ExplorerNode* explorer);

// Outlook's errors for a missing object and an index outside a collection.
[[noreturn]] void ThrowNotFound();
[[noreturn]] void ThrowOutOfBounds();
// Raise Outlook's error for a folder or an item that is gone.
void CheckExists(const FolderNode* folder);
void CheckExists(const ItemNode* item);

}  // namespace quivra::outlook::sim::internal

#endif  // QUIVRA_HOST_OUTLOOK_SIM_SIM_OBJECTS_H_
