// The explorer command bar of the add-in connected to the simulated Office through the add-in
// object's lifecycle on an Outlook 2007 host: the bar and controls each explorer window shows,
// clicks reaching the buttons' handlers, changes reaching every window, closed windows,
// folder switches, saved positions and a button whose events cannot be connected.
#include "host/framework/command_bars/command_bar_connection.h"

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "host/framework/command_bars/office_properties.h"
#include "host/framework/module/addin.h"
#include "host/office/sim/sim_command_bars.h"
#include "host/office/sim/sim_office.h"
#include "model/configuration_file.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::framework {
namespace {

using office::sim::SimBarView;
using office::sim::SimControlView;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char kProgId[] = "OLQuivra.coOLQuivra";
const char kBar[] = "QuivraOL";

class CommandBarConnectionTest : public test::SimulatedWorldTest {
 protected:
  CommandBarConnectionTest()
      : office_([this](std::uintptr_t window) {
          for (const auto& explorer : world.outlook.explorers()) {
            if (explorer.window() == window && explorer.is_open()) {
              return true;
            }
          }
          return false;
        }),
        addin_(sim.platform(), kProgId, [this](const outlook::ApplicationPtr& application) {
          auto module = std::make_unique<core::TAddInModule>(sim.platform(), config, application);
          module_ = module.get();
          return module;
        }) {
    addin_.SetCommandBarsHost({[this](const outlook::ExplorerPtr& explorer) {
                                 return office_.ForWindow(explorer->WindowHandle());
                               },
                               [this](const std::string& line) { debug_lines_.push_back(line); }});
    // Slot 2 files into Beta, captioned "Beta"; slot 11 into Deleted Items.
    core::Configuration saved;
    test::ConfigureSlot(saved, 2, world.beta, "Beta");
    test::ConfigureSlot(saved, 11, world.deleted_items, "Bin");
    core::ConfigurationFile(saved, sim.platform()).SaveButtonsToFile();
  }

  ~CommandBarConnectionTest() override { addin_.OnDisconnection(ext_dm_HostShutdown); }

  // Outlook 2007 starts with the add-in.
  void Start() {
    InstallOutlook(test::kOutlook2007);
    addin_.OnConnection(world.outlook.application(), ext_cm_Startup,
                        std::make_shared<office::sim::SimCOMAddIn>(), nullptr);
    addin_.OnAddInsUpdate();
    addin_.OnStartupComplete();
  }

  // The user's key where the bar's place is saved at shut-down, made.
  platform::RegistryKey SavedPlaceKey() {
    const platform::RegistryKey saved{platform::RegistryRoot::kCurrentUser,
                                      "Software\\Microsoft\\Office\\Outlook\\AddIns\\" +
                                          std::string(kProgId) + "\\CommandBars\\QuivraOL"};
    sim.registry.CreateKey(saved);
    return saved;
  }
  SimBarView BarOf(const outlook::sim::SimExplorer& explorer) {
    return office_.Bar(explorer.window(), kBar);
  }
  // The control of the bar with that caption, searched through pop-ups.
  static const SimControlView* Find(const std::vector<SimControlView>& controls,
                                    const std::string& caption) {
    for (const auto& control : controls) {
      if (control.caption == caption) {
        return &control;
      }
      if (const SimControlView* inner = Find(control.controls, caption)) {
        return inner;
      }
    }
    return nullptr;
  }
  TCommandBarButton& Button(int position) {
    return module_->olExplorerCommandBar1.Controls().Item<TCommandBarButton>(position);
  }

