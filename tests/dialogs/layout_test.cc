// The dialogs as designed: every control inside what holds it, none covering another.
// (The picker's tree and list are designed to overlap and to reach past its edge.)
#include <string>

#include "dialogs/about_box.h"
#include "dialogs/add_folder_form.h"
#include "dialogs/config_dialog.h"
#include "tests/dialogs/picker_fixture.h"

namespace quivra::dialogs {
namespace {

bool Apart(const ui::Control& a, const ui::Control& b) {
  return a.Left() + a.Width() <= b.Left() || b.Left() + b.Width() <= a.Left() ||
         a.Top() + a.Height() <= b.Top() || b.Top() + b.Height() <= a.Top();
}

// Checks the controls of `holder`, and theirs, against the holder's area and, when `apart`,
// against each other.
void ExpectLaidOut(const ui::Control& holder, bool apart) {
  const auto& controls = holder.Controls();
  for (size_t i = 0; i < controls.size(); ++i) {
    const ui::Control& control = *controls[i];
    SCOPED_TRACE(holder.Name() + "." + control.Name());
    EXPECT_GT(control.Width(), 0);
    EXPECT_GT(control.Height(), 0);
    EXPECT_GE(control.Left(), 0);
    EXPECT_GE(control.Top(), 0);
    EXPECT_LE(control.Left() + control.Width(), holder.Width());
    EXPECT_LE(control.Top() + control.Height(), holder.Height());
    for (size_t j = i + 1; apart && j < controls.size(); ++j) {
      EXPECT_TRUE(Apart(control, *controls[j])) << "covers " << controls[j]->Name();
    }
    ExpectLaidOut(control, apart);
  }
}

using LayoutTest = PickerTest;

TEST_F(LayoutTest, TheSmallDialogsKeepTheirControlsInsideAndApart) {
  TFormAbout about{sim.shell};
  ExpectLaidOut(about, true);
  TFormAddFolder add_folder;
  ExpectLaidOut(add_folder, true);
}

TEST_F(LayoutTest, TheAboutBoxBannerIsCentredAndItsTextsAligned) {
  TFormAbout about{sim.shell};
  // The banner stands in the middle, as far from either side.
  EXPECT_EQ(about.Image1.Left(), about.ClientWidth() - about.Image1.Left() - about.Image1.Width());
  EXPECT_EQ(about.Label1.Left() + about.Label1.Width(),
            about.LabelTitle.Left() + about.LabelTitle.Width());
  EXPECT_EQ(about.LabelVersion.Left(), about.LabelUrl.Left());
  EXPECT_EQ(about.LabelUrl.Left(), about.LabelCopyright.Left());
}

TEST_F(LayoutTest, TheNewFolderNameLinesUpUnderItsPromptAboveTheButtons) {
  TFormAddFolder form;
  EXPECT_EQ(form.EditFolderName.Left(), form.HTMLabel1.Left());
  EXPECT_EQ(form.EditFolderName.Width(), form.HTMLabel1.Width());
  EXPECT_EQ(form.ButtonOK.Top(), form.ButtonCancel.Top());
  EXPECT_EQ(form.ButtonOK.Height(), form.ButtonCancel.Height());
  EXPECT_EQ(form.ButtonOK.Width(), form.ButtonCancel.Width());
}

TEST_F(LayoutTest, TheConfigurationDialogKeepsItsControlsInside) {
  // Its group boxes and column headers are designed to overlap at their edges.
  TfrmConfig config_dialog{config, picker};
  ExpectLaidOut(config_dialog, false);
}

}  // namespace
}  // namespace quivra::dialogs
