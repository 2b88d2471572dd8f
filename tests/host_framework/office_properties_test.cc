// The table of Office's command-bar properties: every name is one Office's objects answer to,
// and the values a control or bar hands Office, including where Office keeps its own.
#include "host/framework/command_bars/office_properties.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/command_bars/command_bar_controls.h"
#include "host/office/sim/sim_command_bars.h"
#include "tests/host_framework/framework_module_fixture.h"

namespace quivra::framework {
namespace {

using office::PropertyValue;

class OfficePropertiesTest : public FrameworkModuleTest {
 protected:
  TOlExplorerCommandBar& bar_ = module_.CreateComponent<TOlExplorerCommandBar>();
  TCommandBarButton& button_ = bar_.Controls().Add<TCommandBarButton>();
  TCommandBarPopup& popup_ = bar_.Controls().Add<TCommandBarPopup>();
};

TEST_F(OfficePropertiesTest, EveryNameIsOneOfficesObjectsAnswerToListedOnceWithItsNewValue) {
  office::sim::SimCommandBarsHost office;
  office::CommandBarPtr bar = office.ForWindow(1)->Add("Bar", 1, true);
  office::CommandBarControlPtr control =
      bar->Controls()->Add(office::msoControlButton, 1, std::nullopt, true);

  std::set<std::string_view> control_names;
  for (const auto& row : OfficeControlProperties()) {
    SCOPED_TRACE(std::string(row.office_name));
    EXPECT_NO_THROW(control->Get(row.office_name));
    EXPECT_TRUE(control_names.insert(row.office_name).second);
    // What a new control is taken to hold is what Office's new control holds.
    if (row.new_value != nullptr) {
      EXPECT_EQ(control->Get(row.office_name), row.new_value());
    }
  }
  std::set<std::string_view> bar_names;
  for (const auto& row : OfficeBarProperties()) {
    SCOPED_TRACE(std::string(row.office_name));
    EXPECT_NO_THROW(bar->Get(row.office_name));
    EXPECT_TRUE(bar_names.insert(row.office_name).second);
  }
}

TEST_F(OfficePropertiesTest, EachChangeableControlPropertyReachesItsOfficeProperty) {
  button_.SetCaption("&File");
  button_.SetOfficeTag("tag-1");
  button_.SetStyle(TMsoButtonStyle::msoButtonIconAndCaption);
  button_.SetShortcutText("Alt+1");
  button_.SetEnabled(false);
  const auto value = [&](TProperty property) {
    const TOfficeControlProperty* row = FindOfficeControlProperty(property);
    EXPECT_NE(row, nullptr);
    return row != nullptr && row->value != nullptr ? row->value(button_) : std::nullopt;
  };
  EXPECT_EQ(OfficeControlName(TProperty::OfficeTag), "Tag");
  EXPECT_EQ(value(TProperty::OfficeTag), PropertyValue(std::string("tag-1")));
  EXPECT_EQ(value(TProperty::Caption), PropertyValue(std::string("&File")));
  EXPECT_EQ(value(TProperty::Style), PropertyValue(3));
  EXPECT_EQ(value(TProperty::ShortcutText), PropertyValue(std::string("Alt+1")));
  EXPECT_EQ(value(TProperty::Enabled), PropertyValue(false));
  // Properties Office does not have by name: none to carry.
  EXPECT_EQ(FindOfficeControlProperty(TProperty::Glyph), nullptr);
  EXPECT_EQ(FindOfficeControlProperty(TProperty::Temporary), nullptr);
  EXPECT_EQ(FindOfficeControlProperty(TProperty::OfficeID)->value, nullptr);
}

TEST_F(OfficePropertiesTest, OfficeKeepsItsOwnSizesFaceAndPlacementAndAPopUpHasNoButtonValues) {
  const auto control_value = [](TProperty property, const TCommandBarControl& item) {
    return FindOfficeControlProperty(property)->value(item);
  };
  EXPECT_EQ(control_value(TProperty::Width, button_), std::nullopt);
  EXPECT_EQ(control_value(TProperty::Height, button_), std::nullopt);
  EXPECT_EQ(control_value(TProperty::FaceID, button_), std::nullopt);
  button_.SetWidth(40);
  button_.SetFaceID(59);
  EXPECT_EQ(control_value(TProperty::Width, button_), PropertyValue(40));
  EXPECT_EQ(control_value(TProperty::FaceID, button_), PropertyValue(59));
  for (TProperty property :
       {TProperty::Style, TProperty::FaceID, TProperty::ShortcutText, TProperty::State,
        TProperty::HyperlinkType}) {
    EXPECT_EQ(control_value(property, popup_), std::nullopt);
  }
  EXPECT_TRUE(control_value(TProperty::Caption, popup_).has_value());

  const auto bar_value = [&](TProperty property) {
    return FindOfficeBarProperty(property)->value(bar_);
  };
  EXPECT_EQ(bar_value(TProperty::CommandBarLeft), std::nullopt);
  EXPECT_EQ(bar_value(TProperty::RowIndex), std::nullopt);
  bar_.SetCommandBarLeft(0);
  bar_.SetPosition(TMsoBarPosition::msoBarFloating);
  EXPECT_EQ(bar_value(TProperty::CommandBarLeft), PropertyValue(0));
  EXPECT_EQ(bar_value(TProperty::Position), PropertyValue(4));
  EXPECT_EQ(OfficeBarName(TProperty::CommandBarLeft), "Left");
}

TEST_F(OfficePropertiesTest, TheBarsNameGoesToBothOfOfficesNames) {
  bar_.SetCommandBarName("QuivraOL");
  std::set<std::string_view> names;
  for (const auto& row : OfficeBarProperties()) {
    if (row.property == TProperty::CommandBarName) {
      names.insert(row.office_name);
      EXPECT_EQ(row.value(bar_), PropertyValue(std::string("QuivraOL")));
    }
  }
  EXPECT_EQ(names, (std::set<std::string_view>{kOfficeName, kOfficeNameLocal}));
}

}  // namespace
}  // namespace quivra::framework