  office::sim::SimCommandBarsHost office_;
  std::vector<std::string> debug_lines_;
  core::TAddInModule* module_ = nullptr;
  TAddin addin_;
};

TEST_F(CommandBarConnectionTest, TheExplorerShowsTheBarAsTheModelDescribesIt) {
  Start();
  const SimBarView bar = BarOf(world.explorer);
  ASSERT_EQ(bar.name, kBar);
  EXPECT_TRUE(bar.visible);
  EXPECT_TRUE(bar.enabled);
  // Controls were added unprotected; the bar's own protection came back afterwards.
  EXPECT_EQ(bar.protection, 16);
  ASSERT_EQ(bar.controls.size(), 15u);

  const SimControlView& main = bar.controls[0];
  EXPECT_EQ(main.type, office::msoControlPopup);
  EXPECT_EQ(main.caption, "&Quivra");
  EXPECT_EQ(main.tooltip, "Quivra for Outlook");
  ASSERT_EQ(main.controls.size(), 3u);
  EXPECT_EQ(main.controls[0].caption, "&Configure Buttons");
  EXPECT_TRUE(main.controls[0].has_picture);

  // Every control shows what its item holds, and is found again by its item's tag.
  auto& items = module_->olExplorerCommandBar1.Controls();
  for (int position = 1; position < items.Count(); ++position) {
    const SimControlView& shown = bar.controls[static_cast<size_t>(position)];
    SCOPED_TRACE(items[position].Caption());
    EXPECT_EQ(shown.tag, items[position].OfficeTag());
    EXPECT_EQ(shown.caption, items[position].Caption());
    EXPECT_EQ(shown.tooltip, items[position].TooltipText());
    EXPECT_EQ(shown.visible, items[position].Visible());
    EXPECT_EQ(shown.enabled, items[position].Enabled());
    EXPECT_EQ(shown.begin_group, items[position].BeginGroup());
    EXPECT_EQ(shown.style, static_cast<int>(Button(position).Style()));
  }
  EXPECT_TRUE(bar.controls[2].visible);
  EXPECT_EQ(bar.controls[2].caption, Button(2).Caption());
  EXPECT_FALSE(bar.controls[3].visible);  // slot 3 holds no folder
  const SimControlView& any_folder = bar.controls[12];
  EXPECT_EQ(any_folder.caption, "Any F&older...");
  EXPECT_TRUE(any_folder.visible);
  EXPECT_TRUE(any_folder.has_picture);
  const SimControlView& undo = bar.controls[13];
  EXPECT_EQ(undo.caption, "&Undo");
  EXPECT_TRUE(undo.visible);
  EXPECT_FALSE(undo.enabled);
  EXPECT_THAT(Messages(), IsEmpty());
  EXPECT_THAT(debug_lines_, IsEmpty());
}

TEST_F(CommandBarConnectionTest, OnlyAControlOfficeAlreadyHadIsReadBeforeItIsWritten) {
  InstallOutlook(test::kOutlook2007);
  addin_.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr);
  // An earlier start left Beta's button on Office's own bar, with another caption.
  office::CommandBarControlPtr left = office_.ForWindow(world.explorer.window())
                                          ->Item(1)
                                          ->Controls()
                                          ->Add(office::msoControlButton, 1, std::nullopt, false);
  left->Put("Tag", Button(2).OfficeTag());
  left->Put("Caption", std::string("Old"));
  office_.ResetCallCounts();
  addin_.OnStartupComplete();

  // The controls Office added now hold Office's values for a new control: nothing of theirs is
  // read back. The one found is read once per property, and shows the item's values.
  for (const TOfficeControlProperty& row : OfficeControlProperties()) {
    if (row.value != nullptr && row.value(Button(2))) {
      EXPECT_EQ(office_.CallCount("CommandBarControl." + std::string(row.office_name)), 1)
          << row.office_name;
    }
  }
  EXPECT_EQ(left->GetText("Caption"), Button(2).Caption());
  EXPECT_EQ(left->GetText("TooltipText"), Button(2).TooltipText());
  const SimBarView bar = BarOf(world.explorer);
  ASSERT_GE(bar.controls.size(), 2u);
  EXPECT_EQ(bar.controls[1].caption, Button(1).Caption());
  ASSERT_NE(Find(bar.controls, "&Undo"), nullptr);
  EXPECT_FALSE(Find(bar.controls, "&Undo")->enabled);  // off Office's value for a new control
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(CommandBarConnectionTest, ARibbonOutlookGetsNoBar) {
  InstallOutlook(test::kOutlook2010);
  addin_.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr);
  addin_.OnStartupComplete();
  EXPECT_EQ(BarOf(world.explorer).name, "");
  EXPECT_EQ(office_.Bars(world.explorer.window()).size(), 1u);  // Office's own bar only
}

