// Which handler serves which button, menu item and keyboard shortcut, and what each one does.

#include <exception>

#include "core/add_in_module.h"
#include "core/synthetic_keys.h"

namespace quivra::core {

namespace {

using framework::TadxCommandBarButton;
using framework::TadxCommandBarPopup;
using framework::TadxKeyboardShortcut;
using framework::TadxRibbonButton;
using framework::TadxRibbonControlInfo;
using framework::TadxRibbonCustomControl;
using framework::TadxRibbonGroup;
using framework::TadxRibbonMenu;
using framework::TadxRibbonSplitButton;
using outlook::Require;

}  // namespace

void TAddInModule::BindEventHandlers() {
  OnAddInStartupComplete = [this](TadxCOMAddInModule& sender) {
    adxCOMAddInModuleAddInInitialize(sender);
  };
  OnAddInBeginShutdown = [this](TadxCOMAddInModule& sender) {
    adxCOMAddInModuleAddInBeginShutdown(sender);
  };
  OnOLExplorerActivate = [this](TadxCOMAddInModule& sender, const outlook::ExplorerPtr&) {
    adxCOMAddInModuleOLExplorerActivate(sender);
  };
  OnOLExplorerDeactivate = [this](TadxCOMAddInModule& sender, const outlook::ExplorerPtr&) {
    adxCOMAddInModuleOLExplorerDeactivate(sender);
  };

  // The command bar: the main button's menu and "Any Folder...". The filing buttons get their
  // handler from each placement, "Undo" at start-up.
  auto& menu = adxOlExplorerCommandBar1.Controls().Item<TadxCommandBarPopup>(0).Controls();
  menu.Item<TadxCommandBarButton>(0).OnClick = [this](TadxCommandBarButton&) { Configure(); };
  menu.Item<TadxCommandBarButton>(1).OnClick = [this](TadxCommandBarButton&) { Help(); };
  menu.Item<TadxCommandBarButton>(2).OnClick = [this](TadxCommandBarButton&) { ShowAbout(); };
  adxOlExplorerCommandBar1.Controls().Item<TadxCommandBarButton>(kAnyFolderTag).OnClick =
      [this](TadxCommandBarButton& sender) { MoveToClick(sender); };

  // The own tab: the split button's menu and the filing group. The Home-tab group gets its
  // handlers from each placement.
  auto& ribbon_menu = adxRibbonTab1.Controls()
                          .Item<TadxRibbonGroup>(0)
                          .Controls()
                          .Item<TadxRibbonSplitButton>(0)
                          .Controls()
                          .Item<TadxRibbonMenu>(0)
                          .Controls();
  ribbon_menu.Item<TadxRibbonButton>(0).OnClick =
      [this](TadxRibbonCustomControl&, const TadxRibbonControlInfo&) { Configure(); };
  ribbon_menu.Item<TadxRibbonButton>(1).OnClick = [this](TadxRibbonCustomControl&,
                                                         const TadxRibbonControlInfo&) { Help(); };
  ribbon_menu.Item<TadxRibbonButton>(2).OnClick =
      [this](TadxRibbonCustomControl&, const TadxRibbonControlInfo&) { ShowAbout(); };
  auto& filing = adxRibbonTab1.Controls().Item<TadxRibbonGroup>(1).Controls();
  for (int slot = kFirstFilingSlot; slot <= kBackspaceSlot; ++slot) {
    filing.Item<TadxRibbonButton>(slot).OnClick = [this](TadxRibbonCustomControl& sender,
                                                         const TadxRibbonControlInfo& control) {
      adxRibbonTab1Controls0ControlsFileClick(sender, control);
    };
  }
  filing.Item<TadxRibbonButton>(kAnyFolderTag).OnClick =
      [this](TadxRibbonCustomControl& sender, const TadxRibbonControlInfo& control) {
        MoveRibbonToClick(sender, control);
      };
  filing.Item<TadxRibbonButton>(kUndoTag).OnClick = [this](TadxRibbonCustomControl& sender,
                                                           const TadxRibbonControlInfo& control) {
    adxRibbonTab1Controls0ControlsUndoClick(sender, control);
  };

  auto on_shortcut = [this](TadxKeyboardShortcut& sender) { FormShortCutKey(sender); };
  for (TadxKeyboardShortcut* shortcut : adxKeyboardShortcuts) {
    shortcut->OnAction = on_shortcut;
  }
  adxKeyboardShortcutBkSp.OnAction = on_shortcut;
  adxKeyboardShortcutAnyF.OnAction = on_shortcut;
}

void TAddInModule::FolderButtonClick(TadxCommandBarButton& Sender) {
  FileToFolder(Sender.Tag(), nullptr);
}

void TAddInModule::MoveToClick(TadxCommandBarButton&) {
  FileToAnyFolder();
}

void TAddInModule::adxRibbonTab1Controls0ControlsFileClick(TadxRibbonCustomControl& Sender,
                                                           const TadxRibbonControlInfo&) {
  FileToFolder(Sender.Tag(), nullptr);
}

void TAddInModule::MoveRibbonToClick(TadxRibbonCustomControl&, const TadxRibbonControlInfo&) {
  FileToAnyFolder();
}

void TAddInModule::adxRibbonTab1Controls0ControlsUndoClick(TadxRibbonCustomControl&,
                                                           const TadxRibbonControlInfo&) {
  CallUndo();
}

void TAddInModule::FormShortCutKey(TadxKeyboardShortcut& Sender) {
  const int tag = Sender.Tag();
  platform::Keyboard& keyboard = Services().keyboard;
  // A Backspace the add-in does not use goes back to Outlook, which never saw it.
  auto pass_backspace_on = [&] {
    if (tag == kBackspaceSlot) {
      SendBackspaceKey(keyboard);
    }
  };
  if (!configuration_.ShortCuts) {
    pass_backspace_on();
    return;
  }
  try {
    // Only an explorer in front may be filed from: a message window refuses the query.
    if (const outlook::ObjectPtr window = outlook_->ActiveWindow()) {
      window->AsExplorer();
    }
    const outlook::ExplorerPtr active = outlook_->ActiveExplorer();
    outlook::Explorer& explorer = Require(active);
    if (Require(explorer.CurrentFolder()).DefaultItemType() != outlook::kMailItem) {
      pass_backspace_on();
      return;
    }
    if (tag == kAnyFolderTag) {
      FileToAnyFolder();
    } else if (tag >= kFirstFilingSlot && tag <= kLastNumberedSlot) {
      FileToFolder(tag, nullptr);
    } else if (tag == kBackspaceSlot) {
      if (configuration_.BackspaceKey) {
        FileOnBackspace();
      } else {
        SendBackspaceKey(keyboard);
      }
    }
  } catch (const std::exception&) {
    // A shortcut that cannot act files nothing and says nothing.
    pass_backspace_on();
  }
}

}  // namespace quivra::core
