#ifndef QUIVRA_TESTS_CORE_MODULE_FIXTURE_H_
#define QUIVRA_TESTS_CORE_MODULE_FIXTURE_H_

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/add_in_module.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core {

// The add-in module on the standard simulated Outlook. Processing the thread's messages delivers
// the synthetic keys to Outlook's window in front, then lets Outlook bring its explorers up to
// date, as the message loop does.
class ModuleTest : public test::SimulatedWorldTest {
 protected:
  ModuleTest() : module(sim.platform(), config, world.outlook.application()) {
    // Outlook 2007 unless a test registers another: the command bar is in use.
    world.outlook.SetVersion("12.0.6423.1000");
    sim.screen.SetOnPendingMessages([this] {
      sim.keyboard.DeliverPending([this](const platform::sim::SentKey& key) {
        if (key.released() || !keys_reach_list) {
          return;
        }
        const bool shift = platform::IsKeyDown(sim.keyboard.KeyState(platform::kVkShift));
        if (key.virtual_key == platform::kVkUp) {
          world.outlook.PressKey(outlook::sim::SimOutlook::ListKey::kUp, shift);
        } else if (key.virtual_key == platform::kVkDown) {
          world.outlook.PressKey(outlook::sim::SimOutlook::ListKey::kDown, shift);
        }
      });
      world.outlook.ProcessMessages();
    });
  }

  // Binds the slot to the folder with that caption (empty: the folder's name).
  void Configure(int slot, const outlook::sim::SimFolder& folder, std::string caption = {}) {
    test::ConfigureSlot(config, slot, folder, caption);
  }

  // Registers Outlook's local server with that path, in one view of the registry.
  void RegisterOutlook(const std::string& server_path,
                       platform::RegistryView view = platform::RegistryView::kDefault) {
    test::RegisterOutlookServer(sim.registry, server_path, view);
  }
  void UseRibbonHost() { RegisterOutlook(test::kOutlook2013.server_path); }

  framework::TCommandBarButton& Bar(int position) {
    return module.olExplorerCommandBar1.Controls().Item<framework::TCommandBarButton>(
        position);
  }
  framework::TRibbonButton& Own(int position) {
    return module.OwnFilingGroup().Controls().Item<framework::TRibbonButton>(position);
  }
  framework::TRibbonButton& Home(int position) {
    return module.HomeFilingGroup().Controls().Item<framework::TRibbonButton>(position);
  }
  framework::TKeyboardShortcut& Shortcut(int slot) {
    return *module.keyboardShortcuts[static_cast<size_t>(slot - 1)];
  }

  // The texts of the armed keyboard shortcuts, sorted.
  std::vector<std::string> ArmedShortcuts() {
    std::vector<std::string> armed;
    for (const auto* shortcut : module.ComponentsOf<framework::TKeyboardShortcut>()) {
      if (shortcut->Enabled()) {
        armed.push_back(shortcut->ShortcutText());
      }
    }
    std::sort(armed.begin(), armed.end());
    return armed;
  }

  // The synthetic key strokes sent so far: "Shift+Down", "Up", "Backspace" (a key-down event
  // alone, as Backspace is passed on).
  std::vector<std::string> Strokes() const {
    std::vector<std::string> strokes;
    std::string held;
    for (const platform::sim::SentKey& key : sim.keyboard.sent()) {
      switch (key.virtual_key) {
        case platform::kVkShift:
          held = key.released() ? "" : "Shift+";
          break;
        case platform::kVkUp:
        case platform::kVkDown:
          if (!key.released()) {
            strokes.push_back(held + (key.virtual_key == platform::kVkUp ? "Up" : "Down"));
          }
          break;
        case platform::kVkBack:
          strokes.push_back("Backspace");
          break;
        default:
          strokes.push_back("key " + std::to_string(key.virtual_key));
      }
    }
    return strokes;
  }

  TAddInModule module;
  // False: the message list does not have the keyboard focus and ignores the keys.
  bool keys_reach_list = true;
};

}  // namespace quivra::core

#endif  // QUIVRA_TESTS_CORE_MODULE_FIXTURE_H_
