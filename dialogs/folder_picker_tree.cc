// The picker's folder tree: the stores and their folders, each node keeping only its folder's
// ids and opening the folder while it uses it, the folders' pictures, and the nodes expanded
// when the picker last closed.
#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dialogs/folder_picker.h"
#include "dialogs/folder_rules.h"
#include "platform/ui/ui.h"

namespace quivra::dialogs {

namespace {

// State images of the tree (image list ImageListOLIcons).
constexpr int kImageDefaultStore = 1;
constexpr int kImageFolder = 2;
constexpr int kImageStore = 3;
constexpr int kImageDeletedItems = 4;
constexpr int kImageDrafts = 5;
constexpr int kImageInbox = 6;
constexpr int kImageJunk = 7;
constexpr int kImageOutbox = 8;
constexpr int kImageRss = 9;
constexpr int kImageSentItems = 10;


// The name of a deleted-items folder in the languages Outlook ships in, lowercase.
constexpr std::array<std::string_view, 6> kDeletedItemsNames = {
    "deleted items",     "\xC3\xA9l\xC3\xA9ments supprim\xC3\xA9s",
    "verwijderde items", "elementos eliminados",
    "posta eliminata",   "gel\xC3\xB6schte elemente"};

// Lowercase for ASCII and Latin-1 letters of UTF-8 text, so that names match without regard to
// case in the languages above.
std::string Lowercase(std::string_view text) {
  std::string result(text);
  for (size_t i = 0; i < result.size(); ++i) {
    const auto c = static_cast<unsigned char>(result[i]);
    if (c >= 'A' && c <= 'Z') {
      result[i] = static_cast<char>(c + 32);
    } else if (c == 0xC3 && i + 1 < result.size()) {
      const auto next = static_cast<unsigned char>(result[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) {  // À ... Þ, not ×
        result[i + 1] = static_cast<char>(next + 0x20);
      }
      ++i;
    }
  }
  return result;
}

bool Contains(const std::string& lowercase_name, std::string_view lowercase_part) {
  return lowercase_name.find(lowercase_part) != std::string::npos;
}

int FolderImage(const std::string& entry_id,
                const std::string& name,
                const TDefaultFolderIds& defaults) {
  if (entry_id == defaults.DeletedItems)
    return kImageDeletedItems;
  if (entry_id == defaults.Drafts)
    return kImageDrafts;
  if (entry_id == defaults.Inbox)
    return kImageInbox;
  if (entry_id == defaults.Outbox)
    return kImageOutbox;
  if (entry_id == defaults.SentItems)
    return kImageSentItems;
  const std::string lowercase = Lowercase(name);
  if (Contains(lowercase, "junk") || Contains(lowercase, "spam"))
    return kImageJunk;
  if (Contains(lowercase, "rss feeds"))
    return kImageRss;
  for (std::string_view deleted : kDeletedItemsNames) {
    if (Contains(lowercase, deleted))
      return kImageDeletedItems;
  }
  return kImageFolder;
}

}  // namespace

TFolderData* TfrmFolders2::FolderData(const ui::TreeNode& Node) {
  return dynamic_cast<TFolderData*>(Node.Data());
}

outlook::MAPIFolderPtr TfrmFolders2::OpenFolder(const TFolderData& data) {
  return outlook::Require(outlook_.GetNamespace("MAPI"))
      .GetFolderFromID(data.EntryId, data.StoreId);
}

void TfrmFolders2::FillTree() {
  treeFolders.Clear();
  outlook::NameSpacePtr name_space = outlook_.GetNamespace("MAPI");
  outlook::FolderCollectionPtr stores = outlook::Require(name_space).Folders();
  default_store_id_ =
      outlook::Require(
          outlook::Require(
              outlook::Require(name_space->GetDefaultFolder(outlook::kFolderInbox)).Parent())
              .AsMAPIFolder())
          .StoreID();
  ui::TreeNode* default_node = nullptr;
  const int count = outlook::Require(stores).Count();
  for (int i = 1; i <= count; ++i) {
    outlook::MAPIFolderPtr root = stores->Item(i);
    ui::TreeNode& node = treeFolders.Add(nullptr, outlook::Require(root).Name());
    node.SetHasChildren(outlook::Require(root->Folders()).Count() > 0);
    auto data = std::make_unique<TFolderData>(root->StoreID(), root->EntryID());
    if (data->StoreId == default_store_id_) {
      default_node = &node;
    }
    node.SetData(std::move(data));
  }
  // Sorting once after the loop gives the order that sorting after each node would.
  treeFolders.AlphaSort(nullptr, platform_.collation);
  if (default_node != nullptr) {
    treeFolders.MoveToFirst(*default_node);
  }
  // The house marks the default store; when no store is the default one, none gets it.
  for (int i = 0; i < treeFolders.Count(); ++i) {
    ui::TreeNode& node = treeFolders.Item(i);
    node.SetStateIndex(i == 0 && default_node != nullptr ? kImageDefaultStore : kImageStore);
  }
  RestoreExpandedNodes();
  treeFolders.SetVisible(true);
}

TDefaultFolderIds TfrmFolders2::ReadDefaultFolderIds(outlook::NameSpace& name_space) {
  auto entry_id = [&name_space](int kind) {
    return outlook::Require(name_space.GetDefaultFolder(kind)).EntryID();
  };
  TDefaultFolderIds ids;
  ids.DeletedItems = entry_id(outlook::kFolderDeletedItems);
  ids.Drafts = entry_id(outlook::kFolderDrafts);
  ids.Inbox = entry_id(outlook::kFolderInbox);
  ids.Outbox = entry_id(outlook::kFolderOutbox);
  ids.SentItems = entry_id(outlook::kFolderSentMail);
  return ids;
}

void TfrmFolders2::ExpandChildren(ui::TreeView& Sender, ui::TreeNode& Node, bool& AllowExpansion) {
  AllowExpansion = true;
  platform::WaitCursor wait(platform_.screen);
  // Children are always read afresh, so the tree shows Outlook as it is now.
  Sender.DeleteChildren(Node);
  TFolderData* data = FolderData(Node);
  if (data == nullptr) {
    return;
  }
  // The node's folder and its subfolders are open only for this expansion; each child only
  // while it is read.
  outlook::FolderCollectionPtr folders = outlook::Require(OpenFolder(*data)).Folders();
  const int count = outlook::Require(folders).Count();
  if (count == 0) {
    return;
  }
  // The five default folders are the same for every child: read them once per expansion.
  const outlook::NameSpacePtr name_space = outlook_.GetNamespace("MAPI");
  const TDefaultFolderIds defaults = ReadDefaultFolderIds(outlook::Require(name_space));
  const bool top_level = Node.Parent() == nullptr;
  std::optional<OutlookOwnFolders> own;
  // Outlook keeps its default folders directly below the default store's top-level folder:
  // there a folder may answer another form of a default folder's EntryID than GetDefaultFolder
  // gave, and Outlook is asked to compare them.
  std::optional<KnownFolderIds> default_ids;
  if (top_level) {
    own.emplace(*name_space);
    if (data->StoreId == default_store_id_) {
      default_ids.emplace(*name_space,
                          std::vector<std::string>{defaults.DeletedItems, defaults.Drafts,
                                                   defaults.Inbox, defaults.Outbox,
                                                   defaults.SentItems});
    }
  }
  for (int i = 1; i <= count; ++i) {
    outlook::MAPIFolderPtr folder = folders->Item(i);
    const std::string name = outlook::Require(folder).Name();
    if (!(own ? own->Hides(*folder, name, true) : IsOutlookOwnFolder(name))) {
      AddFolderNode(Node, folder, name, defaults, default_ids ? &*default_ids : nullptr);
    }
  }
  // One sort of all children instead of one per child added: the same order in O(n log n).
  Sender.AlphaSort(&Node, platform_.collation);
}

ui::TreeNode* TfrmFolders2::AddFolderNode(ui::TreeNode& Parent,
                                          const outlook::MAPIFolderPtr& folder,
                                          const std::string& name,
                                          const TDefaultFolderIds& defaults,
                                          KnownFolderIds* default_ids) {
  if (!HoldsMail(*folder)) {
    return nullptr;
  }
  ui::TreeNode& node = treeFolders.Add(&Parent, name);
  node.SetHasChildren(outlook::Require(folder->Folders()).Count() > 0);
  auto data = std::make_unique<TFolderData>(folder->StoreID(), folder->EntryID());
  std::string image_id = data->EntryId;
  if (default_ids != nullptr) {
    if (const int known = default_ids->Find(image_id, true); known >= 0) {
      image_id = default_ids->id(known);
    }
  }
  node.SetStateIndex(FolderImage(image_id, name, defaults));
  node.SetData(std::move(data));
  return &node;
}

void TfrmFolders2::RestoreExpandedNodes() {
  try {
    if (!configuration_.ExpandList || configuration_.ExpandList->empty()) {
      if (treeFolders.Count() > 0) {
        treeFolders.Expand(treeFolders.Item(0));
      }
      return;
    }
    const std::vector<std::string> remembered = *configuration_.ExpandList;
    for (const std::string& entry_id : remembered) {
      std::vector<ui::TreeNode*> matches;
      treeFolders.ForEach([&](ui::TreeNode& node) {
        const TFolderData* data = FolderData(node);
        if (data != nullptr && data->EntryId == entry_id && node.HasChildren() &&
            !node.Expanded()) {
          matches.push_back(&node);
        }
      });
      for (ui::TreeNode* node : matches) {
        treeFolders.Expand(*node);
      }
    }
  } catch (const std::exception&) {
    // What could be expanded stays expanded; the rest is shown collapsed.
  }
}

void TfrmFolders2::TreeExpandedNodes() {
  if (!configuration_.ExpandList) {
    return;
  }
  std::vector<std::string>& expanded = *configuration_.ExpandList;
  expanded.clear();
  treeFolders.ForEach([&expanded](ui::TreeNode& node) {
    const TFolderData* data = FolderData(node);
    if (data != nullptr && node.HasChildren() && node.Expanded()) {
      expanded.push_back(data->EntryId);
    }
  });
}

void TfrmFolders2::TreeDblClick() {
  try {
    ui::TreeNode* node = treeFolders.Selected();
    if (node == nullptr) {
      SetModalResult(ui::ModalResult::kCancel);
    } else if (!node->HasChildren() || accept_with_subfolders_) {
      const TFolderData* data = FolderData(*node);
      if (data == nullptr) {
        throw std::logic_error("The folder of the node was released.");
      }
      SelectedStore.StoreId = data->StoreId;
      SelectedName = node->Text();
      SelectedPath = node->Text();
      for (const ui::TreeNode* ancestor = node->Parent(); ancestor != nullptr;
           ancestor = ancestor->Parent()) {
        std::string prefix = ancestor->Text();
        prefix += '\\';
        SelectedPath.insert(0, prefix);
      }
      SetModalResult(ui::ModalResult::kOk);
    }
    // A node with subfolders only opens or closes on a double-click; the picker stays up.
  } catch (const std::exception&) {
    SetModalResult(ui::ModalResult::kCancel);
  }
  TreeExpandedNodes();
}

void TfrmFolders2::FreeNode(ui::TreeNode& Node) {
  Node.SetData(nullptr);
}

void TfrmFolders2::FreeAllNodes() {
  treeFolders.ForEach([this](ui::TreeNode& node) { FreeNode(node); });
}

}  // namespace quivra::dialogs
