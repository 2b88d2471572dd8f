// The explorer customUI the add-in hands to each Outlook with a ribbon, written to the build tree
// (QUIVRA_CUSTOM_UI_DIR) for the CTest check that validates it against Office's customUI
// schemas: Office drops the add-in's whole ribbon when the text does not validate.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "host/framework/module/addin.h"
#include "tests/support/simulated_world_test.h"

#ifndef QUIVRA_CUSTOM_UI_DIR
#error "QUIVRA_CUSTOM_UI_DIR names the folder the customUI files go to"
#endif

namespace quivra::core {
namespace {

constexpr char kExplorer[] = "Microsoft.Outlook.Explorer";

struct Release {
  const char* name;
  test::OutlookRelease outlook;
  int major_version;
};

// Names the release in the listed test names.
void PrintTo(const Release& release, std::ostream* os) {
  *os << release.name;
}

class ExplorerCustomUiFileTest : public test::SimulatedWorldTest,
                                 public ::testing::WithParamInterface<Release> {
 protected:
  ExplorerCustomUiFileTest()
      : addin(sim.platform(), "OLQuivra.coOLQuivra", [this](const outlook::ApplicationPtr& app) {
          return std::make_unique<TAddInModule>(sim.platform(), config, app);
        }) {
    InstallOutlook(GetParam().outlook);
    addin.OnConnection(world.outlook.application(), framework::ext_cm_Startup, nullptr, nullptr);
    addin.OnStartupComplete();
  }

  framework::TAddin addin;
};

TEST_P(ExplorerCustomUiFileTest, WritesTheSameTextEveryTimeAndSavesIt) {
  ASSERT_EQ(addin.HostMajorVersion(), GetParam().major_version);
  const std::string text = addin.GetCustomUI(kExplorer);
  ASSERT_FALSE(text.empty());
  // Office asks again for each new explorer kind of window; the text must not drift.
  EXPECT_EQ(addin.GetCustomUI(kExplorer), text);
  EXPECT_TRUE(sim.message_boxes.shown().empty());

  const std::filesystem::path folder(QUIVRA_CUSTOM_UI_DIR);
  std::filesystem::create_directories(folder);
  const std::filesystem::path file =
      folder / ("explorer-" + std::to_string(GetParam().major_version) + ".xml");
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    ASSERT_TRUE(out.good()) << file;
  }
  std::ifstream in(file, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(saved, text) << file;
}

INSTANTIATE_TEST_SUITE_P(RibbonHosts,
                         ExplorerCustomUiFileTest,
                         ::testing::Values(Release{"Outlook2010", test::kOutlook2010, 14},
                                           Release{"Outlook2013", test::kOutlook2013, 15},
                                           Release{"Outlook2016", test::kOutlook2016, 16}),
                         [](const ::testing::TestParamInfo<Release>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quivra::core
