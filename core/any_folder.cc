#include <memory>
#include <string>

#include "core/add_in_module.h"
#include "core/folder_suggestions.h"
#include "dialogs/folder_picker.h"
#include "platform/screen.h"

namespace quivra::core {

namespace {

// Files into the folder the picker was left with, and keeps the recently used list: a folder
// picked in the tree enters it before filing, whatever the outcome; an entry picked from it
// moves to the top after filing, or leaves it when its folder no longer exists.
void FileToPickedFolder(TAddInModule& module, const dialogs::TfrmFolders2& picker) {
  Configuration& config = module.configuration();
  if (!picker.SelectedPath.empty()) {
    const std::string& path = picker.SelectedPath;
    const std::string store = path.substr(0, path.find('\\'));
    const std::string& store_id = picker.SelectedStore.StoreId;
    if (!config.NoListUpdates) {
      config.MoveMruEntryToTop(path, store, store_id, picker.SelectedMruIndex);
    }
    config.StoreDetails[kAnyFolderTargetSlot] = {store, store, store_id};
    config.FolderNames[kAnyFolderTargetSlot] = path;
    module.FileToFolder(kAnyFolderTargetSlot, nullptr);
  } else if (picker.SelectedMruIndex != -1) {
    const int index = picker.SelectedMruIndex;
    const TMruDetails entry = config.MruList[index];
    config.StoreDetails[kAnyFolderTargetSlot] = {entry.Store, entry.Store, entry.StoreId};
    config.FolderNames[kAnyFolderTargetSlot] = entry.Folder;
    if (!module.FileToFolder(kAnyFolderTargetSlot, nullptr)) {
      config.RemoveMruEntry(index);
      return;
    }
    // The filing may have found the folder under a new path (its store or the folder itself
    // renamed or moved); the entry follows it.
    const TMruDetails now = {config.FolderNames[kAnyFolderTargetSlot],
                             config.StoreDetails[kAnyFolderTargetSlot].StoreName, entry.StoreId};
    config.MruList[index] = now;
    if (!config.NoListUpdates) {
      config.MoveMruEntryToTop(now.Folder, now.Store, now.StoreId, index);
    }
  }
}

}  // namespace

void TAddInModule::FolderPickerDeleter::operator()(dialogs::TfrmFolders2* picker) const {
  delete picker;
}

dialogs::TfrmFolders2& TAddInModule::FolderPicker() {
  if (!folder_picker_) {
    folder_picker_.reset(new dialogs::TfrmFolders2(*outlook_, configuration_, Services()));
  }
  return *folder_picker_;
}

void TAddInModule::FileToAnyFolder() {
  if (AnyDialogShowing()) {
    return;
  }
  dialogs::TfrmFolders2* picker = nullptr;
  try {
    platform::WaitCursor wait(Services().screen);
    picker = &FolderPicker();
    picker->MruGroupList.SetEnabled(true);
    picker->ListView1.SetEnabled(true);
    picker->Panel1.SetEnabled(true);
    picker->SetCaption("File to Any Folder...");
    picker->FillTree();
    picker->Suggestions = SuggestForSelection(*outlook_, history_, kSuggestionCount);
    picker->MruListAdd();
    picker->SelectedPath.clear();
    picker->SelectedMruIndex = -1;
    if (picker->ShowModal() == ui::ModalResult::kOk) {
      FileToPickedFolder(*this, *picker);
    }
  } catch (...) {
    // The error goes on to the add-in's error report; the folders are not held meanwhile.
    if (picker != nullptr) {
      picker->SetCaption("Folders");
      picker->FreeAllNodes();
      picker->Suggestions.clear();
    }
    throw;
  }
  // The list and its option may have changed even when nothing was filed: save after every use.
  picker->SetCaption("Folders");
  picker->FreeAllNodes();
  picker->Suggestions.clear();
  SaveButtonsToFile();
}

}  // namespace quivra::core
