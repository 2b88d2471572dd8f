#ifndef QUIVRA_DIALOGS_FOLDER_PICKER_H_
#define QUIVRA_DIALOGS_FOLDER_PICKER_H_

#include <optional>
#include <string>
#include <vector>

#include "dialogs/folder_index.h"
#include "dialogs/folder_rules.h"
#include "host/outlook/outlook.h"
#include "model/configuration.h"
#include "model/filing_history.h"
#include "platform/platform.h"
#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/list_view.h"
#include "platform/ui/static_controls.h"
#include "platform/ui/tree_view.h"

namespace quivra::dialogs {

// The Outlook folder a tree node stands for, by its ids. A node holds no Outlook object: an
// Exchange server allows a session only so many open folders, for Outlook and every add-in
// together, and a tree can have thousands of nodes. The folder is opened by its ids while the
// picker uses it (see OpenFolder).
class TFolderData : public ui::TreeNodeData {
 public:
  TFolderData(std::string store_id, std::string entry_id)
      : StoreId(std::move(store_id)), EntryId(std::move(entry_id)) {}

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
//
// The "Find:" box finds a folder by typing part of its name: while it holds text, the list
// shows the matching folders instead of the recently used ones (any-folder mode) and the tree
// selects the current match, opening its parents; Up and Down move through the matches, Enter
// files into the current one, Esc empties the box. A character typed while the tree or the
// list has the focus goes to the box. Emptied, the box gives back the list as it was.
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
                              const TDefaultFolderIds& defaults,
                              KnownFolderIds* default_ids = nullptr);
  void RestoreExpandedNodes();
  void TreeExpandedNodes();
  void TreeDblClick();
  void FreeNode(ui::TreeNode& Node);
  void FreeAllNodes();
  // The folder attached to a node, or null when it has none (any more).
  static TFolderData* FolderData(const ui::TreeNode& Node);
  // Opens the folder a node stands for, wherever in its store it lies now; raises what Outlook
  // raises for a folder that no longer exists. The caller holds it only while it uses it.
  outlook::MAPIFolderPtr OpenFolder(const TFolderData& data);

  // The recently used list. Suggested folders, when the caller gives any, stand above the
  // recently used ones, marked as suggested; a recently used folder that is suggested is shown
  // once, as the suggestion.
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
  void FormKeyDown(int& Key);

  // The "Find:" box.
  void EditFindChange();

  // The picker results. Callers reset what they read before showing: an accepted tree folder
  // sets SelectedPath (full path), SelectedName and SelectedStore.StoreId; an accepted list
  // entry sets SelectedMruIndex (its position, 1 ... 20; -1 none).
  std::string SelectedPath;
  std::string SelectedName;
  core::TStoreDetails SelectedStore;
  int SelectedMruIndex = -1;

  // The folders suggested for the mail to be filed, best first; set by the caller before
  // MruListAdd. An accepted suggestion that is not in the recently used list is reported as an
  // accepted tree folder.
  std::vector<core::LearnedFolder> Suggestions;
  // The mark after a suggested folder's name.
  static constexpr char kSuggestedMark[] = " (suggested)";

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
  ui::Label LabelFind;
  ui::Edit EditFind;

 private:
  TDefaultFolderIds ReadDefaultFolderIds(outlook::NameSpace& name_space);
  // The StoreID of the default store, as its top-level folder gives it; read with the stores.
  std::string default_store_id_;
  // The position in MruList of the selected row, or -1.
  int SelectedEntry() const;
  void RemoveSelections();
  // Shows one row per folder path in ListView1: the folder's own name, and the whole path when
  // it has a "\"; the first column as wide as its widest text.
  // The first `suggested` rows are marked as suggested.
  void FillPathRows(const std::vector<std::string>& paths, size_t suggested = 0);

  // The search (folder_picker_find.cc).
  // Puts the box below the list, left of its check boxes, or in browse mode under the tree.
  void PlaceFindBox(bool any_folder_mode);
  // Empties the box and forgets the search of the last showing.
  void ResetFind();
  void ShowMatches();
  void SelectMatch(int match);
  // Gives back the list and the selections the search started from.
  void EndFind();
  // Accepts the folder of a match as a tree folder is accepted.
  void AcceptMatch(int match);
  // The tree node of an indexed folder, its parents opened on the way; null when the tree no
  // longer has it.
  ui::TreeNode* RevealFolder(int position);

  outlook::Application& outlook_;
  core::Configuration& configuration_;
  platform::Platform& platform_;
  // Set by OK while it accepts the selected tree node, so that a node with subfolders is taken.
  bool accept_with_subfolders_ = false;
  // The MruList position each row of ListView1 shows; empty while it shows matches.
  std::vector<int> row_entries_;
  // How many rows at the top of ListView1 show Suggestions, in their order.
  size_t suggested_rows_ = 0;

  // The folders of the open stores, read at the first keystroke of each showing.
  std::optional<FolderIndex> index_;
  // While the box holds text: the index positions of the matches, best first, and the current
  // one (-1: none).
  bool finding_ = false;
  std::vector<int> matches_;
  int match_ = -1;
  // What the search started from: the selected list row and the EntryID of the selected tree
  // node (empty: none).
  int saved_row_ = -1;
  std::string saved_node_;
};

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_FOLDER_PICKER_H_
