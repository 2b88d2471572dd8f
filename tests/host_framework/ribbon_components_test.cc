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

  TadxRibbonTab& tab_ = module_.CreateComponent<TadxRibbonTab>();
};

TEST_F(RibbonComponentsTest, ControlsStartAtTheirDefaults) {
  TadxRibbonButton& button =
      tab_.Controls().Add<TadxRibbonGroup>().Controls().Add<TadxRibbonButton>();
  EXPECT_EQ(button.IdMso(), "");
  EXPECT_EQ(button.Caption(), "");
  EXPECT_EQ(button.Description(), "");
  EXPECT_EQ(button.ScreenTip(), "");
  EXPECT_EQ(button.SuperTip(), "");
  EXPECT_EQ(button.KeyTip(), "");
  EXPECT_TRUE(button.Enabled());
  EXPECT_TRUE(button.Visible());
  EXPECT_TRUE(button.ShowCaption());
  EXPECT_EQ(button.Size(), TadxRibbonXControlSize::csRegular);
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

  TadxRibbonMenu menu;
  EXPECT_EQ(menu.ItemSize(), TadxRibbonXItemSize::isNormal);
  EXPECT_FALSE(menu.Dynamic());
  TadxRibbonGroup group;
  EXPECT_FALSE(group.AutoScale());
  EXPECT_FALSE(group.CenterVertically());

  EXPECT_TRUE(tab_.Visible());
  EXPECT_EQ(tab_.IdMso(), "");
  EXPECT_EQ(tab_.Images(), nullptr);
  EXPECT_EQ(tab_.Context(), "");
}

TEST_F(RibbonComponentsTest, NewControlsGetDistinctIdsOfTheFrameworksForm) {
  TadxRibbonGroup& group = tab_.Controls().Add<TadxRibbonGroup>();
  TadxRibbonButton& a = group.Controls().Add<TadxRibbonButton>();
  TadxRibbonButton& b = group.Controls().Add<TadxRibbonButton>();
  EXPECT_TRUE(std::regex_match(a.Id(), std::regex("adxRibbonButton[0-9A-F]{32}"))) << a.Id();
  EXPECT_TRUE(std::regex_match(group.Id(), std::regex("adxRibbonGroup[0-9A-F]{32}")));
  EXPECT_TRUE(std::regex_match(tab_.Id(), std::regex("adxRibbonTab[0-9A-F]{32}")));
  EXPECT_NE(a.Id(), b.Id());
}

TEST_F(RibbonComponentsTest, IdsFollowThePlaceInTheDesignNotTheLoad) {
  TadxRibbonGroup& group = tab_.Controls().Add<TadxRibbonGroup>();
  TadxRibbonButton& first = group.Controls().Add<TadxRibbonButton>();
  TadxRibbonButton& second = group.Controls().Add<TadxRibbonButton>();

  // The same design built again, as on the next load of the add-in.
  TadxCOMAddInModule again{sim.platform()};
  TadxRibbonTab& tab = again.CreateComponent<TadxRibbonTab>();
  TadxRibbonGroup& group_again = tab.Controls().Add<TadxRibbonGroup>();
  EXPECT_EQ(tab.Id(), tab_.Id());
  EXPECT_EQ(group_again.Id(), group.Id());
  EXPECT_EQ(group_again.Controls().Add<TadxRibbonButton>().Id(), first.Id());
  EXPECT_EQ(group_again.Controls().Add<TadxRibbonButton>().Id(), second.Id());

  // Fixed values: no dependence on word size, byte order or a random source.
  EXPECT_EQ(DesignControlId("adxRibbonTab", "adxRibbonTab1"),
            "adxRibbonTab" + DesignControlId("", "adxRibbonTab1"));
  EXPECT_EQ(DesignControlId("adxRibbonButton", "adxRibbonTab1/1/3"),
            "adxRibbonButtonD7C0F9C6359F95FC6EB2AF4AADDEAC1C");
  // Another tab, or another place, another id.
  EXPECT_NE(again.CreateComponent<TadxRibbonTab>().Id(), tab_.Id());
  EXPECT_NE(DesignControlId("adxRibbonButton", "adxRibbonTab1/1/3"),
            DesignControlId("adxRibbonButton", "adxRibbonTab1/1/4"));
}

