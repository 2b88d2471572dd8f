// The folders Outlook keeps for itself stay out of the picker's tree and its search in any
// language: Outlook marks them hidden, or names them as its synchronisation folders; only where
// it cannot tell do their English names decide.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/folder_index_reader.h"
#include "dialogs/folder_rules.h"
#include "platform/sim/sim_collation.h"
#include "tests/dialogs/picker_fixture.h"

namespace quivra::dialogs {
namespace {

using outlook::sim::Language;
using outlook::sim::SimFolder;
using outlook::sim::StandardWorld;
using ui::sim::SimUser;

const auto PressCancel = [](SimUser& user) { user.Click("btnCancel"); };

Strings IndexPaths(outlook::Application& outlook) {
  platform::sim::SimCollation collation;
  const FolderIndex index = ReadFolderIndex(outlook, collation);
  Strings paths;
  for (size_t i = 0; i < index.size(); ++i) {
    paths.push_back(index.at(static_cast<int>(i)).path);
  }
  return paths;
}

class GermanOutlookTest : public test::SimulatedPlatformTest {
 protected:
  GermanOutlookTest() { config.ExpandList.emplace(); }

  StandardWorld german{Language::kGerman};
  outlook::ApplicationPtr app = german.outlook.application();
  core::Configuration config;
  TfrmFolders2 picker{*app, config, sim.platform()};
};

TEST_F(GermanOutlookTest, ItsOwnFoldersAreOfferedNeitherInTheTreeNorInTheSearch) {
  picker.MruGroupList.SetEnabled(false);
  picker.ListView1.SetEnabled(false);
  picker.Panel1.SetEnabled(false);
  picker.FillTree();
  Strings shown;
  sim.ui.Expect([&](SimUser& user) {
    const ui::TreeNode& mailbox = user.Node("Postfach");
    for (int i = 0; i < mailbox.Count(); ++i) {
      shown.push_back(mailbox.Item(i).Text());
    }
    user.Click("btnCancel");
  });
  picker.ShowModal();
  EXPECT_EQ(shown, (Strings{"Entw\xC3\xBC"
                            "rfe",
                            "Gel\xC3\xB6schte Elemente", "Gesendete Elemente", "Junk-E-Mail",
                            "Postausgang", "Posteingang", "Projects"}));

  const Strings paths = IndexPaths(*app);
  for (const SimFolder& own : german.outlook_own_folders) {
    for (const std::string& path : paths) {
      EXPECT_EQ(path.find(own.name()), std::string::npos) << path;
    }
  }
  EXPECT_EQ(paths.size(), 17u) << "Postfach with 10 mail folders below it, Archive with 5";
}

class HiddenMarkTest : public PickerTest {};

TEST_F(HiddenMarkTest, OutlooksMarkDecidesWhereItIsSetAndNamesWhereItIsNot) {
  SimFolder marked = world.mailbox.AddFolder("Yammer Root");
  marked.SetHidden(true);
  SimFolder unmarked = world.mailbox.AddFolder("News Feed");
  unmarked.SetHidden(false);                       // marked as shown: a folder of the user's own
  world.mailbox.AddFolder("Quick Step Settings");  // no mark: the English name hides it
  SimFolder deep = world.projects.AddFolder("Hidden deep");
  deep.SetHidden(true);  // below the top level the mark is not read
  config.ExpandList = {world.mailbox.entry_id(), world.projects.entry_id()};
  ShowBrowse(PressCancel);
  EXPECT_EQ(Find("Mailbox\\Yammer Root"), nullptr);
  EXPECT_NE(Find("Mailbox\\News Feed"), nullptr);
  EXPECT_EQ(Find("Mailbox\\Quick Step Settings"), nullptr);
  EXPECT_NE(Find("Mailbox\\Projects\\Hidden deep"), nullptr);

  const Strings paths = IndexPaths(*app);
  EXPECT_EQ(std::count(paths.begin(), paths.end(), "Mailbox\\Yammer Root"), 0);
  EXPECT_EQ(std::count(paths.begin(), paths.end(), "Mailbox\\News Feed"), 1);
}

TEST_F(HiddenMarkTest, AnOutlookWithoutPropertyAccessorIsAskedOnceThenNamesDecide) {
  world.outlook.SetVersion("11.0.8169");
  SimFolder marked = world.mailbox.AddFolder("Verborgen");
  marked.SetHidden(true);
  world.mailbox.AddFolder("News Feed");
  world.outlook.ResetCallCounts();
  const Strings paths = IndexPaths(*app);
  EXPECT_EQ(world.outlook.CallCount("PropertyAccessor.GetProperty"), 1);
  EXPECT_EQ(std::count(paths.begin(), paths.end(), "Mailbox\\Verborgen"), 1);
  EXPECT_EQ(std::count(paths.begin(), paths.end(), "Mailbox\\News Feed"), 0);
}

TEST_F(HiddenMarkTest, TheSynchronisationFoldersAreKnownByTheirEntryIds) {
  SimFolder sync = world.mailbox.AddFolder("Sync Issues (This computer only)");
  world.outlook.SetDefaultFolder(outlook::kFolderSyncIssues, sync);
  world.archive.AddFolder("Sync Issues (This computer only)");
  config.ExpandList = {world.mailbox.entry_id(), world.archive.entry_id()};
  ShowBrowse(PressCancel);
  EXPECT_EQ(Find("Mailbox\\Sync Issues (This computer only)"), nullptr);
  EXPECT_NE(Find("Archive\\Sync Issues (This computer only)"), nullptr)
      << "another store's folder of that name is the user's";
}

}  // namespace
}  // namespace quivra::dialogs
