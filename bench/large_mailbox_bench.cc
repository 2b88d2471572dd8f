// A very large profile: 50 open stores with 101,050 mail folders in all. How long the picker of
// "Any Folder..." takes to open over it (the top level read, the remembered expansions restored,
// the recently used list filled), and what its Find box's index costs: reading every folder at
// the first keystroke (time, and as "calls_per_folder" the calls into Outlook per folder) and
// one keystroke's matching.
#include <string>

#include <benchmark/benchmark.h>

#include "bench/bench_size.h"
#include "bench/call_cost_counters.h"
#include "dialogs/folder_index.h"
#include "dialogs/folder_index_reader.h"
#include "dialogs/folder_picker.h"
#include "host/outlook/sim/sim_outlook.h"
#include "model/configuration.h"
#include "platform/compositions/sim/sim_platform.h"
#include "platform/sim/sim_collation.h"

namespace {

using quivra::outlook::sim::SimFolder;
using quivra::outlook::sim::SimOutlook;

// The number of stores: 50, or 2 for a smoke run.
const int kStores = quivra::bench::SampleSize(50, 2);

// 50 stores, each a root with 20 customers of 4 years of 24 projects:
// 50 * (1 + 20 * (1 + 4 * (1 + 24))) = 101,050 folders. The first is the default store, with
// the usual special folders; a folder Outlook hides sits below every root.
struct LargeProfile {
  LargeProfile() {
    for (int s = 0; s < kStores; ++s) {
      SimFolder store = outlook.AddStore("Mailbox " + std::to_string((s * 37) % kStores));
      ++folders;
      if (s == 0) {
        outlook.SetDefaultFolder(quivra::outlook::kFolderInbox, store.AddFolder("Inbox"));
        outlook.SetDefaultFolder(quivra::outlook::kFolderDrafts, store.AddFolder("Drafts"));
        outlook.SetDefaultFolder(quivra::outlook::kFolderDeletedItems,
                                 store.AddFolder("Deleted Items"));
        outlook.SetDefaultFolder(quivra::outlook::kFolderOutbox, store.AddFolder("Outbox"));
        outlook.SetDefaultFolder(quivra::outlook::kFolderSentMail, store.AddFolder("Sent Items"));
        folders += 5;
        first = store;
      }
      store.AddFolder("Yammer Root").SetHidden(true);
      for (int c = 0; c < 20; ++c) {
        SimFolder customer = store.AddFolder((c % 3 == 0 ? "M\xC3\xBCller " : "Customer ") +
                                             std::to_string((c * 7) % 20));
        ++folders;
        for (int y = 2021; y <= 2024; ++y) {
          SimFolder year = customer.AddFolder(std::to_string(y));
          ++folders;
          for (int p = 0; p < 24; ++p) {
            SimFolder project =
                year.AddFolder("Project " + std::to_string(p) + (p % 2 ? " Alpha" : " Beta"));
            ++folders;
            if (recent.size() < 20 && p == 3 * y % 24) {
              recent.push_back(project);
            }
          }
        }
      }
    }
  }

  SimOutlook outlook;
  SimFolder first;
  std::vector<SimFolder> recent;  // twenty folders for the recently used list
  int folders = 0;
};

void BM_PickerOpensOverHundredThousandFolders(benchmark::State& state) {
  LargeProfile world;
  quivra::platform::sim::SimPlatform sim;
  quivra::core::Configuration config;
  // The user had opened the default store, two customers and a year in it last time.
  SimFolder customer = world.first.subfolders().at(6);
  config.ExpandList = std::vector<std::string>{world.first.entry_id(), customer.entry_id(),
                                               customer.subfolders().at(1).entry_id()};
  for (const SimFolder& folder : world.recent) {
    const std::string path = folder.path();
    config.MoveMruEntryToTop(path, path.substr(0, path.find('\\')), folder.store_id(), -1);
  }
  auto application = world.outlook.application();
  quivra::dialogs::TfrmFolders2 picker(*application, config, sim.platform());
  double calls = 0;
  int shown = 0;
  for (auto _ : state) {
    world.outlook.ResetCallCounts();
    // "Any Folder...": the list side on, the tree and the list filled, then shown.
    picker.MruGroupList.SetEnabled(true);
    picker.ListView1.SetEnabled(true);
    picker.Panel1.SetEnabled(true);
    picker.FillTree();
    picker.MruListAdd();
    picker.SelectedPath.clear();
    picker.SelectedMruIndex = -1;
    sim.ui.Expect([&](quivra::ui::sim::SimUser& user) {
      shown = picker.treeFolders.Count();
      user.Click("btnCancel");
    });
    picker.ShowModal();
    calls = world.outlook.TotalCalls();
    state.PauseTiming();
    picker.FreeAllNodes();
    state.ResumeTiming();
  }
  if (shown != kStores) {
    state.SkipWithError("not every store was shown");
  }
  state.counters["outlook_calls"] = calls;
  state.counters["folders"] = world.folders;
  quivra::bench::ReportCallCosts(state, world.outlook);
}
BENCHMARK(BM_PickerOpensOverHundredThousandFolders)->Unit(benchmark::kMillisecond);

void BM_IndexHundredThousandFolders(benchmark::State& state) {
  LargeProfile world;
  quivra::platform::sim::SimCollation collation;
  auto application = world.outlook.application();
  double calls = 0;
  size_t indexed = 0;
  for (auto _ : state) {
    world.outlook.ResetCallCounts();
    const quivra::dialogs::FolderIndex index =
        quivra::dialogs::ReadFolderIndex(*application, collation);
    calls = world.outlook.TotalCalls();
    indexed = index.size();
  }
  if (static_cast<int>(indexed) != world.folders) {
    state.SkipWithError("not every folder was indexed, or a hidden one was");
  }
  state.counters["folders"] = static_cast<double>(indexed);
  state.counters["calls_per_folder"] = calls / static_cast<double>(indexed);
  quivra::bench::ReportCallCosts(state, world.outlook);
}
BENCHMARK(BM_IndexHundredThousandFolders)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_KeystrokeOverHundredThousandFolders(benchmark::State& state, const std::string& typed) {
  LargeProfile world;
  quivra::platform::sim::SimCollation collation;
  quivra::dialogs::FolderIndex index =
      quivra::dialogs::ReadFolderIndex(*world.outlook.application(), collation);
  size_t matches = 0;
  for (auto _ : state) {
    matches = index.Find(collation.Fold(typed), 100).size();
    benchmark::DoNotOptimize(matches);
  }
  state.counters["shown"] = static_cast<double>(matches);
}
BENCHMARK_CAPTURE(BM_KeystrokeOverHundredThousandFolders, a, std::string("a"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeOverHundredThousandFolders, path, std::string("muller 1\\2023"))
    ->Unit(benchmark::kMillisecond);

}  // namespace
