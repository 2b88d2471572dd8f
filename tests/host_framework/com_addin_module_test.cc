#include "host/framework/module/com_addin_module.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "host/framework/module/framework_errors.h"
#include "host/framework/module/image_list.h"
#include "host/framework/ribbon/ribbon_tab.h"
#include "tests/host_framework/framework_module_fixture.h"
#include "tests/support/message_texts.h"

namespace quivra::framework {
namespace {

using platform::MessageButton;
using platform::MessageIcon;

class ComAddInModuleTest : public FrameworkModuleTest {};

TEST_F(ComAddInModuleTest, PublishedPropertiesStartAtTheirDefaults) {
  TCOMAddInModule module(sim.platform());
  EXPECT_EQ(module.AddInName(), "");
  EXPECT_EQ(module.Description(), "");
  EXPECT_EQ(module.LoadBehavior(), 3);
  EXPECT_FALSE(module.RegisterForAllUsers());
  EXPECT_EQ(module.SupportedApps(), THostAppSet{TOfficeHostApp::ohaExcel});
  EXPECT_FALSE(module.DisplayAlerts());
  EXPECT_FALSE(module.HandleShortcuts());
  EXPECT_TRUE(module.Components().empty());
}

TEST_F(ComAddInModuleTest, RequiredPropertiesRefuseEmptyValuesAndKeepTheOldOne) {
  try {
    module_.SetAddInName("");
    FAIL() << "an empty AddInName was taken";
  } catch (const TPropertyError& error) {
    EXPECT_STREQ(error.what(), "The AddInName property cannot be empty.");
  }
  EXPECT_EQ(module_.AddInName(), "QuivraOL");

  module_.SetSupportedApps({TOfficeHostApp::ohaOutlook});
  try {
    module_.SetSupportedApps({});
    FAIL() << "an empty SupportedApps was taken";
  } catch (const TPropertyError& error) {
    EXPECT_STREQ(error.what(), "The SupportedApps property cannot be empty.");
  }
  EXPECT_EQ(module_.SupportedApps(), THostAppSet{TOfficeHostApp::ohaOutlook});
}

TEST_F(ComAddInModuleTest, ReportErrorShowsTheAddInsErrorMessage) {
  module_.ReportError(std::runtime_error("Folder not found."));

  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  const platform::MessageBoxRequest& box = sim.message_boxes.shown()[0];
  EXPECT_EQ(box.caption, "QuivraOL");
  EXPECT_EQ(box.text, std::string(test::kAddInError) + "Folder not found.");
  EXPECT_EQ(box.icon, MessageIcon::kError);
  EXPECT_EQ(box.buttons, std::vector<MessageButton>{MessageButton::kOk});
}

TEST_F(ComAddInModuleTest, OnErrorDecidesWhetherTheMessageShows) {
  std::string seen;
  module_.OnError = [&](const std::exception& e, bool& handled) {
    seen = e.what();
    handled = true;
  };
  module_.ReportError(std::runtime_error("first"));
  EXPECT_EQ(seen, "first");
  EXPECT_TRUE(sim.message_boxes.shown().empty());

  module_.OnError = [&](const std::exception& e, bool&) { seen = e.what(); };
  module_.ReportError(std::runtime_error("second"));
  EXPECT_EQ(seen, "second");
  EXPECT_EQ(sim.message_boxes.shown().size(), 1u);
}

TEST_F(ComAddInModuleTest, AFailingErrorHandlerOrMessageBoxDoesNotEscapeReportError) {
  module_.OnError = [](const std::exception&, bool& handled) {
    handled = true;
    throw std::logic_error("handler broke");
  };
  EXPECT_NO_THROW(module_.ReportError(std::runtime_error("original")));
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_EQ(sim.message_boxes.shown()[0].text, std::string(test::kAddInError) + "original");

  module_.OnError = nullptr;
  sim.message_boxes.SetOnShow(
      [](const platform::MessageBoxRequest&) { throw std::runtime_error("no desktop"); });
  EXPECT_NO_THROW(module_.ReportError(std::runtime_error("again")));
}

TEST_F(ComAddInModuleTest, CallHandlerReportsWhatTheHandlerRaises) {
  EXPECT_TRUE(module_.CallHandler([] {}));
  EXPECT_FALSE(module_.CallHandler([] { throw std::runtime_error("boom"); }));
  EXPECT_FALSE(module_.CallHandler([] { throw 42; }));

  ASSERT_EQ(sim.message_boxes.shown().size(), 2u);
  EXPECT_EQ(sim.message_boxes.shown()[0].text, std::string(test::kAddInError) + "boom");
  EXPECT_EQ(sim.message_boxes.shown()[1].text,
            std::string(test::kAddInError) + "Unknown exception.");
}

TEST_F(ComAddInModuleTest, ComponentsAreNamedByClassUnlessNamed) {
  TRibbonTab& first = module_.CreateComponent<TRibbonTab>();
  TRibbonTab& named = module_.CreateComponent<TRibbonTab>("ribbonTab3");
  TRibbonTab& second = module_.CreateComponent<TRibbonTab>();
  TRibbonTab& fourth = module_.CreateComponent<TRibbonTab>();
  auto& bar = module_.CreateComponent<TOlExplorerCommandBar>();
  auto& shortcut = module_.CreateComponent<TKeyboardShortcut>("keyboardShortcut01");

  EXPECT_EQ(first.Name(), "ribbonTab1");
  EXPECT_EQ(named.Name(), "ribbonTab3");
  EXPECT_EQ(second.Name(), "ribbonTab2");
  EXPECT_EQ(fourth.Name(), "ribbonTab4");
  EXPECT_EQ(bar.Name(), "olExplorerCommandBar1");
  EXPECT_EQ(shortcut.Name(), "keyboardShortcut01");
  EXPECT_EQ(&first.Owner(), &module_);
}

TEST_F(ComAddInModuleTest, ComponentNamesAreUniqueRegardlessOfCase) {
  module_.CreateComponent<TKeyboardShortcut>("keyboardShortcutBkSp");
  EXPECT_THROW(module_.CreateComponent<TKeyboardShortcut>("KEYBOARDSHORTCUTBKSP"),
               std::invalid_argument);
  ASSERT_EQ(module_.Components().size(), 1u);
  EXPECT_EQ(module_.FindComponent("keyboardshortcutbksp"), module_.Components()[0].get());
  EXPECT_EQ(module_.FindComponent("keyboardShortcut01"), nullptr);
}

TEST_F(ComAddInModuleTest, ComponentsOfListsOneClassInCreationOrder) {
  auto& bar = module_.CreateComponent<TOlExplorerCommandBar>();
  auto& tab1 = module_.CreateComponent<TRibbonTab>();
  auto& tab2 = module_.CreateComponent<TRibbonTab>();
  EXPECT_EQ(module_.ComponentsOf<TRibbonTab>(), (std::vector<TRibbonTab*>{&tab1, &tab2}));
  EXPECT_EQ(module_.ComponentsOf<TOlExplorerCommandBar>(),
            std::vector<TOlExplorerCommandBar*>{&bar});
  EXPECT_TRUE(module_.ComponentsOf<TKeyboardShortcut>().empty());
}

TEST_F(ComAddInModuleTest, ComponentChangesReachTheModuleOncePerChange) {
  std::vector<TPropertyChange> changes;
  module_.PropertyChanged = [&](const TPropertyChange& c) { changes.push_back(c); };
  auto& shortcut = module_.CreateComponent<TKeyboardShortcut>();

  shortcut.SetTag(3);
  shortcut.SetTag(3);
  shortcut.SetShortcutText("Alt+3");
  shortcut.SetShortcutText("Alt+3");

  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].Component, &shortcut);
  EXPECT_EQ(changes[0].RibbonControl, nullptr);
  EXPECT_EQ(changes[0].CommandBarControl, nullptr);
  EXPECT_EQ(changes[0].Property, TProperty::Tag);
  EXPECT_EQ(changes[1].Property, TProperty::ShortcutText);
}

TEST_F(ComAddInModuleTest, AnImageListGivesTheIndexOfEachImageAndRefusesOtherSizes) {
  TImageList& images = module_.CreateComponent<TImageList>("Images");
  const TBitmap first{16, 16, 32, std::vector<std::uint32_t>(256, 0xFF0000FFu)};
  const TBitmap second{16, 16, 32, std::vector<std::uint32_t>(256, 0xFF00FF00u)};
  EXPECT_EQ(images.Add(first), 0);
  EXPECT_EQ(images.Add(second), 1);
  ASSERT_EQ(images.Count(), 2);
  EXPECT_EQ(images[1], second);
  EXPECT_THROW(images.Add(TBitmap{32, 32, 32, std::vector<std::uint32_t>(1024)}),
               std::invalid_argument);
  EXPECT_THROW(images[2], std::out_of_range);
  EXPECT_EQ(images.Count(), 2);
}

}  // namespace
}  // namespace quivra::framework
