#include "host/outlook/sim/sim_world.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

#include "host/outlook/outlook_error.h"

namespace quivra::outlook::sim::internal {

namespace {

// Store ids of personal folder files begin with the provider's fixed prefix; the rest is the
// store's own unique id.
constexpr std::string_view kStoreIdPrefix =
    "0000000038A1BB1005E5101AA1BB08002B2A56C200006D737073742E646C6C00000000";

std::string Hex(std::uint64_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0 && value != 0; --i) {
    text[static_cast<size_t>(i)] = kDigits[value & 0xF];
    value >>= 4;
  }
  return text;
}

// Lower-cases ASCII letters and the Latin-1 capitals (U+00C0 ... U+00DE but U+00D7) of UTF-8.
std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (size_t i = 0; i < folded.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(folded[i]);
    if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c + 0x20);
    } else if (c == 0xC3 && i + 1 < folded.size()) {
      unsigned char next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) {
        folded[i + 1] = static_cast<char>(next + 0x20);
      }
      ++i;
    }
  }
  return folded;
}

}  // namespace

bool SameFolderName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

void World::Call(std::string_view method) {
  auto count = calls.find(method);
  if (count == calls.end()) {
    calls.emplace(std::string(method), 1);
  } else {
    ++count->second;
  }
  if (gate && gate(method)) {
    throw OutlookError(kErrorFailed, "The operation failed. (" + std::string(method) + ")");
  }
  auto failure = failures.find(method);
  if (failure == failures.end()) {
    return;
  }
  if (failure->second.skip > 0) {
    --failure->second.skip;
    return;
  }
  if (failure->second.mode == FailMode::kOnce) {
    failures.erase(failure);
  }
  throw OutlookError(kErrorFailed, "The operation failed. (" + std::string(method) + ")");
}

std::string World::NextHex(int digits) {
  // splitmix64: deterministic, so every run of a test sees the same ids.
  std::string text;
  while (static_cast<int>(text.size()) < digits) {
    std::uint64_t z = (id_state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    text += Hex(z ^ (z >> 31), 16);
  }
  text.resize(static_cast<size_t>(digits));
  return text;
}

FolderNode* World::NewFolder(FolderNode* parent,
                             std::string_view name,
                             int default_item_type,
                             const std::string& store_id) {
  auto folder = std::make_unique<FolderNode>();
  folder->name = std::string(name);
  // Entry ids hold the store's unique id and a running number, so they never repeat.
  folder->entry_id = "00000000" + store_id.substr(kStoreIdPrefix.size()) + "0100" +
                     Hex(folder_arena.size() + 1, 8);
  folder->store_id = store_id;
  folder->default_item_type = default_item_type;
  folder->parent = parent;
  if (parent) {
    parent->children.push_back(folder.get());
  }
  folder_arena.push_back(std::move(folder));
  return folder_arena.back().get();
}

FolderNode* World::NewStore(std::string_view root_name) {
  std::string store_id = std::string(kStoreIdPrefix) + NextHex(32);
  FolderNode* root = NewFolder(nullptr, root_name, 0, store_id);
  stores.push_back(root);
  return root;
}

std::string World::NewConversationIndex() {
  // A conversation header: a reserved byte, a timestamp and a GUID, 22 bytes in all.
  return "01" + Hex(0x1D0000000ULL + static_cast<std::uint64_t>(next_conversation_++), 10) +
         NextHex(32);
}

ItemNode* World::NewItem(FolderNode* folder,
                         ItemKind kind,
                         std::string_view subject,
                         std::string conversation_index) {
  auto item = std::make_unique<ItemNode>();
  item->kind = kind;
  item->subject = std::string(subject);
  item->conversation_index = std::move(conversation_index);
  item->entry_id = NewItemEntryId(folder->store_id);
  item->folder = folder;
  folder->items.push_back(item.get());
  item_arena.push_back(std::move(item));
  return item_arena.back().get();
}

void World::MoveItem(ItemNode* item, FolderNode* target) {
  if (item->folder == target) {
    return;
  }
  // "The EntryID changes when an item is moved into another store"
  // (https://learn.microsoft.com/office/vba/api/outlook.mailitem.entryid).
  if (item->folder->store_id != target->store_id) {
    item->entry_id = NewItemEntryId(target->store_id);
  }
  auto& source = item->folder->items;
  source.erase(std::find(source.begin(), source.end(), item));
  target->items.push_back(item);
  item->folder = target;
  if (live_selection) {
    RefreshViews();
  }
}

std::string World::NewItemEntryId(const std::string& store_id) {
  return "00000000" + store_id.substr(kStoreIdPrefix.size()) + "0700" + Hex(next_item_++, 12);
}

ItemNode* World::FindItemByEntryId(std::string_view entry_id, std::string_view store_id) const {
  for (const auto& item : item_arena) {
    if (item->exists && item->entry_id == entry_id && item->folder->store_id == store_id) {
      return item.get();
    }
  }
  return nullptr;
}

FolderNode* World::RootOf(FolderNode* folder) {
  while (folder->parent) {
    folder = folder->parent;
  }
  return folder;
}

void World::RemoveFolder(FolderNode* folder) {
  if (folder->parent) {
    auto& siblings = folder->parent->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), folder));
  } else {
    stores.erase(std::find(stores.begin(), stores.end(), folder));
  }
  std::vector<FolderNode*> pending = {folder};
  while (!pending.empty()) {
    FolderNode* gone = pending.back();
    pending.pop_back();
    gone->exists = false;
    for (ItemNode* item : gone->items) {
      item->exists = false;
    }
    pending.insert(pending.end(), gone->children.begin(), gone->children.end());
  }
}

