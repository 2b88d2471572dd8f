// The folders and items of the simulated Outlook as tests see and shape them.

#include <algorithm>
#include <stdexcept>

#include "host/outlook/sim/sim_objects.h"
#include "host/outlook/sim/sim_outlook.h"

namespace quivra::outlook::sim {

using internal::ExplorerNode;
using internal::FolderNode;
using internal::ItemNode;
using internal::Misuse;
using internal::World;
using internal::CheckNewName;

// SimFolder

FolderNode* SimFolder::Node() const {
  if (!node_) {
    Misuse("empty folder reference");
  }
  return node_;
}

bool SimFolder::exists() const {
  return Node()->exists;
}

const std::string& SimFolder::name() const {
  return Node()->name;
}

const std::string& SimFolder::entry_id() const {
  return Node()->entry_id;
}

const std::string& SimFolder::store_id() const {
  return Node()->store_id;
}

int SimFolder::default_item_type() const {
  return Node()->default_item_type;
}

std::string SimFolder::path() const {
  std::string path = Node()->name;
  for (FolderNode* up = node_->parent; up; up = up->parent) {
    path = up->name + "\\" + path;
  }
  return path;
}

SimFolder SimFolder::parent() const {
  return Node()->parent ? SimFolder(world_, node_->parent) : SimFolder();
}

SimFolder SimFolder::operator[](std::string_view name) const {
  for (FolderNode* child : Node()->children) {
    if (child->name == name) {
      return SimFolder(world_, child);
    }
  }
  Misuse("no folder \"" + std::string(name) + "\" in \"" + path() + "\"");
}

std::vector<SimFolder> SimFolder::subfolders() const {
  std::vector<SimFolder> folders;
  for (FolderNode* child : Node()->children) {
    folders.emplace_back(world_, child);
  }
  return folders;
}

std::vector<SimItem> SimFolder::items() const {
  std::vector<SimItem> items;
  for (ItemNode* item : Node()->items) {
    items.emplace_back(world_, item);
  }
  return items;
}

SimFolder SimFolder::AddFolder(std::string_view name, int default_item_type) const {
  CheckNewName(Node(), name);
  return SimFolder(world_, world_->NewFolder(node_, name, default_item_type, node_->store_id));
}

SimItem SimFolder::AddItem(ItemKind kind,
                           std::string_view subject,
                           std::optional<std::string> conversation_index) const {
  std::string index =
      conversation_index ? std::move(*conversation_index) : world_->NewConversationIndex();
  return SimItem(world_, world_->NewItem(Node(), kind, subject, std::move(index)));
}

void SimFolder::Rename(std::string_view name) const {
  CheckNewName(Node()->parent, name);
  node_->name = std::string(name);
}

void SimFolder::MoveTo(const SimFolder& new_parent) const {
  internal::FolderNode* parent = new_parent.Node();
  if (!Node()->parent || parent->store_id != node_->store_id) {
    Misuse("moving a root folder, or a folder to another store");
  }
  for (internal::FolderNode* above = parent; above; above = above->parent) {
    if (above == node_) {
      Misuse("moving a folder below itself");
    }
  }
  CheckNewName(parent, node_->name);
  auto& siblings = node_->parent->children;
  siblings.erase(std::find(siblings.begin(), siblings.end(), node_));
  parent->children.push_back(node_);
  node_->parent = parent;
}

void SimFolder::SetHidden(bool hidden) const {
  Node()->hidden = hidden;
}

void SimFolder::AddSecondEntryId() const {
  Node()->second_entry_id = World::SecondFormOf(node_->entry_id);
}

const std::string& SimFolder::second_entry_id() const {
  return Node()->second_entry_id;
}

void SimFolder::AddSecondStoreId() const {
  if (Node()->parent) {
    Misuse("a second store id for something that is not a store");
  }
  node_->second_store_id = World::SecondFormOf(node_->store_id);
}

const std::string& SimFolder::second_store_id() const {
  if (Node()->parent) {
    Misuse("the second store id of something that is not a store");
  }
  return node_->second_store_id;
}

void SimFolder::Delete() const {
  FolderNode* folder = Node();
  if (!folder->exists) {
    return;
  }
  // The user's delete is a soft delete: the folder, with everything in it, moves below its
  // store's Deleted Items and keeps its EntryID, as a folder moved within its store does;
  // deleting it there, or in a store without Deleted Items, is the hard delete that removes it
  // for good (DELETE_HARD_DELETE of
  // https://learn.microsoft.com/office/client-developer/outlook/mapi/imapifolder-deletefolder).
  FolderNode* bin = World::RootOf(folder)->deleted_items;
  FolderNode* above = folder;
  while (above && above != bin) {
    above = above->parent;
  }
  if (!bin || !bin->exists || above == bin || !folder->parent) {
    world_->RemoveFolder(folder);
    return;
  }
  // A name Deleted Items holds already gets a number, as Outlook gives it.
  std::string name = folder->name;
  for (int n = 1; World::FindChild(bin->children, name); ++n) {
    name = folder->name + std::to_string(n);
  }
  auto& siblings = folder->parent->children;
  siblings.erase(std::find(siblings.begin(), siblings.end(), folder));
  folder->name = name;
  folder->parent = bin;
  bin->children.push_back(folder);
}

void SimFolder::PermanentlyDelete() const {
  if (Node()->exists) {
    world_->RemoveFolder(node_);
  }
}

MAPIFolderPtr SimFolder::handle() const {
  return internal::MakeFolder(world_->shared_from_this(), Node());
}

// SimItem

ItemNode* SimItem::Node() const {
  if (!node_) {
    Misuse("empty item reference");
  }
  return node_;
}

bool SimItem::exists() const {
  return Node()->exists;
}

ItemKind SimItem::kind() const {
  return Node()->kind;
}

const std::string& SimItem::subject() const {
  return Node()->subject;
}

const std::string& SimItem::entry_id() const {
  return Node()->entry_id;
}

bool SimItem::unread() const {
  return Node()->unread;
}

const std::string& SimItem::conversation_index() const {
  return Node()->conversation_index;
}

void SimItem::SetSender(std::string_view address) const {
  Node()->sender = std::string(address);
}

void SimItem::SetConversationId(std::string_view id) const {
  Node()->conversation_id = std::string(id);
}

SimFolder SimItem::folder() const {
  return SimFolder(world_, Node()->folder);
}

void SimItem::MoveTo(const SimFolder& folder) const {
  if (!Node()->exists || !folder.exists()) {
    Misuse("moving an item that is gone, or into a folder that is gone");
  }
  world_->MoveItem(node_, folder.Node());
}

void SimItem::Delete() const {
  ItemNode* item = Node();
  if (!item->exists) {
    return;
  }
  auto& items = item->folder->items;
  items.erase(std::find(items.begin(), items.end(), item));
  item->exists = false;
}

ObjectPtr SimItem::handle() const {
  return internal::MakeItemObject(world_->shared_from_this(), Node());
}

}  // namespace quivra::outlook::sim
