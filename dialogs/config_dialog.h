#ifndef QUIVRA_DIALOGS_CONFIG_DIALOG_H_
#define QUIVRA_DIALOGS_CONFIG_DIALOG_H_

#include <array>
#include <memory>
#include <string>

#include "dialogs/folder_picker.h"
#include "model/configuration.h"
#include "model/filing_history.h"
#include "model/filing_options.h"
#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/html_label.h"
#include "platform/ui/static_controls.h"

namespace quivra::dialogs {

// The controls of one slot's row; defined with the dialog.
struct TSlotRow;

// The button configuration dialog: a row per filing slot (1 ... 10, and 11 for the Backspace
// key) with its folder, chosen through the folder picker, and its caption; arrows that swap a
// slot with its neighbour; the options and the main button's caption. Browse, Clear, the arrows
// and unchecking Backspace change the configuration's slots at once; captions, options and the
// main button's caption are taken on OK. The dialog is reused: every showing refills it.
class TfrmConfig : public ui::Form {
 public:
  // `picker` serves Browse; the caller puts it in browse mode and fills its tree beforehand.
  // `history`, when given, serves "Suggest folders" and "Forget what was learned";
  // `mark_as_read`, when given, "Mark as read when filing".
  TfrmConfig(core::Configuration& configuration,
             TfrmFolders2& picker,
             core::FilingHistory* history = nullptr,
             core::MarkAsReadOption* mark_as_read = nullptr);
  ~TfrmConfig() override;

  // OnShow: fills the rows and options from the configuration and fits the dialog to the host.
  void AtShow();
  // Copies the configuration into the controls; rows of slots without a folder keep what they
  // showed.
  void Initialize();
  // Shows a folder path and a caption in row 1 ... 11; other rows are ignored.
  void AssignButton(int Row, const std::string& FolderPath, const std::string& Caption);

  // Handlers; the Sender's tag tells the row, or for an arrow the direction and the row.
  void Browse(ui::Control& Sender);
  void MoveButton(ui::Control& Sender);
  void Clear(ui::Control& Sender);
  void cbBackSpaceClick();
  // Deletes what was learned at once (Cancel does not bring it back).
  void btnForgetClick();
  void OK();
  void Cancel();
  void FormKeyPress(char& Key);

  // The controls of row 1 ... 11 (EditFolder1, BtnBrowse1, EditBtn1, BtnClear1, ...).
  ui::Edit& EditFolder(int row);
  ui::Button& BtnBrowse(int row);
  ui::Edit& EditBtn(int row);
  ui::Button& BtnClear(int row);

  // Components, as the design data names them; the rows' controls are created with them.
  ui::GroupBox GroupBoxFolders;
  ui::GroupBox GroupBoxBkSp;
  ui::Image ImageBkSp;
  ui::HtmlLabel LabelBkSp;
  ui::CheckBox cbBackSpace;
  ui::Label LabelHelp;
  ui::CheckBox AddShortcuts;
  ui::CheckBox AddIcons;
  ui::CheckBox AddSeparator;
  // The illustration of numbered button icons beside AddIcons.
  ui::Image ImageKey1;
  ui::Label LabelComma;
  ui::Image ImageKey2;
  ui::Label LabelEllipsis;
  ui::Image ImageKey0;
  ui::Label LabelMainButton;
  ui::Edit MainButtonName;
  // On a ribbon Outlook, in the main button's place: Alt+1 ... Alt+9 are the Quick Access
  // Toolbar's keys there, and the add-in takes them for every button with a folder.
  ui::Label LabelShortcutsNote;
  // "Suggest folders", taken on OK, and "Forget what was learned".
  ui::CheckBox cbSuggest;
  ui::Button btnForget;
  // "Mark as read when filing", taken on OK.
  ui::CheckBox cbMarkRead;
  ui::Button btnOK;
  ui::Button btnCancel;

 private:
  TSlotRow& Row(int row);
  // Empties slot `row` in the configuration and its two fields.
  void ClearRow(int row);

  core::Configuration& configuration_;
  TfrmFolders2& picker_;
  core::FilingHistory* history_;
  core::MarkAsReadOption* mark_as_read_;
  // Index 1 ... 11; destroyed before the group boxes that hold them, as are the column headers.
  std::array<std::unique_ptr<TSlotRow>, core::kBackspaceSlot + 1> rows_;
  std::array<std::unique_ptr<ui::Label>, 4> column_headers_;
};

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_CONFIG_DIALOG_H_
