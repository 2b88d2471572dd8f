// Filing and undo against the simulated Outlook: the time per filed item and, as the counter
// "outlook_calls", the calls into Outlook per item, which is what the real Outlook charges for.
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

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

// Undo in a target folder of 100,000 items, the filed item `state.range(0)` items from the end.
void BM_UndoInLargeFolder(benchmark::State& state) {
  const int from_end = static_cast<int>(state.range(0));
  constexpr int kItems = 100000;
  SimOutlook outlook;
  SimFolder mailbox = outlook.AddStore("Mailbox");
  SimFolder inbox = mailbox.AddFolder("Inbox");
  SimFolder target = mailbox.AddFolder("Archive");
  for (int i = 0; i < kItems; ++i) {
    target.AddItem(ItemKind::kMail, "Mail");
  }
  outlook.AddExplorer(inbox);
  quivra::platform::sim::SimPlatform sim;
  Configuration config;
  auto application = outlook.application();
  DiagnosticLog log(sim.platform());
  FilingEngine engine(*application, config, sim.platform(), log, [](bool) {});
  double calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::vector<SimItem> items = target.items();
    const SimItem filed = items[items.size() - 1 - static_cast<size_t>(from_end)];
    outlook.ResetCallCounts();
    state.ResumeTiming();
    engine.Undo(filed.conversation_index(), "Mailbox\\Inbox", {"Mailbox", "", mailbox.store_id()},
                "Mailbox\\Archive", {"Mailbox", "Mailbox", mailbox.store_id()});
    calls += outlook.TotalCalls();
    state.PauseTiming();
    if (filed.folder() != inbox)
      state.SkipWithError("the item did not come back");
    target.AddItem(ItemKind::kMail, "Mail");  // the folder keeps its size
    state.ResumeTiming();
  }
  state.counters["outlook_calls"] = calls / static_cast<double>(state.iterations());
}
BENCHMARK(BM_UndoInLargeFolder)->Arg(0)->Arg(1000)->Iterations(200)->Unit(benchmark::kMicrosecond);

}  // namespace
