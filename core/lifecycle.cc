// The module's handlers of start-up completion, shut-down and explorer focus.

#include <exception>

#include "core/add_in_module.h"
#include "product_version.h"

namespace quivra::core {

namespace {
using framework::TadxCommandBarButton;
}  // namespace

void TAddInModule::adxCOMAddInModuleAddInInitialize(framework::TadxCOMAddInModule&) {
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
  int configured = 0;
  for (int slot = 1; slot < static_cast<int>(configuration_.FolderNames.size()); ++slot) {
    configured += configuration_.FolderNames[slot].empty() ? 0 : 1;
  }
  log_.Write("start-up: " + std::to_string(configured) + " filing buttons configured");
  WorkingCommandBar = &adxOlExplorerCommandBar1;
  if (configuration_.MainButtonCaption.empty()) {
    configuration_.MainButtonCaption = "Quivra";
  }
  auto& undo = WorkingCommandBar->Controls().Item<TadxCommandBarButton>(kUndoTag);
  undo.SetVisible(true);
  undo.SetTag(kUndoTag);
  undo.SetCaption("Undo");
  undo.SetStyle(framework::TadxMsoButtonStyle::adxMsoButtonCaption);
  undo.OnClick = [this](TadxCommandBarButton&) { CallUndo(); };
  undo.SetEnabled(!configuration_.UndoDetails.TargetPath.empty());
  undo.SetTooltipText("Undo last filing action");
  undo.SetBeginGroup(true);
  PlaceButtonBar();
}

void TAddInModule::adxCOMAddInModuleAddInBeginShutdown(framework::TadxCOMAddInModule&) {
  // Nothing is saved here: every change was saved when it was made.
  configuration_.ExpandList.reset();
}

void TAddInModule::adxCOMAddInModuleOLExplorerActivate(framework::TadxCOMAddInModule&) {
  // Backspace is taken from Outlook only while an explorer has the focus.
  if (configuration_.BackspaceKey && !configuration_.ButtonNames[kBackspaceSlot].empty()) {
    adxKeyboardShortcutBkSp.SetShortcutText("Bksp");
    adxKeyboardShortcutBkSp.SetEnabled(true);
  } else {
    adxKeyboardShortcutBkSp.SetShortcutText("");
    adxKeyboardShortcutBkSp.SetEnabled(false);
  }
}

void TAddInModule::adxCOMAddInModuleOLExplorerDeactivate(framework::TadxCOMAddInModule&) {
  try {
    adxKeyboardShortcutBkSp.SetShortcutText("");
    adxKeyboardShortcutBkSp.SetEnabled(false);
  } catch (const std::exception&) {
    // Losing the focus must not raise an error report.
  }
}

}  // namespace quivra::core
