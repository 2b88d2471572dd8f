#include "dialogs/config_dialog.h"

#include <exception>
#include <string>
#include <utility>

namespace quivra::dialogs {

namespace {

constexpr char kDefaultMainButtonCaption[] = "Quivra";
constexpr char kRibbonIconsCaption[] = "Show Filing buttons on &Home tab of the Ribbon";
// Office gives Alt+1 ... Alt+9 to the first commands of the Quick Access Toolbar; while the
// shortcuts are on, the add-in's filing buttons take them in the explorer. No access key: the
// note only tells.
// http://blogs.msdn.com/jensenh/rss_tag_Keyboard.xml ("A Numbers Game": the first item of the
// Quick Access Toolbar is reached with Alt+1, the second with Alt+2, and so on)
constexpr char kShortcutsNoteCaption[] =
    "Alt+1 to Alt+9 file instead of running the Quick Access Toolbar.";
// Arrow tags: 100 + row moves the row down, 200 + row moves it up.
constexpr int kMoveDownTag = 100;
constexpr int kMoveUpTag = 200;
// Rows 1 ... 10: the edit fields of row 1 stand at this height, each further row 32 lower;
// labels and arrows stand 4 lower than the fields of their row.
constexpr int kFirstRowTop = 28;
constexpr int kRowSpacing = 32;
constexpr int kBackspaceRowTop = 40;

const ui::Font kDialogFont{"MS Sans Serif", 8, false};
const ui::Font kLabelFont{"Tahoma", 8, false};

constexpr ui::Anchors kBottomLeft = ui::kAnchorLeft | ui::kAnchorBottom;

// Handlers take their row from a tag; a tag that names no row does nothing.
bool IsRow(int row, int last = core::kBackspaceSlot) {
  return row >= core::kFirstFilingSlot && row <= last;
}

std::string Numbered(const char* name, int row) {
  return name + std::to_string(row);
}

// The access key of row 1 ... 10: its digit, as for the row's Alt+digit shortcut ("1&0" for
// row 10).
std::string RowNumberCaption(int row) {
  const std::string number = std::to_string(row);
  return number.substr(0, number.size() - 1) + "&" + number.back();
}

}  // namespace

// The controls of one slot's row, at the height of its edit fields. Rows 1 ... 10 carry their
// number, their shortcut and the arrows they may move by; the Backspace row has none of them.
// The row's Browse and Clear buttons repeat the captions of every other row, so they carry no
// access key: the row's number does (its digit leads to Browse, Tab on to the rest of the row),
// as Windows' keyboard guidelines allow for identical sets of controls. The row's controls are
// in the tab order as they stand, from the left.
struct TSlotRow {
  TSlotRow(ui::Control& parent, int row, int top, int first_tab)
      : EditFolder(&parent, Numbered("EditFolder", row), {100, top, 260, 21}),
        BtnBrowse(&parent, Numbered("BtnBrowse", row), {368, top, 47, 21}),
        EditBtn(&parent, Numbered("EditBtn", row), {420, top, 101, 21}),
        BtnClear(&parent, Numbered("BtnClear", row), {528, top, 41, 21}) {
    EditFolder.SetEnabled(false);
    BtnBrowse.SetCaption("Browse");
    BtnBrowse.SetTag(row);
    BtnClear.SetCaption("Clear");
    BtnClear.SetTag(row);
    // The rows' labels follow their boxes, so a screen reader is told which button a box sets.
    const std::string button =
        row == core::kBackspaceSlot ? "the Backspace button" : "button " + std::to_string(row);
    EditFolder.SetAccessibleName("Folder of " + button);
    EditBtn.SetAccessibleName("Name of " + button);
    for (ui::Control* control :
         {static_cast<ui::Control*>(&EditFolder), static_cast<ui::Control*>(&BtnBrowse),
          static_cast<ui::Control*>(&EditBtn), static_cast<ui::Control*>(&BtnClear)}) {
      control->SetFont(kDialogFont);
    }
    int tab = first_tab;
    auto next_in_tab_order = [&tab](ui::Control* control) {
      if (control != nullptr) {
        control->SetTabOrder(tab++);
      }
    };
    if (row == core::kBackspaceSlot) {
      for (ui::Control* control :
           {static_cast<ui::Control*>(&EditFolder), static_cast<ui::Control*>(&BtnBrowse),
            static_cast<ui::Control*>(&EditBtn), static_cast<ui::Control*>(&BtnClear)}) {
        next_in_tab_order(control);
      }
      return;
    }
    const int label_top = top + 4;
    LblBtn = std::make_unique<ui::Label>(&parent, Numbered("LblBtn", row),
                                         ui::Rect{18, label_top, 17, 13});
    LblBtn->SetCaption(RowNumberCaption(row));
    LblBtn->SetFocusControl(&BtnBrowse);
    LblBtn->SetFont(kLabelFont);
    LblKey = std::make_unique<ui::Label>(&parent, Numbered("LblKey", row),
                                         ui::Rect{54, label_top, 30, 13});
    LblKey->SetCaption("Alt+" + std::to_string(row % 10));
    LblKey->SetFont(kLabelFont);
    if (row < core::kLastNumberedSlot) {
      ImgDown = std::make_unique<ui::Image>(&parent, Numbered("ImgDown", row),
                                            ui::Rect{580, label_top, 16, 16});
      ImgDown->SetPictureName("ARROWDOWN");
      ImgDown->SetHint("Move down");
      ImgDown->SetAccessibleName("Move " + button + " down");
      ImgDown->SetTag(kMoveDownTag + row);
    }
    if (row > core::kFirstFilingSlot) {
      ImgUp = std::make_unique<ui::Image>(&parent, Numbered("ImgUp", row),
                                          ui::Rect{604, label_top, 16, 16});
      ImgUp->SetPictureName("ARROWUP");
      ImgUp->SetHint("Move up");
      ImgUp->SetAccessibleName("Move " + button + " up");
      ImgUp->SetTag(kMoveUpTag + row);
    }
    for (ui::Control* control :
         {static_cast<ui::Control*>(LblBtn.get()), static_cast<ui::Control*>(LblKey.get()),
          static_cast<ui::Control*>(&EditFolder), static_cast<ui::Control*>(&BtnBrowse),
          static_cast<ui::Control*>(&EditBtn), static_cast<ui::Control*>(&BtnClear),
          static_cast<ui::Control*>(ImgDown.get()), static_cast<ui::Control*>(ImgUp.get())}) {
      next_in_tab_order(control);
    }
  }

