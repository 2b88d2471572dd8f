// The Outlook COM backend against real automation objects: the stand-in's Outlook objects over
// the standard simulated mailbox, reached through IDispatch by name, Outlook's IIDs and
// connection points, exactly as the add-in reaches Outlook. Prints one PASS or FAIL line per
// check and exits with the number of failures.
#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/outlook/com/com_outlook.h"
#include "host/outlook/sim/standard_world.h"
#include "tests/e2e/check_report.h"
#include "tools/olhost/outlook_objects.h"

namespace {

using namespace quivra;

using e2e::Check;

// The code Outlook raised, or 0 when the call succeeded.
template <typename F>
std::int32_t Raised(F&& call) {
  try {
    call();
  } catch (const outlook::OutlookError& error) {
    return error.code();
  }
  return 0;
}

struct Log : outlook::ExplorerEvents, outlook::ExplorersEvents, outlook::ApplicationEvents {
  void Activate() override { lines.push_back("Activate"); }
  void Deactivate() override { lines.push_back("Deactivate"); }
  void BeforeFolderSwitch(const outlook::MAPIFolderPtr& folder, bool& cancel) override {
    lines.push_back("BeforeFolderSwitch " + folder->Name());
    cancel = cancel_switch;
  }
  void FolderSwitch() override { lines.push_back("FolderSwitch"); }
  void Close() override { lines.push_back("Close"); }
  void NewExplorer(const outlook::ExplorerPtr& explorer) override {
    lines.push_back("NewExplorer " + explorer->CurrentFolder()->Name());
  }
  void Quit() override { lines.push_back("Quit"); }
  std::vector<std::string> lines;
  bool cancel_switch = false;
};

void Run() {
  outlook::sim::StandardWorld world;
  Microsoft::WRL::ComPtr<IDispatch> automation =
      olhost::MakeApplicationObject(world.outlook.application());
  outlook::ApplicationPtr app = outlook::com::MakeComApplication(automation.Get());
  Check(app != nullptr, "the application answers _Application");

  world.outlook.SetVersion("15.0.0.4569");
  Check(app->Version() == "15.0.0.4569", "Version");
  outlook::NameSpacePtr space = app->GetNamespace("MAPI");
  outlook::FolderCollectionPtr stores = space->Folders();
  Check(stores->Count() == 2, "two stores");
  outlook::MAPIFolderPtr mailbox = stores->Item("mailbox");
  Check(mailbox->Name() == "Mailbox", "Folders.Item by name ignores case");
  Check(mailbox->StoreID() == world.mailbox.store_id(), "StoreID");
  Check(Raised([&] { mailbox->Parent()->AsMAPIFolder(); }) == outlook::kErrorNoInterface,
        "a store's root folder has no folder as parent");
  outlook::MAPIFolderPtr alpha = mailbox->Folders()->Item("Projects")->Folders()->Item("Alpha");
  Check(alpha->Parent()->AsMAPIFolder()->Name() == "Projects", "a folder's parent is its folder");
  Check(Raised([&] { mailbox->Folders()->Item("Nowhere"); }) == outlook::kErrorNotFound,
        "a missing folder raises Outlook's error code");

  // The selection, interface queries on items, and a move.
  world.explorer.Select({world.inbox_mail[0], world.contact});
  outlook::SelectionPtr selection = app->ActiveExplorer()->Selection();
  Check(selection->Count() == 2, "Selection.Count");
  outlook::ItemPtr mail = selection->Item(1)->AsItem(outlook::ItemInterface::kMailItem);
  Check(Raised([&] { selection->Item(2)->AsItem(outlook::ItemInterface::kMailItem); }) ==
            outlook::kErrorNoInterface,
        "a contact is not a mail item");
  Check(mail->ConversationIndex() == world.inbox_mail[0].conversation_index(), "ConversationIndex");
  Check(mail->SenderEmailAddress() == "ann@contoso.example", "SenderEmailAddress");
  Check(mail->Subject() == "Inbox mail 1", "Subject");
  Check(Raised([&] { mail->ConversationID(); }) != 0,
        "ConversationID fails where Outlook 2007 does not know it");
  world.inbox_mail[0].SetConversationId("3F2A0C");
  Check(mail->ConversationID() == "3F2A0C", "ConversationID");
  Check(world.inbox_mail[0].unread(), "mail arrives unread");
  mail->MarkAsRead();
  Check(!world.inbox_mail[0].unread(), "UnRead = False and Save mark the item read");
  const outlook::ObjectPtr moved_mail = mail->Move(alpha);
  Check(world.inbox_mail[0].folder() == world.alpha, "Move puts the item into the folder");
  Check(moved_mail && moved_mail->AsItem(outlook::ItemInterface::kMailItem)->EntryID() ==
                     world.inbox_mail[0].entry_id(),
        "Move hands back the item moved");
  world.outlook.FailCall("Item.Move");
  const std::int32_t failed = Raised([&] { mail->Move(mailbox); });
  Check(failed == outlook::kErrorFailed, "a failing Move raises Outlook's code");
  // The stand-in, like Outlook, defers the error's texts; they arrive all the same.
  world.outlook.FailCall("Item.Move");
  std::string text;
  try {
    mail->Move(mailbox);
  } catch (const outlook::OutlookError& error) {
    text = error.what();
  }
  Check(text == "The operation failed. (Item.Move)",
        "Outlook's own text of a deferred error arrives: \"" + text + "\"");

  // What real mailboxes need: an item's subject, a store's refusal with its code and text, a
  // folder found by its EntryID after a move, and Outlook's hidden mark.
  Check(mail->Subject() == "Inbox mail 1", "Subject");
  world.outlook.RefuseMovesInto(world.archive, outlook::kErrorAccessDenied, "No permission.");
  outlook::MAPIFolderPtr archive_2023 = stores->Item("Archive")->Folders()->Item("2023");
  std::string refusal;
  try {
    mail->Move(archive_2023);
  } catch (const outlook::OutlookError& error) {
    refusal = std::to_string(error.code() == outlook::kErrorAccessDenied) + " " + error.what();
  }
  Check(refusal == "1 No permission.", "a store's refusal arrives with its code and text");
  world.specs.MoveTo(world.alpha);
  outlook::MAPIFolderPtr moved =
      space->GetFolderFromID(world.specs.entry_id(), world.mailbox.store_id());
  Check(moved->Parent()->AsMAPIFolder()->Name() == "Alpha", "GetFolderFromID finds a moved folder");
  Check(Raised([&] { space->GetFolderFromID("00", world.mailbox.store_id()); }) ==
            outlook::kErrorNotFound,
        "GetFolderFromID of no folder raises MAPI_E_NOT_FOUND");
  world.junk_email.SetHidden(true);
  Check(mailbox->Folders()->Item("Junk E-mail")->GetBooleanProperty(outlook::kHiddenFolderProperty),
        "PropertyAccessor.GetProperty reads PR_ATTR_HIDDEN");
  Check(Raised([&] { alpha->GetBooleanProperty(outlook::kHiddenFolderProperty); }) ==
            outlook::kErrorNotFound,
        "a property not set raises");

  // Events through connection points, and their ends.
  Log log;
  auto explorers = app->Explorers();
  auto new_explorers = explorers->Advise(log);
  auto explorer_events = app->ActiveExplorer()->Advise(log);
  auto quit = app->Advise(log);
  const std::uintptr_t window = app->ActiveExplorer()->WindowHandle();
  Check(window == world.explorer.window() && explorers->Item(1)->WindowHandle() == window,
        "one window handle for every reference to an explorer");
  auto second = world.outlook.AddExplorer(world.projects);
  log.cancel_switch = true;
  world.explorer.ShowFolder(world.drafts);
  Check(world.explorer.current_folder() == world.inbox, "a sink cancels a folder switch");
  log.cancel_switch = false;
  world.explorer.ShowFolder(world.drafts);
  explorer_events.reset();
  world.explorer.Activate();
  world.outlook.Quit();
  new_explorers.reset();
  quit.reset();
  second.Close();
  const std::vector<std::string> expected = {
      "NewExplorer Projects",      "Deactivate",   "BeforeFolderSwitch Drafts",
      "BeforeFolderSwitch Drafts", "FolderSwitch", "Quit"};
  std::string seen;
  for (const auto& line : log.lines)
    seen += line + "; ";
  Check(log.lines == expected, "events in order, none after Unadvise: " + seen);
  Check(world.outlook.EventConnectionCount() == 0, "every subscription ended");
}

}  // namespace

int main() {
  ::OleInitialize(nullptr);
  try {
    Run();
  } catch (const std::exception& error) {
    Check(false, std::string("unexpected error: ") + error.what());
  }
  ::OleUninitialize();
  return e2e::Failures();
}
