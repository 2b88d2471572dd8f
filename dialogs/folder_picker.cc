#include "dialogs/folder_picker.h"

#include <string>

#include "dialogs/add_folder_form.h"
#include "platform/screen.h"
#include "platform/ui/ui.h"

namespace quivra::dialogs {

namespace {

using platform::MessageButton;
using platform::MessageIcon;

// Outlook's folder type for a new mail folder.
constexpr int kNewFolderType = 15;

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
