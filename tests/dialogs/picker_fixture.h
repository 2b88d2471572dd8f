#ifndef QUIVRA_TESTS_DIALOGS_PICKER_FIXTURE_H_
#define QUIVRA_TESTS_DIALOGS_PICKER_FIXTURE_H_

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/folder_picker.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "platform/compositions/sim/sim_platform.h"
#include "platform/ui/sim/sim_ui.h"

namespace quivra::dialogs {

// The folder picker on the standard simulated Outlook, shown as its two callers show it.
class PickerTest : public ::testing::Test {
 protected:
  PickerTest() { config.ExpandList.emplace(); }

  // Any-folder mode: the list side enabled and filled, the results reset.
  ui::ModalResult ShowAnyFolder(ui::sim::Script script) {
    picker.MruGroupList.SetEnabled(true);
    picker.ListView1.SetEnabled(true);
    picker.Panel1.SetEnabled(true);
    picker.FillTree();
    picker.MruListAdd();
    picker.SelectedPath.clear();
    picker.SelectedMruIndex = -1;
    sim.ui.Expect(std::move(script));
    return picker.ShowModal();
  }
  // Browse mode: the list side disabled.
  ui::ModalResult ShowBrowse(ui::sim::Script script) {
    picker.MruGroupList.SetEnabled(false);
    picker.ListView1.SetEnabled(false);
    picker.Panel1.SetEnabled(false);
    picker.FillTree();
    picker.SelectedPath.clear();
    picker.SelectedName.clear();
    sim.ui.Expect(std::move(script));
    return picker.ShowModal();
  }
  void AddMru(const outlook::sim::SimFolder& folder) {
    const std::string path = folder.path();
    const std::string store = path.substr(0, path.find('\\'));
    config.MoveMruEntryToTop(path, store, folder.store_id(), -1);
  }
  // The texts of the children of the node at `path` ("" for the top level).
  std::vector<std::string> Children(const std::string& path) {
    std::vector<std::string> texts;
    ui::TreeView& tree = picker.treeFolders;
    ui::TreeNode* node = path.empty() ? nullptr : Find(path);
    const int count = node == nullptr ? tree.Count() : node->Count();
    for (int i = 0; i < count; ++i) {
      texts.push_back((node == nullptr ? tree.Item(i) : node->Item(i)).Text());
    }
    return texts;
  }
  // The node at `path`, or null.
  ui::TreeNode* Find(const std::string& path) {
    ui::TreeNode* found = nullptr;
    picker.treeFolders.ForEach([&](ui::TreeNode& node) {
      std::string node_path = node.Text();
      for (ui::TreeNode* up = node.Parent(); up != nullptr; up = up->Parent()) {
        node_path = up->Text() + "\\" + node_path;
      }
      if (node_path == path && found == nullptr) {
        found = &node;
      }
    });
    return found;
  }
  std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const auto& box : sim.message_boxes.shown())
      texts.push_back(box.text);
    return texts;
  }

  outlook::sim::StandardWorld world;
  platform::sim::SimPlatform sim;
  core::Configuration config;
  outlook::ApplicationPtr app = world.outlook.application();
  TfrmFolders2 picker{*app, config, sim.platform()};
};

using Strings = std::vector<std::string>;

}  // namespace quivra::dialogs

#endif  // QUIVRA_TESTS_DIALOGS_PICKER_FIXTURE_H_