TEST_F(RibbonComponentsTest, EachHolderTakesOnlyItsKindsOfControl) {
  try {
    tab_.Controls().Add<TadxRibbonButton>();
    FAIL() << "a tab took a button";
  } catch (const TadxContainmentError& error) {
    EXPECT_STREQ(error.what(),
                 "The TadxRibbonButton class cannot be contained in the "
                 "TadxRibbonTab class.");
  }
  EXPECT_EQ(tab_.Controls().Count(), 0);

  TadxRibbonGroup& group = tab_.Controls().Add<TadxRibbonGroup>();
  EXPECT_THROW(group.Controls().Add<TadxRibbonGroup>(), TadxContainmentError);
  TadxRibbonSplitButton& split = group.Controls().Add<TadxRibbonSplitButton>();
  try {
    split.Controls().Add<TadxRibbonButton>();
    FAIL() << "a split button took a button";
  } catch (const TadxContainmentError& error) {
    EXPECT_STREQ(error.what(),
                 "The TadxRibbonButton class cannot be contained in the "
                 "TadxRibbonSplitButton class.");
  }
  TadxRibbonMenu& menu = split.Controls().Add<TadxRibbonMenu>();
  menu.Controls().Add<TadxRibbonButton>();
  menu.Controls().Add<TadxRibbonMenu>();
  menu.Controls().Add<TadxRibbonSplitButton>();
  EXPECT_THROW(menu.Controls().Add<TadxRibbonGroup>(), TadxContainmentError);
  group.Controls().Add<TadxRibbonMenu>();

  EXPECT_EQ(group.Controls().Count(), 2);
  EXPECT_EQ(split.Controls().Count(), 1);
  EXPECT_EQ(menu.Controls().Count(), 3);
}

TEST_F(RibbonComponentsTest, ControlsKnowTheirHoldersAndAreReachedByPosition) {
  TadxRibbonGroup& group = tab_.Controls().Add<TadxRibbonGroup>();
  TadxRibbonSplitButton& split = group.Controls().Add<TadxRibbonSplitButton>();
  TadxRibbonMenu& menu = split.Controls().Add<TadxRibbonMenu>();
  TadxRibbonButton& item = menu.Controls().Add<TadxRibbonButton>();

  EXPECT_EQ(item.Tab(), &tab_);
  EXPECT_EQ(item.Module(), &module_);
  EXPECT_EQ(item.ParentControl(), &menu);
  EXPECT_EQ(group.ParentControl(), nullptr);
  EXPECT_EQ(&tab_.Controls().Item<TadxRibbonGroup>(0), &group);
  EXPECT_EQ(&group.Controls()[0], &split);
  EXPECT_THROW(group.Controls().Item<TadxRibbonButton>(0), std::bad_cast);
  EXPECT_THROW(group.Controls()[1], std::out_of_range);
}

TEST_F(RibbonComponentsTest, ControlsTakeTheRibbonsOfTheirHolder) {
  tab_.SetRibbons({TadxRibbon::msrOutlookExplorer});
  tab_.SetRibbons2010({TadxRibbon2010::msrOutlookExplorer2010});
  TadxRibbonGroup& group = tab_.Controls().Add<TadxRibbonGroup>();
  TadxRibbonButton& button = group.Controls().Add<TadxRibbonButton>();
  EXPECT_EQ(button.Ribbons(), TadxRibbons{TadxRibbon::msrOutlookExplorer});
  EXPECT_EQ(button.Ribbons2010(), TadxRibbons2010{TadxRibbon2010::msrOutlookExplorer2010});
  EXPECT_EQ(RibbonId(TadxRibbon::msrOutlookExplorer), "Microsoft.Outlook.Explorer");
  EXPECT_EQ(RibbonId(TadxRibbon2010::msrOutlookExplorer2010), "Microsoft.Outlook.Explorer");
}

TEST_F(RibbonComponentsTest, SettersTellTheModuleOncePerRealChange) {
  TadxRibbonGroup& group = tab_.Controls().Add<TadxRibbonGroup>();
  TadxRibbonButton& button = group.Controls().Add<TadxRibbonButton>();
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
  EXPECT_EQ(changes_[0].Property, TadxProperty::Visible);
  EXPECT_EQ(changes_[0].RibbonControl, &button);
  EXPECT_EQ(changes_[0].Component, &tab_);
  EXPECT_EQ(changes_[1].Property, TadxProperty::Caption);
  EXPECT_EQ(changes_[2].Property, TadxProperty::ScreenTip);
  EXPECT_EQ(changes_[3].Property, TadxProperty::Tag);
  EXPECT_EQ(changes_[4].RibbonControl, &group);
  EXPECT_EQ(changes_[5].RibbonControl, nullptr);
  EXPECT_EQ(changes_[5].Property, TadxProperty::Caption);
  EXPECT_FALSE(button.Visible());
  EXPECT_EQ(button.Caption(), "Projects");
}

