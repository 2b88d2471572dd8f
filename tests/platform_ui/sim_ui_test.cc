#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/sim/sim_collation.h"
#include "platform/sim/sim_message_boxes.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/sim/sim_ui.h"

namespace quivra::ui::sim {
namespace {

class NameForm : public Form {
 public:
  NameForm() : Form("NameForm") {
    OnShow = [this] { edit.SetFocus(); };
    ok.SetDefault(true);
    ok.OnClick = [this] {
      if (edit.Text() == "bad") {
        throw std::runtime_error("Cannot create the folder");
      }
      SetModalResult(ModalResult::kOk);
    };
  }
  Edit edit{this, "edit", {0, 0, 100, 21}};
  Button ok{this, "ok", {0, 30, 75, 25}};
};

class SimUiTest : public ::testing::Test {
 protected:
  platform::sim::SimMessageBoxes boxes;
  SimUi ui{boxes};
  NameForm form;
};

TEST_F(SimUiTest, RunsTheScriptThroughTheFormsEvents) {
  ui.Expect([](SimUser& user) {
    EXPECT_TRUE(user.form().Showing());
    EXPECT_EQ(user.form().ActiveControl()->Name(), "edit");
    user.Type("edit", "Clients");
    user.PressEnter();
  });
  EXPECT_EQ(ui.ShowModal(form), ModalResult::kOk);
  EXPECT_FALSE(form.Showing());
  EXPECT_EQ(form.edit.Text(), "Clients");
  EXPECT_EQ(ui.shown(), std::vector<std::string>{"NameForm"});
}

TEST_F(SimUiTest, AnErrorInAHandlerIsShownAndTheFormStaysUp) {
  ui.Expect([](SimUser& user) {
    user.Type("edit", "bad");
    user.Click("ok");
    EXPECT_FALSE(user.Closed());
    user.CloseBox();
  });
  EXPECT_EQ(ui.ShowModal(form), ModalResult::kCancel);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Cannot create the folder.");
  EXPECT_EQ(boxes.shown()[0].icon, platform::MessageIcon::kError);
}

TEST_F(SimUiTest, ScriptMistakesAreReported) {
  EXPECT_THROW(ui.ShowModal(form), std::logic_error);  // no script
  ui.Expect([](SimUser&) {});
  EXPECT_THROW(ui.ShowModal(form), std::logic_error);  // left open
  EXPECT_FALSE(form.Showing());
  ui.Expect([](SimUser& user) {
    user.CloseBox();
    user.PressEnter();  // the form is gone
  });
  EXPECT_THROW(ui.ShowModal(form), std::logic_error);
  ui.Expect([](SimUser& user) { user.Click("missing"); });
  EXPECT_THROW(ui.ShowModal(form), std::logic_error);
}

TEST_F(SimUiTest, MeasuresTextByCharacters) {
  EXPECT_EQ(ui.TextWidth({"MS Sans Serif", 8, false}, "Projects"), 48);
  EXPECT_EQ(ui.TextWidth({"MS Sans Serif", 8, true}, "Projects"), 56);
  EXPECT_EQ(ui.TextWidth({"Tahoma", 16, false}, "\xC3\xA9t\xC3\xA9"), 36);
}

TEST(SimCollationTest, OrdersLikeTheWesternLocale) {
  platform::sim::SimCollation collation;
  EXPECT_LT(collation.Compare("apple", "Banana"), 0);
  EXPECT_LT(collation.Compare("Inbox", "inbox2"), 0);
  EXPECT_LT(collation.Compare("inbox", "Inbox"), 0);  // same letters: lowercase first
  EXPECT_EQ(collation.Compare("Inbox", "Inbox"), 0);
  EXPECT_LT(collation.Compare("eclair",
                              "\xC3\xA9"
                              "clair"),
            0);  // accent after none
  EXPECT_LT(collation.Compare("\xC3\xA9"
                              "clair",
                              "Ezra"),
            0);                                         // the letter outweighs it
  EXPECT_LT(collation.Compare("-old", "2024"), 0);      // punctuation, digits,
  EXPECT_LT(collation.Compare("2024", "Archive"), 0);   // then letters
  EXPECT_LT(collation.Compare("Zulu", "\xD0\x96"), 0);  // other scripts after
  EXPECT_GT(collation.Compare("Projects", "Project"), 0);
}

}  // namespace
}  // namespace quivra::ui::sim
