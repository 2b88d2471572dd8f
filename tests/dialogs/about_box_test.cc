#include <string>

#include <gtest/gtest.h>

#include "dialogs/about_box.h"
#include "platform/ui/sim/sim_ui.h"
#include "tests/support/simulated_world_test.h"

namespace quivra::dialogs {
namespace {

using ui::sim::SimUser;

class AboutBoxTest : public test::SimulatedPlatformTest {
 protected:
  TFormAbout about{sim.shell};
};

TEST_F(AboutBoxTest, TextsAreSetOnceAndShownAlikeEachTime) {
  // Closed once with Enter, once with Esc.
  for (char key : {ui::kEnterKey, ui::kEscapeKey}) {
    sim.ui.Expect([&](SimUser& user) {
      EXPECT_EQ(about.Caption(), "About Quivra");
      EXPECT_EQ(about.LabelVersion.Caption(), "Version 1.30 Bld 164");
      EXPECT_NE(about.LabelCopyright.Caption().find("Quivra"), std::string::npos);
      EXPECT_EQ(about.LabelUrl.PlainText(), "Visit our website at https://www.quivra.example/");
      user.PressKey(key);
    });
    EXPECT_EQ(sim.ui.ShowModal(about), ui::ModalResult::kOk);
  }
  // Formatting again finds no placeholder left.
  about.FormCreate();
  EXPECT_EQ(about.Caption(), "About Quivra");
  EXPECT_EQ(about.LabelUrl.PlainText(), "Visit our website at https://www.quivra.example/");
}

TEST_F(AboutBoxTest, TheLinkOpensTheWebSiteAndARefusalIsIgnored) {
  sim.shell.SetRefuse(true);
  about.LabelUrl.ClickAnchor("home");
  EXPECT_EQ(sim.shell.opened(), (std::vector<std::string>{kProductWebSite}));
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

}  // namespace
}  // namespace quivra::dialogs
