#include "dialogs/add_folder_form.h"

namespace quivra::dialogs {

TFormAddFolder::TFormAddFolder()
    : ui::Form("FormAddFolder"),
      HTMLabel1(this, "HTMLabel1", {9, 9, 220, 13}),
      EditFolderName(this, "EditFolderName", {9, 45, 220, 21}),
      ButtonOK(this, "ButtonOK", {68, 74, 75, 25}),
      ButtonCancel(this, "ButtonCancel", {155, 74, 75, 25}) {
  SetClientSize(239, 110);
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetCloseBoxOnly(true);
  SetPosition(ui::FormPosition::kMainFormCenter);
  SetFont({"Tahoma", 8, false});
  OnShow = [this] { FormShow(); };

  HTMLabel1.SetHTMLText({"Enter name of new folder to be created <br>in "});
  EditFolderName.SetTabOrder(0);
  ButtonOK.SetCaption("OK");
  ButtonOK.SetDefault(true);
  ButtonOK.SetTabOrder(1);
  ButtonOK.SetAnchors(ui::kAnchorRight | ui::kAnchorBottom);
  ButtonOK.OnClick = [this] { ButtonOKClick(); };
  ButtonCancel.SetCaption("Cancel");
  ButtonCancel.SetCancel(true);
  ButtonCancel.SetModalResult(ui::ModalResult::kCancel);
  ButtonCancel.SetTabOrder(2);
  ButtonCancel.SetAnchors(ui::kAnchorRight | ui::kAnchorBottom);
}

void TFormAddFolder::FormShow() {
  SetCaption("Create New Folder");
  std::string line = "<b>";
  line += ParentName;
  line += "</b>";
  HTMLabel1.AddHTMLLine(std::move(line));
  EditFolderName.SetFocus();
}

void TFormAddFolder::ButtonOKClick() {
  SetModalResult(ui::ModalResult::kOk);
}

bool AskNewFolderName(ui::Ui& ui, const std::string& ParentName, std::string& FolderName) {
  TFormAddFolder form;
  form.ParentName = ParentName;
  if (ui.ShowModal(form) == ui::ModalResult::kOk) {
    FolderName = form.EditFolderName.Text();
    return true;
  }
  FolderName.clear();
  return false;
}

}  // namespace quivra::dialogs
