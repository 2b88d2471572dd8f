// The add-in's ribbon as Outlook shows it: the simulated ribbon renders the customUI text of the
// add-in object over the real module, asks every value through the callbacks and clicks through
// onAction.
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "host/framework/module/addin.h"
#include "host/framework/ribbon/ribbon_tab.h"
#include "host/office/sim/sim_ribbon.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core {
namespace {

using office::sim::SimRibbon;
using ::testing::Contains;
using ::testing::Not;

constexpr char kExplorer[] = "Microsoft.Outlook.Explorer";

class RibbonViewTest : public test::SimulatedWorldTest {
 protected:
  RibbonViewTest()
      : addin(sim.platform(), "OLQuivra.coOLQuivra", [this](const outlook::ApplicationPtr& app) {
          auto created = std::make_unique<TAddInModule>(sim.platform(), config, app);
          module = created.get();
          return created;
        }) {
    InstallOutlook(test::kOutlook2010);
    addin.OnConnection(world.outlook.application(), framework::ext_cm_Startup, nullptr, nullptr);
    addin.OnStartupComplete();
    ribbon = SimRibbon::Load(addin, kExplorer);
  }

  // Binds slots as Configure OK does and places the buttons again.
  void Place() {
    test::ConfigureSlot(config, 1, world.projects, "Projects");
    test::ConfigureSlot(config, 3, world.alpha, "Alpha");
    module->PlaceButtonBar();
  }

  std::string OwnId(int position) { return module->OwnFilingGroup().Controls()[position].Id(); }
  std::string HomeId(int position) { return module->HomeFilingGroup().Controls()[position].Id(); }
  const office::sim::SimRibbonControl& View(const std::string& id) {
    const office::sim::SimRibbonControl* control = ribbon->Find(id);
    EXPECT_NE(control, nullptr) << id;
    static const office::sim::SimRibbonControl missing;
    return control ? *control : missing;
  }

