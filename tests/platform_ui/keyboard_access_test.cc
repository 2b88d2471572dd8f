// The keyboard conventions check on small forms built to break one convention each.
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/html_label.h"
#include "platform/ui/keyboard_access.h"
#include "platform/ui/static_controls.h"
#include "platform/ui/text_fit.h"

namespace quivra::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(AccessKeyTest, TheLetterAfterALoneAmpersandInUpperCase) {
  EXPECT_EQ(AccessKey("&Browse"), 'B');
  EXPECT_EQ(AccessKey("Add &icons"), 'I');
  EXPECT_EQ(AccessKey("1&0"), '0');
  EXPECT_EQ(AccessKey("Save && &close"), 'C');
  EXPECT_EQ(AccessKey("Tom && Jerry"), 0);
  EXPECT_EQ(AccessKey("Trailing&"), 0);
  EXPECT_EQ(CaptionAsShown("Save && &close"), "Save & close");
}

// A dialog: a name field with its label, two buttons, OK and Cancel.
class SmallForm : public Form {
 public:
  SmallForm() : Form("small") {
    NameLabel.SetCaption("&Name:");
    NameLabel.SetFocusControl(&NameEdit);
    Open.SetCaption("&Open");
    Print.SetCaption("&Print");
    OK.SetCaption("OK");
    OK.SetDefault(true);
    Cancel.SetCaption("Cancel");
    Cancel.SetCancel(true);
  }
  Label NameLabel{this, "NameLabel", {8, 12, 40, 13}};
  Edit NameEdit{this, "NameEdit", {50, 8, 100, 21}};
  Button Open{this, "Open", {8, 40, 75, 25}};
  Button Print{this, "Print", {90, 40, 75, 25}};
  Button OK{this, "OK", {8, 80, 75, 25}};
  Button Cancel{this, "Cancel", {90, 80, 75, 25}};
};

TEST(KeyboardAccessTest, AWellMadeFormHasNoProblems) {
  SmallForm form;
  EXPECT_THAT(KeyboardAccessProblems(form), IsEmpty());
  std::vector<std::string> names;
  for (const Control* control : TabSequence(form)) {
    names.push_back(control->Name());
  }
  EXPECT_THAT(names, ElementsAre("NameEdit", "Open", "Print", "OK", "Cancel"));
}

TEST(KeyboardAccessTest, EachBrokenConventionIsReported) {
  {
    SmallForm form;
    form.Print.SetCaption("&Overview");
    EXPECT_THAT(KeyboardAccessProblems(form),
                ElementsAre(HasSubstr("access key O is used by Open")));
  }
  {
    SmallForm form;
    form.Print.SetCaption("&Open");  // the same key again, hidden controls do not count
    form.Print.SetVisible(false);
    EXPECT_THAT(KeyboardAccessProblems(form), IsEmpty());
  }
  {
    SmallForm form;
    form.Open.SetCaption("Open");
    EXPECT_THAT(KeyboardAccessProblems(form),
                ElementsAre(HasSubstr("Open \"Open\" has no access")));
  }
  {
    SmallForm form;
    form.NameLabel.SetFocusControl(nullptr);
    EXPECT_THAT(KeyboardAccessProblems(form),
                ElementsAre(HasSubstr("marks a key but leads nowhere"),
                            HasSubstr("NameEdit has no label")));
  }
  {
    // Declared after the field it names, the label's key would lead past it.
    SmallForm form;
    form.NameLabel.SetTabOrder(1);
    EXPECT_THAT(KeyboardAccessProblems(form), ElementsAre(HasSubstr("does not lead to NameEdit")));
  }
  {
    SmallForm form;
    form.Print.SetTabOrder(-1);
    EXPECT_THAT(KeyboardAccessProblems(form),
                ElementsAre(HasSubstr("Tab visits Print, NameEdit, Open, OK, Cancel; reading "
                                      "order is NameEdit, Open, Print, OK, Cancel")));
  }
  {
    SmallForm form;
    form.OK.SetDefault(false);
    form.Cancel.SetCancel(false);
    EXPECT_THAT(KeyboardAccessProblems(form),
                ElementsAre(HasSubstr("no default button"), HasSubstr("nothing takes Esc")));
  }
}

TEST(KeyboardAccessTest, RepeatedCaptionsGoWithoutKeysWhenTheirLineHasOne) {
  SmallForm form;
  // Two rows, each a numbered label leading to its Browse button.
  Label one(&form, "one", {8, 120, 10, 13});
  Button browse1(&form, "browse1", {20, 116, 50, 21});
  Label two(&form, "two", {8, 150, 10, 13});
  Button browse2(&form, "browse2", {20, 146, 50, 21});
  for (Control* control : {static_cast<Control*>(&form.OK), static_cast<Control*>(&form.Cancel)}) {
    control->SetBounds({control->Left(), 200, control->Width(), control->Height()});
    control->SetTabOrder(1);
  }
  browse1.SetCaption("Browse");
  browse2.SetCaption("Browse");
  one.SetCaption("&1");
  one.SetFocusControl(&browse1);
  two.SetCaption("2");
  EXPECT_THAT(KeyboardAccessProblems(form),
              ElementsAre(HasSubstr("browse2 \"Browse\" repeats a caption")));
  two.SetCaption("&2");
  two.SetFocusControl(&browse2);
  EXPECT_THAT(KeyboardAccessProblems(form), IsEmpty());
}

// A label takes the focus only with a link that the form answers; it needs no label of its own.
TEST(KeyboardAccessTest, ALinkIsATabStopOnlyWhenTheFormFollowsIt) {
  SmallForm form;
  HtmlLabel site(&form, "site", {8, 68, 150, 13});  // between the rows of buttons
  site.SetHTMLText({"Visit <a href=\"home\">our site</a>"});
  auto stops = [&form] {
    std::vector<std::string> names;
    for (const Control* control : TabSequence(form)) {
      names.push_back(control->Name());
    }
    return names;
  };
  EXPECT_THAT(stops(), ElementsAre("NameEdit", "Open", "Print", "OK", "Cancel"));
  site.OnAnchorClick = [](const std::string&) {};
  EXPECT_THAT(stops(), ElementsAre("NameEdit", "Open", "Print", "OK", "Cancel", "site"));
  EXPECT_THAT(KeyboardAccessProblems(form), ElementsAre(HasSubstr("Tab visits")));
  site.SetBounds({8, 110, 150, 13});  // below OK and Cancel, as Tab visits it
  EXPECT_THAT(KeyboardAccessProblems(form), IsEmpty());
  site.SetHTMLText({"No link here"});
  EXPECT_THAT(stops(), ElementsAre("NameEdit", "Open", "Print", "OK", "Cancel"));
}

}  // namespace
}  // namespace quivra::ui
