#include "core/add_in_module.h"

#include <stdexcept>
#include <utility>

#include "core/icons.h"

namespace quivra::core {

namespace {

using framework::TadxCommandBarButton;
using framework::TadxCommandBarPopup;
using framework::TadxKeyboardShortcut;
using framework::TadxMsoButtonStyle;
using framework::TadxOfficeHostApp;
using framework::TadxRibbon;
using framework::TadxRibbon2010;
using framework::TadxRibbonButton;
using framework::TadxRibbonGroup;
using framework::TadxRibbonMenu;
using framework::TadxRibbonSplitButton;
using framework::TadxRibbonXControlSize;

constexpr char kFilingGroupCaption[] = "Filing Buttons";
constexpr char kFilingGroupScreenTip[] = "Quivra - Filing Buttons";

// Design captions of the filing slots 1 ... 11.
std::string SlotCaption(int slot) {
  if (slot == kBackspaceSlot) {
    return "FolderBkSp";
  }
  return "Folder" + std::to_string(slot % 10);
}

outlook::ApplicationPtr RequireHost(outlook::ApplicationPtr outlook) {
  if (!outlook) {
    throw std::invalid_argument("The add-in module needs the Outlook application.");
  }
  return outlook;
}

// Icons of the commands that are not filing slots.
framework::TadxBitmap AnyFolderIcon() {
  return FolderIcon(16, 0xF4D03F, 15);
}
framework::TadxBitmap UndoIcon() {
  return FolderIcon(16, 0xBDC3C7, 9);
}
framework::TadxBitmap ConfigureIcon() {
  return FolderIcon(16, 0x95A5A6, 6);
}
framework::TadxBitmap HelpIcon() {
  return FolderIcon(16, 0x3498DB, 3);
}
framework::TadxBitmap AboutIcon() {
  return FolderIcon(16, 0x1ABC9C, 12);
}
framework::TadxBitmap GroupIcon() {
  return FolderIcon(16, 0xE8B730, 0);
}
framework::TadxBitmap MainIcon() {
  return FolderIcon(32, 0xE8B730, 5);
}

}  // namespace

TAddInModule::TAddInModule(platform::Platform& platform,
                           Configuration& configuration,
                           outlook::ApplicationPtr outlook)
    : framework::TadxCOMAddInModule(platform),
      adxOlExplorerCommandBar1(
          CreateComponent<framework::TadxOlExplorerCommandBar>("adxOlExplorerCommandBar1")),
      adxRibbonTab1(CreateComponent<framework::TadxRibbonTab>("adxRibbonTab1")),
      adxRibbonTab2(CreateComponent<framework::TadxRibbonTab>("adxRibbonTab2")),
      ImageList1(CreateComponent<framework::TadxImageList>("ImageList1")),
      adxKeyboardShortcutBkSp(CreateComponent<TadxKeyboardShortcut>("adxKeyboardShortcutBkSp")),
      adxKeyboardShortcutAnyF(CreateComponent<TadxKeyboardShortcut>("adxKeyboardShortcutAnyF")),
      configuration_(configuration),
      outlook_(RequireHost(std::move(outlook))),
      configuration_file_(configuration, platform),
      log_(platform),
      filing_(*outlook_, configuration, platform, log_, [this](bool visible) {
        PlaceUndoButton(visible);
      }) {
  // The file is read at start-up; should start-up fail before that, no later save may write
  // the unread configuration over it.
  configuration_file_.RequireLoadBeforeSave();
  SetAddInName("QuivraOL");
  SetRegisterForAllUsers(true);
  SetSupportedApps({TadxOfficeHostApp::ohaOutlook});
  SetHandleShortcuts(true);

  for (int slot = 1; slot <= kBackspaceSlot; ++slot) {
    ImageList1.Add(SlotIcon(slot));
  }
  CreateCommandBarControls();
  CreateOwnTab();
  CreateHomeGroup();
  CreateShortcuts();
  WorkingCommandBar = &adxOlExplorerCommandBar1;
  WorkingRibbonTab = &adxRibbonTab1;
  BindEventHandlers();
}

void TAddInModule::CreateCommandBarControls() {
  framework::TadxOlExplorerCommandBar& bar = adxOlExplorerCommandBar1;
  bar.SetCommandBarName("QuivraOL");
  bar.SetProtection(framework::TadxMsoBarProtection::adxMsoBarNoChangeDock);
  bar.SetTemporary(true);

  // Position 0: the main button, whose menu holds the three commands.
  auto& main = bar.Controls().Add<TadxCommandBarPopup>();
  main.SetTooltipText("Quivra for Outlook");
  const std::pair<const char*, framework::TadxBitmap> commands[] = {
      {"Configure Buttons", ConfigureIcon()}, {"Help", HelpIcon()}, {"About", AboutIcon()}};
  for (const auto& [caption, icon] : commands) {
    auto& item = main.Controls().Add<TadxCommandBarButton>();
    item.SetCaption(caption);
    item.SetStyle(TadxMsoButtonStyle::adxMsoButtonIconAndCaption);
    item.SetGlyph(icon);
  }
  // Positions 1 ... 11: the filing buttons; 12 "Any Folder..."; 13 "Undo".
  for (int slot = 1; slot <= kBackspaceSlot; ++slot) {
    auto& button = bar.Controls().Add<TadxCommandBarButton>();
    button.SetCaption(SlotCaption(slot));
    button.SetTag(slot);
    button.SetStyle(TadxMsoButtonStyle::adxMsoButtonCaption);
    if (slot != kBackspaceSlot) {
      button.SetVisible(false);
    }
  }
  auto& any_folder = bar.Controls().Add<TadxCommandBarButton>();
  any_folder.SetCaption("Any Folder...");
  any_folder.SetTag(kAnyFolderTag);
  any_folder.SetStyle(TadxMsoButtonStyle::adxMsoButtonIconAndCaption);
  any_folder.SetGlyph(AnyFolderIcon());
  any_folder.SetTooltipText("Move to Any Folder... (Alt+Z)");
  auto& undo = bar.Controls().Add<TadxCommandBarButton>();
  undo.SetCaption("Undo");
  undo.SetTag(kUndoTag);
  undo.SetStyle(TadxMsoButtonStyle::adxMsoButtonCaption);
}

void TAddInModule::CreateOwnTab() {
  framework::TadxRibbonTab& tab = adxRibbonTab1;
  tab.SetCaption("Quivra");
  tab.SetImages(&ImageList1);
  tab.SetRibbons({TadxRibbon::msrOutlookExplorer});
  tab.SetRibbons2010({TadxRibbon2010::msrOutlookExplorer2010});

  auto& configure = tab.Controls().Add<TadxRibbonGroup>();
  configure.SetCaption("Configure");
  auto& main = configure.Controls().Add<TadxRibbonSplitButton>();
  main.SetCaption("Quivra");
  main.SetSize(TadxRibbonXControlSize::csLarge);
  main.SetGlyph(MainIcon());
  auto& menu = main.Controls().Add<TadxRibbonMenu>();
  const std::pair<const char*, framework::TadxBitmap> commands[] = {
      {"Configure Buttons", ConfigureIcon()}, {"Help", HelpIcon()}, {"About", AboutIcon()}};
  for (const auto& [caption, icon] : commands) {
    auto& item = menu.Controls().Add<TadxRibbonButton>();
    item.SetCaption(caption);
    item.SetGlyph(icon);
  }

  auto& filing = tab.Controls().Add<TadxRibbonGroup>();
  filing.SetCaption(kFilingGroupCaption);
  filing.SetScreenTip(kFilingGroupScreenTip);
  auto& placeholder = filing.Controls().Add<TadxRibbonButton>();
  placeholder.SetCaption(" ");
  placeholder.SetEnabled(false);
  placeholder.SetVisible(false);
  for (int slot = 1; slot <= kBackspaceSlot; ++slot) {
    auto& button = filing.Controls().Add<TadxRibbonButton>();
    button.SetCaption(SlotCaption(slot));
    button.SetTag(slot);
    button.SetGlyph(ImageList1[slot - 1]);
  }
  auto& any_folder = filing.Controls().Add<TadxRibbonButton>();
  any_folder.SetCaption("Any Folder...");
  any_folder.SetTag(kAnyFolderTag);
  any_folder.SetGlyph(AnyFolderIcon());
  auto& undo = filing.Controls().Add<TadxRibbonButton>();
  undo.SetCaption("Undo");
  undo.SetTag(kUndoTag);
  undo.SetGlyph(UndoIcon());
}

void TAddInModule::CreateHomeGroup() {
  framework::TadxRibbonTab& tab = adxRibbonTab2;
  tab.SetIdMso("TabMail");
  tab.SetRibbons({TadxRibbon::msrOutlookExplorer});
  tab.SetRibbons2010({TadxRibbon2010::msrOutlookExplorer2010});

  auto& group = tab.Controls().Add<TadxRibbonGroup>();
  group.SetCaption(kFilingGroupCaption);
  group.SetInsertAfterIdMso("GroupMoveActions");
  group.SetScreenTip(kFilingGroupScreenTip);
  group.SetGlyph(GroupIcon());
  group.SetVisible(false);
  // Everything but the captions is copied from the own tab when the buttons are placed.
  for (int position = 0; position <= kUndoTag; ++position) {
    auto& button = group.Controls().Add<TadxRibbonButton>();
    button.SetCaption(position == 0                ? " "
                      : position <= kBackspaceSlot ? SlotCaption(position)
                      : position == kAnyFolderTag  ? "Move"
                                                   : "Undo");
    if (position == 0) {
      button.SetEnabled(false);
      button.SetVisible(false);
    }
  }
}

void TAddInModule::CreateShortcuts() {
  for (int slot = 1; slot <= kLastNumberedSlot; ++slot) {
    const std::string number = slot < 10 ? "0" + std::to_string(slot) : std::to_string(slot);
    auto& shortcut = CreateComponent<TadxKeyboardShortcut>("adxKeyboardShortcut" + number);
    shortcut.SetSupportedApps({TadxOfficeHostApp::ohaOutlook});
    shortcut.SetTag(slot);
    shortcut.SetEnabled(false);
    if (slot == 1) {
      shortcut.SetShortcutText("Alt+1");
    }
    adxKeyboardShortcuts[static_cast<size_t>(slot - 1)] = &shortcut;
  }
  adxKeyboardShortcutBkSp.SetSupportedApps({TadxOfficeHostApp::ohaOutlook});
  adxKeyboardShortcutBkSp.SetTag(kBackspaceSlot);
  adxKeyboardShortcutAnyF.SetSupportedApps({TadxOfficeHostApp::ohaOutlook});
  adxKeyboardShortcutAnyF.SetTag(kAnyFolderTag);
}

framework::TadxRibbonGroup& TAddInModule::OwnFilingGroup() {
  return WorkingRibbonTab->Controls().Item<TadxRibbonGroup>(1);
}

framework::TadxRibbonGroup& TAddInModule::HomeFilingGroup() {
  return adxRibbonTab2.Controls().Item<TadxRibbonGroup>(0);
}

void TAddInModule::PlaceUndoButton(bool Visible) {
  const bool can_undo = configuration_.UndoDetails.IsComplete();
  framework::TadxCommandBarControl& bar_undo = WorkingCommandBar->Controls()[kUndoTag];
  bar_undo.SetVisible(Visible);
  bar_undo.SetEnabled(can_undo);

  TadxRibbonGroup& own_group = OwnFilingGroup();
  framework::TadxRibbonCustomControl& own_undo = own_group.Controls()[kUndoTag];
  own_undo.SetVisible(Visible);
  own_group.SetVisible(Visible);

  TadxRibbonGroup& home_group = HomeFilingGroup();
  framework::TadxRibbonCustomControl& home_undo = home_group.Controls()[kUndoTag];
  home_undo.SetVisible(Visible && configuration_.Icons);
  home_group.SetVisible(Visible && configuration_.Icons);

  own_undo.SetEnabled(can_undo);
  home_undo.SetEnabled(can_undo);
}

}  // namespace quivra::core
