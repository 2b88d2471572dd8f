#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/form.h"
#include "platform/ui/static_controls.h"

namespace quivra::ui {
namespace {

class TestForm : public Form {
 public:
  TestForm() : Form("TestForm") {
    SetClientSize(400, 300);
    SetKeyPreview(true);
    OnKeyPress = [this](char& key) { keys.push_back(key); };
    ok.SetDefault(true);
    ok.OnClick = [this] { clicks.push_back("ok"); };
    ok.SetAnchors(kAnchorRight | kAnchorBottom);
    cancel.SetCancel(true);
    cancel.SetModalResult(ModalResult::kCancel);
    cancel.SetAnchors(kAnchorRight | kAnchorBottom);
    cancel.OnClick = [this] { clicks.push_back("cancel"); };
    box.SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
    stretch.SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
    inner.SetAnchors(kAnchorTop | kAnchorRight);
  }

  Panel box{this, "box", {10, 10, 200, 100}};
  CheckBox inner{&box, "inner", {150, 10, 40, 17}};
  Label stretch{this, "stretch", {10, 120, 380, 13}};
  Button other{this, "other", {10, 260, 75, 25}};
  Button ok{this, "ok", {230, 260, 75, 25}};
  Button cancel{this, "cancel", {315, 260, 75, 25}};
  std::vector<std::string> clicks;
  std::vector<char> keys;
};

TEST(FormTest, EnterAndEscapeGoToTheDefaultAndCancelButtons) {
  TestForm form;
  form.BeginModal();
  form.KeyPress(kEnterKey);
  EXPECT_EQ(form.clicks, std::vector<std::string>{"ok"});
  EXPECT_EQ(form.GetModalResult(), ModalResult::kNone);
  form.KeyPress(kEscapeKey);
  EXPECT_EQ(form.GetModalResult(), ModalResult::kCancel);
  EXPECT_TRUE(form.keys.empty());

  // A focused button takes Enter; a key no button takes reaches the key preview.
  form.BeginModal();
  form.other.SetFocus();
  form.KeyPress(kEnterKey);
  form.KeyPress('x');
  EXPECT_EQ(form.clicks.size(), 2u);
  EXPECT_EQ(form.keys, std::vector<char>{'x'});
}

TEST(FormTest, UnreachableButtonsTakeNoKeysAndNoClicks) {
  TestForm form;
  form.BeginModal();
  form.cancel.SetVisible(false);
  form.ok.SetEnabled(false);
  form.KeyPress(kEscapeKey);
  form.KeyPress(kEnterKey);
  form.ok.Click();
  EXPECT_TRUE(form.clicks.empty());
  EXPECT_EQ(form.keys, (std::vector<char>{kEscapeKey, kEnterKey}));
  EXPECT_EQ(form.GetModalResult(), ModalResult::kNone);
}

TEST(FormTest, ChildrenFollowTheirAnchorsWhenTheFormIsResized) {
  TestForm form;
  form.SetWindowWidth(306);            // client 300 with the 3-pixel dialog frame...
  EXPECT_EQ(form.ClientWidth(), 298);  // ...of a sizeable form is 4 pixels
  form.SetBorderStyle(BorderStyle::kDialog);
  form.SetWindowWidth(306);
  EXPECT_EQ(form.ClientWidth(), 300);
  EXPECT_EQ(form.ok.BoundsRect(), (Rect{130, 260, 75, 25}));
  EXPECT_EQ(form.cancel.Left(), 215);
  EXPECT_EQ(form.other.Left(), 10);
  EXPECT_EQ(form.stretch.Width(), 280);
  // The panel stretches, and the check box anchored to its right edge moves with it.
  EXPECT_EQ(form.box.Width(), 100);
  EXPECT_EQ(form.inner.Left(), 50);
  form.SetClientSize(400, 200);
  EXPECT_EQ(form.ok.BoundsRect(), (Rect{230, 160, 75, 25}));
}

TEST(FormTest, FocusFiresExitThenEnterAndShowingStartsWithoutFocus) {
  TestForm form;
  std::vector<std::string> events;
  form.other.OnEnter = [&] { events.push_back("enter other"); };
  form.other.OnExit = [&] { events.push_back("exit other"); };
  form.ok.OnEnter = [&] { events.push_back("enter ok"); };
  form.other.SetFocus();
  form.other.SetFocus();
  form.ok.SetFocus();
  EXPECT_EQ(events, (std::vector<std::string>{"enter other", "exit other", "enter ok"}));
  form.BeginModal();
  EXPECT_EQ(form.ActiveControl(), nullptr);
  form.ok.SetFocus();
  EXPECT_EQ(events.back(), "enter ok");
}

TEST(FormTest, FontsComeFromTheParentUnlessSet) {
  TestForm form;
  EXPECT_EQ(form.inner.GetFont(), (Font{"MS Sans Serif", 8, false}));
  form.box.SetFont({"Tahoma", 8, true});
  EXPECT_EQ(form.inner.GetFont().name, "Tahoma");
  EXPECT_EQ(form.ok.GetFont().name, "MS Sans Serif");
  EXPECT_EQ(form.FindControl("inner"), &form.inner);
  EXPECT_EQ(form.FindControl("nothing"), nullptr);
}

}  // namespace
}  // namespace quivra::ui
