// Filing and undo against the simulated Outlook: the time per filed item and, as the counter
// "outlook_calls", the calls into Outlook per item, which is what the real Outlook charges for;
// "cached_ms" and "online_ms" say what the calls of one run would cost a real Outlook under each
// profile of stores.
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/call_cost_counters.h"
#include "core/filing_engine.h"
#include "host/outlook/sim/sim_outlook.h"
#include "model/configuration.h"
#include "platform/compositions/sim/sim_platform.h"

namespace {

using quivra::core::Configuration;
using quivra::core::DiagnosticLog;
using quivra::core::FilingEngine;
using quivra::outlook::sim::ItemKind;
using quivra::outlook::sim::SimFolder;
using quivra::outlook::sim::SimItem;
using quivra::outlook::sim::SimOutlook;

void Configure(Configuration& config, int slot, const SimFolder& folder) {
  config.FolderNames[slot] = folder.path();
  config.StoreDetails[slot] = {"Mailbox", "Mailbox", folder.store_id()};
}

void BM_FileSelectedItems(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  double calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    SimOutlook outlook;
    SimFolder mailbox = outlook.AddStore("Mailbox");
    SimFolder inbox = mailbox.AddFolder("Inbox");
    SimFolder target = mailbox.AddFolder("Projects").AddFolder("Alpha");
    std::vector<SimItem> items;
    for (int i = 0; i < count; ++i) {
      items.push_back(inbox.AddItem(ItemKind::kMail, "Mail " + std::to_string(i)));
    }
    outlook.AddExplorer(inbox).Select(items);
    quivra::platform::sim::SimPlatform sim;
    Configuration config;
    Configure(config, 1, target);
    auto application = outlook.application();
    DiagnosticLog log(sim.platform());  // off, as for most users
    FilingEngine engine(*application, config, sim.platform(), log, [](bool) {});
    outlook.ResetCallCounts();
    state.ResumeTiming();

    engine.FileToFolder(1, nullptr);

    state.PauseTiming();
    calls += outlook.TotalCalls();
    quivra::bench::ReportCallCosts(state, outlook);
    if (target.items().size() != static_cast<size_t>(count)) {
      state.SkipWithError("not every item was filed");
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.counters["outlook_calls_per_item"] =
      calls / static_cast<double>(state.iterations() * count);
}
BENCHMARK(BM_FileSelectedItems)->Arg(1000)->Unit(benchmark::kMillisecond);

// One filing of `state.range(0)` items from the Inbox into a folder already holding
// `state.range(1)` items, undone: the time of the undo and, as "outlook_calls_per_item", its
// calls into Outlook per item put back. The items are found by their identity, so the count
// does not grow with the folder.
void BM_UndoFiling(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int already = static_cast<int>(state.range(1));
  SimOutlook outlook;
  SimFolder mailbox = outlook.AddStore("Mailbox");
  SimFolder inbox = mailbox.AddFolder("Inbox");
  SimFolder target = mailbox.AddFolder("Archive");
  for (int i = 0; i < already; ++i) {
    target.AddItem(ItemKind::kMail, "Archived " + std::to_string(i));
  }
  std::vector<SimItem> items;
  for (int i = 0; i < count; ++i) {
    items.push_back(inbox.AddItem(ItemKind::kMail, "Mail " + std::to_string(i)));
  }
  auto explorer = outlook.AddExplorer(inbox);
  quivra::platform::sim::SimPlatform sim;
  Configuration config;
  Configure(config, 1, target);
  auto application = outlook.application();
  DiagnosticLog log(sim.platform());
  FilingEngine engine(*application, config, sim.platform(), log, [](bool) {});
  double calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    outlook.ProcessMessages();
    explorer.Select(items);
    engine.FileToFolder(1, nullptr);
    outlook.ResetCallCounts();
    state.ResumeTiming();

    engine.CallUndo();

    state.PauseTiming();
    calls += outlook.TotalCalls();
    quivra::bench::ReportCallCosts(state, outlook);
    for (const SimItem& item : items) {
      if (item.folder() != inbox) {
        state.SkipWithError("an item did not come back");
        break;
      }
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.counters["outlook_calls_per_item"] =
      calls / static_cast<double>(state.iterations() * count);
}
BENCHMARK(BM_UndoFiling)
    ->Args({500, 0})
    ->Args({1, 0})
    ->Args({1, 50000})
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
