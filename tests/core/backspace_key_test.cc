#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/module_fixture.h"
#include "tests/support/message_texts.h"

namespace quivra::core {
namespace {

using outlook::sim::SimItem;
using Strings = std::vector<std::string>;

// Backspace files into slot 11 ("Deleted Items" here) when BackspaceKey is on and an explorer
// has the focus.
class BackspaceKeyTest : public ModuleTest {
 protected:
  BackspaceKeyTest() {
    module.comAddInModuleAddInInitialize(module);
    config.BackspaceKey = true;
    Configure(11, world.deleted_items, "Bin");
    module.PlaceButtonBar();
    module.comAddInModuleOLExplorerActivate(module);
  }

  void PressBackspace() {
    ASSERT_TRUE(module.keyboardShortcutBkSp.Enabled());
    module.keyboardShortcutBkSp.DoAction();
  }

  // The Inbox view, top to bottom: newest first, so the oldest mail is the last item.
  std::vector<SimItem> View() { return world.explorer.view(); }
};

TEST_F(BackspaceKeyTest, OneOfSeveralProbesDownwardsAndFilesTheOriginalItem) {
  const SimItem chosen = View()[5];
  const SimItem below = View()[6];
  world.explorer.Select({chosen});
  PressBackspace();
  EXPECT_EQ(Strokes(), (Strings{"Shift+Down", "Up"}));
  EXPECT_EQ(chosen.folder(), world.deleted_items);
  EXPECT_EQ(below.folder(), world.inbox);
  // Outlook went on to the item below, as it does after a move.
  EXPECT_EQ(world.explorer.selection(), (std::vector<SimItem>{below}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(BackspaceKeyTest, LastItemOfTheViewProbesFromAbove) {
  const SimItem last = View().back();
  const SimItem above = View()[View().size() - 2];
  world.explorer.Select({last});
  PressBackspace();
  EXPECT_EQ(Strokes(), (Strings{"Shift+Down", "Up", "Shift+Down", "Down"}));
  EXPECT_EQ(last.folder(), world.deleted_items);
  EXPECT_EQ(above.folder(), world.inbox);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(BackspaceKeyTest, WhenNeitherProbeWorksBackspaceIsPassedOn) {
  keys_reach_list = false;
  const SimItem chosen = View()[5];
  world.explorer.Select({chosen});
  PressBackspace();
  EXPECT_EQ(Strokes(), (Strings{"Shift+Down", "Up", "Shift+Down", "Up", "Backspace"}));
  EXPECT_EQ(chosen.folder(), world.inbox);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(BackspaceKeyTest, SeveralSelectedAreFiledWithoutProbing) {
  const std::vector<SimItem> chosen = {View()[2], View()[3]};
  world.explorer.Select(chosen);
  PressBackspace();
  EXPECT_TRUE(Strokes().empty());
  EXPECT_EQ(chosen[0].folder(), world.deleted_items);
  EXPECT_EQ(chosen[1].folder(), world.deleted_items);
}

TEST_F(BackspaceKeyTest, FolderWithOneItemIsFiledWithoutProbing) {
  world.explorer.ShowFolder(world.projects);
  const SimItem only = world.projects.items().front();
  world.explorer.Select({only});
  PressBackspace();
  EXPECT_TRUE(Strokes().empty());
  EXPECT_EQ(only.folder(), world.deleted_items);
}

TEST_F(BackspaceKeyTest, PassedOnWhereNothingCanBeFiled) {
  // An empty mail folder.
  world.explorer.ShowFolder(world.outbox);
  PressBackspace();
  // Nothing selected.
  world.explorer.ShowFolder(world.inbox);
  PressBackspace();
  // A calendar.
  world.explorer.ShowFolder(world.calendar);
  world.explorer.Select({world.appointment});
  PressBackspace();
  EXPECT_EQ(Strokes(), (Strings{"Backspace", "Backspace", "Backspace"}));
  EXPECT_EQ(world.appointment.folder(), world.calendar);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(BackspaceKeyTest, MessageWindowInFrontGetsItsBackspaceBack) {
  world.explorer.Select({View()[5]});
  world.outlook.ActivateInspector();
  PressBackspace();
  EXPECT_EQ(Strokes(), (Strings{"Backspace"}));
  EXPECT_EQ(View()[5].folder(), world.inbox);
}

TEST_F(BackspaceKeyTest, ShortcutsOffPassesBackspaceOn) {
  config.ShortCuts = false;
  world.explorer.Select({View()[5]});
  PressBackspace();
  EXPECT_EQ(Strokes(), (Strings{"Backspace"}));
  EXPECT_EQ(sim.keyboard.sent().front(), (platform::sim::SentKey{platform::kVkBack, 1, 0}));
  EXPECT_EQ(View()[5].folder(), world.inbox);
}

TEST_F(BackspaceKeyTest, BackspaceKeyOffPassesBackspaceOn) {
  config.BackspaceKey = false;  // switched off after the shortcut was armed
  world.explorer.Select({View()[5]});
  PressBackspace();
  EXPECT_EQ(Strokes(), (Strings{"Backspace"}));
  EXPECT_EQ(View()[5].folder(), world.inbox);
}

TEST_F(BackspaceKeyTest, ItemOfAnotherKindIsReportedAndNotFiled) {
  world.explorer.Select({world.contact});
  PressBackspace();
  EXPECT_EQ(Messages(), (Strings{test::kNotMoved}));
  EXPECT_EQ(sim.message_boxes.shown().front().caption, "Error");
  EXPECT_TRUE(Strokes().empty());
  EXPECT_EQ(world.contact.folder(), world.inbox);
}

TEST_F(BackspaceKeyTest, OutlookFailureIsSilentAndPassesBackspaceOn) {
  world.explorer.Select({View()[5]});
  world.outlook.FailCall("Items.Count");
  PressBackspace();
  EXPECT_EQ(Strokes(), (Strings{"Backspace"}));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace quivra::core
