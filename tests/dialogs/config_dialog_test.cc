#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

#include "dialogs/config_dialog.h"
#include "tests/dialogs/picker_fixture.h"

namespace quivra::dialogs {
namespace {

using outlook::sim::SimFolder;
using ui::ModalResult;
using ui::sim::SimUser;

// The configuration dialog over the picker in browse mode, as Configure shows it.
class ConfigDialogTest : public PickerTest {
 protected:
  ConfigDialogTest() {
    picker.MruGroupList.SetEnabled(false);
    picker.ListView1.SetEnabled(false);
    picker.Panel1.SetEnabled(false);
  }

  ModalResult Show(ui::sim::Script script) {
    picker.FillTree();
    sim.ui.Expect(std::move(script));
    return sim.ui.ShowModal(dialog);
  }
  void Bind(int slot, const SimFolder& folder, const std::string& caption) {
    test::AssignSlot(config, slot, folder.path(), folder.store_id());
    config.ButtonNames[slot] = caption;
  }
  // Queues the picker's user choosing the node at `path` with OK.
  void ExpectPick(const std::string& path) {
    sim.ui.Expect([path](SimUser& user) {
      user.SelectNode(path);
      user.Click("btnOK");
    });
  }
  struct Slot {
    core::TStoreDetails store;
    std::string folder;
    std::string caption;
    bool operator==(const Slot&) const = default;
  };
  Slot SlotOf(int slot) {
    return {config.StoreDetails[slot], config.FolderNames[slot], config.ButtonNames[slot]};
  }
  std::string Row(int row) {
    return dialog.EditFolder(row).Text() + " | " + dialog.EditBtn(row).Text();
  }

