// Filing, undo and "Any Folder..." against a store that limits the objects a session holds open,
// as Exchange does: a thousand selected items are filed, the undo search reads a thousand items
// and the picker files from a wide tree, and nothing is refused.
#include <string>
#include <vector>

#include "tests/core/module_fixture.h"

namespace quivra::core {
namespace {

using outlook::sim::ItemKind;
using outlook::sim::OpenObjectKind;
using outlook::sim::SimFolder;
using outlook::sim::SimItem;
using ui::sim::SimUser;

constexpr OpenObjectKind kKinds[] = {OpenObjectKind::kFolder, OpenObjectKind::kItem,
                                     OpenObjectKind::kFolderView, OpenObjectKind::kItemView};

class OpenObjectsTest : public ModuleTest {
 protected:
  OpenObjectsTest() {
    config.ExpandList.emplace();
    world.outlook.LimitOpenObjectsAsExchange();
  }

  // `count` new mails in the Inbox, selected in the explorer.
  std::vector<SimItem> SelectNewMail(int count) {
    std::vector<SimItem> mail;
    for (int i = 1; i <= count; ++i) {
      mail.push_back(world.inbox.AddItem(ItemKind::kMail, "Bulk " + std::to_string(i)));
    }
    world.explorer.Select(mail);
    return mail;
  }
  // Nothing was refused, and no kind had more than `most` objects open at once.
  void ExpectNoneRefused(int most) {
    for (OpenObjectKind kind : kKinds) {
      EXPECT_EQ(world.outlook.RefusedOpenCount(kind), 0) << static_cast<int>(kind);
      EXPECT_LE(world.outlook.HighestOpenObjectCount(kind), most) << static_cast<int>(kind);
    }
  }
  static bool AllIn(const std::vector<SimItem>& items, const SimFolder& folder) {
    for (const SimItem& item : items) {
      if (item.folder() != folder) {
        return false;
      }
    }
    return true;
  }
};

TEST_F(OpenObjectsTest, AThousandSelectedItemsAreFiledAndUndoneUnderTheLimits) {
  Configure(3, world.alpha);
  const std::vector<SimItem> mail = SelectNewMail(1000);
  EXPECT_TRUE(module.FileToFolder(3, nullptr));
  EXPECT_TRUE(AllIn(mail, world.alpha));
  EXPECT_TRUE(Messages().empty());

  // Undo finds each item by its identity, however many newer ones the folder holds by then,
  // and holds one at a time.
  for (int i = 1; i <= 1000; ++i) {
    world.alpha.AddItem(ItemKind::kMail, "Newer " + std::to_string(i));
  }
  module.CallUndo();
  EXPECT_TRUE(AllIn(mail, world.inbox));
  EXPECT_TRUE(Messages().empty());
  ExpectNoneRefused(10);
}

TEST_F(OpenObjectsTest, AnyFolderFilesAThousandItemsFromATreeOfSixHundredExpandedFolders) {
  config.ExpandList->push_back(world.mailbox.entry_id());
  for (int i = 1; i <= 600; ++i) {
    SimFolder folder = world.mailbox.AddFolder("Folder " + std::to_string(i));
    folder.AddFolder("Below");
    config.ExpandList->push_back(folder.entry_id());
  }
  const std::vector<SimItem> mail = SelectNewMail(1000);
  sim.ui.Expect([](SimUser& user) {
    user.SelectNode("Mailbox\\Folder 600\\Below");
    user.Click("btnOK");
  });
  module.FileToAnyFolder();
  EXPECT_TRUE(AllIn(mail, world.outlook.FolderAt("Mailbox\\Folder 600\\Below")));
  EXPECT_EQ(config.MruList[1].Folder, "Mailbox\\Folder 600\\Below");
  EXPECT_TRUE(Messages().empty());
  ExpectNoneRefused(10);
}

}  // namespace
}  // namespace quivra::core
