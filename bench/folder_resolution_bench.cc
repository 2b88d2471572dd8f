// Resolution of stored folder references against a large store: the time per resolution and,
// as the counter "outlook_calls", the calls into Outlook it costs (each is a cross-component
// call in the real Outlook, which dominates the time there).
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/folder_resolution.h"
#include "host/outlook/sim/sim_outlook.h"
#include "model/configuration.h"

namespace {

using quivra::outlook::sim::SimFolder;
using quivra::outlook::sim::SimOutlook;

constexpr int kFolderCount = 10000;
constexpr int kFanOut = 5;  // 5 + 25 + 125 + 625 + 3125 + 6095 folders: six levels

// A mailbox and an archive in front of a store of kFolderCount folders, built breadth first so
// that the last folder made is six levels deep and the last of its siblings, the worst case
// for a lookup by name.
struct LargeStore {
  LargeStore() {
    outlook.AddStore("Mailbox").AddFolder("Inbox");
    outlook.AddStore("Archive").AddFolder("2023");
    SimFolder root = outlook.AddStore("Projects Archive");
    std::vector<SimFolder> level = {root};
    int made = 0;
    while (made < kFolderCount) {
      std::vector<SimFolder> next;
      for (const SimFolder& parent : level) {
        for (int i = 1; i <= kFanOut && made < kFolderCount; ++i, ++made) {
          next.push_back(parent.AddFolder("Folder " + std::to_string(i)));
        }
      }
      level = std::move(next);
    }
    deepest = level.back();
  }

  SimOutlook outlook;
  SimFolder deepest;
};

void BM_FindMapiFolderSixLevelsDown(benchmark::State& state) {
  LargeStore world;
  quivra::outlook::ApplicationPtr app = world.outlook.application();
  quivra::core::Configuration config;
  config.FolderNames[1] = world.deepest.path();
  config.StoreDetails[1] = {"Projects Archive", "Projects Archive", world.deepest.store_id()};
  world.outlook.ResetCallCounts();
  for (auto _ : state) {
    benchmark::DoNotOptimize(quivra::core::FindMapiFolder(*app, config, 1));
  }
  state.counters["outlook_calls"] =
      static_cast<double>(world.outlook.TotalCalls()) / static_cast<double>(state.iterations());
  state.SetLabel(config.FolderNames[1]);
}
BENCHMARK(BM_FindMapiFolderSixLevelsDown)->Unit(benchmark::kMicrosecond);

void BM_GetFolderPathSixLevelsDown(benchmark::State& state) {
  LargeStore world;
  quivra::outlook::MAPIFolderPtr folder = world.deepest.handle();
  world.outlook.ResetCallCounts();
  for (auto _ : state) {
    benchmark::DoNotOptimize(quivra::core::GetFolderPath(folder));
  }
  state.counters["outlook_calls"] =
      static_cast<double>(world.outlook.TotalCalls()) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GetFolderPathSixLevelsDown)->Unit(benchmark::kMicrosecond);

}  // namespace