  TAddInModule* module = nullptr;
  framework::TAddin addin;
  std::shared_ptr<SimRibbon> ribbon;
};

TEST_F(RibbonViewTest, OwnTabShowsTheConfiguredButtonsWithCaptionsAndTips) {
  Place();
  EXPECT_EQ(View(module->ribbonTab1.Id()).Label, "Quivra");
  EXPECT_TRUE(ribbon->Shown(OwnId(1)));
  EXPECT_EQ(View(OwnId(1)).Label, "Projects");
  EXPECT_EQ(View(OwnId(1)).ScreenTip, world.projects.path() + " (Alt+1)");
  EXPECT_TRUE(View(OwnId(1)).Image.has_value());
  EXPECT_EQ(View(OwnId(3)).Label, "Alpha");
  EXPECT_FALSE(ribbon->Shown(OwnId(2)));
  EXPECT_FALSE(ribbon->Shown(OwnId(0)));
  EXPECT_TRUE(ribbon->Shown(OwnId(kAnyFolderTag)));
  EXPECT_EQ(View(OwnId(kAnyFolderTag)).ScreenTip, "Move to Any Folder... (Alt+Z)");
  EXPECT_TRUE(ribbon->Shown(OwnId(kUndoTag)));
  // The main button and its menu.
  const std::string text = ribbon->Text();
  EXPECT_THAT(text, testing::HasSubstr("      button \"Quivra\" image\n"));
  EXPECT_THAT(text, testing::HasSubstr("        button \"Configure Buttons\" image\n"));
}

TEST_F(RibbonViewTest, HomeGroupFollowsIcons) {
  config.Icons = false;
  Place();
  EXPECT_FALSE(ribbon->Shown(HomeId(1)));
  config.Icons = true;
  module->PlaceButtonBar();
  EXPECT_TRUE(ribbon->Shown(HomeId(1)));
  EXPECT_EQ(View(HomeId(1)).Label, "Projects");
  EXPECT_EQ(View(HomeId(kAnyFolderTag)).Label, "Any Folder...");
  EXPECT_FALSE(ribbon->Shown(HomeId(2)));
  const office::sim::SimRibbonControl& group = View(module->HomeFilingGroup().Id());
  EXPECT_EQ(group.Attribute("insertAfterMso"), "GroupMoveActions");
  EXPECT_TRUE(group.Image.has_value());
}

TEST_F(RibbonViewTest, AClickFilesTheSelectionAndTheUndoButtonsFollowThroughInvalidation) {
  Place();
  EXPECT_FALSE(View(OwnId(kUndoTag)).Enabled);
  EXPECT_FALSE(View(HomeId(kUndoTag)).Enabled);
  const outlook::sim::SimItem item = world.inbox_mail[0];
  world.explorer.Select({item});

  ASSERT_TRUE(ribbon->Click(OwnId(3)));
  EXPECT_EQ(item.folder(), world.alpha);
  EXPECT_THAT(ribbon->invalidations(), Contains(OwnId(kUndoTag)));
  EXPECT_THAT(ribbon->invalidations(), Contains(HomeId(kUndoTag)));
  EXPECT_TRUE(View(OwnId(kUndoTag)).Enabled);
  EXPECT_TRUE(View(HomeId(kUndoTag)).Enabled);

  // Undo from the Home tab moves it back.
  ASSERT_TRUE(ribbon->Click(HomeId(kUndoTag)));
  EXPECT_EQ(item.folder(), world.inbox);
}

TEST_F(RibbonViewTest, ADisabledOrHiddenButtonTakesNoClick) {
  Place();
  const outlook::sim::SimItem item = world.inbox_mail[0];
  world.explorer.Select({item});
  EXPECT_FALSE(ribbon->Click(OwnId(2)));
  EXPECT_EQ(item.folder(), world.inbox);
  EXPECT_THAT(ribbon->invalidations(), Not(Contains(OwnId(2))));
}

// Office keys the Quick Access Toolbar and ribbon customizations by control id: a restart of
// Outlook (a new load of the add-in) must hand over the same ids, all distinct.
TEST_F(RibbonViewTest, EveryLoadWritesTheSameCustomUiWithDistinctIds) {
  const std::string first = addin.GetCustomUI(kExplorer);
  std::set<std::string> ids;
  size_t count = 0;
  for (const auto& component : module->Components()) {
    auto* tab = dynamic_cast<framework::TRibbonTab*>(component.get());
    if (tab == nullptr)
      continue;
    ids.insert(tab->Id());
    ++count;
    std::function<void(const framework::TRibbonControls&)> walk =
        [&](const framework::TRibbonControls& controls) {
          for (const auto& control : controls.Items()) {
            ids.insert(control->Id());
            ++count;
            if (const framework::TRibbonControls* children = control->Children())
              walk(*children);
          }
        };
    walk(tab->Controls());
  }
  EXPECT_GT(count, 30u);
  EXPECT_EQ(ids.size(), count);

  addin.OnDisconnection(framework::ext_dm_HostShutdown);
  addin.OnConnection(world.outlook.application(), framework::ext_cm_Startup, nullptr, nullptr);
  addin.OnStartupComplete();
  EXPECT_EQ(addin.GetCustomUI(kExplorer), first);
  EXPECT_THAT(first,
              ::testing::HasSubstr("id=\"" + module->OwnFilingGroup().Controls()[3].Id() + "\""));
}

// Office calls onLoad again, with a ribbon UI of its own, when the first window of an inspector
// kind opens: the explorer's ribbon must still hear of every change, even when the inspector's
// refuses.
TEST_F(RibbonViewTest, TheExplorerRibbonStaysCurrentAfterAnInspectorRibbonLoads) {
  auto inspector = SimRibbon::Load(addin, "Microsoft.Outlook.Mail.Read");
  inspector->FailInvalidate(true);
  Place();
  EXPECT_EQ(View(OwnId(3)).Label, "Alpha");

  const outlook::sim::SimItem item = world.inbox_mail[0];
  world.explorer.Select({item});
  ASSERT_TRUE(ribbon->Click(OwnId(3)));
  EXPECT_EQ(item.folder(), world.alpha);
  EXPECT_TRUE(View(OwnId(kUndoTag)).Enabled);
  EXPECT_TRUE(View(HomeId(kUndoTag)).Enabled);

  // Configure OK with a new caption, after the inspector's ribbon has gone.
  inspector.reset();
  config.ButtonNames[3] = "Alpha project";
  module->PlaceButtonBar();
  EXPECT_EQ(View(OwnId(3)).Label, "Alpha project");
  EXPECT_TRUE(sim.message_boxes.shown().empty());
}

// Key tips as Office shows them: unique among the controls a key tip chooses between (a tab's
// controls, a menu's items), the filing buttons' the digits of their shortcuts, and every one
// in Outlook's Home tab starting with Z.
TEST_F(RibbonViewTest, KeyTipsAreUniqueWhereTheyAreChosenAndFollowTheShortcuts) {
  Place();
  const auto& controls = ribbon->Controls();
  std::map<std::pair<int, int>, std::set<std::string>> scopes;  // (tab, menu or -1)
  for (size_t i = 0; i < controls.size(); ++i) {
    const office::sim::SimRibbonControl& control = controls[i];
    if (control.BuiltIn || control.KeyTip.empty()) {
      continue;
    }
    int tab = static_cast<int>(i);
    int menu = -1;
    for (int up = control.Parent; up != -1; up = controls[static_cast<size_t>(up)].Parent) {
      tab = up;
      if (menu == -1 && controls[static_cast<size_t>(up)].Element == "menu") {
        menu = up;
      }
    }
    const bool home = controls[static_cast<size_t>(tab)].Id == "TabMail";
    if (home) {
      EXPECT_EQ(control.KeyTip.front(), 'Z') << control.Id;
    }
    EXPECT_LE(control.KeyTip.size(), 3u);
    const std::pair<int, int> scope{control.Parent == -1 ? -1 : tab, menu};
    EXPECT_TRUE(scopes[scope].insert(control.KeyTip).second) << control.KeyTip << " twice";
  }
  for (int slot = 1; slot <= 10; ++slot) {
    EXPECT_EQ(View(OwnId(slot)).KeyTip, std::to_string(slot % 10));
    EXPECT_EQ(View(HomeId(slot)).KeyTip, "Z" + std::to_string(slot % 10));
  }
  EXPECT_EQ(View(OwnId(kAnyFolderTag)).KeyTip, "Z");
  EXPECT_EQ(View(HomeId(kUndoTag)).KeyTip, "ZU");
  EXPECT_EQ(View(module->ribbonTab1.Id()).KeyTip, "U");
}

}  // namespace
}  // namespace quivra::core
