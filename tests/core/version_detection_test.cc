#include "core/version_detection.h"

#include <stdexcept>
#include <string>

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

TEST_F(VersionDetectionTest, EveryVersionFromOffice14OnShowsARibbon) {
  // Outlook 2016, 2019, 2021 and Microsoft 365 all register as Office16, click-to-run under root.
  EXPECT_EQ(DetectWith("C:\\Program Files\\Microsoft Office\\root\\Office16\\OUTLOOK.EXE",
                       RegistryView::k32),
            (Flags{false, true, true}));
  EXPECT_EQ(
      DetectWith("C:\\Program Files\\Microsoft Office\\Office16\\OUTLOOK.EXE", RegistryView::k64),
      (Flags{true, false, true}));
  EXPECT_EQ(DetectWith("D:\\office\\Office17\\outlook.exe", RegistryView::k64),
            (Flags{true, false, true}));
}

TEST_F(VersionDetectionTest, Outlook2007AndPathsNamingNoVersionUseTheCommandBar) {
  EXPECT_EQ(
      DetectWith("C:\\Program Files\\Microsoft Office\\Office12\\OUTLOOK.EXE", RegistryView::k64),
      (Flags{false, false, false}));
  // "Office" without a number, or with one digit, names no version.
  EXPECT_EQ(DetectWith("C:\\Office\\Outlook\\OUTLOOK.EXE", RegistryView::k64),
            (Flags{false, false, false}));
  EXPECT_EQ(DetectWith("C:\\Office9\\OUTLOOK.EXE", RegistryView::k64),
            (Flags{false, false, false}));
}

TEST_F(VersionDetectionTest, TheReportedVersionDecidesOnlyWhenNoRegistrationNamesOne) {
  int asked = 0;
  auto reports = [&asked](std::string version) {
    return [&asked, version] {
      ++asked;
      return version;
    };
  };
  platform::sim::SimRegistry empty;
  DetectOutlookVersion(empty, config, reports("16.0.0.17328"));
  EXPECT_EQ((Flags{config.HostFoundNative, config.HostFoundWow64, config.HostIsRibbonOutlook}),
            (Flags{false, false, true}));
  DetectOutlookVersion(empty, config, reports("12.0.6423.1000"));
  EXPECT_FALSE(config.HostIsRibbonOutlook);
  DetectOutlookVersion(empty, config, []() -> std::string { throw std::runtime_error("gone"); });
  EXPECT_FALSE(config.HostIsRibbonOutlook);
  EXPECT_TRUE(config.HostChecked);
  EXPECT_EQ(asked, 2);

  // A registration that names Office12 wins over what Outlook reports; the report is not asked.
  platform::sim::SimRegistry registry;
  test::RegisterOutlookServer(
      registry, "C:\\Program Files\\Microsoft Office\\Office12\\OUTLOOK.EXE", RegistryView::k64);
  DetectOutlookVersion(registry, config, reports("16.0.0.17328"));
  EXPECT_FALSE(config.HostIsRibbonOutlook);
  EXPECT_EQ(asked, 2);
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
  EXPECT_FALSE(module.olExplorerCommandBar1.UseForRibbon());

  // A later placement does not ask again: the host is known for the whole load.
  sim.registry.DeleteKey({platform::RegistryRoot::kClassesRoot, "Outlook.Application"});
  module.PlaceButtonBar();
  EXPECT_TRUE(config.HostIsRibbonOutlook);
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

TEST_F(PlacementDetectionTest, AnUnregisteredOutlookOfToday) {
  world.outlook.SetVersion("16.0.0.17328");
  module.PlaceButtonBar();
  EXPECT_TRUE(config.HostIsRibbonOutlook);
  EXPECT_FALSE(module.olExplorerCommandBar1.UseForRibbon());
}

TEST_F(PlacementDetectionTest, CommandBarHostKeepsTheBarAsDesigned) {
  module.PlaceButtonBar();
  EXPECT_TRUE(config.HostChecked);
  EXPECT_FALSE(config.HostIsRibbonOutlook);
  EXPECT_TRUE(module.olExplorerCommandBar1.UseForRibbon());
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

}  // namespace
}  // namespace quivra::core
