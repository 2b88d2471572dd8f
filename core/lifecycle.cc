// The module's handlers of start-up completion, shut-down and explorer focus.

#include <exception>

#include "core/add_in_module.h"
#include "product_version.h"

namespace quivra::core {

namespace {
using framework::TCommandBarButton;
}  // namespace

void TAddInModule::comAddInModuleAddInInitialize(framework::TCOMAddInModule&) {
  if (!configuration_.ExpandList) {
    configuration_.ExpandList.emplace();
  }
  log_.Open();
  log_.Write("start-up: QuivraOL " QUIVRA_VERSION_FULL);
  try {
    LoadButtonsFromFile();
  } catch (...) {
    log_.Write("start-up: the configuration file could not be read, " +
               DiagnosticLog::DescribeCaught());
    throw;
  }
  LoadUndoHistory();
  int configured = 0;
  for (int slot = 1; slot < static_cast<int>(configuration_.FolderNames.size()); ++slot) {
    configured += configuration_.FolderNames[slot].empty() ? 0 : 1;
  }
  log_.Write("start-up: " + std::to_string(configured) + " filing buttons configured");
  WorkingCommandBar = &olExplorerCommandBar1;
  if (configuration_.MainButtonCaption.empty()) {
    configuration_.MainButtonCaption = "Quivra";
  }
  auto& undo = WorkingCommandBar->Controls().Item<TCommandBarButton>(kUndoTag);
  undo.SetVisible(true);
  undo.SetTag(kUndoTag);
  undo.SetCaption("&Undo");
  undo.SetStyle(framework::TMsoButtonStyle::msoButtonCaption);
  undo.OnClick = [this](TCommandBarButton&) { CallUndo(); };
  undo.SetEnabled(!configuration_.UndoDetails.TargetPath.empty());
  undo.SetTooltipText(filing_.undo_history().Describe(kUndoTip));
  undo.SetBeginGroup(true);
  PlaceButtonBar();
}

void TAddInModule::comAddInModuleAddInBeginShutdown(framework::TCOMAddInModule&) {
  // Nothing is saved here: every change was saved when it was made.
  configuration_.ExpandList.reset();
}

void TAddInModule::comAddInModuleOLExplorerActivate(framework::TCOMAddInModule&) {
  // Backspace is taken from Outlook only while an explorer has the focus.
  if (configuration_.BackspaceKey && !configuration_.ButtonNames[kBackspaceSlot].empty()) {
    keyboardShortcutBkSp.SetShortcutText("Bksp");
    keyboardShortcutBkSp.SetEnabled(true);
  } else {
    keyboardShortcutBkSp.SetShortcutText("");
    keyboardShortcutBkSp.SetEnabled(false);
  }
}

void TAddInModule::comAddInModuleOLExplorerDeactivate(framework::TCOMAddInModule&) {
  try {
    keyboardShortcutBkSp.SetShortcutText("");
    keyboardShortcutBkSp.SetEnabled(false);
  } catch (const std::exception&) {
    // Losing the focus must not raise an error report.
  }
}

}  // namespace quivra::core