TEST_F(CommandBarConnectionTest, AClickFilesTheSelectionAndEnablesUndoInEveryWindow) {
  Start();
  const auto second = world.outlook.AddExplorer(world.inbox);
  // The second window has its own bar and controls, with the same tags.
  const SimBarView second_bar = BarOf(second);
  ASSERT_EQ(second_bar.controls.size(), 15u);
  EXPECT_EQ(second_bar.controls[2].tag, BarOf(world.explorer).controls[2].tag);
  EXPECT_EQ(addin_.CommandBars()->WindowCount(), 2);

  const auto item = world.inbox_mail[0];
  second.Select({item});
  world.outlook.ResetCallCounts();
  ASSERT_TRUE(office_.Click(second.window(), kBar, Button(2).Caption()));
  EXPECT_EQ(item.folder(), world.beta);
  // Office raised Click on both windows' buttons; the handler ran once.
  EXPECT_EQ(world.outlook.CallCount("Item.Move"), 1);
  EXPECT_TRUE(Find(BarOf(second).controls, "&Undo")->enabled);
  EXPECT_TRUE(Find(BarOf(world.explorer).controls, "&Undo")->enabled);

  // The first window, activated again, reconnects to its existing controls and clicks there
  // also fire once.
  world.explorer.Activate();
  ASSERT_TRUE(office_.Click(world.explorer.window(), kBar, "Undo"));
  EXPECT_EQ(item.folder(), world.inbox);
  EXPECT_EQ(world.outlook.CallCount("Item.Move"), 2);
  EXPECT_FALSE(Find(BarOf(second).controls, "&Undo")->enabled);
  EXPECT_EQ(BarOf(world.explorer).controls.size(), 15u);
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(CommandBarConnectionTest, AClosedWindowIsDroppedAndClicksGoOnInTheOthers) {
  Start();
  const auto second = world.outlook.AddExplorer(world.inbox);
  ASSERT_EQ(addin_.CommandBars()->WindowCount(), 2);
  second.Close();
  EXPECT_EQ(addin_.CommandBars()->WindowCount(), 1);
  // The closed window's bar position is kept for the next start.
  const platform::RegistryKey saved{platform::RegistryRoot::kCurrentUser,
                                    "Software\\Microsoft\\Office\\Outlook\\AddIns\\" +
                                        std::string(kProgId) + "\\CommandBars\\QuivraOL"};
  EXPECT_EQ(sim.registry.ReadDword(saved, "Position"), 1u);
  EXPECT_TRUE(sim.registry.ReadDword(saved, "RowIndex").has_value());

  // A change now reaches the remaining window only, without errors for the closed one.
  Button(13).SetEnabled(true);
  EXPECT_TRUE(Find(BarOf(world.explorer).controls, "&Undo")->enabled);
  Button(13).SetEnabled(false);

  const auto item = world.inbox_mail[0];
  world.explorer.Select({item});
  world.outlook.ResetCallCounts();
  ASSERT_TRUE(office_.Click(world.explorer.window(), kBar, Button(2).Caption()));
  EXPECT_EQ(item.folder(), world.beta);
  EXPECT_EQ(world.outlook.CallCount("Item.Move"), 1);
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(CommandBarConnectionTest, ClosingUsesTheWindowRecordedWhenTracked) {
  Start();
  const auto second = world.outlook.AddExplorer(world.inbox);
  ASSERT_EQ(addin_.CommandBars()->WindowCount(), 2);
  world.explorer.Activate();
  // Outlook no longer answers for the closing window: its bar still goes, without a message.
  world.outlook.FailCall("Explorer.WindowHandle", outlook::sim::FailMode::kAlways);
  second.Close();
  world.outlook.StopFailing();
  EXPECT_EQ(addin_.CommandBars()->WindowCount(), 1);
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(CommandBarConnectionTest, AStaleConnectionIsMovedToTheClickedButton) {
  Start();
  const auto second = world.outlook.AddExplorer(world.inbox);
  // The window the buttons listen on goes without a Close reaching the add-in.
  addin_.CommandBars()->Close(second.window());
  second.Close();
  const auto item = world.inbox_mail[0];
  world.explorer.Select({item});
  world.outlook.ResetCallCounts();
  ASSERT_TRUE(office_.Click(world.explorer.window(), kBar, Button(2).Caption()));
  EXPECT_EQ(world.outlook.CallCount("Item.Move"), 1);
  EXPECT_EQ(item.folder(), world.beta);
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(CommandBarConnectionTest, OnlyRealChangesAreSentToOffice) {
  Start();
  office_.ResetCallCounts();
  Button(2).SetCaption(Button(2).Caption());
  EXPECT_EQ(office_.TotalCalls(), 0);
  Button(2).SetCaption("Projects B");
  EXPECT_EQ(office_.CallCount("CommandBarControl.PutCaption"), 1);
  const SimBarView bar = BarOf(world.explorer);
  ASSERT_EQ(bar.controls.size(), 15u);
  EXPECT_EQ(bar.controls[2].caption, "Projects B");
  // An enabled change is followed by a width nudge, which Outlook needs to redraw the button.
  Button(13).SetEnabled(true);
  EXPECT_EQ(office_.CallCount("CommandBarControl.PutWidth"), 2);
}

TEST_F(CommandBarConnectionTest, AGlyphShowsTheFaceThroughItsTransparentColour) {
  Start();
  // Rows top to bottom; the bottom-left pixel (green) is the default transparent colour.
  TBitmap glyph{2, 2, 24, {0xFF0000, 0x00FF00, 0x00FF00, 0x0000FF}};
  Button(12).SetGlyph(glyph);
  EXPECT_THAT(Find(BarOf(world.explorer).controls, "Any F&older...")->mask,
              ElementsAre(0u, 0xFFFFFFu, 0xFFFFFFu, 0u));
  Button(12).SetGlyphTransparentColor(0xFF0000);
  EXPECT_THAT(Find(BarOf(world.explorer).controls, "Any F&older...")->mask,
              ElementsAre(0xFFFFFFu, 0u, 0u, 0u));
}

TEST_F(CommandBarConnectionTest, TheBarFollowsTheFolderItemType) {
  Start();
  world.explorer.ShowFolder(world.calendar);
  EXPECT_FALSE(BarOf(world.explorer).visible);
  EXPECT_FALSE(BarOf(world.explorer).enabled);
  EXPECT_FALSE(module_->olExplorerCommandBar1.Visible());
  EXPECT_FALSE(office_.Click(world.explorer.window(), kBar, Button(2).Caption()));
  world.explorer.ShowFolder(world.inbox);
  EXPECT_TRUE(BarOf(world.explorer).visible);
  EXPECT_TRUE(BarOf(world.explorer).enabled);
}

TEST_F(CommandBarConnectionTest, ABarTheUserMovedKeepsItsPlaceThroughFolderSwitches) {
  // The place saved at the last shut-down is where the bar starts.
  const platform::RegistryKey saved = SavedPlaceKey();
  sim.registry.WriteDword(saved, "Left", 40);
  sim.registry.WriteDword(saved, "Top", 7);
  Start();
  ASSERT_EQ(BarOf(world.explorer).left, 40);
  ASSERT_TRUE(office_.Move(world.explorer.window(), kBar, BarOf(world.explorer).position, 230, 26,
                           BarOf(world.explorer).row_index));
  world.explorer.ShowFolder(world.calendar);
  world.explorer.ShowFolder(world.inbox);
  const SimBarView bar = BarOf(world.explorer);
  EXPECT_TRUE(bar.visible);
  EXPECT_EQ(bar.left, 230);
  EXPECT_EQ(bar.top, 26);
}

TEST_F(CommandBarConnectionTest, AFailureWhileAddingControlsLeavesTheBarProtectedAndIsReported) {
  // The bar is made protected against the user's changes; the fifth control Office refuses.
  office_.FailCall("CommandBarControls.Add", 4);
  Start();
  const SimBarView bar = BarOf(world.explorer);
  EXPECT_EQ(bar.name, kBar);
  EXPECT_NE(bar.protection, 0);
  EXPECT_EQ(office_.CallCount("CommandBarControls.Add"), 5);
  // Errors of the start-up are shown once it is over.
  sim.screen.ProcessPendingMessages();
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_NE(sim.message_boxes.shown()[0].text.find("The operation failed."), std::string::npos);
}

TEST_F(CommandBarConnectionTest, SavedPositionsAreRestoredAtStartUp) {
  const platform::RegistryKey saved = SavedPlaceKey();
  sim.registry.WriteDword(saved, "Position", 3);
  sim.registry.WriteDword(saved, "Left", 40);
  sim.registry.WriteDword(saved, "Top", 7);
  sim.registry.WriteDword(saved, "RowIndex", 2);
  Start();
  const SimBarView bar = BarOf(world.explorer);
  EXPECT_EQ(bar.position, 3);
  EXPECT_EQ(bar.left, 40);
  EXPECT_EQ(bar.top, 7);
  EXPECT_EQ(bar.row_index, 2);
}

TEST_F(CommandBarConnectionTest, WhereTheUserMovedTheBarIsSavedWhenItsWindowCloses) {
  const platform::RegistryKey saved{platform::RegistryRoot::kCurrentUser,
                                    "Software\\Microsoft\\Office\\Outlook\\AddIns\\" +
                                        std::string(kProgId) + "\\CommandBars\\QuivraOL"};
  Start();
  const auto second = world.outlook.AddExplorer(world.inbox);
  ASSERT_TRUE(office_.Move(second.window(), kBar, 4, 120, 35, 3));
  second.Close();
  // Each value under its own name: Left and Top told apart, the row and the dock side too.
  EXPECT_EQ(sim.registry.ReadDword(saved, "Position"), 4u);
  EXPECT_EQ(sim.registry.ReadDword(saved, "Left"), 120u);
  EXPECT_EQ(sim.registry.ReadDword(saved, "Top"), 35u);
  EXPECT_EQ(sim.registry.ReadDword(saved, "RowIndex"), 3u);
}

TEST_F(CommandBarConnectionTest, AButtonWhoseEventsCannotBeConnectedIsShownAndLogged) {
  office_.FailCall("CommandBarControl.Advise");
  Start();
  EXPECT_EQ(BarOf(world.explorer).controls.size(), 15u);
  ASSERT_FALSE(debug_lines_.empty());
  EXPECT_EQ(debug_lines_[0], "TEventSink.Create1 error: The operation failed.");
  EXPECT_EQ(office_.SinkCount(), 0);
}

TEST_F(CommandBarConnectionTest, AWindowWithoutCommandBarsIsLeftAlone) {
  addin_.SetCommandBarsHost({[](const outlook::ExplorerPtr&) -> office::CommandBarsPtr {
                               throw office::OfficeError(static_cast<std::int32_t>(0x80020006),
                                                         "Unknown name.");
                             },
                             {}});
  Start();
  EXPECT_EQ(addin_.CommandBars()->WindowCount(), 0);
  EXPECT_EQ(addin_.TrackedExplorerCount(), 1);
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(CommandBarConnectionTest, UnloadingRemovesTheBar) {
  Start();
  addin_.OnDisconnection(ext_dm_UserClosed);
  EXPECT_EQ(BarOf(world.explorer).name, "");
  EXPECT_EQ(office_.SinkCount(), 0);
}

}  // namespace
}  // namespace quivra::framework
