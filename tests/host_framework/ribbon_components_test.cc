#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>
#include <typeinfo>

#include "host/framework/module/com_addin_module.h"
#include "host/framework/module/framework_errors.h"
#include "host/framework/ribbon/ribbon_controls.h"
#include "host/framework/ribbon/ribbon_tab.h"
#include "host/framework/ribbon/unique_id.h"
#include "tests/host_framework/framework_module_fixture.h"
#include "tests/support/message_texts.h"

namespace quivra::framework {
namespace {

class RibbonComponentsTest : public FrameworkModuleTest {
 protected:
  RibbonComponentsTest() { RecordChanges(); }

  TRibbonTab& tab_ = module_.CreateComponent<TRibbonTab>();
};

TEST_F(RibbonComponentsTest, ControlsStartAtTheirDefaults) {
  TRibbonButton& button =
      tab_.Controls().Add<TRibbonGroup>().Controls().Add<TRibbonButton>();
  EXPECT_EQ(button.IdMso(), "");
  EXPECT_EQ(button.Caption(), "");
  EXPECT_EQ(button.Description(), "");
  EXPECT_EQ(button.ScreenTip(), "");
  EXPECT_EQ(button.SuperTip(), "");
  EXPECT_EQ(button.KeyTip(), "");
  EXPECT_TRUE(button.Enabled());
  EXPECT_TRUE(button.Visible());
  EXPECT_TRUE(button.ShowCaption());
  EXPECT_EQ(button.Size(), TRibbonXControlSize::csRegular);
  EXPECT_FALSE(button.Pressed());
  EXPECT_TRUE(button.Glyph().Empty());
  EXPECT_EQ(button.ImageIndex(), -1);
  EXPECT_EQ(button.ImageMso(), "");
  EXPECT_EQ(button.InsertAfterIdMso() + button.InsertBeforeIdMso() + button.InsertAfterId() +
                button.InsertBeforeId(),
            "");
  EXPECT_EQ(button.Tag(), 0);
  EXPECT_FALSE(button.ToggleButton());
  EXPECT_FALSE(button.OnClick);

  TRibbonMenu menu;
  EXPECT_EQ(menu.ItemSize(), TRibbonXItemSize::isNormal);
  EXPECT_FALSE(menu.Dynamic());
  TRibbonGroup group;
  EXPECT_FALSE(group.AutoScale());
  EXPECT_FALSE(group.CenterVertically());

  EXPECT_TRUE(tab_.Visible());
  EXPECT_EQ(tab_.IdMso(), "");
  EXPECT_EQ(tab_.Images(), nullptr);
  EXPECT_EQ(tab_.Context(), "");
}

TEST_F(RibbonComponentsTest, NewControlsGetDistinctIdsOfTheFrameworksForm) {
  TRibbonGroup& group = tab_.Controls().Add<TRibbonGroup>();
  TRibbonButton& a = group.Controls().Add<TRibbonButton>();
  TRibbonButton& b = group.Controls().Add<TRibbonButton>();
  EXPECT_TRUE(std::regex_match(a.Id(), std::regex("ribbonButton[0-9A-F]{32}"))) << a.Id();
  EXPECT_TRUE(std::regex_match(group.Id(), std::regex("ribbonGroup[0-9A-F]{32}")));
  EXPECT_TRUE(std::regex_match(tab_.Id(), std::regex("ribbonTab[0-9A-F]{32}")));
  EXPECT_NE(a.Id(), b.Id());
}

TEST_F(RibbonComponentsTest, IdsFollowThePlaceInTheDesignNotTheLoad) {
  TRibbonGroup& group = tab_.Controls().Add<TRibbonGroup>();
  TRibbonButton& first = group.Controls().Add<TRibbonButton>();
  TRibbonButton& second = group.Controls().Add<TRibbonButton>();

  // The same design built again, as on the next load of the add-in.
  TCOMAddInModule again{sim.platform()};
  TRibbonTab& tab = again.CreateComponent<TRibbonTab>();
  TRibbonGroup& group_again = tab.Controls().Add<TRibbonGroup>();
  EXPECT_EQ(tab.Id(), tab_.Id());
  EXPECT_EQ(group_again.Id(), group.Id());
  EXPECT_EQ(group_again.Controls().Add<TRibbonButton>().Id(), first.Id());
  EXPECT_EQ(group_again.Controls().Add<TRibbonButton>().Id(), second.Id());

  // Fixed values: no dependence on word size, byte order or a random source.
  EXPECT_EQ(DesignControlId("ribbonTab", "ribbonTab1"),
            "ribbonTab" + DesignControlId("", "ribbonTab1"));
  EXPECT_EQ(DesignControlId("ribbonButton", "ribbonTab1/1/3"),
            "ribbonButton47470CBA2BA5613974EC8C53A3F86285");
  // Another tab, or another place, another id.
  EXPECT_NE(again.CreateComponent<TRibbonTab>().Id(), tab_.Id());
  EXPECT_NE(DesignControlId("ribbonButton", "ribbonTab1/1/3"),
            DesignControlId("ribbonButton", "ribbonTab1/1/4"));
}

TEST_F(RibbonComponentsTest, EachHolderTakesOnlyItsKindsOfControl) {
  try {
    tab_.Controls().Add<TRibbonButton>();
    FAIL() << "a tab took a button";
  } catch (const TContainmentError& error) {
    EXPECT_STREQ(error.what(),
                 "The TRibbonButton class cannot be contained in the "
                 "TRibbonTab class.");
  }
  EXPECT_EQ(tab_.Controls().Count(), 0);

  TRibbonGroup& group = tab_.Controls().Add<TRibbonGroup>();
  EXPECT_THROW(group.Controls().Add<TRibbonGroup>(), TContainmentError);
  TRibbonSplitButton& split = group.Controls().Add<TRibbonSplitButton>();
  try {
    split.Controls().Add<TRibbonButton>();
    FAIL() << "a split button took a button";
  } catch (const TContainmentError& error) {
    EXPECT_STREQ(error.what(),
                 "The TRibbonButton class cannot be contained in the "
                 "TRibbonSplitButton class.");
  }
  TRibbonMenu& menu = split.Controls().Add<TRibbonMenu>();
  menu.Controls().Add<TRibbonButton>();
  menu.Controls().Add<TRibbonMenu>();
  menu.Controls().Add<TRibbonSplitButton>();
  EXPECT_THROW(menu.Controls().Add<TRibbonGroup>(), TContainmentError);
  group.Controls().Add<TRibbonMenu>();

  EXPECT_EQ(group.Controls().Count(), 2);
  EXPECT_EQ(split.Controls().Count(), 1);
  EXPECT_EQ(menu.Controls().Count(), 3);
}

TEST_F(RibbonComponentsTest, ControlsKnowTheirHoldersAndAreReachedByPosition) {
  TRibbonGroup& group = tab_.Controls().Add<TRibbonGroup>();
  TRibbonSplitButton& split = group.Controls().Add<TRibbonSplitButton>();
  TRibbonMenu& menu = split.Controls().Add<TRibbonMenu>();
  TRibbonButton& item = menu.Controls().Add<TRibbonButton>();

  EXPECT_EQ(item.Tab(), &tab_);
  EXPECT_EQ(item.Module(), &module_);
  EXPECT_EQ(item.ParentControl(), &menu);
  EXPECT_EQ(group.ParentControl(), nullptr);
  EXPECT_EQ(&tab_.Controls().Item<TRibbonGroup>(0), &group);
  EXPECT_EQ(&group.Controls()[0], &split);
  EXPECT_THROW(group.Controls().Item<TRibbonButton>(0), std::bad_cast);
  EXPECT_THROW(group.Controls()[1], std::out_of_range);
}

TEST_F(RibbonComponentsTest, ControlsTakeTheRibbonsOfTheirHolder) {
  tab_.SetRibbons({TRibbon::msrOutlookExplorer});
  tab_.SetRibbons2010({TRibbon2010::msrOutlookExplorer2010});
  TRibbonGroup& group = tab_.Controls().Add<TRibbonGroup>();
  TRibbonButton& button = group.Controls().Add<TRibbonButton>();
  EXPECT_EQ(button.Ribbons(), TRibbons{TRibbon::msrOutlookExplorer});
  EXPECT_EQ(button.Ribbons2010(), TRibbons2010{TRibbon2010::msrOutlookExplorer2010});
  EXPECT_EQ(RibbonId(TRibbon::msrOutlookExplorer), "Microsoft.Outlook.Explorer");
  EXPECT_EQ(RibbonId(TRibbon2010::msrOutlookExplorer2010), "Microsoft.Outlook.Explorer");
}

TEST_F(RibbonComponentsTest, SettersTellTheModuleOncePerRealChange) {
  TRibbonGroup& group = tab_.Controls().Add<TRibbonGroup>();
  TRibbonButton& button = group.Controls().Add<TRibbonButton>();
  changes_.clear();

  button.SetVisible(false);
  button.SetVisible(false);
  button.SetCaption("Projects");
  button.SetCaption("Projects");
  button.SetScreenTip("Mailbox\\Inbox\\Projects (Alt+3)");
  button.SetEnabled(true);  // already enabled
  button.SetTag(3);
  group.SetScreenTip("Quivra - Filing Buttons");
  tab_.SetCaption("Quivra");
  tab_.SetCaption("Quivra");

  ASSERT_EQ(changes_.size(), 6u);
  EXPECT_EQ(changes_[0].Property, TProperty::Visible);
  EXPECT_EQ(changes_[0].RibbonControl, &button);
  EXPECT_EQ(changes_[0].Component, &tab_);
  EXPECT_EQ(changes_[1].Property, TProperty::Caption);
  EXPECT_EQ(changes_[2].Property, TProperty::ScreenTip);
  EXPECT_EQ(changes_[3].Property, TProperty::Tag);
  EXPECT_EQ(changes_[4].RibbonControl, &group);
  EXPECT_EQ(changes_[5].RibbonControl, nullptr);
  EXPECT_EQ(changes_[5].Property, TProperty::Caption);
  EXPECT_FALSE(button.Visible());
  EXPECT_EQ(button.Caption(), "Projects");
}

TEST_F(RibbonComponentsTest, EveryButtonSetterTellsOncePerRealChange) {
  TRibbonButton& button =
      tab_.Controls().Add<TRibbonGroup>().Controls().Add<TRibbonButton>();
  changes_.clear();
  const bool enabled = !button.Enabled();
  const bool visible = !button.Visible();
  const bool show_caption = !button.ShowCaption();
  const bool pressed = !button.Pressed();
  const bool toggle = !button.ToggleButton();
  for (int twice = 0; twice < 2; ++twice) {
    button.SetId("File3");
    button.SetIdMso("FileSave");
    button.SetCaption("Projects");
    button.SetDescription("Files into Projects");
    button.SetScreenTip("Tip");
    button.SetSuperTip("Super");
    button.SetKeyTip("3");
    button.SetEnabled(enabled);
    button.SetVisible(visible);
    button.SetShowCaption(show_caption);
    button.SetPressed(pressed);
    button.SetImageIndex(4);
    button.SetImageMso("Folder");
    button.SetInsertAfterIdMso("A");
    button.SetInsertBeforeIdMso("B");
    button.SetInsertAfterId("C");
    button.SetInsertBeforeId("D");
    button.SetTag(3);
    button.SetToggleButton(toggle);
  }
  std::vector<TProperty> told;
  for (const auto& change : changes_) {
    EXPECT_EQ(change.RibbonControl, &button);
    told.push_back(change.Property);
  }
  EXPECT_EQ(told, (std::vector<TProperty>{
                      TProperty::Id, TProperty::IdMso, TProperty::Caption,
                      TProperty::Description, TProperty::ScreenTip, TProperty::SuperTip,
                      TProperty::KeyTip, TProperty::Enabled, TProperty::Visible,
                      TProperty::ShowCaption, TProperty::Pressed, TProperty::ImageIndex,
                      TProperty::ImageMso, TProperty::InsertAfterIdMso,
                      TProperty::InsertBeforeIdMso, TProperty::InsertAfterId,
                      TProperty::InsertBeforeId, TProperty::Tag,
                      TProperty::ToggleButton}));
}

TEST_F(RibbonComponentsTest, TabSettersTellTheModuleOncePerRealChange) {
  changes_.clear();
  const bool visible = !tab_.Visible();
  const bool shared = !tab_.Shared();
  for (int twice = 0; twice < 2; ++twice) {
    tab_.SetId("OwnTab");
    tab_.SetIdMso("TabMail");
    tab_.SetCaption("Filing");
    tab_.SetVisible(visible);
    tab_.SetKeyTip("Q");
    tab_.SetRibbons({TRibbon::msrOutlookMailRead});
    tab_.SetRibbons2010({TRibbon2010::msrOMSSMSRead});
    tab_.SetInsertAfterIdMso("TabHome");
    tab_.SetInsertBeforeIdMso("TabSend");
    tab_.SetInsertAfterId("A");
    tab_.SetInsertBeforeId("B");
    tab_.SetContext("TabSetMail");
    tab_.SetShared(shared);
  }
  std::vector<TProperty> told;
  for (const auto& change : changes_) {
    EXPECT_EQ(change.RibbonControl, nullptr);
    told.push_back(change.Property);
  }
  EXPECT_EQ(told, (std::vector<TProperty>{
                      TProperty::Id, TProperty::IdMso, TProperty::Caption,
                      TProperty::Visible, TProperty::KeyTip, TProperty::Ribbons,
                      TProperty::Ribbons2010, TProperty::InsertAfterIdMso,
                      TProperty::InsertBeforeIdMso, TProperty::InsertAfterId,
                      TProperty::InsertBeforeId, TProperty::Context, TProperty::Shared}));
  EXPECT_EQ(tab_.Id(), "OwnTab");
}

TEST_F(RibbonComponentsTest, AGlyphAssignmentAlwaysTells) {
  TRibbonButton& button =
      tab_.Controls().Add<TRibbonGroup>().Controls().Add<TRibbonButton>();
  changes_.clear();
  TBitmap glyph{2, 1, 32, {0xFFFF00FF, 0xFF000000}};
  button.SetGlyph(glyph);
  button.SetGlyph(glyph);
  ASSERT_EQ(changes_.size(), 2u);
  EXPECT_EQ(changes_[1].Property, TProperty::Glyph);
  EXPECT_EQ(button.Glyph(), glyph);
}

TEST_F(RibbonComponentsTest, AControlInNoTabOnlyStores) {
  TRibbonButton loose;
  loose.SetCaption("Loose");
  EXPECT_EQ(loose.Caption(), "Loose");
  EXPECT_EQ(loose.Module(), nullptr);
  EXPECT_TRUE(changes_.empty());
}

class RibbonClickTest : public RibbonComponentsTest {
 protected:
  TRibbonGroup& group_ = tab_.Controls().Add<TRibbonGroup>();
  TRibbonButton& button_ = group_.Controls().Add<TRibbonButton>();
  TRibbonControlInfo info_{"ribbonButton1", ""};
};

TEST_F(RibbonClickTest, AClickCallsOnClickWithTheButtonAndStoresThePressedState) {
  button_.SetTag(7);
  int tag_seen = -1;
  std::string id_seen;
  button_.OnClick = [&](TRibbonCustomControl& sender, const TRibbonControlInfo& control) {
    tag_seen = sender.Tag();
    id_seen = control.Id;
  };
  button_.SetToggleButton(true);
  button_.DoClick(info_, true);
  EXPECT_EQ(tag_seen, 7);
  EXPECT_EQ(id_seen, "ribbonButton1");
  EXPECT_TRUE(button_.Pressed());

  TRibbonButton& bare = group_.Controls().Add<TRibbonButton>();
  EXPECT_NO_THROW(bare.DoClick(info_));
}

TEST_F(RibbonClickTest, AClickArrivingWhileTheHandlerRunsIsIgnored) {
  int calls = 0;
  button_.OnClick = [&](TRibbonCustomControl&, const TRibbonControlInfo&) {
    ++calls;
    // A modal dialog's message loop lets Office deliver another click on the same button.
    button_.DoClick(info_);
  };
  button_.DoClick(info_);
  EXPECT_EQ(calls, 1);
  button_.DoClick(info_);
  EXPECT_EQ(calls, 2);
}

TEST_F(RibbonClickTest, AFailingHandlerIsReportedAndTheButtonStaysUsable) {
  int calls = 0;
  button_.OnClick = [&](TRibbonCustomControl&, const TRibbonControlInfo&) {
    ++calls;
    throw std::runtime_error("The folder cannot be found.");
  };
  EXPECT_NO_THROW(button_.DoClick(info_));
  EXPECT_NO_THROW(button_.DoClick(info_));
  EXPECT_EQ(calls, 2);
  ASSERT_EQ(sim.message_boxes.shown().size(), 2u);
  EXPECT_EQ(sim.message_boxes.shown()[0].text,
            std::string(test::kAddInError) + "The folder cannot be found.");
}

TEST_F(RibbonClickTest, ASplitButtonClickCallsItsOwnHandler) {
  TRibbonSplitButton& split = group_.Controls().Add<TRibbonSplitButton>();
  TRibbonCustomControl* sender = nullptr;
  split.OnClick = [&](TRibbonCustomControl& s, const TRibbonControlInfo&) { sender = &s; };
  split.DoClick(info_);
  EXPECT_EQ(sender, &split);
}

}  // namespace
}  // namespace quivra::framework
