// The folder picker against a store that limits the objects a session holds open, as Exchange
// does: a tree of thousands of expanded folders and the Find index of ten thousand folders are
// read without ever reaching the limits, and nothing is refused.
#include <string>
#include <vector>

#include "dialogs/folder_index_reader.h"
#include "platform/collation.h"
#include "tests/dialogs/picker_fixture.h"

namespace quivra::dialogs {
namespace {

using outlook::sim::OpenObjectKind;
using outlook::sim::SimFolder;
using ui::sim::SimUser;

constexpr OpenObjectKind kKinds[] = {OpenObjectKind::kFolder, OpenObjectKind::kItem,
                                     OpenObjectKind::kFolderView, OpenObjectKind::kItemView};

class PickerOpenObjectsTest : public PickerTest {
 protected:
  PickerOpenObjectsTest() { world.outlook.LimitOpenObjectsAsExchange(); }

  // Nothing was refused, and no kind had more than `most` objects open at once.
  void ExpectNoneRefused(int most) {
    for (OpenObjectKind kind : kKinds) {
      EXPECT_EQ(world.outlook.RefusedOpenCount(kind), 0) << static_cast<int>(kind);
      EXPECT_LE(world.outlook.HighestOpenObjectCount(kind), most) << static_cast<int>(kind);
    }
  }

  // `count` folders "<prefix> 1" ... below `parent`, each with one subfolder "Below"; their ids
  // are added to the remembered expanded nodes.
  void AddExpandedFolders(const SimFolder& parent, const std::string& prefix, int count) {
    for (int i = 1; i <= count; ++i) {
      SimFolder folder = parent.AddFolder(prefix + " " + std::to_string(i));
      folder.AddFolder("Below");
      config.ExpandList->push_back(folder.entry_id());
    }
  }
};

TEST_F(PickerOpenObjectsTest, TwoThousandExpandedFoldersAreShownWithNoFolderHeldOpen) {
  SimFolder many = world.mailbox.AddFolder("Many");
  config.ExpandList->push_back(world.mailbox.entry_id());
  config.ExpandList->push_back(many.entry_id());
  AddExpandedFolders(many, "Folder", 2000);
  ShowBrowse([this](SimUser& user) {
    // While the picker is up, its tree holds no Outlook object.
    for (OpenObjectKind kind : kKinds) {
      EXPECT_EQ(world.outlook.OpenObjectCount(kind), 0) << static_cast<int>(kind);
    }
    user.Click("btnCancel");
  });
  ExpectNoneRefused(10);
  ASSERT_NE(Find("Mailbox\\Many"), nullptr);
  EXPECT_EQ(Find("Mailbox\\Many")->Count(), 2000);
  EXPECT_TRUE(Find("Mailbox\\Many\\Folder 1")->Expanded());
  EXPECT_NE(Find("Mailbox\\Many\\Folder 2000\\Below"), nullptr);
}

TEST_F(PickerOpenObjectsTest, ANodeOpensItsFolderWhereItIsNowAndAFolderIsAddedBelowIt) {
  // The nodes keep ids: one whose folder moved since the tree was read expands from where the
  // folder lies now, and the new folder goes there.
  config.ExpandList->push_back(world.mailbox.entry_id());
  config.ExpandList->push_back(world.projects.entry_id());
  world.alpha.AddFolder("Inner");
  ShowBrowse([this](SimUser& user) {
    world.alpha.MoveTo(world.inbox);
    world.alpha.AddFolder("Added since");
    user.ExpandNode("Mailbox\\Projects\\Alpha");
    EXPECT_EQ(Children("Mailbox\\Projects\\Alpha"), (Strings{"Added since", "Inner"}));
    user.SelectNode("Mailbox\\Projects\\Alpha");
    sim.ui.Expect([](SimUser& name) {
      name.Type("EditFolderName", "Gamma");
      name.PressEnter();
    });
    user.Click("ButtonAdd");
    user.Click("btnCancel");
  });
  ExpectNoneRefused(10);
  EXPECT_EQ(world.outlook.FolderAt("Mailbox\\Inbox\\Alpha\\Gamma").default_item_type(),
            outlook::kMailItem);
}

TEST_F(PickerOpenObjectsTest, TheFindIndexOfTenThousandFoldersIsReadUnderTheLimits) {
  // 99 folders of 100 subfolders each, and a path 600 folders deep: deeper than a store lets a
  // session hold folders open at once.
  for (int group = 1; group <= 99; ++group) {
    SimFolder folder = world.mailbox.AddFolder("Group " + std::to_string(group));
    for (int i = 1; i <= 100; ++i) {
      folder.AddFolder("Leaf " + std::to_string(group) + "." + std::to_string(i));
    }
  }
  SimFolder deep = world.archive;
  for (int level = 1; level <= 600; ++level) {
    deep = deep.AddFolder("Level " + std::to_string(level));
  }
  deep.AddFolder("Bottom");
  platform::sim::SimCollation collation;
  const FolderIndex index = ReadFolderIndex(*app, collation);
  ExpectNoneRefused(10);
  // The standard world's 17, the groups and their leaves, the path and its bottom.
  EXPECT_EQ(index.size(), 17u + 99u * 101u + 601u);
  bool bottom_found = false;
  for (size_t i = 0; i < index.size(); ++i) {
    const std::string& path = index.at(static_cast<int>(i)).path;
    bottom_found = bottom_found || path.ends_with("\\Level 600\\Bottom");
  }
  EXPECT_TRUE(bottom_found);
}

TEST_F(PickerOpenObjectsTest, FindReadsItsIndexBesideAWideExpandedTree) {
  config.ExpandList->push_back(world.mailbox.entry_id());
  AddExpandedFolders(world.mailbox, "Folder", 600);
  SimFolder deep = world.archive;
  for (int level = 1; level <= 30; ++level) {
    deep = deep.AddFolder("Level " + std::to_string(level));
  }
  deep.AddFolder("Needle");
  ShowAnyFolder([](SimUser& user) {
    user.TypeKeys("needle");
    user.PressEnter();
  });
  ExpectNoneRefused(10);
  EXPECT_EQ(picker.SelectedName, "Needle");
  EXPECT_EQ(picker.SelectedStore.StoreId, world.archive.store_id());
}

}  // namespace
}  // namespace quivra::dialogs
