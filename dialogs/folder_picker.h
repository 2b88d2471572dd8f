#ifndef QUIVRA_DIALOGS_FOLDER_PICKER_H_
#define QUIVRA_DIALOGS_FOLDER_PICKER_H_

#include <string>
#include <vector>

#include "host/outlook/outlook.h"
#include "model/configuration.h"
#include "platform/platform.h"
#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/form.h"
#include "platform/ui/list_view.h"
#include "platform/ui/static_controls.h"
#include "platform/ui/tree_view.h"

namespace quivra::dialogs {

// The Outlook folder a tree node stands for; the node owns it.
class TFolderData : public ui::TreeNodeData {
 public:
  TFolderData(outlook::MAPIFolderPtr folder, std::string store_id, std::string entry_id)
      : MapiFolder(std::move(folder)), StoreId(std::move(store_id)), EntryId(std::move(entry_id)) {}

  outlook::MAPIFolderPtr MapiFolder;
  std::string StoreId;
  std::string EntryId;
};

// The EntryIDs of the default store's Deleted Items, Drafts, Inbox, Outbox and Sent Items, which
// give those folders their own images in the tree.
struct TDefaultFolderIds {
  std::string DeletedItems;
  std::string Drafts;
  std::string Inbox;
  std::string Outbox;
  std::string SentItems;
};

// The folder picker: a tree of the open stores and their mail folders, loaded level by level
// from Outlook as nodes are expanded, and the recently used folders beside it. In any-folder
// mode (ListView1 enabled when shown) the user picks a tree folder or a list entry; in browse
// mode the list side is hidden, the window narrowed to the tree, and only a tree folder can be
// picked. The choice is left in the picker results; the configuration's recently used list,
// "Disable List Updates" option and remembered expanded nodes are edited in place.
class TfrmFolders2 : public ui::Form {
 public:
  TfrmFolders2(outlook::Application& outlook,
               core::Configuration& configuration,
               platform::Platform& platform);
  ~TfrmFolders2() override;

  // Shows the picker modally: OK when a folder or an entry was accepted.
  ui::ModalResult ShowModal();

  // The tree.
  void FillTree();
  void ExpandChildren(ui::TreeView& Sender, ui::TreeNode& Node, bool& AllowExpansion);
  // Adds a node for `folder` below `Parent` when the folder holds mail items; `name` is its
  // Name. Returns the node, or null.
  ui::TreeNode* AddFolderNode(ui::TreeNode& Parent,
                              const outlook::MAPIFolderPtr& folder,
                              const std::string& name,
                              const TDefaultFolderIds& defaults);
  void RestoreExpandedNodes();
  void TreeExpandedNodes();
  void TreeDblClick();
  void FreeNode(ui::TreeNode& Node);
  void FreeAllNodes();
  // The folder attached to a node, or null when it has none (any more).
  static TFolderData* FolderData(const ui::TreeNode& Node);

  // The recently used list.
  void MruListAdd();
  void MruListDblClick();
  void ListView1Enter();
  void MruListExit();
  void cbNoListUpdatesClick();
  void cbClearEntryClick();
  void cbClearListClick();
  void EmptyMruList();
  void EmptyMruEntry(int k);

  // Buttons, keys and showing.
  void OK();
  void Cancel();
  void FormKeyPress(char& Key);
  void AtShow();
  void ButtonAddClick();

  // The picker results. Callers reset what they read before showing: an accepted tree folder
  // sets SelectedPath (full path), SelectedName and SelectedStore.StoreId; an accepted list
  // entry sets SelectedMruIndex (its position, 1 ... 20; -1 none).
  std::string SelectedPath;
  std::string SelectedName;
  core::TStoreDetails SelectedStore;
  int SelectedMruIndex = -1;

  // Components, as the design data names them.
  ui::GroupBox FolderTree;
  ui::TreeView treeFolders;
  ui::GroupBox MruGroupList;
  ui::ListView ListView1;
  ui::Panel Panel1;
  ui::CheckBox cbNoListUpdates;
  ui::CheckBox cbClearEntry;
  ui::CheckBox cbClearList;
  ui::Button ButtonAdd;
  ui::Button btnOK;
  ui::Button btnCancel;

 private:
  TDefaultFolderIds ReadDefaultFolderIds();
  // The position in MruList of the selected row, or -1.
  int SelectedEntry() const;
  void RemoveSelections();

  outlook::Application& outlook_;
  core::Configuration& configuration_;
  platform::Platform& platform_;
  // Set by OK while it accepts the selected tree node, so that a node with subfolders is taken.
  bool accept_with_subfolders_ = false;
  // The MruList position each row of ListView1 shows.
  std::vector<int> row_entries_;
};

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_FOLDER_PICKER_H_