namespace {

const FolderNode* RootOf(const FolderNode* folder) {
  while (folder->parent) {
    folder = folder->parent;
  }
  return folder;
}

bool NamesFolder(const FolderNode& folder, std::string_view entry_id) {
  return folder.entry_id == entry_id ||
         (!folder.second_entry_id.empty() && folder.second_entry_id == entry_id);
}

bool NamesStoreOf(const FolderNode& folder, std::string_view store_id) {
  if (folder.store_id == store_id) {
    return true;
  }
  const std::string& second = RootOf(&folder)->second_store_id;
  return !second.empty() && second == store_id;
}

}  // namespace

FolderNode* World::FindByEntryId(std::string_view entry_id, std::string_view store_id) const {
  for (const auto& folder : folder_arena) {
    if (folder->exists && NamesFolder(*folder, entry_id) && NamesStoreOf(*folder, store_id)) {
      return folder.get();
    }
  }
  if (ids_resolve_in_any_store) {
    for (const auto& folder : folder_arena) {
      if (folder->exists && folder->entry_id == entry_id) {
        return folder.get();
      }
    }
  }
  return nullptr;
}

const FolderNode* World::Named(std::string_view id) const {
  for (const auto& folder : folder_arena) {
    if (NamesFolder(*folder, id)) {
      return folder.get();
    }
  }
  for (const auto& folder : folder_arena) {
    if (!folder->parent && NamesStoreOf(*folder, id)) {
      return folder.get();
    }
  }
  return nullptr;
}

bool World::SameObject(std::string_view first, std::string_view second) const {
  const FolderNode* one = Named(first);
  const FolderNode* other = Named(second);
  if (!one || !other) {
    // MAPI_E_INVALID_ENTRYID, as MAPI answers for an id it cannot read.
    throw OutlookError(static_cast<std::int32_t>(0x80040107),
                       "Could not complete the operation. One or more parameter values are not "
                       "valid.");
  }
  // A store's id and its root folder's EntryID name different objects.
  const bool one_is_store = !NamesFolder(*one, first);
  const bool other_is_store = !NamesFolder(*other, second);
  return one == other && one_is_store == other_is_store;
}

std::string World::SecondFormOf(const std::string& id) {
  std::string second = id;
  if (second.size() >= 2) {
    second[0] = '8';
    second[1] = '0';
  }
  return second;
}

