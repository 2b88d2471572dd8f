#ifndef QUIVRA_DIALOGS_ADD_FOLDER_FORM_H_
#define QUIVRA_DIALOGS_ADD_FOLDER_FORM_H_

#include <string>

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/html_label.h"
#include "platform/ui/ui.h"

namespace quivra::dialogs {

// The small dialog that asks for the name of a new folder below ParentName.
class TFormAddFolder : public ui::Form {
 public:
  TFormAddFolder();

  void FormShow();
  void ButtonOKClick();

  // The display name of the folder the new one goes under; set before showing.
  std::string ParentName;

  ui::HtmlLabel HTMLabel1;
  ui::Edit EditFolderName;
  ui::Button ButtonOK;
  ui::Button ButtonCancel;
};

// Asks for a new folder's name below `ParentName` in a TFormAddFolder of its own. True, with the
// name exactly as typed, when the user pressed OK; false and an empty name otherwise.
bool AskNewFolderName(ui::Ui& ui, const std::string& ParentName, std::string& FolderName);

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_ADD_FOLDER_FORM_H_
