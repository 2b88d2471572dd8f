// The commands of the main button's menu: Configure, Help and About.

#include <optional>
#include <string>

#include "core/add_in_module.h"
#include "dialogs/about_box.h"
#include "dialogs/config_dialog.h"
#include "dialogs/folder_picker.h"
#include "platform/screen.h"
#include "platform/ui/ui.h"

namespace quivra::core {

namespace {

constexpr char kDefaultMainButtonCaption[] = "Quivra";

// Gives the picker back for "Any Folder...": its own width, and no Outlook folders held by its
// tree.
class PickerRestore {
 public:
  explicit PickerRestore(dialogs::TfrmFolders2& picker) : picker_(picker), width_(picker.Width()) {}
  ~PickerRestore() {
    picker_.SetWidth(width_);
    picker_.FreeAllNodes();
  }
  PickerRestore(const PickerRestore&) = delete;
  PickerRestore& operator=(const PickerRestore&) = delete;

 private:
  dialogs::TfrmFolders2& picker_;
  int width_;
};

}  // namespace

void TAddInModule::DialogDeleter::operator()(dialogs::TfrmConfig* dialog) const {
  delete dialog;
}

void TAddInModule::DialogDeleter::operator()(dialogs::TFormAbout* dialog) const {
  delete dialog;
}

bool TAddInModule::AnyDialogShowing() const {
  return (folder_picker_ && folder_picker_->Showing()) ||
         (config_dialog_ && config_dialog_->Showing()) || (about_box_ && about_box_->Showing());
}

void TAddInModule::Configure() {
  if (AnyDialogShowing()) {
    return;
  }
  platform::Platform& services = Services();
  // The wait cursor covers reading the folder tree; the dialog is used with the normal pointer,
  // and the cursor is back to normal however this ends.
  std::optional<platform::WaitCursor> wait(std::in_place, services.screen);
  if (configuration_.MainButtonCaption.empty()) {
    configuration_.MainButtonCaption = kDefaultMainButtonCaption;
  }
  dialogs::TfrmFolders2& picker = FolderPicker();
  if (!config_dialog_) {
    config_dialog_.reset(
        new dialogs::TfrmConfig(configuration_, picker, &history_, &mark_as_read_));
    // F1 in the dialog opens the same support page as the Help command.
    config_dialog_->OnHelp = [this] { Help(); };
  }
  ui::ModalResult result = ui::ModalResult::kNone;
  {
    // Browse mode: only the tree, shared by every Browse of this opening with its expansions.
    picker.MruGroupList.SetEnabled(false);
    picker.ListView1.SetEnabled(false);
    picker.Panel1.SetEnabled(false);
    PickerRestore restore(picker);
    picker.FillTree();
    wait.reset();
    result = services.ui.ShowModal(*config_dialog_);
  }
  if (result == ui::ModalResult::kOk) {
    SaveButtonsToFile();
    LoadButtonsFromFile();
    PlaceButtonBar();
  }
}

void TAddInModule::ShowAbout() {
  if (AnyDialogShowing()) {
    return;
  }
  if (!about_box_) {
    about_box_.reset(new dialogs::TFormAbout(Services().shell));
  }
  Services().ui.ShowModal(*about_box_);
}

void TAddInModule::Help() {
  // Whether a browser started is not examined.
  Services().shell.Open(std::string(dialogs::kProductWebSite) + "support/");
}

}  // namespace quivra::core
