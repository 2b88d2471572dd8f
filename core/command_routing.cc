// Which handler serves which button, menu item and keyboard shortcut, and what each one does.

#include <exception>

#include "core/add_in_module.h"
#include "core/synthetic_keys.h"

namespace quivra::core {

namespace {

using framework::TCommandBarButton;
using framework::TCommandBarPopup;
using framework::TKeyboardShortcut;
using framework::TRibbonButton;
using framework::TRibbonControlInfo;
using framework::TRibbonCustomControl;
using framework::TRibbonGroup;
using framework::TRibbonMenu;
using framework::TRibbonSplitButton;
using outlook::Require;

}  // namespace

void TAddInModule::BindEventHandlers() {
  OnAddInStartupComplete = [this](TCOMAddInModule& sender) {
    comAddInModuleAddInInitialize(sender);
  };
  OnAddInBeginShutdown = [this](TCOMAddInModule& sender) {
    comAddInModuleAddInBeginShutdown(sender);
  };
  OnOLExplorerActivate = [this](TCOMAddInModule& sender, const outlook::ExplorerPtr&) {
    comAddInModuleOLExplorerActivate(sender);
  };
  OnOLExplorerDeactivate = [this](TCOMAddInModule& sender, const outlook::ExplorerPtr&) {
    comAddInModuleOLExplorerDeactivate(sender);
  };

  // The command bar: the main button's menu and "Any Folder...". The filing buttons get their
  // handler from each placement, "Undo" at start-up.
  auto& menu = olExplorerCommandBar1.Controls().Item<TCommandBarPopup>(0).Controls();
  menu.Item<TCommandBarButton>(0).OnClick = [this](TCommandBarButton&) { Configure(); };
  menu.Item<TCommandBarButton>(1).OnClick = [this](TCommandBarButton&) { Help(); };
  menu.Item<TCommandBarButton>(2).OnClick = [this](TCommandBarButton&) { ShowAbout(); };
  olExplorerCommandBar1.Controls().Item<TCommandBarButton>(kAnyFolderTag).OnClick =
      [this](TCommandBarButton& sender) { MoveToClick(sender); };
  olExplorerCommandBar1.Controls().Item<TCommandBarButton>(kSuggestedTag).OnClick =
      [this](TCommandBarButton&) { FileToSuggestedFolder(); };
  OnOLExplorerSelectionChange = [this](TCOMAddInModule&, const outlook::ExplorerPtr&) {
    RefreshSuggestedButton();
  };

  // The own tab: the split button's menu and the filing group. The Home-tab group gets its
  // handlers from each placement.
  auto& ribbon_menu = ribbonTab1.Controls()
                          .Item<TRibbonGroup>(0)
                          .Controls()
                          .Item<TRibbonSplitButton>(0)
                          .Controls()
                          .Item<TRibbonMenu>(0)
                          .Controls();
  ribbon_menu.Item<TRibbonButton>(0).OnClick =
      [this](TRibbonCustomControl&, const TRibbonControlInfo&) { Configure(); };
  ribbon_menu.Item<TRibbonButton>(1).OnClick = [this](TRibbonCustomControl&,
                                                         const TRibbonControlInfo&) { Help(); };
  ribbon_menu.Item<TRibbonButton>(2).OnClick =
      [this](TRibbonCustomControl&, const TRibbonControlInfo&) { ShowAbout(); };
  auto& filing = ribbonTab1.Controls().Item<TRibbonGroup>(1).Controls();
  for (int slot = kFirstFilingSlot; slot <= kBackspaceSlot; ++slot) {
    filing.Item<TRibbonButton>(slot).OnClick = [this](TRibbonCustomControl& sender,
                                                         const TRibbonControlInfo& control) {
      ribbonTab1Controls0ControlsFileClick(sender, control);
    };
  }
  filing.Item<TRibbonButton>(kAnyFolderTag).OnClick =
      [this](TRibbonCustomControl& sender, const TRibbonControlInfo& control) {
        MoveRibbonToClick(sender, control);
      };
  filing.Item<TRibbonButton>(kUndoTag).OnClick = [this](TRibbonCustomControl& sender,
                                                           const TRibbonControlInfo& control) {
    ribbonTab1Controls0ControlsUndoClick(sender, control);
  };
  filing.Item<TRibbonButton>(kSuggestedTag).OnClick =
      [this](TRibbonCustomControl&, const TRibbonControlInfo&) { FileToSuggestedFolder(); };

  auto on_shortcut = [this](TKeyboardShortcut& sender) { FormShortCutKey(sender); };
  for (TKeyboardShortcut* shortcut : keyboardShortcuts) {
    shortcut->OnAction = on_shortcut;
  }
  keyboardShortcutBkSp.OnAction = on_shortcut;
  keyboardShortcutAnyF.OnAction = on_shortcut;
  keyboardShortcutSugg.OnAction = on_shortcut;
}

void TAddInModule::FolderButtonClick(TCommandBarButton& Sender) {
  FileToFolder(Sender.Tag(), nullptr);
}

void TAddInModule::MoveToClick(TCommandBarButton&) {
  FileToAnyFolder();
}

void TAddInModule::ribbonTab1Controls0ControlsFileClick(TRibbonCustomControl& Sender,
                                                           const TRibbonControlInfo&) {
  FileToFolder(Sender.Tag(), nullptr);
}

void TAddInModule::MoveRibbonToClick(TRibbonCustomControl&, const TRibbonControlInfo&) {
  FileToAnyFolder();
}

void TAddInModule::ribbonTab1Controls0ControlsUndoClick(TRibbonCustomControl&,
                                                           const TRibbonControlInfo&) {
  CallUndo();
}

void TAddInModule::FormShortCutKey(TKeyboardShortcut& Sender) {
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
    } else if (tag == kSuggestedTag) {
      FileToSuggestedFolder();
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
