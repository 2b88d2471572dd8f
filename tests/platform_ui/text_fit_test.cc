// Controls grow to their measured text, what stands beside or below them moves aside, and the
// form grows to hold them.
#include "platform/ui/text_fit.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_message_boxes.h"
#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/form.h"
#include "platform/ui/sim/sim_ui.h"
#include "platform/ui/static_controls.h"

namespace quivra::ui {
namespace {

// Measures 6 pixels a character, lines 13 high (the sim's measure at 8 points).
struct SixPerCharacter : TextMeasure {
  int TextWidth(const Font&, std::string_view text) override {
    return 6 * static_cast<int>(text.size());
  }
  int TextHeight(const Font&) override { return height; }
  int height = 13;
};

class TextFitTest : public ::testing::Test {
 protected:
  TextFitTest() {
    form.SetClientSize(300, 120);
    label.SetCaption("Name:");
    check.SetCaption("Remember");
    ok.SetCaption("OK");
    ok.SetAnchors(kAnchorRight | kAnchorBottom);
    box.SetCaption("Options");
  }

  SixPerCharacter measure;
  Form form{"form"};
  Label label{&form, "label", {8, 8, 40, 13}};
  Button beside{&form, "beside", {52, 4, 60, 21}};
  Button far_right{&form, "far_right", {200, 4, 60, 21}};
  GroupBox box{&form, "box", {8, 40, 150, 50}};
  CheckBox check{&box, "check", {8, 20, 80, 17}};
  Button ok{&form, "ok", {220, 90, 75, 25}};
};

TEST_F(TextFitTest, AFormWhoseTextsFitKeepsItsDesign) {
  FitToText(form, measure);
  EXPECT_EQ(label.BoundsRect(), (Rect{8, 8, 40, 13}));
  EXPECT_EQ(beside.BoundsRect(), (Rect{52, 4, 60, 21}));
  EXPECT_EQ(check.BoundsRect(), (Rect{8, 20, 80, 17}));
  EXPECT_EQ(form.ClientWidth(), 300);
  EXPECT_EQ(form.ClientHeight(), 120);
}

TEST_F(TextFitTest, ALongerLabelPushesWhatItWouldCoverAndKeepsTheGap) {
  label.SetCaption("A much longer name:");  // 19 characters: 114 pixels
  FitToText(form, measure);
  EXPECT_EQ(label.Width(), 114);
  EXPECT_EQ(beside.Left(), 8 + 114 + 4);
  // Far enough away to stay where it was.
  EXPECT_EQ(far_right.Left(), 200);
  // Below the label's row: not moved.
  EXPECT_EQ(box.Left(), 8);
  FitToText(form, measure);
  EXPECT_EQ(beside.Left(), 126) << "fitting twice changes nothing";
}

TEST_F(TextFitTest, PushesCascadeAndTheFormGrowsToHoldThem) {
  label.SetCaption(std::string(40, 'n'));  // 240 pixels
  FitToText(form, measure);
  EXPECT_EQ(beside.Left(), 8 + 240 + 4);
  EXPECT_EQ(far_right.Left(), beside.Left() + 60 + 4);
  // The form keeps the right margin it had (300 - 295 = 5) and its anchored button stays put.
  EXPECT_EQ(form.ClientWidth(), far_right.Left() + 60 + 5);
  EXPECT_EQ(ok.Left(), 220);
}

TEST_F(TextFitTest, AGroupBoxGrowsForItsCheckBoxAndForItsCaption) {
  check.SetCaption(std::string(30, 'c'));  // 180 + the box
  FitToText(form, measure);
  EXPECT_EQ(check.Width(), 180 + 18);
  EXPECT_GE(box.Width(), check.Left() + check.Width());
  box.SetCaption(std::string(50, 'g'));
  FitToText(form, measure);
  EXPECT_EQ(box.Width(), 300 + 16);
  EXPECT_GE(form.ClientWidth(), box.Left() + box.Width());
}

TEST_F(TextFitTest, TallerTextGrowsControlsDownAndMovesWhatIsBelow) {
  measure.height = 30;
  FitToText(form, measure);
  EXPECT_EQ(label.Height(), 30);
  EXPECT_EQ(check.Height(), 34);
  EXPECT_EQ(ok.Height(), 38);
  // The group box below the label moved down clear of it, keeping a gap.
  EXPECT_EQ(box.Top(), 8 + 30 + 4);
  EXPECT_GE(box.Height(), check.Top() + check.Height());
  EXPECT_GE(form.ClientHeight(), ok.Top() + ok.Height());
}

TEST_F(TextFitTest, HiddenControlsAndAccessKeyMarksDoNotCount) {
  beside.SetVisible(false);
  label.SetCaption("&&Name && &Date");  // shown as "&Name & Date": 12 characters
  EXPECT_EQ(CaptionAsShown(label.Caption()), "&Name & Date");
  FitToText(form, measure);
  EXPECT_EQ(label.Width(), 72);
  EXPECT_EQ(beside.Left(), 52);
}

TEST(SimTextMeasureTest, TheTextSizeSettingScalesWidthAndHeight) {
  platform::sim::SimMessageBoxes boxes;
  sim::SimUi ui(boxes);
  const Font font{"Tahoma", 8, false};
  EXPECT_EQ(ui.TextHeight(font), 13);
  ui.SetTextScale(150);
  EXPECT_EQ(ui.TextWidth(font, "Projects"), 72);
  EXPECT_EQ(ui.TextHeight(font), 20);
}

}  // namespace
}  // namespace quivra::ui