  ui::Edit EditFolder;
  ui::Button BtnBrowse;
  ui::Edit EditBtn;
  ui::Button BtnClear;
  std::unique_ptr<ui::Label> LblBtn;
  std::unique_ptr<ui::Label> LblKey;
  std::unique_ptr<ui::Image> ImgDown;
  std::unique_ptr<ui::Image> ImgUp;
};

TfrmConfig::TfrmConfig(core::Configuration& configuration,
                       TfrmFolders2& picker,
                       core::FilingHistory* history,
                       core::MarkAsReadOption* mark_as_read)
    : ui::Form("frmConfig"),
      GroupBoxFolders(this, "GroupBoxFolders", {2, 0, 631, 360}),
      GroupBoxBkSp(this, "GroupBoxBkSp", {2, 345, 631, 73}),
      ImageBkSp(&GroupBoxBkSp, "ImageBkSp", {18, 18, 16, 16}),
      LabelBkSp(&GroupBoxBkSp, "LabelBkSp", {39, 20, 580, 13}),
      cbBackSpace(&GroupBoxBkSp, "cbBackSpace", {18, kBackspaceRowTop, 73, 17}),
      LabelHelp(this, "LabelHelp", {101, 427, 440, 13}),
      AddShortcuts(this, "AddShortcuts", {16, 455, 180, 17}),
      AddIcons(this, "AddIcons", {16, 477, 118, 17}),
      AddSeparator(this, "AddSeparator", {16, 499, 180, 17}),
      ImageKey1(this, "ImageKey1", {136, 475, 16, 16}),
      LabelComma(this, "LabelComma", {153, 478, 6, 13}),
      ImageKey2(this, "ImageKey2", {160, 475, 16, 16}),
      LabelEllipsis(this, "LabelEllipsis", {178, 478, 27, 13}),
      ImageKey0(this, "ImageKey0", {206, 475, 16, 16}),
      LabelMainButton(this, "LabelMainButton", {240, 456, 175, 13}),
      MainButtonName(this, "MainButtonName", {420, 452, 173, 21}),
      LabelShortcutsNote(this, "LabelShortcutsNote", {240, 457, 380, 13}),
      // Right of the longest caption the options take (a ribbon host's), left of OK.
      cbSuggest(this, "cbSuggest", {276, 480, 136, 17}),
      btnForget(this, "btnForget", {276, 498, 136, 23}),
      // Right of "Suggest folders", above OK.
      cbMarkRead(this, "cbMarkRead", {420, 478, 180, 17}),
      btnOK(this, "btnOK", {420, 495, 75, 25}),
      btnCancel(this, "btnCancel", {520, 495, 75, 25}),
      configuration_(configuration),
      picker_(picker),
      history_(history),
      mark_as_read_(mark_as_read) {
  SetCaption("Configure Quivra");
  SetClientSize(634, 525);
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetCloseBoxOnly(true);
  SetPosition(ui::FormPosition::kDesktopCenter);
  SetKeyPreview(true);
  SetFont(kDialogFont);
  OnShow = [this] { AtShow(); };
  OnKeyPress = [this](char& key) { FormKeyPress(key); };

  const std::pair<const char*, int> headers[] = {
      {"Button", 9}, {"Shortcut", 49}, {"Folder", 101}, {"Button name", 424}};
  // The column headers come first in the tab order of the rows' box, then row after row.
  constexpr int kRowTabOrders = 8;
  for (size_t i = 0; i < column_headers_.size(); ++i) {
    column_headers_[i] = std::make_unique<ui::Label>(&GroupBoxFolders,
                                                     Numbered("LblHeader", static_cast<int>(i) + 1),
                                                     ui::Rect{headers[i].second, 11, 60, 13});
    column_headers_[i]->SetCaption(headers[i].first);
    column_headers_[i]->SetFont(kLabelFont);
    column_headers_[i]->SetTabOrder(static_cast<int>(i));
  }
  for (int row = core::kFirstFilingSlot; row <= core::kBackspaceSlot; ++row) {
    rows_[row] = row == core::kBackspaceSlot
                     ? std::make_unique<TSlotRow>(GroupBoxBkSp, row, kBackspaceRowTop, 3)
                     : std::make_unique<TSlotRow>(
                           GroupBoxFolders, row, kFirstRowTop + (row - 1) * kRowSpacing,
                           static_cast<int>(column_headers_.size()) + (row - 1) * kRowTabOrders);
    TSlotRow& controls = *rows_[row];
    controls.BtnBrowse.OnClick = [this, &controls] { Browse(controls.BtnBrowse); };
    controls.BtnClear.OnClick = [this, &controls] { Clear(controls.BtnClear); };
    for (ui::Image* arrow : {controls.ImgDown.get(), controls.ImgUp.get()}) {
      if (arrow != nullptr) {
        arrow->OnClick = [this, arrow] { MoveButton(*arrow); };
      }
    }
  }

  GroupBoxBkSp.SetCaption("Backspace Key");
  GroupBoxBkSp.SetFont({kDialogFont.name, kDialogFont.size, true});
  GroupBoxFolders.SetAccessibleName("Filing buttons");
  ImageBkSp.SetPictureName("BACKSPACEKEY");
  ImageBkSp.SetAccessibleName("Backspace key");
  LabelBkSp.SetHTMLText(
      {"Enable and define the Backspace key as Filing Button for your most "
       "frequently used (archive) folder."});
  LabelBkSp.SetFont(kLabelFont);
  ImageBkSp.SetTabOrder(0);
  LabelBkSp.SetTabOrder(1);
  cbBackSpace.SetCaption("&Backspace");
  cbBackSpace.SetTabOrder(2);
  cbBackSpace.SetFont(kDialogFont);
  cbBackSpace.OnClick = [this] { cbBackSpaceClick(); };

  LabelHelp.SetCaption(
      "Click 'Browse' to define or edit a filing folder. Click 'Clear' to clear folder and "
      "button.");
  AddShortcuts.SetCaption("&Enable keyboard shortcuts");
  AddShortcuts.SetChecked(true);
  AddIcons.SetCaption("Add &icons to buttons");
  AddIcons.SetChecked(true);
  AddSeparator.SetCaption("Add button se&parators");
  AddSeparator.SetChecked(true);
  ImageKey1.SetPictureName("KEY1");
  ImageKey1.SetAccessibleName("Alt+1 key");
  LabelComma.SetCaption(",");
  ImageKey2.SetPictureName("KEY2");
  ImageKey2.SetAccessibleName("Alt+2 key");
  LabelEllipsis.SetCaption(", ... ,");
  ImageKey0.SetPictureName("KEY0");
  ImageKey0.SetAccessibleName("Alt+0 key");
  LabelShortcutsNote.SetCaption(kShortcutsNoteCaption);
  LabelShortcutsNote.SetVisible(false);
  LabelMainButton.SetCaption("Quivra Main Button &name:");
  LabelMainButton.SetFocusControl(&MainButtonName);
  cbSuggest.SetCaption("&Suggest folders");
  cbSuggest.SetChecked(true);
  btnForget.SetCaption("&Forget what was learned");
  btnForget.OnClick = [this] { btnForgetClick(); };
  cbMarkRead.SetCaption("&Mark as read when filing");
  btnOK.SetCaption("OK");
  btnOK.SetDefault(true);
  btnOK.OnClick = [this] { OK(); };
  btnCancel.SetCaption("Cancel");
  btnCancel.OnClick = [this] { Cancel(); };
  // Below the boxes the tab order reads line by line, each from the left: the shortcuts option
  // and the main button's name; the icons option, "Suggest folders" and "Mark as read when
  // filing"; the separators option,
  // "Forget what was learned", OK and Cancel.
  int tab = 0;
  for (ui::Control* control :
       {static_cast<ui::Control*>(&GroupBoxFolders), static_cast<ui::Control*>(&GroupBoxBkSp),
        static_cast<ui::Control*>(&LabelHelp), static_cast<ui::Control*>(&AddShortcuts),
        static_cast<ui::Control*>(&LabelShortcutsNote), static_cast<ui::Control*>(&LabelMainButton),
        static_cast<ui::Control*>(&MainButtonName), static_cast<ui::Control*>(&AddIcons),
        static_cast<ui::Control*>(&ImageKey1), static_cast<ui::Control*>(&LabelComma),
        static_cast<ui::Control*>(&ImageKey2), static_cast<ui::Control*>(&LabelEllipsis),
        static_cast<ui::Control*>(&ImageKey0), static_cast<ui::Control*>(&cbSuggest),
        static_cast<ui::Control*>(&cbMarkRead), static_cast<ui::Control*>(&AddSeparator), static_cast<ui::Control*>(&btnForget),
        static_cast<ui::Control*>(&btnOK), static_cast<ui::Control*>(&btnCancel)}) {
    control->SetTabOrder(tab++);
  }
  for (ui::Control* control : Controls()) {
    if (control != &GroupBoxFolders && control != &GroupBoxBkSp) {
      control->SetAnchors(kBottomLeft);
    }
    if (dynamic_cast<ui::Label*>(control) != nullptr) {
      control->SetFont(kLabelFont);
    }
  }
}

TfrmConfig::~TfrmConfig() = default;

TSlotRow& TfrmConfig::Row(int row) {
  return *rows_.at(static_cast<size_t>(row));
}

ui::Edit& TfrmConfig::EditFolder(int row) {
  return Row(row).EditFolder;
}

ui::Button& TfrmConfig::BtnBrowse(int row) {
  return Row(row).BtnBrowse;
}

ui::Edit& TfrmConfig::EditBtn(int row) {
  return Row(row).EditBtn;
}

ui::Button& TfrmConfig::BtnClear(int row) {
  return Row(row).BtnClear;
}

void TfrmConfig::AtShow() {
  Initialize();
  const bool backspace = cbBackSpace.Checked();
  BtnBrowse(core::kBackspaceSlot).SetEnabled(backspace);
  EditBtn(core::kBackspaceSlot).SetEnabled(backspace);
  BtnClear(core::kBackspaceSlot).SetEnabled(backspace);
  if (configuration_.HostIsRibbonOutlook) {
    // On the ribbon there are no separators and no main button, and the icons option decides
    // whether the filing group shows on the Home tab.
    AddSeparator.SetVisible(false);
    AddIcons.SetWidth(250);
    AddIcons.SetCaption(kRibbonIconsCaption);
    for (ui::Control* control :
         {static_cast<ui::Control*>(&ImageKey1), static_cast<ui::Control*>(&LabelComma),
          static_cast<ui::Control*>(&ImageKey2), static_cast<ui::Control*>(&LabelEllipsis),
          static_cast<ui::Control*>(&ImageKey0), static_cast<ui::Control*>(&LabelMainButton),
          static_cast<ui::Control*>(&MainButtonName)}) {
      control->SetVisible(false);
    }
    LabelShortcutsNote.SetVisible(true);
  }
}

void TfrmConfig::Initialize() {
  MainButtonName.SetText(configuration_.MainButtonCaption);
  AddShortcuts.SetChecked(configuration_.ShortCuts);
  // Setting the box counts as its change: unchecking it empties the Backspace slot.
  const bool backspace_was = cbBackSpace.Checked();
  cbBackSpace.SetChecked(configuration_.BackspaceKey);
  if (cbBackSpace.Checked() != backspace_was) {
    cbBackSpaceClick();
  }
  AddIcons.SetChecked(configuration_.Icons);
  AddSeparator.SetChecked(configuration_.Separators);
  cbSuggest.SetVisible(history_ != nullptr);
  btnForget.SetVisible(history_ != nullptr);
  if (history_ != nullptr) {
    cbSuggest.SetChecked(history_->Enabled());
    btnForget.SetEnabled(true);
  }
  cbMarkRead.SetVisible(mark_as_read_ != nullptr);
  if (mark_as_read_ != nullptr) {
    cbMarkRead.SetChecked(mark_as_read_->Enabled());
  }
  for (int slot = core::kFirstFilingSlot; slot <= core::kBackspaceSlot; ++slot) {
    if (!configuration_.FolderNames[slot].empty()) {
      EditFolder(slot).SetText(configuration_.FolderNames[slot]);
      EditBtn(slot).SetText(configuration_.ButtonNames[slot]);
    }
  }
}

void TfrmConfig::AssignButton(int Row, const std::string& FolderPath, const std::string& Caption) {
  if (!IsRow(Row)) {
    return;
  }
  EditFolder(Row).SetText(FolderPath);
  EditBtn(Row).SetText(Caption);
}

void TfrmConfig::Browse(ui::Control& Sender) {
  const int row = Sender.Tag();
  if (!IsRow(row)) {
    return;
  }
  // The picker opens beside the dialog, and goes back to its own place however it closes.
  struct PutBack {
    TfrmFolders2& picker;
    int left;
    int top;
    ~PutBack() { picker.SetBounds({left, top, picker.Width(), picker.Height()}); }
  } put_back{picker_, picker_.Left(), picker_.Top()};
  picker_.SetBounds({Left() + 400, Top() - 50, picker_.Width(), picker_.Height()});
  picker_.SelectedPath.clear();
  picker_.SelectedName.clear();
  if (picker_.ShowModal() != ui::ModalResult::kOk) {
    return;
  }
  const std::string& path = picker_.SelectedPath;
  const std::string store = path.substr(0, path.find('\\'));
  configuration_.StoreDetails[row] = {store, store, picker_.SelectedStore.StoreId};
  configuration_.FolderNames[row] = path;
  configuration_.ButtonNames[row] = picker_.SelectedName;
  AssignButton(row, path, picker_.SelectedName);
}

void TfrmConfig::MoveButton(ui::Control& Sender) {
  const int tag = Sender.Tag();
  const int row = tag >= kMoveUpTag ? tag - kMoveUpTag : tag - kMoveDownTag;
  const int other = tag >= kMoveUpTag ? row - 1 : row + 1;
  // The Backspace slot never moves.
  if (!IsRow(row, core::kLastNumberedSlot) || !IsRow(other, core::kLastNumberedSlot)) {
    return;
  }
  std::swap(configuration_.StoreDetails[row], configuration_.StoreDetails[other]);
  std::swap(configuration_.FolderNames[row], configuration_.FolderNames[other]);
  std::swap(configuration_.ButtonNames[row], configuration_.ButtonNames[other]);
  AssignButton(row, configuration_.FolderNames[row], configuration_.ButtonNames[row]);
  AssignButton(other, configuration_.FolderNames[other], configuration_.ButtonNames[other]);
}

void TfrmConfig::Clear(ui::Control& Sender) {
  ClearRow(Sender.Tag());
}

void TfrmConfig::ClearRow(int row) {
  if (!IsRow(row)) {
    return;
  }
  configuration_.StoreDetails[row] = core::TStoreDetails();
  configuration_.FolderNames[row].clear();
  configuration_.ButtonNames[row].clear();
  AssignButton(row, "", "");
}

void TfrmConfig::cbBackSpaceClick() {
  const bool checked = cbBackSpace.Checked();
  BtnBrowse(core::kBackspaceSlot).SetEnabled(checked);
  EditBtn(core::kBackspaceSlot).SetEnabled(checked);
  BtnClear(core::kBackspaceSlot).SetEnabled(checked);
  if (!checked) {
    ClearRow(core::kBackspaceSlot);
  }
}

void TfrmConfig::OK() {
  configuration_.MainButtonCaption = MainButtonName.Text();
  if (configuration_.MainButtonCaption.empty()) {
    configuration_.MainButtonCaption = kDefaultMainButtonCaption;
  }
  configuration_.ShortCuts = AddShortcuts.Checked();
  configuration_.Icons = AddIcons.Checked();
  configuration_.Separators = AddSeparator.Checked();
  configuration_.BackspaceKey = cbBackSpace.Checked();
  if (history_ != nullptr && history_->Enabled() != cbSuggest.Checked()) {
    try {
      history_->SetEnabled(cbSuggest.Checked());
    } catch (const std::exception&) {
      // The registry refused: the option stays as it was, and the box shows it next time.
    }
  }
  if (mark_as_read_ != nullptr && mark_as_read_->Enabled() != cbMarkRead.Checked()) {
    try {
      mark_as_read_->SetEnabled(cbMarkRead.Checked());
    } catch (const std::exception&) {
      // The registry refused: the option stays as it was, and the box shows it next time.
    }
  }
  for (int slot = core::kFirstFilingSlot; slot <= core::kBackspaceSlot; ++slot) {
    configuration_.ButtonNames[slot] = EditBtn(slot).Text();
  }
  SetModalResult(ui::ModalResult::kOk);
}

void TfrmConfig::btnForgetClick() {
  if (history_ == nullptr) {
    return;
  }
  try {
    history_->Forget();
    btnForget.SetEnabled(false);
  } catch (const std::exception&) {
    // A file that could not be deleted: the button stays, to be tried again.
  }
}

void TfrmConfig::Cancel() {
  SetModalResult(ui::ModalResult::kCancel);
}

void TfrmConfig::FormKeyPress(char& Key) {
  if (Key == ui::kEscapeKey) {
    SetModalResult(ui::ModalResult::kCancel);
  }
}

}  // namespace quivra::dialogs