  TfrmConfig dialog{config, picker};
};

TEST_F(ConfigDialogTest, EachRowStandsInOneLineLeftToRightBelowTheOneBefore) {
  for (int row = 1; row <= 11; ++row) {
    SCOPED_TRACE(row);
    const ui::Control* line[] = {&dialog.EditFolder(row), &dialog.BtnBrowse(row),
                                 &dialog.EditBtn(row), &dialog.BtnClear(row)};
    for (size_t i = 1; i < std::size(line); ++i) {
      EXPECT_EQ(line[i]->Top(), line[0]->Top()) << line[i]->Name();
      EXPECT_EQ(line[i]->Height(), line[0]->Height()) << line[i]->Name();
      EXPECT_GT(line[i]->Left(), line[i - 1]->Left() + line[i - 1]->Width()) << line[i]->Name();
    }
    if (row > 1 && row <= 10) {  // the Backspace row stands in a box of its own
      const ui::Control& above = dialog.EditFolder(row - 1);
      EXPECT_GT(line[0]->Top(), above.Top() + above.Height());
    }
  }
}

// The row labels follow their boxes, so the boxes and arrows carry their own names for screen
// readers; each names its button, and no two are alike.
TEST_F(ConfigDialogTest, EveryBoxAndArrowTellsAScreenReaderWhichButtonItIsFor) {
  std::set<std::string> names;
  int named = 0;
  for (const ui::Control* control : dialog.GroupBoxFolders.Controls()) {
    if (!control->AccessibleName().empty()) {
      names.insert(control->AccessibleName());
      ++named;
    }
  }
  for (const ui::Control* control : dialog.GroupBoxBkSp.Controls()) {
    if (!control->AccessibleName().empty()) {
      names.insert(control->AccessibleName());
      ++named;
    }
  }
  EXPECT_EQ(named, static_cast<int>(names.size()));
  EXPECT_EQ(dialog.EditFolder(3).AccessibleName(), "Folder of button 3");
  EXPECT_EQ(dialog.EditBtn(10).AccessibleName(), "Name of button 10");
  EXPECT_EQ(dialog.EditFolder(core::kBackspaceSlot).AccessibleName(),
            "Folder of the Backspace button");
  EXPECT_TRUE(names.count("Move button 1 down") && names.count("Move button 10 up"));
  EXPECT_FALSE(names.count("Move button 1 up") || names.count("Move button 10 down"));
}

TEST_F(ConfigDialogTest, BrowseWritesTheSlotAtOnceAndReplacesATypedCaption) {
  const ui::Rect picker_place = picker.BoundsRect();
  Show([&](SimUser& user) {
    user.Type("EditBtn3", "Typed");
    sim.ui.Expect([&](SimUser& picker_user) {
      EXPECT_EQ(picker.Left(), dialog.Left() + 400);
      EXPECT_EQ(picker.Top(), dialog.Top() - 50);
      EXPECT_FALSE(picker.ListView1.Visible());
      picker_user.SelectNode("Mailbox\\Projects");
      picker_user.Click("btnOK");
    });
    user.Click("BtnBrowse3");
    EXPECT_EQ(Row(3), "Mailbox\\Projects | Projects");
    // A store's top level: the path is the store's name.
    ExpectPick("Archive");
    user.Click("BtnBrowse5");
    user.Click("btnCancel");
  });
  EXPECT_EQ(
      SlotOf(3),
      (Slot{{"Mailbox", "Mailbox", world.mailbox.store_id()}, "Mailbox\\Projects", "Projects"}));
  EXPECT_EQ(SlotOf(5),
            (Slot{{"Archive", "Archive", world.archive.store_id()}, "Archive", "Archive"}));
  EXPECT_EQ(picker.Left(), picker_place.left);
  EXPECT_EQ(picker.Top(), picker_place.top);
}

TEST_F(ConfigDialogTest, APickerCancelledOrFailingChangesNothingAndGoesBackInPlace) {
  Bind(2, world.alpha, "Alpha");
  const ui::Rect picker_place = picker.BoundsRect();
  Show([&](SimUser& user) {
    sim.ui.Expect([](SimUser& picker_user) { picker_user.Click("btnCancel"); });
    user.Click("BtnBrowse2");
    sim.ui.Expect([](SimUser&) { throw std::runtime_error("Outlook went away."); });
    user.Click("BtnBrowse2");
    user.Click("btnCancel");
  });
  EXPECT_EQ(SlotOf(2).folder, world.alpha.path());
  EXPECT_EQ(Row(2), world.alpha.path() + " | Alpha");
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_EQ(sim.message_boxes.shown()[0].text, "Outlook went away.");
  EXPECT_EQ(picker.Left(), picker_place.left);
  EXPECT_EQ(picker.Top(), picker_place.top);
}

TEST_F(ConfigDialogTest, BackspaceRowFollowsItsCheckBox) {
  Bind(11, world.deleted_items, "Bin");
  Show([&](SimUser& user) {
    EXPECT_FALSE(dialog.cbBackSpace.Checked());
    EXPECT_FALSE(dialog.BtnBrowse(11).Enabled());
    EXPECT_FALSE(dialog.EditBtn(11).Enabled());
    EXPECT_FALSE(dialog.BtnClear(11).Enabled());
    EXPECT_EQ(Row(11), world.deleted_items.path() + " | Bin");
    user.Click("btnCancel");
  });

  config.BackspaceKey = true;
  Show([&](SimUser& user) {
    EXPECT_TRUE(dialog.BtnBrowse(11).Enabled());
    user.SetChecked("cbBackSpace", false);
    // Emptied at once, before any OK.
    EXPECT_EQ(SlotOf(11), Slot{});
    EXPECT_EQ(Row(11), " | ");
    EXPECT_FALSE(dialog.BtnBrowse(11).Enabled());
    EXPECT_FALSE(dialog.EditBtn(11).Enabled());
    user.SetChecked("cbBackSpace", true);
    EXPECT_TRUE(dialog.BtnBrowse(11).Enabled());
    EXPECT_TRUE(dialog.BtnClear(11).Enabled());
    EXPECT_EQ(Row(11), " | ");
    ExpectPick("Archive");
    user.Click("BtnBrowse11");
    user.Click("btnCancel");
  });
  EXPECT_TRUE(config.BackspaceKey);
  EXPECT_EQ(SlotOf(11).folder, "Archive");

  // The box left checked by a cancelled showing goes off with the option: the slot empties.
  config.BackspaceKey = false;
  Show([](SimUser& user) { user.Click("btnCancel"); });
  EXPECT_EQ(SlotOf(11), Slot{});
}

TEST_F(ConfigDialogTest, EscapeTakesNothingAndRowsWithoutAFolderKeepWhatItLeft) {
  Bind(3, world.alpha, "Alpha");
  EXPECT_EQ(Show([&](SimUser& user) {
              user.Type("EditBtn3", "Typed on a filled row");
              user.Type("EditBtn5", "Typed on an empty row");
              user.Type("MainButtonName", "Changed");
              user.SetChecked("AddShortcuts", false);
              user.PressEscape();
            }),
            ModalResult::kCancel);
  EXPECT_EQ(config.ButtonNames[3], "Alpha");
  EXPECT_EQ(config.ButtonNames[5], "");
  EXPECT_EQ(config.MainButtonCaption, "");
  EXPECT_TRUE(config.ShortCuts);
  Show([&](SimUser& user) {
    EXPECT_EQ(Row(3), world.alpha.path() + " | Alpha");
    EXPECT_EQ(Row(5), " | Typed on an empty row");
    user.PressEscape();
  });
}

TEST_F(ConfigDialogTest, ArrowsSwapWholeSlotsAndDropTypedCaptions) {
  Bind(1, world.alpha, "A");
  Bind(2, world.archive_2023, "B");
  Bind(4, world.beta, "Beta");
  Bind(5, world.specs, "Specs");
  Bind(10, world.projects, "P");
  const Slot one = SlotOf(1), two = SlotOf(2), four = SlotOf(4), five = SlotOf(5);
  const Slot ten = SlotOf(10);
  Show([&](SimUser& user) {
    EXPECT_EQ(user.Get<ui::Image>("ImgDown1").Hint(), "Move down");
    EXPECT_EQ(dialog.FindControl("ImgUp1"), nullptr);
    EXPECT_EQ(dialog.FindControl("ImgDown10"), nullptr);
    user.Click("ImgDown1");
    EXPECT_EQ(Row(1), world.archive_2023.path() + " | B");
    EXPECT_EQ(Row(2), world.alpha.path() + " | A");
    // An empty slot moves like a filled one.
    user.Click("ImgUp10");
    EXPECT_EQ(Row(9), world.projects.path() + " | P");
    EXPECT_EQ(Row(10), " | ");
    user.Type("EditBtn4", "Typed");
    user.Click("ImgDown4");
    EXPECT_EQ(Row(4), world.specs.path() + " | Specs");
    EXPECT_EQ(Row(5), world.beta.path() + " | Beta");
    user.Click("btnCancel");
  });
  // Moves stay after Cancel: Alt+1 now files where Alt+2 did.
  EXPECT_EQ(SlotOf(1), two);
  EXPECT_EQ(SlotOf(2), one);
  EXPECT_EQ(SlotOf(4), five);
  EXPECT_EQ(SlotOf(5), four);
  EXPECT_EQ(SlotOf(9), ten);
  EXPECT_EQ(SlotOf(10), Slot{});
}

TEST_F(ConfigDialogTest, ClearEmptiesTheSlotEvenWhenCancelled) {
  Bind(7, world.beta, "Beta");
  Show([&](SimUser& user) {
    user.Click("BtnClear7");
    EXPECT_EQ(Row(7), " | ");
    user.Click("btnCancel");
  });
  EXPECT_EQ(SlotOf(7), Slot{});
}

TEST_F(ConfigDialogTest, TheOptionsShowWhatTheConfigurationHoldsAndOkKeepsThem) {
  for (const bool on : {false, true, false}) {
    SCOPED_TRACE(on);
    config.ShortCuts = on;
    config.Icons = on;
    config.Separators = !on;
    EXPECT_EQ(Show([&](SimUser& user) {
                EXPECT_EQ(dialog.AddShortcuts.Checked(), on);
                EXPECT_EQ(dialog.AddIcons.Checked(), on);
                EXPECT_EQ(dialog.AddSeparator.Checked(), !on);
                // Outlook 2007's explorer has no Quick Access Toolbar to tell of.
                EXPECT_FALSE(dialog.LabelShortcutsNote.Visible());
                user.PressEnter();
              }),
              ModalResult::kOk);
    EXPECT_EQ(config.ShortCuts, on);
    EXPECT_EQ(config.Icons, on);
    EXPECT_EQ(config.Separators, !on);
  }
}

TEST_F(ConfigDialogTest, OkTakesCaptionsOptionsAndTheMainButtonName) {
  Bind(1, world.alpha, "Alpha");
  config.MainButtonCaption = "Files";
  config.Separators = false;
  EXPECT_EQ(Show([&](SimUser& user) {
              EXPECT_EQ(dialog.MainButtonName.Text(), "Files");
              EXPECT_TRUE(dialog.AddSeparator.Visible());
              EXPECT_EQ(dialog.AddIcons.Caption(), "Add &icons to buttons");
              user.Type("MainButtonName", "");
              user.Type("EditBtn1", "");
              user.Type("EditBtn6", "No folder");
              user.SetChecked("AddShortcuts", false);
              user.SetChecked("AddIcons", false);
              user.SetChecked("AddSeparator", true);
              user.SetChecked("cbBackSpace", true);
              user.PressEnter();
            }),
            ModalResult::kOk);
  EXPECT_EQ(config.MainButtonCaption, "Quivra");
  EXPECT_EQ(config.ButtonNames[1], "");
  EXPECT_EQ(config.ButtonNames[6], "No folder");
  EXPECT_FALSE(config.ShortCuts);
  EXPECT_FALSE(config.Icons);
  EXPECT_TRUE(config.Separators);
  EXPECT_TRUE(config.BackspaceKey);
}

TEST_F(ConfigDialogTest, RibbonHostHidesWhatItHasNotAndKeepsThoseOptions) {
  config.HostIsRibbonOutlook = true;
  config.MainButtonCaption = "Files";
  config.Separators = true;
  Show([&](SimUser& user) {
    EXPECT_FALSE(dialog.AddSeparator.Visible());
    EXPECT_FALSE(dialog.MainButtonName.Visible());
    EXPECT_FALSE(dialog.LabelMainButton.Visible());
    EXPECT_FALSE(dialog.ImageKey1.Visible());
    EXPECT_FALSE(dialog.LabelEllipsis.Visible());
    // Beside the shortcuts option, what they take from Office's Quick Access Toolbar.
    EXPECT_TRUE(dialog.LabelShortcutsNote.Visible());
    EXPECT_NE(dialog.LabelShortcutsNote.Caption().find("Quick Access Toolbar"), std::string::npos);
    EXPECT_EQ(dialog.AddIcons.Caption(), "Show Filing buttons on &Home tab of the Ribbon");
    // As wide as designed for the longer caption, or wider when its text needs more.
    EXPECT_GE(dialog.AddIcons.Width(), 250);
    user.SetChecked("AddIcons", false);
    user.Click("btnOK");
  });
  EXPECT_EQ(config.MainButtonCaption, "Files");
  EXPECT_TRUE(config.Separators);
  EXPECT_FALSE(config.Icons);
}

TEST_F(ConfigDialogTest, TagsAndRowsOutsideTheSlotsDoNothing) {
  Bind(10, world.beta, "Beta");
  Bind(11, world.deleted_items, "Bin");
  const core::Configuration before = config;
  ui::Button stray(nullptr, "stray", {});
  for (int tag : {0, 12, 110, 201, 211}) {
    stray.SetTag(tag);
    dialog.MoveButton(stray);
    dialog.Clear(stray);
    dialog.Browse(stray);
  }
  dialog.AssignButton(12, "Somewhere", "Else");
  EXPECT_EQ(config.FolderNames, before.FolderNames);
  EXPECT_EQ(config.ButtonNames, before.ButtonNames);
  EXPECT_EQ(config.StoreDetails, before.StoreDetails);
  EXPECT_TRUE(sim.ui.shown().empty());
}

}  // namespace
}  // namespace quivra::dialogs

