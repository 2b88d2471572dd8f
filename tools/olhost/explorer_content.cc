// What the stand-in's explorer windows show (folder tree, messages, the add-in's buttons) and
// the clicks on those buttons.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "platform/win32/win32_screen.h"
#include "tools/olhost/outlook_stand_in.h"
namespace quivra::olhost {

namespace {

void AddFolders(const outlook::sim::SimFolder& folder, int depth, std::vector<std::string>& lines) {
  lines.push_back(std::string(static_cast<size_t>(depth) * 3, ' ') + folder.name());
  for (const outlook::sim::SimFolder& below : folder.subfolders()) {
    AddFolders(below, depth + 1, lines);
  }
}

// The visible buttons of command bar controls, through pop-ups.
void AddBarButtons(const std::vector<office::sim::SimControlView>& controls,
                   std::vector<ExplorerButton>& buttons) {
  for (const office::sim::SimControlView& control : controls) {
    if (!control.visible) {
      continue;
    }
    if (!control.controls.empty()) {
      AddBarButtons(control.controls, buttons);
    } else if (!control.caption.empty()) {
      buttons.push_back({control.caption, control.enabled});
    }
  }
}

}  // namespace

ExplorerContent OutlookStandIn::ContentOf(std::uintptr_t window) {
  ExplorerContent content;
  for (const outlook::sim::SimFolder& store : world_.outlook.stores()) {
    AddFolders(store, 0, content.folders);
  }
  for (const outlook::sim::SimExplorer& explorer : world_.outlook.explorers()) {
    if (explorer.window() != window) {
      continue;
    }
    content.title = explorer.current_folder().name() + " - Outlook " + version_.name;
    const std::vector<outlook::sim::SimItem> selection = explorer.selection();
    for (const outlook::sim::SimItem& item : explorer.view()) {
      const bool selected = std::find(selection.begin(), selection.end(), item) != selection.end();
      content.messages.emplace_back(item.subject(), selected);
    }
  }
  if (command_bars_) {
    for (const office::sim::SimBarView& bar : command_bars_->Bars(window)) {
      if (bar.name != "Standard" && bar.visible) {
        AddBarButtons(bar.controls, content.buttons);
      }
    }
    return content;
  }
  for (AddIn& add_in : add_ins_) {
    if (!add_in.connected || !add_in.ribbon) {
      continue;
    }
    // The buttons of the add-in's own tabs, as the user finds them there.
    const std::vector<office::sim::SimRibbonControl>& controls = add_in.ribbon->Controls();
    for (const office::sim::SimRibbonControl& control : controls) {
      int tab = control.Parent;
      while (tab >= 0 && controls[static_cast<size_t>(tab)].Parent >= 0) {
        tab = controls[static_cast<size_t>(tab)].Parent;
      }
      const bool own_tab = tab >= 0 && !controls[static_cast<size_t>(tab)].BuiltIn;
      if (own_tab && control.Visible && !control.Label.empty() &&
          (control.Element == "button" || control.Element == "splitButton")) {
        content.buttons.push_back({control.Label, control.Enabled});
      }
    }
  }
  return content;
}

void OutlookStandIn::StartKeyTips(std::uintptr_t) {
  key_tips_.reset();
  key_tip_ribbon_.reset();
  for (AddIn& add_in : add_ins_) {
    if (add_in.connected && add_in.ribbon) {
      key_tip_ribbon_ = add_in.ribbon;
      break;
    }
  }
  if (!key_tip_ribbon_) {
    return;
  }
  RibbonHost* ribbon = key_tip_ribbon_.get();
  key_tips_.emplace(
      [ribbon]() -> const auto& { return ribbon->Controls(); },
      [ribbon](const std::string& id) { return ribbon->Shown(id); },
      [ribbon](const std::string& id) {
        std::printf("user presses %s by its key tip\n", id.c_str());
        std::fflush(stdout);
        return ribbon->ClickId(id);
      });
  key_tips_->Start();
  std::printf("the ribbon shows its key tips\n");
  std::fflush(stdout);
}

bool OutlookStandIn::TypeKeyTip(std::uintptr_t, char key) {
  if (!key_tips_) {
    return false;
  }
  // Called from a window procedure: nothing may leave it.
  try {
    // The walk may show a dialog; it is kept until it returns.
    std::shared_ptr<RibbonHost> keep = key_tip_ribbon_;
    const bool going_on = key_tips_->Type(key);
    StandInWindows::Refresh();
    return going_on;
  } catch (const std::exception& error) {
    std::printf("key tip failed: %s\n", error.what());
    std::fflush(stdout);
    return false;
  }
}

void OutlookStandIn::ClickButton(std::uintptr_t window, const std::string& label) {
  std::printf("user clicks %s\n", label.c_str());
  std::fflush(stdout);
  // Called from a window procedure: nothing may leave it.
  try {
    if (command_bars_) {
      for (const office::sim::SimBarView& bar : command_bars_->Bars(window)) {
        if (bar.name != "Standard" && command_bars_->Click(window, bar.name, label)) {
          break;
        }
      }
    } else {
      for (AddIn& add_in : add_ins_) {
        if (add_in.connected && add_in.ribbon && add_in.ribbon->ClickLabel(label)) {
          break;
        }
      }
    }
  } catch (const std::exception& error) {
    std::printf("the click on %s failed: %s\n", label.c_str(), error.what());
  } catch (...) {
    std::printf("the click on %s failed\n", label.c_str());
  }
  platform::win32::DispatchPendingMessages();
}

void OutlookStandIn::ClickMessage(std::uintptr_t window, int row, bool toggle) {
  // Called from a window procedure: nothing may leave it.
  try {
    for (const outlook::sim::SimExplorer& explorer : world_.outlook.explorers()) {
      const std::vector<outlook::sim::SimItem> view = explorer.view();
      if (explorer.window() != window || row < 0 || static_cast<size_t>(row) >= view.size()) {
        continue;
      }
      const outlook::sim::SimItem& item = view[static_cast<size_t>(row)];
      std::vector<outlook::sim::SimItem> selection;
      if (toggle) {
        selection = explorer.selection();
        const auto at = std::find(selection.begin(), selection.end(), item);
        if (at == selection.end()) {
          selection.push_back(item);
        } else {
          selection.erase(at);
        }
      } else {
        selection.push_back(item);
      }
      std::printf("user %s \"%s\": %zu selected\n", toggle ? "ctrl-clicks" : "clicks",
                  item.subject().c_str(), selection.size());
      std::fflush(stdout);
      explorer.Select(selection);
    }
  } catch (const std::exception& error) {
    std::printf("the click on message %d failed: %s\n", row + 1, error.what());
  } catch (...) {
    std::printf("the click on message %d failed\n", row + 1);
  }
}

}  // namespace quivra::olhost
