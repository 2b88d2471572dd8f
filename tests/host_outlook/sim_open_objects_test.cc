// Exchange's limits on open objects, as the simulated Outlook enforces them: what counts as
// open, what is refused beyond a limit and with which error, and what frees a place again.
#include <cstdint>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "host/outlook/sim/sim_outlook.h"
#include "tests/support/simulated_world_test.h"

namespace quivra::outlook::sim {
namespace {

class SimOpenObjectsTest : public test::SimulatedWorldTest {
 protected:
  int Open(OpenObjectKind kind) const { return world.outlook.OpenObjectCount(kind); }

  NameSpacePtr space = app->GetNamespace("MAPI");
};

TEST_F(SimOpenObjectsTest, UnlimitedUntilToldAndExchangesDefaultsOnRequest) {
  std::vector<MAPIFolderPtr> held;
  for (int i = 0; i < 600; ++i) {
    held.push_back(world.inbox.handle());
  }
  EXPECT_EQ(Open(OpenObjectKind::kFolder), 600);
  EXPECT_EQ(world.outlook.RefusedOpenCount(OpenObjectKind::kFolder), 0);

  EXPECT_EQ(ExchangeOpenObjectLimit(OpenObjectKind::kFolder), 500);
  EXPECT_EQ(ExchangeOpenObjectLimit(OpenObjectKind::kItem), 250);
  EXPECT_EQ(ExchangeOpenObjectLimit(OpenObjectKind::kFolderView), 500);
  EXPECT_EQ(ExchangeOpenObjectLimit(OpenObjectKind::kItemView), 500);
  world.outlook.LimitOpenObjectsAsExchange();
  EXPECT_THROW(space->GetDefaultFolder(kFolderInbox), OutlookError);
  held.resize(499);
  EXPECT_NO_THROW(space->GetDefaultFolder(kFolderInbox));
}

TEST_F(SimOpenObjectsTest, AnObjectBeyondTheLimitFailsAsOutlookFailsAndAReleaseMakesRoom) {
  world.outlook.LimitOpenObjects(OpenObjectKind::kFolder, 2);
  MAPIFolderPtr inbox = space->GetDefaultFolder(kFolderInbox);
  MAPIFolderPtr projects = world.projects.handle();
  FolderCollectionPtr subfolders = projects->Folders();
  try {
    subfolders->Item(1);
    FAIL() << "a third folder was handed out";
  } catch (const OutlookError& error) {
    EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x8004011D));
    EXPECT_STREQ(error.what(),
                 "Your server administrator has limited the number of items you can open "
                 "simultaneously. Try closing messages you have opened or removing attachments and "
                 "images from unsent messages you are composing.");
  }
  // Every way of handing out a folder is refused alike; what is held goes on working.
  EXPECT_THROW(subfolders->Item("Alpha"), OutlookError);
  EXPECT_THROW(projects->Parent(), OutlookError);
  EXPECT_THROW(space->GetFolderFromID(world.alpha.entry_id(), world.alpha.store_id()),
               OutlookError);
  EXPECT_EQ(world.outlook.RefusedOpenCount(OpenObjectKind::kFolder), 4);
  EXPECT_EQ(inbox->Name(), "Inbox");
  EXPECT_EQ(subfolders->Count(), 2);

  inbox.reset();
  EXPECT_EQ(subfolders->Item(1)->Name(), "Alpha");  // a temporary: released at once
  EXPECT_EQ(Open(OpenObjectKind::kFolder), 1);
  EXPECT_EQ(world.outlook.HighestOpenObjectCount(OpenObjectKind::kFolder), 2);
}

TEST_F(SimOpenObjectsTest, ATypedViewCountsAsTheObjectItWasQueriedFrom) {
  world.outlook.LimitOpenObjects(OpenObjectKind::kFolder, 2);
  world.outlook.LimitOpenObjects(OpenObjectKind::kItem, 1);
  {
    MAPIFolderPtr specs = world.specs.handle();
    ObjectPtr parent = specs->Parent();
    MAPIFolderPtr typed = parent->AsMAPIFolder();
    EXPECT_EQ(typed->Name(), "Beta");
    EXPECT_EQ(Open(OpenObjectKind::kFolder), 2);
  }
  EXPECT_EQ(Open(OpenObjectKind::kFolder), 0);

  ObjectPtr item = world.inbox.items().front().handle();
  ItemPtr mail = item->AsItem(ItemInterface::kMailItem);
  item.reset();
  EXPECT_EQ(Open(OpenObjectKind::kItem), 1);  // the view keeps the item open
  EXPECT_THROW(world.inbox.items().back().handle(), OutlookError);
  mail.reset();
  EXPECT_EQ(Open(OpenObjectKind::kItem), 0);
  EXPECT_NO_THROW(world.inbox.items().back().handle());
}

TEST_F(SimOpenObjectsTest, EachKindHasItsOwnLimitAndCollectionsCountAsViews) {
  world.outlook.LimitOpenObjects(OpenObjectKind::kItem, 2);
  world.outlook.LimitOpenObjects(OpenObjectKind::kFolderView, 1);
  world.outlook.LimitOpenObjects(OpenObjectKind::kItemView, 1);
  MAPIFolderPtr inbox = world.inbox.handle();
  ItemCollectionPtr items = inbox->Items();
  EXPECT_THROW(inbox->Items(), OutlookError);
  ObjectPtr last = items->GetLast();
  ObjectPtr before = items->GetPrevious();
  EXPECT_THROW(items->GetPrevious(), OutlookError);
  FolderCollectionPtr stores = space->Folders();
  EXPECT_THROW(inbox->Folders(), OutlookError);
  stores.reset();
  EXPECT_NO_THROW(inbox->Folders());
  // Folders are not limited here: any number opens.
  std::vector<MAPIFolderPtr> folders(300, nullptr);
  for (MAPIFolderPtr& folder : folders) {
    folder = world.alpha.handle();
  }
  EXPECT_EQ(Open(OpenObjectKind::kFolder), 301);
  EXPECT_EQ(world.outlook.RefusedOpenCount(OpenObjectKind::kItem), 1);
  EXPECT_EQ(world.outlook.RefusedOpenCount(OpenObjectKind::kItemView), 1);
  EXPECT_EQ(world.outlook.RefusedOpenCount(OpenObjectKind::kFolderView), 1);

  world.outlook.ResetOpenObjectCounts();
  EXPECT_EQ(world.outlook.RefusedOpenCount(OpenObjectKind::kItem), 0);
  folders.clear();
  EXPECT_EQ(world.outlook.HighestOpenObjectCount(OpenObjectKind::kFolder), 301);
  world.outlook.LimitOpenObjects(OpenObjectKind::kItem, std::nullopt);
  EXPECT_NO_THROW(items->GetPrevious());
}

}  // namespace
}  // namespace quivra::outlook::sim
