#ifndef QUIVRA_TESTS_CORE_FILING_ENGINE_FIXTURE_H_
#define QUIVRA_TESTS_CORE_FILING_ENGINE_FIXTURE_H_

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/filing_engine.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core {

// The filing engine alone on the standard simulated Outlook, with the Undo buttons' placements
// recorded.
class FilingEngineTest : public test::SimulatedWorldTest {
 protected:
  FilingEngineTest()
      : engine(*app, config, sim.platform(), log, [this](bool visible) {
          undo_button_placements.push_back(visible);
        }) {
    sim.screen.SetOnPendingMessages([this] { world.outlook.ProcessMessages(); });
  }

  void Configure(int slot, const outlook::sim::SimFolder& folder) {
    test::AssignSlot(config, slot, folder.path(), folder.store_id());
    config.ButtonNames[slot] = folder.name();
  }
  std::vector<outlook::sim::SimItem> Inbox(int first, int count) {
    return {world.inbox_mail.begin() + first, world.inbox_mail.begin() + first + count};
  }
  // The texts of the message boxes shown, and a check that each is a standard message.
  std::vector<std::string> Messages() {
    for (const auto& box : sim.message_boxes.shown()) {
      using platform::MessageButton;
      using platform::MessageIcon;
      EXPECT_EQ(box.buttons, std::vector<MessageButton>{MessageButton::kCancel});
      const bool kind_matches =
          (box.caption == "Warning" && box.icon == MessageIcon::kWarning) ||
          (box.caption == "Error" && box.icon == MessageIcon::kError) ||
          (box.caption == "Information" && box.icon == MessageIcon::kInformation);
      EXPECT_TRUE(kind_matches) << box.caption;
    }
    return SimulatedWorldTest::Messages();
  }
  std::string Caption(size_t index) { return sim.message_boxes.shown().at(index).caption; }
  bool File(int slot) { return engine.FileToFolder(slot, nullptr); }

  std::vector<bool> undo_button_placements;
  DiagnosticLog log{sim.platform()};
  FilingEngine engine;
};

}  // namespace quivra::core

#endif  // QUIVRA_TESTS_CORE_FILING_ENGINE_FIXTURE_H_