FolderNode* World::FindChild(const std::vector<FolderNode*>& folders, std::string_view name) {
  for (FolderNode* folder : folders) {
    if (SameFolderName(folder->name, name)) {
      return folder;
    }
  }
  return nullptr;
}

std::vector<ItemNode*> World::View(const ExplorerNode& explorer) const {
  std::vector<ItemNode*> view;
  if (explorer.current && explorer.current->exists) {
    view = explorer.current->items;
  }
  // The conversation view shows, beside the folder's items, the replies of its conversations
  // that the user sent and Outlook keeps in Sent Items; a conversation header's own items are
  // only those of its folder
  // (https://learn.microsoft.com/office/vba/api/outlook.conversationheader.getitems).
  auto sent = default_folders.find(5);
  if (explorer.conversation_view && !view.empty() && sent != default_folders.end() &&
      sent->second != explorer.current && sent->second->exists) {
    std::unordered_set<std::string> conversations;
    for (const ItemNode* item : view) {
      if (!item->conversation_id.empty()) {
        conversations.insert(item->conversation_id);
      }
    }
    for (ItemNode* reply : sent->second->items) {
      if (conversations.count(reply->conversation_id) > 0) {
        view.push_back(reply);
      }
    }
  }
  if (explorer.order == ViewOrder::kNewestFirst) {
    std::reverse(view.begin(), view.end());
  }
  return view;
}

void World::RefreshViews() {
  for (const auto& explorer : explorers) {
    if (!explorer->open) {
      continue;
    }
    std::vector<ItemNode*> view = View(*explorer);
    std::unordered_set<ItemNode*> listed(view.begin(), view.end());
    std::vector<ItemNode*> kept;
    for (ItemNode* item : explorer->selection) {
      if (listed.count(item)) {
        kept.push_back(item);
      }
    }
    // When the whole selection has left, Outlook selects the item that followed the topmost
    // one that left, or the one above them all at the end of the list.
    if (kept.empty() && !explorer->selection.empty()) {
      const auto& shown = explorer->shown;
      std::unordered_set<ItemNode*> selected(explorer->selection.begin(),
                                             explorer->selection.end());
      auto at = std::find_if(shown.begin(), shown.end(),
                             [&](ItemNode* item) { return selected.count(item) > 0; });
      if (at != shown.end()) {
        auto after = std::find_if(at + 1, shown.end(),
                                  [&](ItemNode* item) { return listed.count(item) > 0; });
        if (after != shown.end()) {
          kept.push_back(*after);
        } else {
          auto before = std::find_if(std::make_reverse_iterator(at), shown.rend(),
                                     [&](ItemNode* item) { return listed.count(item) > 0; });
          if (before != shown.rend()) {
            kept.push_back(*before);
          }
        }
      }
    }
    explorer->selection = std::move(kept);
    explorer->shown = std::move(view);
    // A conversation none of whose items is left in the folder has no header any more.
    std::vector<std::string> headers;
    for (const std::string& conversation : explorer->headers) {
      if (explorer->current && explorer->current->exists &&
          std::any_of(explorer->current->items.begin(), explorer->current->items.end(),
                      [&](const ItemNode* item) { return item->conversation_id == conversation; })) {
        headers.push_back(conversation);
      }
    }
    explorer->headers = std::move(headers);
  }
}

std::uintptr_t World::MakeWindow() {
  if (windows.make) {
    return windows.make();
  }
  const std::uintptr_t window = next_window;
  next_window += 0x10;
  return window;
}

void Misuse(const std::string& what) {
  throw std::logic_error("SimOutlook: " + what);
}

void CheckNewName(const FolderNode* parent, std::string_view name) {
  if (name.empty()) {
    Misuse("a folder needs a name");
  }
  if (parent && World::FindChild(parent->children, name)) {
    Misuse("folder \"" + std::string(name) + "\" exists already");
  }
}

}  // namespace quivra::outlook::sim::internal