namespace quivra::dialogs {
namespace {

constexpr char kHistoryFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.learned";

class ConfigDialogSuggestionsTest : public ConfigDialogTest {
 protected:
  core::FilingHistory history{sim.platform()};
  core::MarkAsReadOption mark_as_read{sim.platform()};
  TfrmConfig suggesting{config, picker, &history, &mark_as_read};

  ModalResult ShowSuggesting(ui::sim::Script script) {
    picker.FillTree();
    sim.ui.Expect(std::move(script));
    return sim.ui.ShowModal(suggesting);
  }
};

TEST_F(ConfigDialogSuggestionsTest, SuggestFoldersIsOnUntilUncheckedWithOk) {
  ShowSuggesting([](SimUser& user) {
    EXPECT_TRUE(user.Get<ui::CheckBox>("cbSuggest").Checked());
    user.Click("cbSuggest");
    user.Click("btnCancel");
  });
  EXPECT_TRUE(history.Enabled());
  ShowSuggesting([](SimUser& user) {
    user.Click("cbSuggest");
    user.Click("btnOK");
  });
  EXPECT_FALSE(history.Enabled());
  ShowSuggesting([](SimUser& user) {
    EXPECT_FALSE(user.Get<ui::CheckBox>("cbSuggest").Checked());
    user.Click("btnCancel");
  });
  // The configuration file is not where the option lives.
  EXPECT_FALSE(sim.files.FileExists("C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml"));
}

TEST_F(ConfigDialogSuggestionsTest, MarkAsReadIsOffUntilCheckedWithOk) {
  ShowSuggesting([](SimUser& user) {
    EXPECT_FALSE(user.Get<ui::CheckBox>("cbMarkRead").Checked());
    user.Click("cbMarkRead");
    user.Click("btnCancel");
  });
  EXPECT_FALSE(mark_as_read.Enabled());
  ShowSuggesting([](SimUser& user) {
    user.Click("cbMarkRead");
    user.Click("btnOK");
  });
  EXPECT_TRUE(mark_as_read.Enabled());
  ShowSuggesting([](SimUser& user) {
    EXPECT_TRUE(user.Get<ui::CheckBox>("cbMarkRead").Checked());
    user.Click("btnCancel");
  });
  EXPECT_FALSE(sim.files.FileExists("C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml"));
}

TEST_F(ConfigDialogSuggestionsTest, ForgetDeletesWhatWasLearnedEvenOnCancel) {
  history.Record(core::KeysOfMail("ann@contoso.example", "", "a"),
                 {"S", "E", "Mailbox\\Projects"});
  history.Save();
  ASSERT_TRUE(sim.files.FileExists(kHistoryFile));
  ShowSuggesting([](SimUser& user) {
    user.Click("btnForget");
    EXPECT_FALSE(user.Get<ui::Button>("btnForget").Enabled());
    user.Click("btnCancel");
  });
  EXPECT_FALSE(sim.files.FileExists(kHistoryFile));
  EXPECT_EQ(history.size(), 0u);
  EXPECT_TRUE(history.Enabled());
}

TEST_F(ConfigDialogSuggestionsTest, WithoutAHistoryTheOptionIsNotShown) {
  Show([](SimUser& user) {
    EXPECT_FALSE(user.Get<ui::CheckBox>("cbSuggest").Visible());
    EXPECT_FALSE(user.Get<ui::Button>("btnForget").Visible());
    EXPECT_FALSE(user.Get<ui::CheckBox>("cbMarkRead").Visible());
    user.Click("btnCancel");
  });
}

}  // namespace
}  // namespace quivra::dialogs
