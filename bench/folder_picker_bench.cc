// Expanding a folder-tree node with 10,000 subfolders in the folder picker: the time per
// expansion and, as the counter "calls_per_child", the calls into Outlook it costs per child
// (each a cross-component call in the real Outlook). Children are read afresh on every
// expansion, so each iteration loads and sorts all of them.
#include <string>

#include <benchmark/benchmark.h>

#include "bench/bench_size.h"
#include "bench/call_cost_counters.h"
#include "dialogs/folder_picker.h"
#include "host/outlook/sim/sim_outlook.h"
#include "model/configuration.h"
#include "platform/compositions/sim/sim_platform.h"

namespace {

using quivra::outlook::sim::SimFolder;
using quivra::outlook::sim::SimOutlook;

// 10,000 subfolders, or 500 for a smoke run.
const int kChildCount = quivra::bench::SampleSize(10000, 500);

// A default store with the usual special folders and one folder of kChildCount subfolders,
// created in an order unlike the sorted one.
struct WideFolder {
  WideFolder() {
    SimFolder mailbox = outlook.AddStore("Mailbox");
    outlook.SetDefaultFolder(quivra::outlook::kFolderInbox, mailbox.AddFolder("Inbox"));
    outlook.SetDefaultFolder(quivra::outlook::kFolderDrafts, mailbox.AddFolder("Drafts"));
    outlook.SetDefaultFolder(quivra::outlook::kFolderDeletedItems,
                             mailbox.AddFolder("Deleted Items"));
    outlook.SetDefaultFolder(quivra::outlook::kFolderOutbox, mailbox.AddFolder("Outbox"));
    outlook.SetDefaultFolder(quivra::outlook::kFolderSentMail, mailbox.AddFolder("Sent Items"));
    wide = mailbox.AddFolder("Customers");
    for (int i = 0; i < kChildCount; ++i) {
      std::string name = (i % 2 == 0) ? "customer " : "Customer ";
      name += std::to_string((i * 7919) % kChildCount);
      wide.AddFolder(name);
    }
  }

  SimOutlook outlook;
  SimFolder wide;
};

void BM_ExpandTenThousandSubfolders(benchmark::State& state) {
  WideFolder world;
  quivra::platform::sim::SimPlatform sim;
  quivra::core::Configuration config;
  config.ExpandList.emplace();
  auto application = world.outlook.application();
  quivra::dialogs::TfrmFolders2 picker(*application, config, sim.platform());
  picker.FillTree();
  quivra::ui::TreeNode* node = nullptr;
  picker.treeFolders.ForEach([&](quivra::ui::TreeNode& each) {
    if (each.Text() == "Customers")
      node = &each;
  });
  double calls = 0;
  for (auto _ : state) {
    picker.treeFolders.Collapse(*node);
    world.outlook.ResetCallCounts();
    picker.treeFolders.Expand(*node);
    calls = world.outlook.TotalCalls();
    benchmark::DoNotOptimize(node->Count());
  }
  if (node->Count() != kChildCount) {
    state.SkipWithError("not every subfolder was shown");
  }
  state.counters["calls_per_child"] = calls / kChildCount;
  state.counters["outlook_calls"] = calls;
  quivra::bench::ReportCallCosts(state, world.outlook);
}
BENCHMARK(BM_ExpandTenThousandSubfolders)->Unit(benchmark::kMillisecond);

}  // namespace