TEST_F(RibbonComponentsTest, EveryButtonSetterTellsOncePerRealChange) {
  TadxRibbonButton& button =
      tab_.Controls().Add<TadxRibbonGroup>().Controls().Add<TadxRibbonButton>();
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
  std::vector<TadxProperty> told;
  for (const auto& change : changes_) {
    EXPECT_EQ(change.RibbonControl, &button);
    told.push_back(change.Property);
  }
  EXPECT_EQ(told, (std::vector<TadxProperty>{
                      TadxProperty::Id, TadxProperty::IdMso, TadxProperty::Caption,
                      TadxProperty::Description, TadxProperty::ScreenTip, TadxProperty::SuperTip,
                      TadxProperty::KeyTip, TadxProperty::Enabled, TadxProperty::Visible,
                      TadxProperty::ShowCaption, TadxProperty::Pressed, TadxProperty::ImageIndex,
                      TadxProperty::ImageMso, TadxProperty::InsertAfterIdMso,
                      TadxProperty::InsertBeforeIdMso, TadxProperty::InsertAfterId,
                      TadxProperty::InsertBeforeId, TadxProperty::Tag,
                      TadxProperty::ToggleButton}));
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
    tab_.SetRibbons({TadxRibbon::msrOutlookMailRead});
    tab_.SetRibbons2010({TadxRibbon2010::msrOMSSMSRead});
    tab_.SetInsertAfterIdMso("TabHome");
    tab_.SetInsertBeforeIdMso("TabSend");
    tab_.SetInsertAfterId("A");
    tab_.SetInsertBeforeId("B");
    tab_.SetContext("TabSetMail");
    tab_.SetShared(shared);
  }
  std::vector<TadxProperty> told;
  for (const auto& change : changes_) {
    EXPECT_EQ(change.RibbonControl, nullptr);
    told.push_back(change.Property);
  }
  EXPECT_EQ(told, (std::vector<TadxProperty>{
                      TadxProperty::Id, TadxProperty::IdMso, TadxProperty::Caption,
                      TadxProperty::Visible, TadxProperty::KeyTip, TadxProperty::Ribbons,
                      TadxProperty::Ribbons2010, TadxProperty::InsertAfterIdMso,
                      TadxProperty::InsertBeforeIdMso, TadxProperty::InsertAfterId,
                      TadxProperty::InsertBeforeId, TadxProperty::Context, TadxProperty::Shared}));
  EXPECT_EQ(tab_.Id(), "OwnTab");
}

TEST_F(RibbonComponentsTest, AGlyphAssignmentAlwaysTells) {
  TadxRibbonButton& button =
      tab_.Controls().Add<TadxRibbonGroup>().Controls().Add<TadxRibbonButton>();
  changes_.clear();
  TadxBitmap glyph{2, 1, 32, {0xFFFF00FF, 0xFF000000}};
  button.SetGlyph(glyph);
  button.SetGlyph(glyph);
  ASSERT_EQ(changes_.size(), 2u);
  EXPECT_EQ(changes_[1].Property, TadxProperty::Glyph);
  EXPECT_EQ(button.Glyph(), glyph);
}

TEST_F(RibbonComponentsTest, AControlInNoTabOnlyStores) {
  TadxRibbonButton loose;
  loose.SetCaption("Loose");
  EXPECT_EQ(loose.Caption(), "Loose");
  EXPECT_EQ(loose.Module(), nullptr);
  EXPECT_TRUE(changes_.empty());
}

class RibbonClickTest : public RibbonComponentsTest {
 protected:
  TadxRibbonGroup& group_ = tab_.Controls().Add<TadxRibbonGroup>();
  TadxRibbonButton& button_ = group_.Controls().Add<TadxRibbonButton>();
  TadxRibbonControlInfo info_{"adxRibbonButton1", ""};
};

TEST_F(RibbonClickTest, AClickCallsOnClickWithTheButtonAndStoresThePressedState) {
  button_.SetTag(7);
  int tag_seen = -1;
  std::string id_seen;
  button_.OnClick = [&](TadxRibbonCustomControl& sender, const TadxRibbonControlInfo& control) {
    tag_seen = sender.Tag();
    id_seen = control.Id;
  };
  button_.SetToggleButton(true);
  button_.DoClick(info_, true);
  EXPECT_EQ(tag_seen, 7);
  EXPECT_EQ(id_seen, "adxRibbonButton1");
  EXPECT_TRUE(button_.Pressed());

  TadxRibbonButton& bare = group_.Controls().Add<TadxRibbonButton>();
  EXPECT_NO_THROW(bare.DoClick(info_));
}

TEST_F(RibbonClickTest, AClickArrivingWhileTheHandlerRunsIsIgnored) {
  int calls = 0;
  button_.OnClick = [&](TadxRibbonCustomControl&, const TadxRibbonControlInfo&) {
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
  button_.OnClick = [&](TadxRibbonCustomControl&, const TadxRibbonControlInfo&) {
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
  TadxRibbonSplitButton& split = group_.Controls().Add<TadxRibbonSplitButton>();
  TadxRibbonCustomControl* sender = nullptr;
  split.OnClick = [&](TadxRibbonCustomControl& s, const TadxRibbonControlInfo&) { sender = &s; };
  split.DoClick(info_);
  EXPECT_EQ(sender, &split);
}

}  // namespace
}  // namespace quivra::framework
