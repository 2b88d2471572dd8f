#include "core/version_detection.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_registry.h"
#include "tests/core/module_fixture.h"
#include "tests/support/outlook_registration.h"

namespace quivra::core {
namespace {

using platform::RegistryView;

struct Flags {
  bool native;
  bool wow64;
  bool ribbon;
  bool operator==(const Flags&) const = default;
};

class VersionDetectionTest : public ::testing::Test {
 protected:
  Flags Detect(platform::Registry& registry) {
    DetectOutlookVersion(registry, config);
    EXPECT_TRUE(config.HostChecked);
    return {config.HostFoundNative, config.HostFoundWow64, config.HostIsRibbonOutlook};
  }
  Flags DetectWith(const std::string& path, RegistryView view, bool process_is_32bit = false) {
    platform::sim::SimRegistry registry(process_is_32bit);
    test::RegisterOutlookServer(registry, path, view);
    return Detect(registry);
  }

  Configuration config;
};

TEST_F(VersionDetectionTest, RibbonOutlooksAreRecognisedInEitherCase) {
  EXPECT_EQ(
      DetectWith("c:\\program files\\microsoft office\\office15\\outlook.exe", RegistryView::k64),
      (Flags{true, false, true}));
  EXPECT_EQ(
      DetectWith("C:\\Program Files\\Microsoft Office\\OFFICE14\\OUTLOOK.EXE", RegistryView::k64),
      (Flags{true, false, true}));
}

TEST_F(VersionDetectionTest, OtherVersionsUseTheCommandBar) {
  EXPECT_EQ(
      DetectWith("C:\\Program Files\\Microsoft Office\\Office12\\OUTLOOK.EXE", RegistryView::k64),
      (Flags{false, false, false}));
  EXPECT_EQ(DetectWith("C:\\Program Files\\Microsoft Office\\root\\Office16\\OUTLOOK.EXE",
                       RegistryView::k32),
            (Flags{false, false, false}));
}

TEST_F(VersionDetectionTest, ThirtyTwoBitRegistrationOnSixtyFourBitWindows) {
  const std::string path = "C:\\Program Files (x86)\\Microsoft Office\\Office14\\OUTLOOK.EXE";
  EXPECT_EQ(DetectWith(path, RegistryView::k32), (Flags{false, true, true}));
  // The 32-bit build of the add-in reads the same.
  EXPECT_EQ(DetectWith(path, RegistryView::k32, /*process_is_32bit=*/true),
            (Flags{false, true, true}));
}

TEST_F(VersionDetectionTest, MissingRegistrationLeavesEveryFlagFalse) {
  config.HostFoundNative = config.HostFoundWow64 = config.HostIsRibbonOutlook = true;
  platform::sim::SimRegistry empty;
  EXPECT_EQ(Detect(empty), (Flags{false, false, false}));

  // A class id whose server key is missing.
  platform::sim::SimRegistry partial;
  const platform::RegistryKey progid{platform::RegistryRoot::kClassesRoot,
                                     "Outlook.Application\\CLSID"};
  partial.CreateKey(progid);
  partial.WriteString(progid, "", "{0006F03A-0000-0000-C000-000000000046}");
  EXPECT_EQ(Detect(partial), (Flags{false, false, false}));
}

class PlacementDetectionTest : public ModuleTest {};

TEST_F(PlacementDetectionTest, FirstPlacementDetectsOnceAndKeepsTheBarOutOfTheRibbon) {
  UseRibbonHost();
  module.PlaceButtonBar();
  EXPECT_TRUE(config.HostChecked);
  EXPECT_TRUE(config.HostIsRibbonOutlook);
  EXPECT_FALSE(module.adxOlExplorerCommandBar1.UseForRibbon());

  // A later placement does not ask again: the host is known for the whole load.
  sim.registry.DeleteKey({platform::RegistryRoot::kClassesRoot, "Outlook.Application"});
  module.PlaceButtonBar();
  EXPECT_TRUE(config.HostIsRibbonOutlook);
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

TEST_F(PlacementDetectionTest, CommandBarHostKeepsTheBarAsDesigned) {
  module.PlaceButtonBar();
  EXPECT_TRUE(config.HostChecked);
  EXPECT_FALSE(config.HostIsRibbonOutlook);
  EXPECT_TRUE(module.adxOlExplorerCommandBar1.UseForRibbon());
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

}  // namespace
}  // namespace quivra::core
