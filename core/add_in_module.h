#ifndef QUIVRA_CORE_ADD_IN_MODULE_H_
#define QUIVRA_CORE_ADD_IN_MODULE_H_

#include <array>
#include <memory>
#include <string>

#include "core/diagnostic_log.h"
#include "core/filing_engine.h"
#include "host/framework/command_bars/command_bar.h"
#include "host/framework/command_bars/command_bar_controls.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "host/framework/module/com_addin_module.h"
#include "host/framework/module/image_list.h"
#include "host/framework/ribbon/ribbon_controls.h"
#include "host/framework/ribbon/ribbon_tab.h"
#include "host/outlook/outlook.h"
#include "model/configuration.h"
#include "model/configuration_file.h"
#include "model/filing_history.h"
#include "model/filing_options.h"
#include "model/undo_history.h"
#include "model/folder_ids_file.h"

namespace quivra::dialogs {
class TfrmFolders2;
class TfrmConfig;
class TFormAbout;
}  // namespace quivra::dialogs

namespace quivra::core {

// "Suggested", which files into the folder suggested first, and its keyboard shortcut: Alt+K is
// neither a menu of Outlook 2007's explorer nor a key tip of a later one's ribbon tabs.
constexpr char kSuggestedCaption[] = "Suggested";
constexpr char kSuggestedShortcut[] = "Alt+K";

// The add-in's module: its components (the explorer command bar, its own ribbon tab, the group
// on Outlook's Home tab, the image list and the keyboard shortcuts) as its design data creates
// them, and the operations behind them — the configuration file, filing, undo and the Undo
// buttons.
class TAddInModule : public framework::TCOMAddInModule {
 public:
  // `outlook` is the host application the module works on; it must be given.
  TAddInModule(platform::Platform& platform,
               Configuration& configuration,
               outlook::ApplicationPtr outlook);

  Configuration& configuration() { return configuration_; }
  FilingHistory& history() { return history_; }
  outlook::Application& HostApplication() { return *outlook_; }

  // Configuration file.
  void ClearSlots() { configuration_.ClearSlots(); }
  // Both also read or write the folder ids beside the configuration file (FolderIdsFile); a
  // damaged ids file is set aside and noted in the diagnostic log, and a save first learns the
  // ids of folders bound since the last one.
  void LoadButtonsFromFile();
  void SaveButtonsToFile();

  // Filing and undo.
  bool FileToFolder(int slot, const outlook::ObjectPtr& item) {
    return filing_.FileToFolder(slot, item);
  }
  void CallUndo() { filing_.CallUndo(); }

  // Shows the Undo buttons of the command bar, the own tab and the Home tab (the latter only
  // with Icons) and enables them exactly when the last filing can be undone.
  void PlaceUndoButton(bool Visible);

  // A filing button whose folder no longer exists: the picker, in browse mode, binds the slot to
  // another folder; the configuration is saved, the buttons placed anew and the selection filed
  // into the new folder.
  void PickNewFolderForSlot(int slot);

  // "Any Folder...": files the selection into the folder picked in the folder picker, keeps the
  // recently used list and saves the configuration.
  void FileToAnyFolder();
  // "Suggested": files the selection into the folder suggested first for it, which enters the
  // recently used list as a folder picked in the picker does. Without a suggestion it says so.
  void FileToSuggestedFolder();
  // Shows the folder suggested now in the tooltip and screen tips of "Suggested", and the
  // button only while folders are suggested.
  void RefreshSuggestedButton();
  // The folder picker, created on first use and kept for as long as the module lives.
  dialogs::TfrmFolders2& FolderPicker();

  // Placement: turns the configuration into the command bar, the own tab's and the Home tab's
  // filing groups and the armed keyboard shortcuts (at start-up and after Configure OK). The
  // first placement of a load also finds out whether the host shows a ribbon.
  void PlaceButtonBar();
  // Makes ribbonTab1 the working tab and resets its filing group.
  void PlaceRibbonBar();
  // Copies the own tab's filing group, item by item, into the Home-tab group.
  void PlaceButtonsToHomeGroup();
  // Disarms all twelve keyboard shortcuts.
  void DisableShortcuts();
  // Arms Alt+Digit (1 ... 9, and 0 for slot 10), or Backspace for 11 when BackspaceKey is on.
  void EnableShortcut(int Digit);

