#ifndef QUIVRA_TESTS_DIALOGS_PICKER_FIXTURE_H_
#define QUIVRA_TESTS_DIALOGS_PICKER_FIXTURE_H_

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/folder_picker.h"
#include "platform/ui/sim/sim_ui.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::dialogs {

// The folder picker on the standard simulated Outlook, shown as its two callers show it.
class PickerTest : public test::SimulatedWorldTest {
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
  void AddMru(const outlook::sim::SimFolder& folder) { test::AddMru(config, folder); }
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

  TfrmFolders2 picker{*app, config, sim.platform()};
};

using Strings = std::vector<std::string>;

}  // namespace quivra::dialogs

#endif  // QUIVRA_TESTS_DIALOGS_PICKER_FIXTURE_H_
