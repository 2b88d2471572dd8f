#ifndef QUIVRA_BENCH_CALL_COST_COUNTERS_H_
#define QUIVRA_BENCH_CALL_COST_COUNTERS_H_

#include <benchmark/benchmark.h>

#include "host/outlook/sim/call_costs.h"
#include "host/outlook/sim/sim_outlook.h"

namespace quivra::bench {

// Adds what the calls counted by `outlook` would cost a real Outlook, divided by `per`, as the
// counters "cached_ms" and "online_ms": the time a user waits for Outlook under each profile
// (outlook/sim/call_costs.h), beside the add-in's own time the benchmark measures.
inline void ReportCallCosts(benchmark::State& state,
                            const outlook::sim::SimOutlook& outlook,
                            double per = 1) {
  using outlook::sim::StoreProfile;
  state.counters["cached_ms"] =
      outlook::sim::ChargedMilliseconds(outlook.calls(), StoreProfile::kCached) / per;
  state.counters["online_ms"] =
      outlook::sim::ChargedMilliseconds(outlook.calls(), StoreProfile::kOnline) / per;
}

}  // namespace quivra::bench

#endif  // QUIVRA_BENCH_CALL_COST_COUNTERS_H_