  // Handlers of clicks and keyboard shortcuts; the Sender's tag tells the slot.
  void FolderButtonClick(framework::TCommandBarButton& Sender);
  void MoveToClick(framework::TCommandBarButton& Sender);
  void ribbonTab1Controls0ControlsFileClick(
      framework::TRibbonCustomControl& Sender,
      const framework::TRibbonControlInfo& RibbonControl);
  void MoveRibbonToClick(framework::TRibbonCustomControl& Sender,
                         const framework::TRibbonControlInfo& RibbonControl);
  void ribbonTab1Controls0ControlsUndoClick(
      framework::TRibbonCustomControl& Sender,
      const framework::TRibbonControlInfo& RibbonControl);
  void FormShortCutKey(framework::TKeyboardShortcut& Sender);

  // The commands of the main button's menu. Configure shows the configuration dialog with the
  // picker in browse mode and, on OK, saves the configuration, reads it back and places the
  // buttons anew; ShowAbout shows the About box; Help opens the support page in the browser.
  // The dialogs are created on first use and kept for as long as the module lives.
  void Configure();
  // Whether one of the add-in's dialogs (picker, configuration, About) is up. They share the
  // folder picker, so none opens over another: a second request while one shows does nothing.
  bool AnyDialogShowing() const;
  void Help();
  void ShowAbout();

  // The module's event handlers: start-up completion, beginning of shut-down, and an explorer
  // window gaining or losing the focus.
  void comAddInModuleAddInInitialize(framework::TCOMAddInModule& Sender);
  void comAddInModuleAddInBeginShutdown(framework::TCOMAddInModule& Sender);
  void comAddInModuleOLExplorerActivate(framework::TCOMAddInModule& Sender);
  void comAddInModuleOLExplorerDeactivate(framework::TCOMAddInModule& Sender);

  // Components, as the design data names them.
  framework::TOlExplorerCommandBar& olExplorerCommandBar1;
  framework::TRibbonTab& ribbonTab1;
  framework::TRibbonTab& ribbonTab2;
  framework::TImageList& ImageList1;
  // keyboardShortcut01 ... keyboardShortcut10, at index 0 ... 9.
  std::array<framework::TKeyboardShortcut*, 10> keyboardShortcuts{};
  framework::TKeyboardShortcut& keyboardShortcutBkSp;
  framework::TKeyboardShortcut& keyboardShortcutAnyF;
  framework::TKeyboardShortcut& keyboardShortcutSugg;

  // The command bar and ribbon tab that placement works on.
  // The Undo buttons' tip when there is nothing to undo; otherwise it says what Undo does.
  static constexpr char kUndoTip[] = "Undo last filing action";

  framework::TOlExplorerCommandBar* WorkingCommandBar = nullptr;
  framework::TRibbonTab* WorkingRibbonTab = nullptr;

  // The "Filing Buttons" groups: group 1 of the own tab, group 0 of the Home-tab component.
  framework::TRibbonGroup& OwnFilingGroup();
  framework::TRibbonGroup& HomeFilingGroup();

 private:
  void BindEventHandlers();
  // Reads the undo history kept from the last session; a damaged file is set aside and logged.
  void LoadUndoHistory();
  // Backspace with BackspaceKey on, in a mail folder: files the item selected, after probing
  // with synthetic keys that Outlook can select another one once it has gone.
  void FileOnBackspace();
  void CreateCommandBarControls();
  void CreateOwnTab();
  void CreateHomeGroup();
  void CreateShortcuts();

  Configuration& configuration_;
  outlook::ApplicationPtr outlook_;
  ConfigurationFile configuration_file_;
  FolderIdsFile folder_ids_file_;
  // Switched on by the user's registry at start-up; the filing engine writes to it too.
  DiagnosticLog log_;
  // What the user filed where, for suggesting folders; the filing engine learns into it.
  FilingHistory history_;
  // "Mark as read when filing", which the filing engine reads at each run.
  MarkAsReadOption mark_as_read_;
  FilingEngine filing_;
  // The filing engine's undo history on disk: read at start-up, written after every change.
  UndoHistoryFile undo_file_;

  struct FolderPickerDeleter {
    void operator()(dialogs::TfrmFolders2* picker) const;
  };
  std::unique_ptr<dialogs::TfrmFolders2, FolderPickerDeleter> folder_picker_;
  struct DialogDeleter {
    void operator()(dialogs::TfrmConfig* dialog) const;
    void operator()(dialogs::TFormAbout* dialog) const;
  };
  // Holds a reference to the picker, so it goes first.
  std::unique_ptr<dialogs::TfrmConfig, DialogDeleter> config_dialog_;
  std::unique_ptr<dialogs::TFormAbout, DialogDeleter> about_box_;
};

}  // namespace quivra::core

#endif  // QUIVRA_CORE_ADD_IN_MODULE_H_
