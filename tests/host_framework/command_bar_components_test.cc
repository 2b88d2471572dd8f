#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <stdexcept>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/command_bars/command_bar_controls.h"
#include "host/framework/module/com_addin_module.h"
#include "tests/host_framework/framework_module_fixture.h"
#include "tests/support/message_texts.h"

namespace quivra::framework {
namespace {

class CommandBarComponentsTest : public FrameworkModuleTest {
 protected:
  CommandBarComponentsTest() { RecordChanges(); }

  TOlExplorerCommandBar& bar_ = module_.CreateComponent<TOlExplorerCommandBar>();
};

TEST_F(CommandBarComponentsTest, BarStartsAtItsDefaults) {
  EXPECT_EQ(bar_.CommandBarName(), "Custom 1");
  EXPECT_EQ(module_.CreateComponent<TOlExplorerCommandBar>().CommandBarName(), "Custom 2");
  EXPECT_EQ(bar_.Controls().Count(), 0);
  EXPECT_TRUE(bar_.Enabled());
  EXPECT_TRUE(bar_.Visible());
  EXPECT_EQ(bar_.Position(), TMsoBarPosition::msoBarTop);
  EXPECT_EQ(bar_.Protection(), TMsoBarProtection::msoBarNoProtection);
  EXPECT_EQ(bar_.CommandBarLeft(), -1);
  EXPECT_EQ(bar_.CommandBarTop(), -1);
  EXPECT_EQ(bar_.RowIndex(), -1);
  EXPECT_TRUE(bar_.Temporary());
  EXPECT_EQ(bar_.SupportedApps(), THostAppSet{TOfficeHostApp::ohaOutlook});
  EXPECT_EQ(bar_.ItemTypes(), TOLItemTypes{TOLItemType::olMailItem});
  EXPECT_EQ(bar_.FolderName(), "");
  EXPECT_TRUE(bar_.FolderNames().empty());
  EXPECT_TRUE(bar_.UseForRibbon());
}

TEST_F(CommandBarComponentsTest, ControlsStartAtTheirDefaults) {
  TCommandBarButton& button = bar_.Controls().Add<TCommandBarButton>();
  EXPECT_EQ(button.Caption(), "");
  EXPECT_EQ(button.TooltipText(), "");
  EXPECT_EQ(button.Height(), 0);
  EXPECT_EQ(button.Width(), 0);
  EXPECT_TRUE(button.Enabled());
  EXPECT_TRUE(button.Visible());
  EXPECT_FALSE(button.BeginGroup());
  EXPECT_EQ(button.OfficeID(), 1);
  EXPECT_EQ(button.Before() + button.BeforeID() + button.AfterID(), 0);
  EXPECT_EQ(button.olInspectorItemTypes(), TOLItemClasses{TOLItemClass::olMail});
  EXPECT_EQ(button.olItemTypeAction(), TOLItemTypeAction::olActionNone);
  EXPECT_EQ(button.Tag(), 0);
  EXPECT_EQ(button.Style(), TMsoButtonStyle::msoButtonAutomatic);
  EXPECT_TRUE(button.Glyph().Empty());
  EXPECT_EQ(button.GlyphTransparentColor(), clDefault);
  EXPECT_EQ(button.FaceID(), 0);
  EXPECT_EQ(button.ShortcutText(), "");
  EXPECT_FALSE(button.DisableStandardAction());
  EXPECT_EQ(button.ItemKind(), 0);
  EXPECT_EQ(button.OfficeControlType(), 1);

  TCommandBarPopup& popup = bar_.Controls().Add<TCommandBarPopup>();
  EXPECT_EQ(popup.ItemKind(), 4);
  EXPECT_EQ(popup.OfficeControlType(), 10);
}

TEST_F(CommandBarComponentsTest, EveryNewControlHasItsOwnGuidOfficeTag) {
  std::set<std::string> tags;
  for (int i = 0; i < 20; ++i) {
    const std::string& tag = bar_.Controls().Add<TCommandBarButton>().OfficeTag();
    EXPECT_TRUE(std::regex_match(
        tag,
        std::regex(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\})")))
        << tag;
    tags.insert(tag);
  }
  EXPECT_EQ(tags.size(), 20u);
}

TEST_F(CommandBarComponentsTest, ControlsTakeTheBarsTemporaryAndItemTypesWhenAdded) {
  bar_.SetTemporary(false);
  bar_.SetItemTypes({TOLItemType::olMailItem, TOLItemType::olPostItem});
  TCommandBarPopup& popup = bar_.Controls().Add<TCommandBarPopup>();
  TCommandBarButton& inner = popup.Controls().Add<TCommandBarButton>();

  for (TCommandBarControl* control :
       {static_cast<TCommandBarControl*>(&popup), static_cast<TCommandBarControl*>(&inner)}) {
    EXPECT_FALSE(control->Temporary());
    EXPECT_EQ(control->olExplorerItemTypes(), bar_.ItemTypes());
  }
  EXPECT_EQ(inner.Bar(), &bar_);
  EXPECT_EQ(inner.ParentPopup(), &popup);
  EXPECT_EQ(inner.Module(), &module_);
  EXPECT_EQ(&bar_.Controls().Item<TCommandBarPopup>(0).Controls()[0], &inner);
  EXPECT_THROW(bar_.Controls()[1], std::out_of_range);
}

TEST_F(CommandBarComponentsTest, SettersTellTheModuleOncePerRealChange) {
  TCommandBarPopup& popup = bar_.Controls().Add<TCommandBarPopup>();
  TCommandBarButton& button = popup.Controls().Add<TCommandBarButton>();
  changes_.clear();

  button.SetCaption("&3 Projects");
  button.SetCaption("&3 Projects");
  button.SetStyle(TMsoButtonStyle::msoButtonCaption);
  button.SetStyle(TMsoButtonStyle::msoButtonCaption);
  button.SetVisible(true);  // already visible
  button.SetGlyph(TBitmap{1, 1, 24, {0xFFFFFF}});
  button.SetGlyph(TBitmap{1, 1, 24, {0xFFFFFF}});
  bar_.SetProtection(TMsoBarProtection::msoBarNoChangeDock);
  bar_.SetCommandBarName("QuivraOL");
  bar_.SetCommandBarName("QuivraOL");

  ASSERT_EQ(changes_.size(), 6u);
  EXPECT_EQ(changes_[0].Property, TProperty::Caption);
  EXPECT_EQ(changes_[0].CommandBarControl, &button);
  EXPECT_EQ(changes_[0].Component, &bar_);
  EXPECT_EQ(changes_[1].Property, TProperty::Style);
  EXPECT_EQ(changes_[2].Property, TProperty::Glyph);
  EXPECT_EQ(changes_[3].Property, TProperty::Glyph);
  EXPECT_EQ(changes_[4].Property, TProperty::Protection);
  EXPECT_EQ(changes_[4].CommandBarControl, nullptr);
  EXPECT_EQ(changes_[5].Property, TProperty::CommandBarName);
}

TEST_F(CommandBarComponentsTest, EveryButtonSetterTellsOncePerRealChange) {
  TCommandBarButton& button = bar_.Controls().Add<TCommandBarButton>();
  changes_.clear();
  const bool enabled = !button.Enabled();
  const bool visible = !button.Visible();
  const bool begin_group = !button.BeginGroup();
  const bool temporary = !button.Temporary();
  const bool disable_standard_action = !button.DisableStandardAction();
  for (int twice = 0; twice < 2; ++twice) {
    button.SetCaption("Projects");
    button.SetTooltipText("Tip");
    button.SetDescriptionText("Text");
    button.SetHelpFile("help.chm");
    button.SetHelpContextID(7);
    button.SetParameter("p");
    button.SetPriority(2);
    button.SetHeight(22);
    button.SetWidth(80);
    button.SetEnabled(enabled);
    button.SetVisible(visible);
    button.SetBeginGroup(begin_group);
    button.SetOfficeTag("T");
    button.SetOfficeID(5);
    button.SetTemporary(temporary);
    button.SetBefore(3);
    button.SetBeforeID(4);
    button.SetAfterID(6);
    button.SetTag(9);
    button.SetFaceID(12);
    button.SetShortcutText("Alt+9");
    button.SetState(1);
    button.SetHyperlinkType(1);
    button.SetDisableStandardAction(disable_standard_action);
  }
  std::vector<TProperty> told;
  for (const auto& change : changes_) {
    EXPECT_EQ(change.CommandBarControl, &button);
    told.push_back(change.Property);
  }
  EXPECT_EQ(told,
            (std::vector<TProperty>{
                TProperty::Caption, TProperty::TooltipText, TProperty::DescriptionText,
                TProperty::HelpFile, TProperty::HelpContextID, TProperty::Parameter,
                TProperty::Priority, TProperty::Height, TProperty::Width,
                TProperty::Enabled, TProperty::Visible, TProperty::BeginGroup,
                TProperty::OfficeTag, TProperty::OfficeID, TProperty::Temporary,
                TProperty::Before, TProperty::BeforeID, TProperty::AfterID,
                TProperty::Tag, TProperty::FaceID, TProperty::ShortcutText,
                TProperty::State, TProperty::HyperlinkType,
                TProperty::DisableStandardAction}));
}

TEST_F(CommandBarComponentsTest, WhereTheBarShowsChangesOncePerRealChange) {
  changes_.clear();
  const bool use_for_ribbon = !bar_.UseForRibbon();
  for (int twice = 0; twice < 2; ++twice) {
    bar_.SetFolderName("Mailbox\\Inbox");
    bar_.SetFolderNames({"Mailbox\\Inbox", "Archive"});
    bar_.SetItemTypes({TOLItemType::olContactItem});
    bar_.SetUseForRibbon(use_for_ribbon);
  }
  ASSERT_EQ(changes_.size(), 4u);
  EXPECT_EQ(changes_[0].Property, TProperty::FolderName);
  EXPECT_EQ(changes_[1].Property, TProperty::FolderNames);
  EXPECT_EQ(changes_[2].Property, TProperty::ItemTypes);
  EXPECT_EQ(changes_[3].Property, TProperty::UseForRibbon);
  EXPECT_EQ(bar_.FolderNames(), (std::vector<std::string>{"Mailbox\\Inbox", "Archive"}));
}

class CommandBarClickTest : public CommandBarComponentsTest {
 protected:
  TCommandBarButton& button_ = bar_.Controls().Add<TCommandBarButton>();
};

TEST_F(CommandBarClickTest, AClickCallsOnClickWithTheButton) {
  button_.SetTag(12);
  int tag_seen = -1;
  button_.OnClick = [&](TCommandBarButton& sender) { tag_seen = sender.Tag(); };
  button_.DoClick();
  EXPECT_EQ(tag_seen, 12);

  TCommandBarButton& bare = bar_.Controls().Add<TCommandBarButton>();
  EXPECT_NO_THROW(bare.DoClick());
}

TEST_F(CommandBarClickTest, AClickArrivingWhileTheHandlerRunsIsIgnored) {
  int calls = 0;
  button_.OnClick = [&](TCommandBarButton& sender) {
    ++calls;
    sender.DoClick();
  };
  button_.DoClick();
  button_.DoClick();
  EXPECT_EQ(calls, 2);
}

TEST_F(CommandBarClickTest, AFailingHandlerIsReportedAndTheButtonStaysUsable) {
  int calls = 0;
  button_.OnClick = [&](TCommandBarButton&) {
    ++calls;
    throw std::runtime_error("Outlook refused the move.");
  };
  EXPECT_NO_THROW(button_.DoClick());
  EXPECT_NO_THROW(button_.DoClick());
  EXPECT_EQ(calls, 2);
  ASSERT_EQ(sim.message_boxes.shown().size(), 2u);
  EXPECT_EQ(sim.message_boxes.shown()[1].text,
            std::string(test::kAddInError) + "Outlook refused the move.");
}

}  // namespace
}  // namespace quivra::framework
