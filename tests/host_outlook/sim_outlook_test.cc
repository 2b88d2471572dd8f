#include "host/outlook/sim/sim_outlook.h"

#include <set>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/simulated_world_test.h"

namespace quivra::outlook::sim {
namespace {

using test::Subjects;
using ::testing::ElementsAre;

class SimOutlookTest : public test::SimulatedWorldTest {
 protected:
  NameSpacePtr Session() { return app->GetNamespace("MAPI"); }
};

bool IsUpperHex(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

// Interface queries: how the product tells roots, folders and item kinds apart.

TEST_F(SimOutlookTest, RootFolderParentIsNotAFolder) {
  ObjectPtr parent = world.mailbox.handle()->Parent();
  ASSERT_TRUE(parent);
  try {
    parent->AsMAPIFolder();
    FAIL() << "the name space passed for a folder";
  } catch (const OutlookError& error) {
    EXPECT_EQ(error.code(), kErrorNoInterface);
  }
}

TEST_F(SimOutlookTest, InnerFolderParentIsItsFolder) {
  MAPIFolderPtr parent = world.specs.handle()->Parent()->AsMAPIFolder();
  EXPECT_EQ(parent->Name(), "Beta");
  EXPECT_EQ(parent->EntryID(), world.beta.entry_id());
}

TEST_F(SimOutlookTest, EachItemKindIsAcceptedOnlyThroughItsOwnInterface) {
  const std::pair<SimItem, ItemInterface> accepted[] = {
      {world.inbox_mail[0], ItemInterface::kMailItem},
      {world.meeting, ItemInterface::kMeetingItem},
      {world.report, ItemInterface::kReportItem},
      {world.task_request, ItemInterface::kTaskRequestItem},
      {world.post, ItemInterface::kPostItem},
  };
  for (const auto& [item, own] : accepted) {
    for (ItemInterface query : kMessageInterfaces) {
      SCOPED_TRACE(item.subject() + " as " + std::string(InterfaceName(query)));
      if (query == own) {
        EXPECT_EQ(item.handle()->AsItem(query)->ConversationIndex(), item.conversation_index());
      } else {
        EXPECT_THROW(item.handle()->AsItem(query), OutlookError);
      }
    }
  }
}

TEST_F(SimOutlookTest, ContactAndAppointmentRefuseAllMessageInterfaces) {
  for (const SimItem& item : {world.contact, world.appointment}) {
    for (ItemInterface query : kMessageInterfaces) {
      EXPECT_THROW(item.handle()->AsItem(query), OutlookError) << InterfaceName(query);
    }
    EXPECT_THROW(item.handle()->AsMAPIFolder(), OutlookError);
  }
}

TEST_F(SimOutlookTest, ItemParentIsTheFolderHoldingIt) {
  ItemPtr mail = world.inbox_mail[3].handle()->AsItem(ItemInterface::kMailItem);
  // The Inbox, reached as a parent, answers its second EntryID: the same folder to Outlook.
  const std::string parent = mail->Parent()->AsMAPIFolder()->EntryID();
  EXPECT_EQ(parent, world.inbox.second_entry_id());
  EXPECT_TRUE(app->GetNamespace("MAPI")->CompareEntryIDs(parent, world.inbox.entry_id()));
}

TEST_F(SimOutlookTest, ActiveWindowIsTheExplorerAnInspectorOrNothing) {
  EXPECT_EQ(app->ActiveWindow()->AsExplorer()->CurrentFolder()->Name(), "Inbox");

  world.outlook.ActivateInspector();
  ObjectPtr inspector = app->ActiveWindow();
  ASSERT_TRUE(inspector);
  EXPECT_THROW(inspector->AsExplorer(), OutlookError);
  EXPECT_TRUE(app->ActiveExplorer()) << "an inspector in front keeps the active explorer";

  world.outlook.DeactivateWindows();
  EXPECT_FALSE(app->ActiveWindow());
}

TEST_F(SimOutlookTest, ClosingTheLastExplorerLeavesNoActiveExplorer) {
  world.explorer.Close();
  EXPECT_FALSE(app->ActiveExplorer());
  EXPECT_FALSE(app->ActiveWindow());
}

// Folders: lookup by position and by name, and new folders.

TEST_F(SimOutlookTest, NameSpaceListsOneRootPerStoreInOrder) {
  FolderCollectionPtr roots = app->Session()->Folders();
  ASSERT_EQ(roots->Count(), 2);
  EXPECT_EQ(roots->Item(1)->Name(), "Mailbox");
  EXPECT_EQ(roots->Item(2)->Name(), "Archive");
  EXPECT_THROW(roots->Item(0), OutlookError);
  EXPECT_THROW(roots->Item(3), OutlookError);
}

TEST_F(SimOutlookTest, ItemByNameIgnoresLetterCase) {
  world.mailbox.AddFolder("Gelöschte Elemente");
  FolderCollectionPtr folders = world.mailbox.handle()->Folders();
  EXPECT_EQ(folders->Item("sent items")->EntryID(), world.sent_items.entry_id());
  EXPECT_EQ(folders->Item("PROJECTS")->EntryID(), world.projects.entry_id());
  EXPECT_EQ(folders->Item("GELÖSCHTE ELEMENTE")->Name(), "Gelöschte Elemente");
}

TEST_F(SimOutlookTest, ItemByNameFailsForAMissingName) {
  FolderCollectionPtr folders = world.projects.handle()->Folders();
  for (const char* name : {"Gamma", "", "Alph", "Alpha\\", "Specs"}) {
    try {
      folders->Item(name);
      FAIL() << "found \"" << name << "\"";
    } catch (const OutlookError& error) {
      EXPECT_EQ(error.code(), kErrorNotFound) << name;
    }
  }
}

TEST_F(SimOutlookTest, AddCreatesAFolderInTheSameStore) {
  MAPIFolderPtr added = world.projects.handle()->Folders()->Add("Gamma", 15);
  EXPECT_EQ(added->StoreID(), world.mailbox.store_id());
  EXPECT_EQ(added->DefaultItemType(), kMailItem);
  EXPECT_TRUE(IsUpperHex(added->EntryID()));
  EXPECT_EQ(world.projects["Gamma"].entry_id(), added->EntryID());

  std::set<std::string> entry_ids = {added->EntryID()};
  for (const SimFolder& folder : world.projects.subfolders()) {
    entry_ids.insert(folder.entry_id());
  }
  EXPECT_EQ(entry_ids.size(), 3u) << "the new entry id is fresh";
}

TEST_F(SimOutlookTest, AddRefusesAnExistingOrEmptyName) {
  FolderCollectionPtr folders = world.projects.handle()->Folders();
  EXPECT_THROW(folders->Add("alpha", 15), OutlookError);
  EXPECT_THROW(folders->Add("", 15), OutlookError);
  EXPECT_EQ(folders->Count(), 2);
}

TEST_F(SimOutlookTest, StoreAndEntryIdsAreDistinctUppercaseHex) {
  EXPECT_TRUE(IsUpperHex(world.mailbox.store_id()));
  EXPECT_TRUE(IsUpperHex(world.inbox.entry_id()));
  EXPECT_NE(world.mailbox.store_id(), world.archive.store_id());
  EXPECT_EQ(world.specs.store_id(), world.mailbox.store_id());
  EXPECT_NE(world.alpha.entry_id(), world.archive_alpha.entry_id());
}

TEST_F(SimOutlookTest, DefaultFoldersAreThoseOfTheDefaultStore) {
  NameSpacePtr session = Session();
  EXPECT_EQ(session->GetDefaultFolder(kFolderInbox)->Name(), "Inbox");
  EXPECT_EQ(session->GetDefaultFolder(kFolderDeletedItems)->Name(), "Deleted Items");
  EXPECT_EQ(session->GetDefaultFolder(kFolderDeletedItems)->StoreID(), world.mailbox.store_id());
  EXPECT_EQ(session->GetDefaultFolder(kFolderDrafts)->Name(), "Drafts");
  EXPECT_EQ(session->GetDefaultFolder(kFolderOutbox)->Name(), "Outbox");
  EXPECT_EQ(session->GetDefaultFolder(kFolderSentMail)->Name(), "Sent Items");
  EXPECT_EQ(session->GetDefaultFolder(kFolderCalendar)->DefaultItemType(), 1);
  EXPECT_EQ(session->GetDefaultFolder(kFolderContacts)->DefaultItemType(), 2);
  EXPECT_THROW(session->GetDefaultFolder(11), OutlookError);
  EXPECT_THROW(app->GetNamespace("EXCHANGE"), OutlookError);
}

TEST_F(SimOutlookTest, DeletedFolderFailsThroughEveryReference) {
  MAPIFolderPtr beta = world.beta.handle();
  MAPIFolderPtr specs = world.specs.handle();
  world.beta.PermanentlyDelete();
  EXPECT_THROW(beta->Name(), OutlookError);
  EXPECT_THROW(specs->Items(), OutlookError);
  EXPECT_THROW(world.projects.handle()->Folders()->Item("Beta"), OutlookError);
  EXPECT_FALSE(world.specs.items()[0].exists());
}

TEST_F(SimOutlookTest, ClosedStoreLeavesTheNameSpace) {
  MAPIFolderPtr archive = world.archive.handle();
  world.outlook.CloseStore(world.archive);
  EXPECT_EQ(app->Session()->Folders()->Count(), 1);
  EXPECT_THROW(archive->StoreID(), OutlookError);
}

// Items: walking a folder from its end.

TEST_F(SimOutlookTest, GetPreviousRunsOutAfterTheFirstItem) {
  SimFolder folder = world.specs;  // two items
  ItemCollectionPtr items = folder.handle()->Items();
  ASSERT_EQ(items->Count(), 2);
  ObjectPtr last = items->GetLast();
  EXPECT_EQ(last->AsItem(ItemInterface::kMailItem)->ConversationIndex(),
            folder.items()[1].conversation_index());
  ObjectPtr first = items->GetPrevious();
  EXPECT_EQ(first->AsItem(ItemInterface::kMailItem)->ConversationIndex(),
            folder.items()[0].conversation_index());
  EXPECT_FALSE(items->GetPrevious());
  EXPECT_FALSE(items->GetPrevious());
}

TEST_F(SimOutlookTest, EmptyFolderHasNoLastItem) {
  ItemCollectionPtr items = world.outbox.handle()->Items();
  EXPECT_EQ(items->Count(), 0);
  EXPECT_FALSE(items->GetLast());
  EXPECT_FALSE(items->GetPrevious());
}

// Moving items, and how explorers follow.

TEST_F(SimOutlookTest, MoveGoesToTheEndOfTheTargetFolder) {
  SimItem mail = world.inbox_mail[5];
  mail.handle()->AsItem(ItemInterface::kMailItem)->Move(world.alpha.handle());
  EXPECT_EQ(mail.folder(), world.alpha);
  EXPECT_EQ(world.alpha.items().back(), mail);
  EXPECT_EQ(world.inbox.items().size(), 24u);
  ObjectPtr last = world.alpha.handle()->Items()->GetLast();
  EXPECT_EQ(last->AsItem(ItemInterface::kMailItem)->Parent()->AsMAPIFolder()->Name(), "Alpha");
}

TEST_F(SimOutlookTest, MoveAcrossStoresAndIntoAGoneFolder) {
  ItemPtr mail = world.inbox_mail[0].handle()->AsItem(ItemInterface::kMailItem);
  const std::string before = world.inbox_mail[0].entry_id();
  const ObjectPtr moved = mail->Move(world.archive_2024.handle());
  EXPECT_EQ(world.inbox_mail[0].folder(), world.archive_2024);
  // Another store gives the item a new EntryID, which the item handed back answers.
  const std::string after = moved->AsItem(ItemInterface::kMailItem)->EntryID();
  EXPECT_NE(after, before);
  EXPECT_EQ(after, world.inbox_mail[0].entry_id());

  MAPIFolderPtr beta = world.beta.handle();
  world.beta.PermanentlyDelete();
  EXPECT_THROW(mail->Move(beta), OutlookError);
  EXPECT_THROW(mail->Move(nullptr), OutlookError);
  EXPECT_EQ(world.inbox_mail[0].folder(), world.archive_2024);
}

TEST_F(SimOutlookTest, MovedItemsLeaveTheSelectionWhenMessagesAreProcessed) {
  const auto& mail = world.inbox_mail;
  world.explorer.Select({mail[10], mail[11], mail[12]});
  mail[11].handle()->AsItem(ItemInterface::kMailItem)->Move(world.alpha.handle());

  // The window has not redrawn yet: the selection still holds the moved item.
  EXPECT_EQ(app->ActiveExplorer()->Selection()->Count(), 3);
  world.outlook.ProcessMessages();
  EXPECT_THAT(Subjects(world.explorer.selection()), ElementsAre("Inbox mail 11", "Inbox mail 13"));
  EXPECT_EQ(app->ActiveExplorer()->Selection()->Count(), 2);
}

TEST_F(SimOutlookTest, WhenTheWholeSelectionLeavesTheNextItemIsSelected) {
  const auto& mail = world.inbox_mail;
  // Newest first: mail 3 is listed just above mail 2, mail 2 just above mail 1.
  world.explorer.Select({mail[2], mail[1]});
  for (int i : {2, 1}) {
    mail[i].handle()->AsItem(ItemInterface::kMailItem)->Move(world.alpha.handle());
  }
  world.outlook.ProcessMessages();
  EXPECT_THAT(Subjects(world.explorer.selection()), ElementsAre("Inbox mail 1"));

  // At the bottom of the list the item above takes over.
  world.explorer.Select({mail[0]});
  mail[0].MoveTo(world.alpha);
  world.outlook.ProcessMessages();
  EXPECT_THAT(Subjects(world.explorer.selection()), ElementsAre("Inbox mail 4"));
}

TEST_F(SimOutlookTest, SelectionSnapshotKeepsItsItems) {
  world.explorer.Select({world.inbox_mail[0], world.inbox_mail[1]});
  SelectionPtr selection = app->ActiveExplorer()->Selection();
  world.explorer.Select({});
  EXPECT_EQ(selection->Count(), 2);
  EXPECT_EQ(app->ActiveExplorer()->Selection()->Count(), 0);
  EXPECT_THROW(selection->Item(3), OutlookError);
}

// Accounting: the cost of an operation, and failures on demand.

TEST_F(SimOutlookTest, CountsCallsByMethod) {
  world.outlook.ResetCallCounts();
  MAPIFolderPtr projects = app->Session()->Folders()->Item("Mailbox")->Folders()->Item("Projects");
  projects->Parent()->AsMAPIFolder()->Name();
  SimOutlook& outlook = world.outlook;
  EXPECT_EQ(outlook.CallCount("Folders.Item"), 2);
  EXPECT_EQ(outlook.CallCount("Application.Session"), 1);
  EXPECT_EQ(outlook.CallCount("MAPIFolder.Parent"), 1);
  EXPECT_EQ(outlook.CallCount("QueryInterface(MAPIFolder)"), 1);
  EXPECT_EQ(outlook.CallCount("MAPIFolder.Name"), 1);
  EXPECT_EQ(outlook.CallCount("Item.Move"), 0);
  EXPECT_EQ(outlook.TotalCalls(), 8);

  outlook.ResetCallCounts();
  EXPECT_EQ(outlook.TotalCalls(), 0);
}

TEST_F(SimOutlookTest, FailedCallsAreCountedToo) {
  world.outlook.ResetCallCounts();
  world.outlook.FailCall("Application.ActiveExplorer");
  EXPECT_THROW(app->ActiveExplorer(), OutlookError);
  EXPECT_EQ(world.outlook.CallCount("Application.ActiveExplorer"), 1);
}

TEST_F(SimOutlookTest, FailOnceStrikesTheNextCallOnly) {
  FolderCollectionPtr folders = world.mailbox.handle()->Folders();
  world.outlook.FailCall("Folders.Item", FailMode::kOnce);
  try {
    folders->Item("Inbox");
    FAIL() << "the injected failure did not strike";
  } catch (const OutlookError& error) {
    EXPECT_EQ(error.code(), kErrorFailed);
  }
  EXPECT_EQ(folders->Item("Inbox")->Name(), "Inbox");
}

TEST_F(SimOutlookTest, FailAlwaysStrikesUntilStopped) {
  world.outlook.FailCall("MAPIFolder.Name", FailMode::kAlways);
  MAPIFolderPtr inbox = world.inbox.handle();
  EXPECT_THROW(inbox->Name(), OutlookError);
  EXPECT_THROW(inbox->Name(), OutlookError);
  EXPECT_EQ(inbox->EntryID(), world.inbox.entry_id()) << "other methods are untouched";
  world.outlook.StopFailing();
  EXPECT_EQ(inbox->Name(), "Inbox");
}

TEST_F(SimOutlookTest, FailureCanWaitForALaterCall) {
  world.outlook.FailCall("Item.Move", FailMode::kOnce, 1);
  ItemPtr first = world.inbox_mail[0].handle()->AsItem(ItemInterface::kMailItem);
  ItemPtr second = world.inbox_mail[1].handle()->AsItem(ItemInterface::kMailItem);
  first->Move(world.alpha.handle());
  EXPECT_THROW(second->Move(world.alpha.handle()), OutlookError);
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha);
  EXPECT_EQ(world.inbox_mail[1].folder(), world.inbox);
}

TEST_F(SimOutlookTest, HandlesOutliveTheWorld) {
  MAPIFolderPtr inbox;
  {
    SimOutlook outlook;
    inbox = outlook.AddStore("Solo").AddFolder("Inbox").handle();
  }
  EXPECT_EQ(inbox->Name(), "Inbox");
}

}  // namespace
}  // namespace quivra::outlook::sim
