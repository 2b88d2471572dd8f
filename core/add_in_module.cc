#include "core/add_in_module.h"

#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "core/icons.h"

namespace quivra::core {

namespace {

using framework::TCommandBarButton;
using framework::TCommandBarPopup;
using framework::TKeyboardShortcut;
using framework::TMsoButtonStyle;
using framework::TOfficeHostApp;
using framework::TRibbon;
using framework::TRibbon2010;
using framework::TRibbonButton;
using framework::TRibbonGroup;
using framework::TRibbonMenu;
using framework::TRibbonSplitButton;
using framework::TRibbonXControlSize;

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
framework::TBitmap AnyFolderIcon() {
  return FolderIcon(16, 0xF4D03F, 15);
}
framework::TBitmap UndoIcon() {
  return FolderIcon(16, 0xBDC3C7, 9);
}
framework::TBitmap ConfigureIcon() {
  return FolderIcon(16, 0x95A5A6, 6);
}
framework::TBitmap HelpIcon() {
  return FolderIcon(16, 0x3498DB, 3);
}
framework::TBitmap AboutIcon() {
  return FolderIcon(16, 0x1ABC9C, 12);
}
framework::TBitmap GroupIcon() {
  return FolderIcon(16, 0xE8B730, 0);
}
framework::TBitmap MainIcon() {
  return FolderIcon(32, 0xE8B730, 5);
}

}  // namespace

TAddInModule::TAddInModule(platform::Platform& platform,
                           Configuration& configuration,
                           outlook::ApplicationPtr outlook)
    : framework::TCOMAddInModule(platform),
      olExplorerCommandBar1(
          CreateComponent<framework::TOlExplorerCommandBar>("olExplorerCommandBar1")),
      ribbonTab1(CreateComponent<framework::TRibbonTab>("ribbonTab1")),
      ribbonTab2(CreateComponent<framework::TRibbonTab>("ribbonTab2")),
      ImageList1(CreateComponent<framework::TImageList>("ImageList1")),
      keyboardShortcutBkSp(CreateComponent<TKeyboardShortcut>("keyboardShortcutBkSp")),
      keyboardShortcutAnyF(CreateComponent<TKeyboardShortcut>("keyboardShortcutAnyF")),
      keyboardShortcutSugg(CreateComponent<TKeyboardShortcut>("keyboardShortcutSugg")),
      configuration_(configuration),
      outlook_(RequireHost(std::move(outlook))),
      configuration_file_(configuration, platform),
      folder_ids_file_(configuration, platform, configuration_file_),
      log_(platform),
      history_(platform),
      mark_as_read_(platform),
      filing_(
          *outlook_, configuration, platform, log_,
          [this](bool visible) { PlaceUndoButton(visible); }, &history_),
      undo_file_(filing_.undo_history(), platform, configuration_file_) {
  // The file is read at start-up; should start-up fail before that, no later save may write
  // the unread configuration over it.
  configuration_file_.RequireLoadBeforeSave();
  // A button whose folder was found under a new path keeps the new path and label: saved at
  // once, and shown on the buttons. The target of "Any Folder..." is saved by its own caller.
  filing_.OnSlotFollowed = [this](int slot) {
    if (slot != kAnyFolderTargetSlot) {
      SaveButtonsToFile();
      PlaceButtonBar();
    }
  };
  filing_.OnPickNewFolder = [this](int slot) { PickNewFolderForSlot(slot); };
  filing_.OnUndoHistoryChanged = [this] { undo_file_.Save(); };
  SetAddInName("QuivraOL");
  SetRegisterForAllUsers(true);
  SetSupportedApps({TOfficeHostApp::ohaOutlook});
  SetHandleShortcuts(true);

  for (int slot = 1; slot <= kBackspaceSlot; ++slot) {
    ImageList1.Add(SlotIcon(slot));
  }
  CreateCommandBarControls();
  CreateOwnTab();
  CreateHomeGroup();
  CreateShortcuts();
  WorkingCommandBar = &olExplorerCommandBar1;
  WorkingRibbonTab = &ribbonTab1;
  BindEventHandlers();
}

void TAddInModule::CreateCommandBarControls() {
  framework::TOlExplorerCommandBar& bar = olExplorerCommandBar1;
  bar.SetCommandBarName("QuivraOL");
  bar.SetProtection(framework::TMsoBarProtection::msoBarNoChangeDock);
  bar.SetTemporary(true);

  // Position 0: the main button, whose menu holds the three commands.
  auto& main = bar.Controls().Add<TCommandBarPopup>();
  main.SetTooltipText("Quivra for Outlook");
  // Each command and bar button marks its access key; the main button's comes from its caption
  // at each placement.
  const std::pair<const char*, framework::TBitmap> commands[] = {
      {"&Configure Buttons", ConfigureIcon()}, {"&Help", HelpIcon()}, {"&About", AboutIcon()}};
  for (const auto& [caption, icon] : commands) {
    auto& item = main.Controls().Add<TCommandBarButton>();
    item.SetCaption(caption);
    item.SetStyle(TMsoButtonStyle::msoButtonIconAndCaption);
    item.SetGlyph(icon);
  }
  // Positions 1 ... 11: the filing buttons; 12 "Any Folder..."; 13 "Undo".
  for (int slot = 1; slot <= kBackspaceSlot; ++slot) {
    auto& button = bar.Controls().Add<TCommandBarButton>();
    button.SetCaption(SlotCaption(slot));
    button.SetTag(slot);
    button.SetStyle(TMsoButtonStyle::msoButtonCaption);
    if (slot != kBackspaceSlot) {
      button.SetVisible(false);
    }
  }
  auto& any_folder = bar.Controls().Add<TCommandBarButton>();
  any_folder.SetCaption("Any F&older...");
  any_folder.SetTag(kAnyFolderTag);
  any_folder.SetStyle(TMsoButtonStyle::msoButtonIconAndCaption);
  any_folder.SetGlyph(AnyFolderIcon());
  any_folder.SetTooltipText("Move to Any Folder... (Alt+Z)");
  auto& undo = bar.Controls().Add<TCommandBarButton>();
  undo.SetCaption("&Undo");
  undo.SetTag(kUndoTag);
  undo.SetStyle(TMsoButtonStyle::msoButtonCaption);
  // Position 14: "Suggested".
  auto& suggested = bar.Controls().Add<TCommandBarButton>();
  suggested.SetCaption(std::string("&") + kSuggestedCaption);
  suggested.SetTag(kSuggestedTag);
  suggested.SetStyle(TMsoButtonStyle::msoButtonIconAndCaption);
  suggested.SetGlyph(AnyFolderIcon());
  suggested.SetVisible(false);
}

// Key tips: after Alt, the key tip of a tab opens it and then each control's key tip presses
// it (one to three characters; Office gives a colliding one another:
// https://learn.microsoft.com/en-us/openspecs/office_standards/ms-customui2/a9be681e-2055-4ec3-9649-e15e46270bb4,
// https://learn.microsoft.com/en-us/dotnet/api/microsoft.office.tools.ribbon.ribbonbutton.keytip).
// On the own tab the filing buttons take the digit of their Alt+digit shortcut, "Any Folder..."
// Z and "Suggested" K as their shortcuts do, Undo U. The tab's own key tip is U: Outlook's tabs
// take F, H, S, O and V, Office's Tell Me box Q, and add-in tabs without a key tip Y or X.
// On Outlook's Home tab every key tip of the group starts with Z, so that none is one of
// Outlook's own there: Z and the digit, ZB, ZZ, ZU and ZK, the group itself ZG.
namespace {

std::string FilingKeyTip(int position) {
  if (position >= kFirstFilingSlot && position <= kLastNumberedSlot) {
    return std::to_string(position % 10);
  }
  switch (position) {
    case kBackspaceSlot:
      return "B";
    case kAnyFolderTag:
      return "Z";
    case kUndoTag:
      return "U";
    case kSuggestedTag:
      return "K";
    default:
      return "";
  }
}

}  // namespace

void TAddInModule::CreateOwnTab() {
  framework::TRibbonTab& tab = ribbonTab1;
  tab.SetCaption("Quivra");
  tab.SetKeyTip("U");
  tab.SetImages(&ImageList1);
  tab.SetRibbons({TRibbon::msrOutlookExplorer});
  tab.SetRibbons2010({TRibbon2010::msrOutlookExplorer2010});

  auto& configure = tab.Controls().Add<TRibbonGroup>();
  configure.SetCaption("Configure");
  configure.SetKeyTip("GC");
  auto& main = configure.Controls().Add<TRibbonSplitButton>();
  main.SetCaption("Quivra");
  main.SetKeyTip("Q");
  main.SetSize(TRibbonXControlSize::csLarge);
  main.SetGlyph(MainIcon());
  auto& menu = main.Controls().Add<TRibbonMenu>();
  const std::tuple<const char*, const char*, framework::TBitmap> commands[] = {
      {"Configure Buttons", "C", ConfigureIcon()},
      {"Help", "H", HelpIcon()},
      {"About", "A", AboutIcon()}};
  for (const auto& [caption, key_tip, icon] : commands) {
    auto& item = menu.Controls().Add<TRibbonButton>();
    item.SetCaption(caption);
    item.SetKeyTip(key_tip);
    item.SetGlyph(icon);
  }

  auto& filing = tab.Controls().Add<TRibbonGroup>();
  filing.SetCaption(kFilingGroupCaption);
  filing.SetScreenTip(kFilingGroupScreenTip);
  filing.SetKeyTip("GF");
  auto& placeholder = filing.Controls().Add<TRibbonButton>();
  placeholder.SetCaption(" ");
  placeholder.SetEnabled(false);
  placeholder.SetVisible(false);
  for (int slot = 1; slot <= kBackspaceSlot; ++slot) {
    auto& button = filing.Controls().Add<TRibbonButton>();
    button.SetCaption(SlotCaption(slot));
    button.SetTag(slot);
    button.SetGlyph(ImageList1[slot - 1]);
  }
  auto& any_folder = filing.Controls().Add<TRibbonButton>();
  any_folder.SetCaption("Any Folder...");
  any_folder.SetTag(kAnyFolderTag);
  any_folder.SetGlyph(AnyFolderIcon());
  auto& undo = filing.Controls().Add<TRibbonButton>();
  undo.SetCaption("Undo");
  undo.SetTag(kUndoTag);
  undo.SetGlyph(UndoIcon());
  auto& suggested = filing.Controls().Add<TRibbonButton>();
  suggested.SetCaption(kSuggestedCaption);
  suggested.SetTag(kSuggestedTag);
  suggested.SetGlyph(AnyFolderIcon());
  suggested.SetVisible(false);
  for (int position = kFirstFilingSlot; position <= kSuggestedTag; ++position) {
    filing.Controls()[position].SetKeyTip(FilingKeyTip(position));
  }
}

void TAddInModule::CreateHomeGroup() {
  framework::TRibbonTab& tab = ribbonTab2;
  tab.SetIdMso("TabMail");
  tab.SetRibbons({TRibbon::msrOutlookExplorer});
  tab.SetRibbons2010({TRibbon2010::msrOutlookExplorer2010});

  auto& group = tab.Controls().Add<TRibbonGroup>();
  group.SetCaption(kFilingGroupCaption);
  group.SetInsertAfterIdMso("GroupMoveActions");
  group.SetScreenTip(kFilingGroupScreenTip);
  group.SetGlyph(GroupIcon());
  group.SetKeyTip("ZG");
  group.SetVisible(false);
  // Everything but the captions is copied from the own tab when the buttons are placed.
  for (int position = 0; position <= kSuggestedTag; ++position) {
    auto& button = group.Controls().Add<TRibbonButton>();
    button.SetCaption(position == 0                ? " "
                      : position <= kBackspaceSlot ? SlotCaption(position)
                      : position == kAnyFolderTag  ? "Move"
                      : position == kUndoTag       ? "Undo"
                                                   : kSuggestedCaption);
    if (position == 0) {
      button.SetEnabled(false);
      button.SetVisible(false);
    } else {
      button.SetKeyTip("Z" + FilingKeyTip(position));
    }
  }
}

void TAddInModule::CreateShortcuts() {
  for (int slot = 1; slot <= kLastNumberedSlot; ++slot) {
    const std::string number = slot < 10 ? "0" + std::to_string(slot) : std::to_string(slot);
    auto& shortcut = CreateComponent<TKeyboardShortcut>("keyboardShortcut" + number);
    shortcut.SetSupportedApps({TOfficeHostApp::ohaOutlook});
    shortcut.SetTag(slot);
    shortcut.SetEnabled(false);
    if (slot == 1) {
      shortcut.SetShortcutText("Alt+1");
    }
    keyboardShortcuts[static_cast<size_t>(slot - 1)] = &shortcut;
  }
  keyboardShortcutBkSp.SetSupportedApps({TOfficeHostApp::ohaOutlook});
  keyboardShortcutBkSp.SetTag(kBackspaceSlot);
  keyboardShortcutAnyF.SetSupportedApps({TOfficeHostApp::ohaOutlook});
  keyboardShortcutAnyF.SetTag(kAnyFolderTag);
  keyboardShortcutSugg.SetSupportedApps({TOfficeHostApp::ohaOutlook});
  keyboardShortcutSugg.SetTag(kSuggestedTag);
}

framework::TRibbonGroup& TAddInModule::OwnFilingGroup() {
  return WorkingRibbonTab->Controls().Item<TRibbonGroup>(1);
}

framework::TRibbonGroup& TAddInModule::HomeFilingGroup() {
  return ribbonTab2.Controls().Item<TRibbonGroup>(0);
}

void TAddInModule::PlaceUndoButton(bool Visible) {
  const bool can_undo = configuration_.UndoDetails.IsComplete();
  // The tips say what the next Undo does.
  const std::string tip = filing_.undo_history().Describe(kUndoTip);
  framework::TCommandBarControl& bar_undo = WorkingCommandBar->Controls()[kUndoTag];
  bar_undo.SetVisible(Visible);
  bar_undo.SetEnabled(can_undo);
  bar_undo.SetTooltipText(tip);

  TRibbonGroup& own_group = OwnFilingGroup();
  framework::TRibbonCustomControl& own_undo = own_group.Controls()[kUndoTag];
  own_undo.SetVisible(Visible);
  own_group.SetVisible(Visible);

  TRibbonGroup& home_group = HomeFilingGroup();
  framework::TRibbonCustomControl& home_undo = home_group.Controls()[kUndoTag];
  home_undo.SetVisible(Visible && configuration_.Icons);
  home_group.SetVisible(Visible && configuration_.Icons);

  own_undo.SetEnabled(can_undo);
  home_undo.SetEnabled(can_undo);
  own_undo.SetScreenTip(tip);
  home_undo.SetScreenTip(tip);
}

}  // namespace quivra::core
