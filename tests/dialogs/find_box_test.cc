// The picker's "Find:" box: typing part of a folder's name from the list or the tree, moving
// through the matches, accepting one, and getting the recently used list back.
#include <string>
#include <vector>

#include "tests/dialogs/picker_fixture.h"

namespace quivra::dialogs {
namespace {

using ui::ModalResult;
using ui::sim::SimUser;

class FindBoxTest : public PickerTest {
 protected:
  // The rows of ListView1 as "Folder|Path".
  static Strings Rows(SimUser& user) {
    Strings rows;
    const auto& list = user.Get<ui::ListView>("ListView1");
    for (int row = 0; row < list.Count(); ++row) {
      rows.push_back(list.Item(row).caption + "|" + list.Item(row).sub_items.at(0));
    }
    return rows;
  }
  // The path of the tree's selected node; "" for none.
  static std::string TreeSelection(SimUser& user) {
    const ui::TreeNode* node = user.Get<ui::TreeView>("treeFolders").Selected();
    std::string path;
    for (; node != nullptr; node = node->Parent()) {
      path = path.empty() ? node->Text() : node->Text() + "\\" + path;
    }
    return path;
  }
  static int ListSelection(SimUser& user) {
    return user.Get<ui::ListView>("ListView1").ItemIndex();
  }
};

TEST_F(FindBoxTest, TypingInTheListShowsTheMatchesAndEnterTakesTheBest) {
  AddMru(world.inbox);
  const ModalResult result = ShowAnyFolder([](SimUser& user) {
    user.TypeKeys("alp");
    EXPECT_EQ(user.form().ActiveControl()->Name(), "EditFind");
    EXPECT_EQ(user.Get<ui::Edit>("EditFind").Text(), "alp");
    EXPECT_EQ(Rows(user),
              (Strings{"Alpha|Mailbox\\Projects\\Alpha", "Alpha|Archive\\Projects\\Alpha"}));
    EXPECT_EQ(ListSelection(user), 0);
    // The tree opens the parents of the best match and selects it.
    EXPECT_EQ(TreeSelection(user), "Mailbox\\Projects\\Alpha");
    user.PressEnter();
  });
  EXPECT_EQ(result, ModalResult::kOk);
  // Reported as a tree folder is: the caller files there and puts it first in the list.
  EXPECT_EQ(picker.SelectedPath, "Mailbox\\Projects\\Alpha");
  EXPECT_EQ(picker.SelectedName, "Alpha");
  EXPECT_EQ(picker.SelectedStore.StoreId, world.mailbox.store_id());
  EXPECT_EQ(picker.SelectedMruIndex, -1);
}

// A screen reader reads the box's description after each keystroke: the number of matches, and
// nothing once the box is empty again.
TEST_F(FindBoxTest, TheBoxTellsAScreenReaderHowManyFoldersMatch) {
  ShowAnyFolder([](SimUser& user) {
    const auto& find = user.Get<ui::Edit>("EditFind");
    user.TypeKeys("alp");
    EXPECT_EQ(find.AccessibleDescription(), "2 matching folders");
    user.TypeKeys("ha");
    EXPECT_EQ(find.AccessibleDescription(), "2 matching folders");
    user.TypeKeys("qq");
    EXPECT_EQ(find.AccessibleDescription(), "No matching folders");
    user.Type("EditFind", "Inbox");
    EXPECT_EQ(find.AccessibleDescription(), "1 matching folder");
    user.Type("EditFind", "");
    EXPECT_EQ(find.AccessibleDescription(), "");
    user.Type("EditFind", "e");
    user.PressEscape();
    EXPECT_EQ(find.AccessibleDescription(), "");
    user.PressEscape();
  });
}

TEST_F(FindBoxTest, TypingInTheTreeOfBrowseModeSelectsTheMatchThere) {
  const ModalResult result = ShowBrowse([](SimUser& user) {
    EXPECT_EQ(user.form().ActiveControl()->Name(), "treeFolders");
    user.TypeKeys("SPE");
    EXPECT_EQ(user.form().ActiveControl()->Name(), "EditFind");
    EXPECT_EQ(TreeSelection(user), "Mailbox\\Projects\\Beta\\Specs");
    EXPECT_EQ(user.Get<ui::ListView>("ListView1").Count(), 0);
    user.PressEnter();
  });
  EXPECT_EQ(result, ModalResult::kOk);
  EXPECT_EQ(picker.SelectedPath, "Mailbox\\Projects\\Beta\\Specs");
  EXPECT_EQ(picker.SelectedName, "Specs");
}

TEST_F(FindBoxTest, FindsAFolderDeepInASecondStoreWithoutRegardToCaseOrAccents) {
  world.archive_alpha.AddFolder("Clients").AddFolder("M\xC3\xBCller GmbH");
  ShowAnyFolder([](SimUser& user) {
    user.TypeKeys("MULLER");
    EXPECT_EQ(Rows(user),
              Strings{"M\xC3\xBCller GmbH|Archive\\Projects\\Alpha\\Clients\\M\xC3\xBCller GmbH"});
    EXPECT_EQ(TreeSelection(user), "Archive\\Projects\\Alpha\\Clients\\M\xC3\xBCller GmbH");
    EXPECT_TRUE(user.Node("Archive\\Projects\\Alpha\\Clients").Expanded());
    user.DoubleClickRow(0);
  });
  EXPECT_EQ(picker.SelectedPath, "Archive\\Projects\\Alpha\\Clients\\M\xC3\xBCller GmbH");
  EXPECT_EQ(picker.SelectedStore.StoreId, world.archive.store_id());
}

TEST_F(FindBoxTest, ABackslashSearchesWholePaths) {
  ShowAnyFolder([](SimUser& user) {
    user.TypeKeys("archive\\2024");
    EXPECT_EQ(Rows(user), Strings{"2024|Archive\\2024"});
    user.Type("EditFind", "projects\\");
    // What lies below Projects, shorter paths first.
    EXPECT_EQ(Rows(user),
              (Strings{"Beta|Mailbox\\Projects\\Beta", "Alpha|Mailbox\\Projects\\Alpha",
                       "Alpha|Archive\\Projects\\Alpha", "Specs|Mailbox\\Projects\\Beta\\Specs"}));
    user.CloseBox();
  });
}

TEST_F(FindBoxTest, RanksWordStartsThenRecentFoldersThenTheTreeOrder) {
  world.inbox.AddFolder("Sales");
  world.archive.AddFolder("Presales");
  world.archive.AddFolder("Sales 2023");
  AddMru(world.outlook.FolderAt("Archive\\Presales"));
  AddMru(world.outlook.FolderAt("Archive\\Sales 2023"));
  ShowAnyFolder([](SimUser& user) {
    user.TypeKeys("sal");
    EXPECT_EQ(Rows(user), (Strings{"Sales 2023|Archive\\Sales 2023", "Sales|Mailbox\\Inbox\\Sales",
                                   "Presales|Archive\\Presales"}));
    user.PressEscape();
    user.PressEscape();
  });
}

TEST_F(FindBoxTest, UpAndDownMoveThroughTheMatchesAndTheTreeFollows) {
  ShowAnyFolder([](SimUser& user) {
    user.TypeKeys("proj");
    ASSERT_EQ(Rows(user), (Strings{"Projects|Mailbox\\Projects", "Projects|Archive\\Projects"}));
    user.PressUp();  // at the top already
    EXPECT_EQ(ListSelection(user), 0);
    user.PressDown();
    EXPECT_EQ(ListSelection(user), 1);
    EXPECT_EQ(TreeSelection(user), "Archive\\Projects");
    user.PressDown();  // at the bottom already
    EXPECT_EQ(ListSelection(user), 1);
    user.PressUp();
    EXPECT_EQ(TreeSelection(user), "Mailbox\\Projects");
    user.PressEnter();
  });
  EXPECT_EQ(picker.SelectedPath, "Mailbox\\Projects");
  // Browse mode has no list: the keys move the tree's selection through the matches.
  ShowBrowse([](SimUser& user) {
    user.TypeKeys("alpha");
    EXPECT_EQ(TreeSelection(user), "Mailbox\\Projects\\Alpha");
    user.PressDown();
    EXPECT_EQ(TreeSelection(user), "Archive\\Projects\\Alpha");
    user.PressEnter();
  });
  EXPECT_EQ(picker.SelectedPath, "Archive\\Projects\\Alpha");
}

TEST_F(FindBoxTest, EscEmptiesTheBoxAndGivesTheListBackAsItWasThenCancels) {
  AddMru(world.inbox);
  AddMru(world.archive_2024);
  AddMru(world.alpha);
  Strings before;
  const ModalResult result = ShowAnyFolder([&before](SimUser& user) {
    user.ClickRow(1);
    before = Rows(user);
    user.TypeKeys("beta");
    EXPECT_EQ(Rows(user), Strings{"Beta|Mailbox\\Projects\\Beta"});
    user.PressEscape();
    EXPECT_FALSE(user.Closed());
    EXPECT_EQ(user.Get<ui::Edit>("EditFind").Text(), "");
    EXPECT_EQ(Rows(user), before);
    EXPECT_EQ(ListSelection(user), 1);
    EXPECT_EQ(TreeSelection(user), "");
    user.PressEscape();
  });
  EXPECT_EQ(result, ModalResult::kCancel);
  EXPECT_TRUE(picker.SelectedPath.empty());
  EXPECT_EQ(picker.SelectedMruIndex, -1);
}

TEST_F(FindBoxTest, EmptyingTheBoxGivesBackTheTreeSelectionAndOkActsOnItAsBefore) {
  AddMru(world.inbox);
  ShowAnyFolder([](SimUser& user) {
    user.SelectNode("Mailbox\\Drafts");
    user.TypeKeys("pecs");
    EXPECT_EQ(TreeSelection(user), "Mailbox\\Projects\\Beta\\Specs");
    user.Type("EditFind", "");
    EXPECT_EQ(TreeSelection(user), "Mailbox\\Drafts");
    EXPECT_EQ(ListSelection(user), -1);
    EXPECT_EQ(Rows(user), Strings{"Inbox|Mailbox\\Inbox"});
    user.PressEnter();
  });
  EXPECT_EQ(picker.SelectedPath, "Mailbox\\Drafts");
}

TEST_F(FindBoxTest, CalendarAndContactFoldersAreNeverOfferedAndNoMatchKeepsThePickerUp) {
  world.calendar.AddFolder("Calendar mail");
  world.projects.AddFolder("News Feed");
  ShowAnyFolder([](SimUser& user) {
    for (const char* name : {"calendar", "contacts", "news feed"}) {
      user.Type("EditFind", name);
      EXPECT_EQ(Rows(user), Strings{}) << name;
      EXPECT_EQ(TreeSelection(user), "") << name;
    }
    user.PressEnter();
    EXPECT_FALSE(user.Closed());
    user.PressEscape();
    user.PressEscape();
  });
}

TEST_F(FindBoxTest, FoldersAreReadAgainAtEachShowingButOnceWithinOne) {
  auto find_and_cancel = [this](const std::string& text, Strings& rows) {
    ShowAnyFolder([&](SimUser& user) {
      user.TypeKeys(text);
      rows = Rows(user);
      user.CloseBox();
    });
    picker.FreeAllNodes();
  };
  Strings rows;
  find_and_cancel("zeta", rows);
  EXPECT_EQ(rows, Strings{});
  const outlook::sim::SimFolder store = world.outlook.AddStore("Zeta Store");
  store.AddFolder("Invoices");
  world.alpha.Rename("Omega");
  find_and_cancel("zeta", rows);
  EXPECT_EQ(rows, Strings{"Zeta Store|"});
  find_and_cancel("omega", rows);
  EXPECT_EQ(rows, Strings{"Omega|Mailbox\\Projects\\Omega"});
  find_and_cancel("alpha", rows);
  EXPECT_EQ(rows, Strings{"Alpha|Archive\\Projects\\Alpha"});

  // Within one showing the folders are read at the first keystroke only.
  ShowAnyFolder([this](SimUser& user) {
    user.TypeKeys("invo");
    world.outlook.ResetCallCounts();
    user.TypeKeys("ices");
    EXPECT_EQ(world.outlook.TotalCalls(), 0);
    user.CloseBox();
  });
}

TEST_F(FindBoxTest, AFolderAddedDuringTheSearchIsFoundAtOnce) {
  ShowBrowse([this](SimUser& user) {
    user.TypeKeys("beta");
    sim.ui.Expect([](SimUser& add) {
      add.Type("EditFolderName", "Betamax");
      add.Click("ButtonOK");
    });
    user.Click("ButtonAdd");
    EXPECT_EQ(TreeSelection(user), "Mailbox\\Projects\\Beta");
    user.Focus("EditFind");
    user.PressDown();
    EXPECT_EQ(TreeSelection(user), "Mailbox\\Projects\\Beta\\Betamax");
    user.PressEnter();
  });
  EXPECT_EQ(picker.SelectedPath, "Mailbox\\Projects\\Beta\\Betamax");
}

TEST_F(FindBoxTest, TheBoxSitsBelowTheListOrUnderTheTreeWithoutCoveringAnything) {
  auto expect_apart = [](SimUser& user) {
    const ui::Control& box = user.Get<ui::Control>("EditFind");
    const ui::Form& form = user.form();
    for (const ui::Control* other : form.Controls()) {
      if (other == &box || !other->Visible()) {
        continue;
      }
      const bool apart = box.Left() + box.Width() <= other->Left() ||
                         other->Left() + other->Width() <= box.Left() ||
                         box.Top() + box.Height() <= other->Top() ||
                         other->Top() + other->Height() <= box.Top();
      // The panel of check boxes holds the box's place below the list; its boxes do not.
      EXPECT_TRUE(apart || other->Name() == "Panel1") << other->Name();
    }
    EXPECT_LE(box.Left() + box.Width(), form.ClientWidth());
  };
  ShowAnyFolder([&](SimUser& user) {
    expect_apart(user);
    const auto& box = user.Get<ui::Control>("EditFind");
    const auto& panel = user.Get<ui::Control>("Panel1");
    const auto& check_box = user.Get<ui::Control>("cbClearEntry");
    EXPECT_GE(box.Top(), user.Get<ui::Control>("MruGroupList").Height());
    EXPECT_LE(box.Left() + box.Width(), panel.Left() + check_box.Left());
    EXPECT_LE(box.Top() + box.Height(), panel.Top() + check_box.Top());
    user.CloseBox();
  });
  ShowBrowse([&](SimUser& user) {
    expect_apart(user);
    const auto& tree = user.Get<ui::Control>("FolderTree");
    EXPECT_GE(user.Get<ui::Control>("EditFind").Top(), tree.Top() + tree.Height());
    user.CloseBox();
  });
}

}  // namespace
}  // namespace quivra::dialogs
