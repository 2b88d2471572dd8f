// The add-in's start-up, which every Outlook user pays at every start of Outlook (Outlook
// disables an add-in whose start-up takes over a second): OnConnection through
// OnStartupComplete over the standard simulated Outlook with a full configuration, as Outlook
// 2007 (command bars) and Outlook 2013 (ribbon, drawn during start-up) make it. Arguments: the
// Outlook year and the number of recently used folders. Counters: the calls the add-in made
// into Outlook and Office, and the ribbon callbacks Office made into the add-in.
#include <memory>

#include <benchmark/benchmark.h>

#include "bench/call_cost_counters.h"
#include "bench/started_add_in.h"

namespace {

using quivra::bench::OutlookMachine;
using quivra::bench::StartedAddIn;

void BM_StartUp(benchmark::State& state) {
  OutlookMachine machine(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  // The first start ever writes the start-state marker; every later one is the daily case.
  StartedAddIn(machine).Start();
  double outlook_calls = 0;
  double office_calls = 0;
  double callbacks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto addin = std::make_unique<StartedAddIn>(machine);
    machine.world().outlook.ResetCallCounts();
    state.ResumeTiming();

    addin->Start();

    state.PauseTiming();
    outlook_calls += machine.world().outlook.TotalCalls();
    quivra::bench::ReportCallCosts(state, machine.world().outlook);
    office_calls += addin->OfficeCalls();
    callbacks += addin->RibbonCallbacks();
    if (machine.world().outlook.EventConnectionCount() == 0 ||
        addin->module().configuration().ButtonNames[10].empty()) {
      state.SkipWithError("the add-in did not start with its configuration");
    }
    addin.reset();
    state.ResumeTiming();
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["outlook_calls"] = outlook_calls / runs;
  state.counters["office_calls"] = office_calls / runs;
  state.counters["ribbon_callbacks"] = callbacks / runs;
}
BENCHMARK(BM_StartUp)
    ->ArgNames({"outlook", "recent"})
    ->ArgsProduct({{2007, 2013}, {0, 20}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
