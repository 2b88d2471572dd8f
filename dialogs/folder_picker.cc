#include "dialogs/folder_picker.h"

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>

#include "dialogs/add_folder_form.h"
#include "dialogs/folder_rules.h"
#include "platform/screen.h"
#include "platform/ui/ui.h"

namespace quivra::dialogs {

namespace {

using platform::MessageButton;
using platform::MessageIcon;

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

// Outlook's folder type for a new mail folder.
constexpr int kNewFolderType = 15;

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

TfrmFolders2::TfrmFolders2(outlook::Application& outlook,
                           core::Configuration& configuration,
                           platform::Platform& platform)
    : ui::Form("frmFolders2"),
      FolderTree(this, "FolderTree", {0, 2, 300, 514}),
      treeFolders(&FolderTree, "treeFolders", {2, 15, 296, 497}),
      MruGroupList(this, "MruGroupList", {298, 2, 384, 412}),
      ListView1(&MruGroupList, "ListView1", {2, 15, 378, 394}),
      Panel1(this, "Panel1", {300, 414, 379, 103}),
      cbNoListUpdates(&Panel1, "cbNoListUpdates", {14, 72, 137, 17}),
      cbClearEntry(&Panel1, "cbClearEntry", {268, 51, 111, 17}),
      cbClearList(&Panel1, "cbClearList", {268, 72, 97, 17}),
      ButtonAdd(this, "ButtonAdd", {12, 532, 75, 25}),
      btnOK(this, "btnOK", {504, 532, 75, 25}),
      btnCancel(this, "btnCancel", {592, 532, 75, 25}),
      LabelFind(this, "LabelFind", {314, 432, 32, 13}),
      EditFind(this, "EditFind", {348, 428, 208, 21}),
      outlook_(outlook),
      configuration_(configuration),
      platform_(platform) {
  SetCaption("Folders");
  SetBounds({378, 131, 680, 573});
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetKeyPreview(true);
  SetFont({"MS Sans Serif", 8, false});
  SetIconName("FOLDERS");
  OnShow = [this] { AtShow(); };
  OnKeyPress = [this](char& key) { FormKeyPress(key); };
  OnKeyDown = [this](int& key) { FormKeyDown(key); };

  FolderTree.SetCaption("&Select Folder");
  FolderTree.SetTabOrder(0);
  treeFolders.SetReadOnly(true);
  treeFolders.SetRightClickSelect(true);
  treeFolders.SetRowSelect(true);
  treeFolders.SetIndent(19);
  treeFolders.SetStateImages("ImageListOLIcons");
  treeFolders.OnExpanding = [this](ui::TreeView& sender, ui::TreeNode& node, bool& allow) {
    ExpandChildren(sender, node, allow);
  };
  treeFolders.OnDblClick = [this] { TreeDblClick(); };
  treeFolders.OnEnter = [this] { MruListExit(); };

  MruGroupList.SetCaption("Most Recently &Used (MRU)");
  MruGroupList.SetAnchors(ui::kAnchorLeft | ui::kAnchorTop | ui::kAnchorRight);
  MruGroupList.SetTabOrder(1);
  ListView1.AddColumn("Folder", 100);
  ListView1.AddColumn("Path", 100);
  ListView1.SetReadOnly(true);
  ListView1.SetRowSelect(true);
  ListView1.SetColumnClick(false);
  ListView1.OnEnter = [this] { ListView1Enter(); };
  ListView1.OnDblClick = [this] { MruListDblClick(); };

  Panel1.SetTabOrder(2);
  Panel1.SetAccessibleName("Recently used list options");
  // In reading order: "Clear MRU Entry" stands above the other two.
  cbClearEntry.SetTabOrder(0);
  cbNoListUpdates.SetCaption("&Disable List Updates");
  cbNoListUpdates.SetTabOrder(1);
  cbNoListUpdates.OnClick = [this] { cbNoListUpdatesClick(); };
  cbClearEntry.SetCaption("Clear MRU &Entry");
  cbClearEntry.OnClick = [this] { cbClearEntryClick(); };
  cbClearList.SetCaption("Clear MRU &List");
  cbClearList.SetTabOrder(2);
  cbClearList.SetAnchors(ui::kAnchorTop | ui::kAnchorRight);
  cbClearList.OnClick = [this] { cbClearListClick(); };

  ButtonAdd.SetCaption("&Add...");
  ButtonAdd.SetTabOrder(3);
  ButtonAdd.OnClick = [this] { ButtonAddClick(); };
  btnOK.SetCaption("OK");
  btnOK.SetDefault(true);
  btnOK.SetTabOrder(4);
  btnOK.SetAnchors(ui::kAnchorRight | ui::kAnchorBottom);
  btnOK.OnClick = [this] { OK(); };
  btnCancel.SetCaption("Cancel");
  btnCancel.SetTabOrder(5);
  btnCancel.SetAnchors(ui::kAnchorRight | ui::kAnchorBottom);
  btnCancel.OnClick = [this] { Cancel(); };

  // After the tree and the list in the tab order, before the check boxes.
  LabelFind.SetCaption("&Find:");
  LabelFind.SetFocusControl(&EditFind);
  LabelFind.SetTabOrder(1);
  EditFind.SetTabOrder(1);
  EditFind.OnChange = [this] { EditFindChange(); };
}

TfrmFolders2::~TfrmFolders2() = default;

ui::ModalResult TfrmFolders2::ShowModal() {
  return platform_.ui.ShowModal(*this);
}

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

void TfrmFolders2::OK() {
  if (cbClearList.Checked()) {
    const MessageButton answer = platform_.message_boxes.Show(
        {"Warning",
         "Do you want to clear the list of Most Recently Used folders?",
         MessageIcon::kWarning,
         {MessageButton::kOk, MessageButton::kCancel}});
    if (answer == MessageButton::kOk) {
      EmptyMruList();
    }
    SetModalResult(ui::ModalResult::kCancel);
    return;
  }
  if (ListView1.ItemIndex() != -1) {
    MruListDblClick();
    return;
  }
  if (finding_ && treeFolders.Selected() == nullptr) {
    // Nothing matches what was typed: the picker stays up for the user to type on.
    return;
  }
  // OK takes a node with subfolders too, for this acceptance only.
  accept_with_subfolders_ = true;
  TreeDblClick();
  accept_with_subfolders_ = false;
}

void TfrmFolders2::Cancel() {
  TreeExpandedNodes();
  SetModalResult(ui::ModalResult::kCancel);
}

void TfrmFolders2::FormKeyPress(char& Key) {
  if (Key == ui::kEscapeKey && !EditFind.Text().empty()) {
    // The first Esc only empties the box; the next one cancels.
    EditFind.SetText("");
    Key = 0;
    return;
  }
  if (Key >= ' ' && Key < 127 && (treeFolders.Focused() || ListView1.Focused()) &&
      EditFind.Reachable()) {
    // Typing in the tree or the list starts a search.
    EditFind.SetFocus();
    EditFind.SetText(EditFind.Text() + Key);
    Key = 0;
    return;
  }
  if (Key == ui::kEscapeKey) {
    TreeExpandedNodes();
    SetModalResult(ui::ModalResult::kCancel);
  }
}

void TfrmFolders2::AtShow() {
  ResetFind();
  PlaceFindBox(ListView1.Enabled());
  cbNoListUpdates.SetChecked(configuration_.NoListUpdates);
  cbClearList.SetChecked(false);
  cbClearEntry.SetChecked(false);
  if (treeFolders.Count() > 0) {
    treeFolders.Select(&treeFolders.Item(0));
  }
  if (ListView1.Enabled()) {
    MruGroupList.SetVisible(true);
    ListView1.SetVisible(true);
    Panel1.SetVisible(true);
    if (ListView1.Count() > 0) {
      ListView1.SetItemIndex(0);
      treeFolders.Select(nullptr);
    }
    ListView1.SetFocus();
  } else {
    MruGroupList.SetVisible(false);
    ListView1.SetVisible(false);
    Panel1.SetVisible(false);
    SetWindowWidth(FolderTree.Width() + 8);
    treeFolders.SetFocus();
  }
}

void TfrmFolders2::ButtonAddClick() {
  ui::TreeNode* node = treeFolders.Selected();
  if (node == nullptr) {
    platform_.message_boxes.Show({"Information",
                                  "Select a folder in the tree where to place the new folder",
                                  MessageIcon::kInformation,
                                  {MessageButton::kOk}});
    return;
  }
  std::string name;
  if (!AskNewFolderName(platform_.ui, node->Text(), name)) {
    return;
  }
  {
    // The parent and its subfolders are open only while the folder is added.
    const TFolderData* data = FolderData(*node);
    outlook::MAPIFolderPtr parent = data != nullptr ? OpenFolder(*data) : nullptr;
    const outlook::FolderCollectionPtr folders = outlook::Require(parent).Folders();
    parent.reset();
    try {
      outlook::Require(folders).Add(name, kNewFolderType);
    } catch (const outlook::OutlookError& error) {
      // The type argument is not one Outlook documents for Folders.Add; an Outlook that refuses
      // it as such gets none, and gives the new folder its parent's type. Every other failure
      // stays a failure.
      if (error.code() != outlook::kErrorInvalidArgument &&
          error.code() != outlook::kErrorTypeMismatch) {
        throw;
      }
      outlook::Require(folders).Add(name, std::nullopt);
    }
  }
  FillTree();
  if (finding_) {
    // The new folder can be found at once; the tree was rebuilt, so the match is selected anew.
    index_.reset();
    ShowMatches();
  }
}

}  // namespace quivra::dialogs
