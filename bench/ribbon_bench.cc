// The explorer ribbon's first draw, which every user of a ribbon Outlook pays at every start:
// GetCustomUI, then onLoad and every callback the customUI text names, once each, as Office
// asks them when it first shows the tab. Office's calls are recorded once from the simulated
// ribbon and replayed by name into the add-in object, the way the DLL's IDispatch hands them
// on, so the figures hold the add-in's work only; BM_FirstRibbonDrawWithSimulatedOffice adds the
// simulated Office's own parsing and bookkeeping for comparison.
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/started_add_in.h"
#include "host/office/ribbon.h"
#include "host/office/sim/sim_ribbon.h"

namespace {

using quivra::bench::kExplorerRibbon;
using quivra::bench::OutlookMachine;
using quivra::bench::StartedAddIn;
using quivra::office::RibbonControl;
using quivra::office::RibbonExtensibility;
using quivra::office::RibbonUIPtr;
using quivra::office::RibbonValue;

// Passes Office's calls on to the add-in and keeps each callback with its arguments.
class RecordingAddIn : public RibbonExtensibility {
 public:
  struct Call {
    std::string callback;
    RibbonControl control;
    std::optional<bool> pressed;
  };

  explicit RecordingAddIn(RibbonExtensibility& addin) : addin_(addin) {}

  std::string GetCustomUI(const std::string& RibbonID) override {
    return addin_.GetCustomUI(RibbonID);
  }
  void RibbonLoad(const std::string& callback, const RibbonUIPtr& ribbon) override {
    on_load = callback;
    addin_.RibbonLoad(callback, ribbon);
  }
  RibbonValue RibbonCallback(const std::string& callback,
                             const RibbonControl& control,
                             std::optional<bool> pressed) override {
    calls.push_back({callback, control, pressed});
    return addin_.RibbonCallback(callback, control, pressed);
  }

  std::string on_load;
  std::vector<Call> calls;

 private:
  RibbonExtensibility& addin_;
};

void BM_GetCustomUI(benchmark::State& state) {
  OutlookMachine machine(2013, 20);
  StartedAddIn addin(machine);
  addin.Start();
  size_t size = 0;
  for (auto _ : state) {
    const std::string text = addin.addin().GetCustomUI(kExplorerRibbon);
    size = text.size();
    benchmark::DoNotOptimize(size);
  }
  state.counters["characters"] = static_cast<double>(size);
}
BENCHMARK(BM_GetCustomUI)->Unit(benchmark::kMicrosecond);

void BM_FirstRibbonDraw(benchmark::State& state) {
  OutlookMachine machine(2013, 20);
  StartedAddIn addin(machine);
  addin.Start();
  RecordingAddIn recorder(addin.addin());
  const std::shared_ptr<quivra::office::sim::SimRibbon> ribbon =
      quivra::office::sim::SimRibbon::Load(recorder, kExplorerRibbon);
  ribbon->Controls();
  if (recorder.calls.empty() || recorder.on_load.empty()) {
    state.SkipWithError("Office made no callbacks");
    return;
  }
  quivra::framework::TAddin& target = addin.addin();
  for (auto _ : state) {
    benchmark::DoNotOptimize(target.GetCustomUI(kExplorerRibbon));
    target.RibbonLoad(recorder.on_load, ribbon);
    for (const RecordingAddIn::Call& call : recorder.calls) {
      benchmark::DoNotOptimize(target.RibbonCallback(call.callback, call.control, call.pressed));
    }
  }
  state.counters["callbacks"] = static_cast<double>(recorder.calls.size());
  state.counters["controls"] = static_cast<double>(ribbon->Controls().size());
}
BENCHMARK(BM_FirstRibbonDraw)->Unit(benchmark::kMicrosecond);

void BM_FirstRibbonDrawWithSimulatedOffice(benchmark::State& state) {
  OutlookMachine machine(2013, 20);
  StartedAddIn addin(machine);
  addin.Start();
  int callbacks = 0;
  for (auto _ : state) {
    const auto ribbon = quivra::office::sim::SimRibbon::Load(addin.addin(), kExplorerRibbon);
    benchmark::DoNotOptimize(ribbon->Controls().size());
    callbacks = ribbon->callback_count();
  }
  state.counters["callbacks"] = callbacks;
}
BENCHMARK(BM_FirstRibbonDrawWithSimulatedOffice)->Unit(benchmark::kMicrosecond);

}  // namespace
