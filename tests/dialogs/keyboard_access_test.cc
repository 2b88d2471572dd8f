// Every dialog as a keyboard user meets it, checked on the forms as they show: access keys on
// every caption that takes one and none twice, Tab in reading order, Enter and Esc, F1.
#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "dialogs/about_box.h"
#include "dialogs/add_folder_form.h"
#include "dialogs/config_dialog.h"
#include "platform/ui/keyboard_access.h"
#include "tests/dialogs/picker_fixture.h"

namespace quivra::dialogs {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ui::ModalResult;
using ui::sim::SimUser;

std::vector<std::string> Names(const std::vector<ui::Control*>& controls) {
  std::vector<std::string> names;
  for (const ui::Control* control : controls) {
    names.push_back(control->Name());
  }
  return names;
}

TEST_F(PickerTest, BothModesMeetTheKeyboardConventions) {
  AddMru(world.alpha);
  ShowAnyFolder([](SimUser& user) {
    EXPECT_THAT(ui::KeyboardAccessProblems(user.form()), IsEmpty());
    EXPECT_THAT(Names(ui::TabSequence(user.form())),
                ElementsAre("treeFolders", "ListView1", "EditFind", "cbClearEntry",
                            "cbNoListUpdates", "cbClearList", "ButtonAdd", "btnOK", "btnCancel"));
    user.PressEscape();
  });
  ShowBrowse([](SimUser& user) {
    EXPECT_THAT(ui::KeyboardAccessProblems(user.form()), IsEmpty());
    EXPECT_THAT(Names(ui::TabSequence(user.form())),
                ElementsAre("treeFolders", "EditFind", "ButtonAdd", "btnOK", "btnCancel"));
    user.PressEscape();
  });
}

TEST_F(PickerTest, TheNewFolderDialogMeetsTheKeyboardConventions) {
  ShowBrowse([&](SimUser& user) {
    user.SelectNode("Mailbox\\Projects");
    sim.ui.Expect([](SimUser& name) {
      EXPECT_THAT(ui::KeyboardAccessProblems(name.form()), IsEmpty());
      name.PressEscape();
      EXPECT_EQ(name.form().GetModalResult(), ModalResult::kCancel);
    });
    user.Click("ButtonAdd");
    user.PressEscape();
  });
  EXPECT_EQ(sim.ui.PendingScripts(), 0);
}

class ConfigKeyboardTest : public PickerTest {
 protected:
  ConfigKeyboardTest() {
    picker.MruGroupList.SetEnabled(false);
    picker.ListView1.SetEnabled(false);
    picker.Panel1.SetEnabled(false);
    picker.FillTree();
  }
  TfrmConfig dialog{config, picker};
};

TEST_F(ConfigKeyboardTest, MeetsTheKeyboardConventionsOnEitherHostWithOrWithoutBackspace) {
  core::FilingHistory history{sim.platform()};
  core::MarkAsReadOption mark_as_read{sim.platform()};
  for (const bool ribbon : {false, true}) {
    for (const bool backspace : {false, true}) {
      SCOPED_TRACE(std::string(ribbon ? "ribbon" : "command bar") +
                   (backspace ? ", Backspace on" : ""));
      config.HostIsRibbonOutlook = ribbon;
      config.BackspaceKey = backspace;
      // With suggested folders on the command bar host, without on the ribbon host.
      TfrmConfig fresh{config, picker, ribbon ? nullptr : &history,
                       ribbon ? nullptr : &mark_as_read};
      sim.ui.Expect([](SimUser& user) {
        EXPECT_THAT(ui::KeyboardAccessProblems(user.form()), IsEmpty());
        user.PressEscape();
        EXPECT_EQ(user.form().GetModalResult(), ModalResult::kCancel);
      });
      sim.ui.ShowModal(fresh);
    }
  }
}

TEST_F(ConfigKeyboardTest, EachRowsDigitLeadsToItsBrowseButtonAndTabGoesOnAlongTheRow) {
  sim.ui.Expect([&](SimUser& user) {
    const std::vector<ui::Control*> stops = ui::TabSequence(user.form());
    for (int row = 1; row <= 10; ++row) {
      SCOPED_TRACE(row);
      auto& label = user.Get<ui::Label>("LblBtn" + std::to_string(row));
      EXPECT_EQ(ui::AccessKey(label.Caption()), '0' + row % 10);
      EXPECT_EQ(label.FocusControl(), &dialog.BtnBrowse(row));
      auto at = std::find(stops.begin(), stops.end(), &dialog.BtnBrowse(row));
      ASSERT_LE(at + 3, stops.end());
      EXPECT_EQ(at[1], &dialog.EditBtn(row));
      EXPECT_EQ(at[2], &dialog.BtnClear(row));
    }
    user.PressEscape();
  });
  sim.ui.ShowModal(dialog);
}

TEST_F(ConfigKeyboardTest, TabGoesOnFromClearToTheRowsArrowsAndEnterMovesTheRow) {
  config.FolderNames[1] = "Mailbox\\Projects";
  config.ButtonNames[1] = "Projects";
  sim.ui.Expect([&](SimUser& user) {
    const std::vector<ui::Control*> stops = ui::TabSequence(user.form());
    auto after_clear = [&](int row) {
      return std::find(stops.begin(), stops.end(), &dialog.BtnClear(row)) + 1;
    };
    EXPECT_EQ((*after_clear(1))->Name(), "ImgDown1");
    EXPECT_EQ((*after_clear(5))->Name(), "ImgDown5");
    EXPECT_EQ((*(after_clear(5) + 1))->Name(), "ImgUp5");
    EXPECT_EQ((*after_clear(10))->Name(), "ImgUp10");
    user.Focus("ImgDown1");
    user.PressEnter();
    EXPECT_FALSE(user.Closed());
    user.PressEscape();
  });
  sim.ui.ShowModal(dialog);
  EXPECT_EQ(config.FolderNames[2], "Mailbox\\Projects");
  EXPECT_TRUE(config.FolderNames[1].empty());
}

TEST_F(ConfigKeyboardTest, F1ShowsTheHelpThatTheDialogWasGiven) {
  int shown = 0;
  sim.ui.Expect([](SimUser& user) {
    user.PressF1();
    user.PressEscape();
  });
  sim.ui.ShowModal(dialog);
  EXPECT_EQ(shown, 0);  // no help given: F1 does nothing

  dialog.OnHelp = [&shown] { ++shown; };
  sim.ui.Expect([](SimUser& user) {
    user.PressF1();
    EXPECT_FALSE(user.Closed());
    user.PressEscape();
  });
  sim.ui.ShowModal(dialog);
  EXPECT_EQ(shown, 1);
}

class AboutBoxKeyboardTest : public test::SimulatedPlatformTest {};

TEST_F(AboutBoxKeyboardTest, MeetsTheKeyboardConventions) {
  TFormAbout about{sim.shell};
  sim.ui.Expect([](SimUser& user) {
    EXPECT_THAT(ui::KeyboardAccessProblems(user.form()), IsEmpty());
    user.PressEscape();
  });
  sim.ui.ShowModal(about);
}

// The link before OK takes Tab and Enter, so the box must open with OK focused: Enter then
// closes it rather than opening the web site.
TEST_F(AboutBoxKeyboardTest, OpensWithOkFocusedSoThatEnterClosesIt) {
  TFormAbout about{sim.shell};
  for (int showing = 0; showing < 2; ++showing) {
    sim.ui.Expect([](SimUser& user) {
      ASSERT_NE(user.form().ActiveControl(), nullptr);
      EXPECT_EQ(user.form().ActiveControl()->Name(), "Button1");
      user.PressEnter();
    });
    sim.ui.ShowModal(about);
  }
  EXPECT_TRUE(sim.shell.opened().empty());
}

// The web site's link is a Tab stop before OK; Enter on it opens the site
// and leaves the box open, so Esc still closes it.
TEST_F(AboutBoxKeyboardTest, EnterOnTheLinkOpensTheWebSite) {
  TFormAbout about{sim.shell};
  sim.ui.Expect([](SimUser& user) {
    const std::vector<ui::Control*> stops = ui::TabSequence(user.form());
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_EQ(stops[0]->Name(), "LabelUrl");
    EXPECT_EQ(stops[1]->Name(), "Button1");
    user.Focus("LabelUrl");
    user.PressEnter();
    EXPECT_EQ(user.form().GetModalResult(), ui::ModalResult::kNone);
    user.PressEscape();
  });
  EXPECT_EQ(sim.ui.ShowModal(about), ui::ModalResult::kOk);
  ASSERT_EQ(sim.shell.opened().size(), 1u);
  EXPECT_EQ(sim.shell.opened().front(), kProductWebSite);
}

}  // namespace
}  // namespace quivra::dialogs
