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

TEST(SimCollationTest, FoldsCaseAndAccentsAsWindowsDoesForLatinLetters) {
  platform::sim::SimCollation collation;
  EXPECT_EQ(collation.Fold("M\xC3\xBCLLER Inbox-2"), "muller inbox-2");
  // Latin-1: À Ç É Ñ Ö Ý ÿ lose their accents; Æ Ø Þ only their case; ß and × stay.
  EXPECT_EQ(collation.Fold("\xC3\x80\xC3\x87\xC3\x89\xC3\x91\xC3\x96\xC3\x9D\xC3\xBF"), "acenoyy");
  EXPECT_EQ(collation.Fold("\xC3\x86\xC3\x98\xC3\x9E\xC3\x9F\xC3\x97"),
            "\xC3\xA6\xC3\xB8\xC3\xBE\xC3\x9F\xC3\x97");
  // Latin Extended-A: Ą Č Ě Ğ İ Ň Ő Ř Š Ů Ž lose their accents; Ł Đ Œ only their case.
  EXPECT_EQ(collation.Fold("\xC4\x84\xC4\x8C\xC4\x9A\xC4\x9E\xC4\xB0\xC5\x87\xC5\x90\xC5\x98"
                           "\xC5\xA0\xC5\xAE\xC5\xBD"),
            "aceginorsuz");
  EXPECT_EQ(collation.Fold("\xC5\x81\xC4\x90\xC5\x92"), "\xC5\x82\xC4\x91\xC5\x93");
  // A decomposed accent goes too; other scripts stay as they are.
  EXPECT_EQ(collation.Fold("Mu\xCC\x88ller \xD0\x96"), "muller \xD0\x96");
}

}  // namespace
}  // namespace quivra::ui::sim
