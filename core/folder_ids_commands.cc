// The configuration file together with the folder ids and the undo history beside it, and a new
// folder for a filing button whose folder is gone.

#include <string>

#include "core/add_in_module.h"
#include "core/folder_resolution.h"
#include "dialogs/folder_picker.h"
#include "platform/ui/ui.h"

namespace quivra::core {

namespace {

// Gives the picker back as it was: its own width, and no Outlook folders held by its tree.
class BrowseModeRestore {
 public:
  explicit BrowseModeRestore(dialogs::TfrmFolders2& picker)
      : picker_(picker), width_(picker.Width()) {}
  ~BrowseModeRestore() {
    picker_.SetWidth(width_);
    picker_.FreeAllNodes();
  }
  BrowseModeRestore(const BrowseModeRestore&) = delete;
  BrowseModeRestore& operator=(const BrowseModeRestore&) = delete;

 private:
  dialogs::TfrmFolders2& picker_;
  int width_;
};

}  // namespace

void TAddInModule::LoadButtonsFromFile() {
  // The ids only help to find renamed and moved folders: a damaged file is set aside without
  // troubling the user, whose buttons go on working by their paths.
  const std::string problem = folder_ids_file_.Load();
  if (!problem.empty()) {
    log_.Write(problem);
  }
  configuration_file_.LoadButtonsFromFile();
}

void TAddInModule::LoadUndoHistory() {
  // Undo only helps: a damaged history is set aside, and filing goes on with an empty one.
  const std::string problem = undo_file_.Load();
  if (!problem.empty()) {
    log_.Write(problem);
  }
  filing_.UndoHistoryLoaded();
  log_.Write("start-up: " + std::to_string(filing_.undo_history().size()) + " filing runs to undo");
}

void TAddInModule::SaveButtonsToFile() {
  configuration_file_.SaveButtonsToFile();
  LearnFolderIds(*outlook_, configuration_);
  try {
    folder_ids_file_.Save();
  } catch (const std::exception& error) {
    // The configuration is saved; the old ids stay until the next save.
    log_.Write(std::string("the folder ids were not saved: ") + error.what());
  }
}

void TAddInModule::PickNewFolderForSlot(int slot) {
  if (AnyDialogShowing() || slot < kFirstFilingSlot || slot > kBackspaceSlot) {
    return;
  }
  dialogs::TfrmFolders2& picker = FolderPicker();
  ui::ModalResult result = ui::ModalResult::kNone;
  {
    picker.MruGroupList.SetEnabled(false);
    picker.ListView1.SetEnabled(false);
    picker.Panel1.SetEnabled(false);
    BrowseModeRestore restore(picker);
    picker.FillTree();
    picker.SelectedPath.clear();
    picker.SelectedName.clear();
    result = picker.ShowModal();
  }
  if (result != ui::ModalResult::kOk || picker.SelectedPath.empty()) {
    return;
  }
  const std::string& path = picker.SelectedPath;
  const std::string store = path.substr(0, path.find('\\'));
  const size_t index = static_cast<size_t>(slot);
  std::string& old_path = configuration_.FolderNames[index];
  // A caption that was the old folder's name becomes the new folder's.
  if (configuration_.ButtonNames[index] == old_path.substr(old_path.rfind('\\') + 1)) {
    configuration_.ButtonNames[index] = picker.SelectedName;
  }
  configuration_.StoreDetails[index] = {store, store, picker.SelectedStore.StoreId};
  old_path = path;
  SaveButtonsToFile();
  PlaceButtonBar();
  FileToFolder(slot, nullptr);
}

}  // namespace quivra::core
