// Placement of the buttons: the explorer command bar, the own ribbon tab's filing group, the
// group on Outlook's Home tab and the keyboard shortcuts, all rebuilt from the configuration.

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "core/add_in_module.h"
#include "core/command_bar_keys.h"
#include "core/version_detection.h"

namespace quivra::core {

namespace {

using framework::TBitmap;
using framework::TCommandBarButton;
using framework::TKeyboardShortcut;
using framework::TMsoButtonStyle;
using framework::TRibbonButton;
using framework::TRibbonControlInfo;
using framework::TRibbonCustomControl;

constexpr char kAnyFolderHint[] = "Move to Any Folder... (Alt+Z)";

// The digit of a slot in hints, accelerators and Alt shortcuts: 1 ... 9, and 0 for slot 10.
char SlotDigit(int slot) {
  return static_cast<char>('0' + slot % 10);
}

// " (Bksp)" for the Backspace slot, " (Alt+3)" and the like for the others.
std::string ShortcutHint(int slot) {
  if (slot == kBackspaceSlot) {
    return " (Bksp)";
  }
  std::string hint = " (Alt+";
  hint += SlotDigit(slot);
  hint += ')';
  return hint;
}

void Arm(TKeyboardShortcut& shortcut, std::string text) {
  shortcut.SetShortcutText(std::move(text));
  shortcut.SetEnabled(true);
}

void Disarm(TKeyboardShortcut& shortcut) {
  shortcut.SetShortcutText("");
  shortcut.SetEnabled(false);
}

// The icon painted over a white background, as a command-bar glyph is drawn: every pixel
// opaque, the icon's translucent edges blended with white.
TBitmap OnWhite(const TBitmap& icon) {
  TBitmap drawn = icon;
  drawn.BitsPerPixel = 24;
  for (std::uint32_t& pixel : drawn.Pixels) {
    const std::uint32_t alpha = icon.BitsPerPixel < 32 ? 0xFF : pixel >> 24;
    std::uint32_t blended = 0xFF000000;
    for (int shift = 0; shift <= 16; shift += 8) {
      const std::uint32_t channel = (pixel >> shift) & 0xFF;
      const std::uint32_t mixed = (channel * alpha + 0xFF * (0xFF - alpha) + 127) / 0xFF;
      blended |= mixed << shift;
    }
    pixel = blended;
  }
  return drawn;
}

}  // namespace

void TAddInModule::PlaceRibbonBar() {
  WorkingRibbonTab = &ribbonTab1;
  auto& items = OwnFilingGroup().Controls();
  for (int slot = kFirstFilingSlot; slot <= kBackspaceSlot; ++slot) {
    items[slot].SetVisible(false);
  }
  items[kAnyFolderTag].SetVisible(true);
  items[kAnyFolderTag].SetEnabled(true);
  items[kAnyFolderTag].SetScreenTip("Move to Any Folder (Alt+Z)");
  items[kUndoTag].SetVisible(true);
  items[kUndoTag].SetEnabled(true);
  items[kUndoTag].SetScreenTip(filing_.undo_history().Describe(kUndoTip));
}

void TAddInModule::DisableShortcuts() {
  for (TKeyboardShortcut* shortcut : keyboardShortcuts) {
    Disarm(*shortcut);
  }
  Disarm(keyboardShortcutBkSp);
  Disarm(keyboardShortcutAnyF);
  Disarm(keyboardShortcutSugg);
}

void TAddInModule::EnableShortcut(int Digit) {
  if (Digit >= 0 && Digit <= 9) {
    std::string text = "Alt+";
    text += SlotDigit(Digit);
    Arm(*keyboardShortcuts[static_cast<size_t>(Digit == 0 ? 9 : Digit - 1)], std::move(text));
  } else if (Digit == kBackspaceSlot && configuration_.BackspaceKey) {
    Arm(keyboardShortcutBkSp, "BkSp");
  }
}

void TAddInModule::PlaceButtonBar() {
  PlaceRibbonBar();
  if (!configuration_.HostChecked) {
    DetectOutlookVersion(Services().registry, configuration_,
                         [this] { return HostApplication().Version(); });
    if (configuration_.HostIsRibbonOutlook) {
      // The own ribbon tab carries the buttons; the bar stays out of explorers opened later.
      WorkingCommandBar->SetUseForRibbon(false);
    }
  }
  auto& bar = WorkingCommandBar->Controls();
  // The main button's access key: the first letter of its caption that neither Outlook's menus
  // nor the other buttons of the bar take.
  bar[0].SetCaption(WithAccessKey(configuration_.MainButtonCaption,
                                  std::string(kTakenBarKeys) + std::string(kOwnBarKeys)));
  DisableShortcuts();

  auto& ribbon = OwnFilingGroup().Controls();
  for (int slot = kFirstFilingSlot; slot <= kBackspaceSlot; ++slot) {
    auto& button = bar.Item<TCommandBarButton>(slot);
    TRibbonCustomControl& item = ribbon[slot];
    const std::string& caption = configuration_.ButtonNames[slot];
    const int digit = slot == kBackspaceSlot ? kBackspaceSlot : slot % 10;

    button.SetTag(slot);
    button.SetBeginGroup(configuration_.Separators);
    if (configuration_.Icons) {
      button.SetGlyph(OnWhite(ImageList1[slot - 1]));
      button.SetStyle(TMsoButtonStyle::msoButtonIconAndCaption);
    } else {
      button.SetStyle(TMsoButtonStyle::msoButtonCaption);
    }
    button.OnClick = [this](TCommandBarButton& sender) { FolderButtonClick(sender); };
    button.SetEnabled(true);
    item.SetEnabled(true);

    if (caption.empty()) {
      button.SetVisible(false);
      item.SetVisible(false);
    } else {
      std::string tip = configuration_.FolderNames[slot];
      if (configuration_.ShortCuts) {
        tip.append(ShortcutHint(slot));
      }
      button.SetVisible(true);
      button.SetTooltipText(tip);
      item.SetVisible(true);
      item.SetScreenTip(tip);
      if (configuration_.ShortCuts) {
        EnableShortcut(digit);
      }
      // On a command bar without icons the digit becomes the caption's accelerator.
      if (configuration_.HostIsRibbonOutlook || configuration_.Icons || !configuration_.ShortCuts) {
        button.SetCaption(caption);
      } else if (slot == kBackspaceSlot) {
        button.SetCaption(caption + ShortcutHint(slot));
      } else {
        std::string accelerated = "&";
        accelerated += SlotDigit(slot);
        accelerated += ' ';
        accelerated.append(caption);
        button.SetCaption(std::move(accelerated));
      }
      item.SetCaption(caption);
    }
    // The first filing button is always set apart from the main button.
    if (slot == kFirstFilingSlot) {
      button.SetBeginGroup(true);
    }
  }

  if (configuration_.ShortCuts) {
    Arm(keyboardShortcutAnyF, "Alt+Z");
  }
  if (configuration_.ShortCuts && history_.Enabled()) {
    Arm(keyboardShortcutSugg, kSuggestedShortcut);
  }
  if (!configuration_.BackspaceKey) {
    Disarm(keyboardShortcutBkSp);
  }
  try {
    bar[kAnyFolderTag].SetEnabled(true);
    bar[kAnyFolderTag].SetTooltipText(kAnyFolderHint);
    ribbon[kAnyFolderTag].SetEnabled(true);
    ribbon[kAnyFolderTag].SetScreenTip(kAnyFolderHint);
  } catch (const std::exception&) {
    // "Any Folder..." keeps whatever state it had; the rest of the placement goes on.
  }
  RefreshSuggestedButton();
  PlaceButtonsToHomeGroup();
  PlaceUndoButton(true);
  // Hiding and showing the bar makes Outlook draw its controls as they are now.
  WorkingCommandBar->SetVisible(false);
  WorkingCommandBar->SetVisible(true);
  HomeFilingGroup().SetVisible(configuration_.Icons);
}

void TAddInModule::PlaceButtonsToHomeGroup() {
  auto& own = OwnFilingGroup().Controls();
  auto& home = HomeFilingGroup().Controls();
  for (int position = 0; position < own.Count(); ++position) {
    const TRibbonCustomControl& from = own[position];
    auto& to = home.Item<TRibbonButton>(position);
    to.SetGlyph(from.Glyph());
    to.SetEnabled(from.Enabled());
    to.SetVisible(from.Visible());
    to.SetScreenTip(from.ScreenTip());
    to.SetCaption(from.Caption());
    to.SetTag(from.Tag());
    if (position == kAnyFolderTag) {
      to.OnClick = [this](TRibbonCustomControl& sender, const TRibbonControlInfo& control) {
        MoveRibbonToClick(sender, control);
      };
    } else if (position == kSuggestedTag) {
      to.OnClick = [this](TRibbonCustomControl&, const TRibbonControlInfo&) {
        FileToSuggestedFolder();
      };
    } else if (position == kUndoTag) {
      to.OnClick = [this](TRibbonCustomControl& sender, const TRibbonControlInfo& control) {
        ribbonTab1Controls0ControlsUndoClick(sender, control);
      };
    } else {
      to.OnClick = [this](TRibbonCustomControl& sender, const TRibbonControlInfo& control) {
        ribbonTab1Controls0ControlsFileClick(sender, control);
      };
    }
  }
}

}  // namespace quivra::core
