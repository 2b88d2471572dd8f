#include <memory>

#include "core/add_in_module.h"
#include "dialogs/folder_picker.h"

namespace quivra::core {

void TAddInModule::FolderPickerDeleter::operator()(dialogs::TfrmFolders2* picker) const {
  delete picker;
}

dialogs::TfrmFolders2& TAddInModule::FolderPicker() {
  if (!folder_picker_) folder_picker_.reset(new dialogs::TfrmFolders2());
  return *folder_picker_;
}

void TAddInModule::FileToAnyFolder() {}

}  // namespace quivra::core
