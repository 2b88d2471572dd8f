// Save and load of a full configuration: eleven slots, twenty recently used folders and two
// hundred expanded tree nodes, through the simulated file system (a real temporary folder).
#include <string>

#include <benchmark/benchmark.h>

#include "model/configuration.h"
#include "model/configuration_file.h"
#include "platform/compositions/sim/sim_platform.h"

namespace {

using quivra::core::Configuration;
using quivra::core::ConfigurationFile;

void FillFullConfiguration(Configuration& config) {
  for (int slot = 1; slot <= 11; ++slot) {
    const std::string n = std::to_string(slot);
    config.FolderNames[slot] = "Mailbox - Tester\\Inbox\\Projects\\Project " + n;
    config.ButtonNames[slot] = "Project " + n;
    config.StoreDetails[slot] = {"Mailbox - Tester", "Mailbox - Tester",
                                 "0000000038A1BB1005E5101AA1BB08002B2A56C20000" + n};
  }
  config.MainButtonCaption = "Quivra";
  for (int i = 1; i <= 20; ++i) {
    config.MruList[i] = {"Archive\\20" + std::to_string(i) + "\\Customers & Partners", "Archive",
                         "0000000038A1BB1005E5101AA1BB08002B2A56C2AAAA"};
  }
  std::vector<std::string> expanded;
  for (int i = 0; i < 200; ++i) {
    expanded.push_back("00000000D7A1C5B4E2F34A6B9C8D7E6F5A4B3C2D0100" + std::to_string(i));
  }
  config.ExpandList = std::move(expanded);
}

void BM_SaveAndLoadFullConfiguration(benchmark::State& state) {
  quivra::platform::sim::SimPlatform sim;
  Configuration config;
  FillFullConfiguration(config);
  ConfigurationFile file(config, sim.platform());
  for (auto _ : state) {
    file.SaveButtonsToFile();
    file.LoadButtonsFromFile();
    benchmark::DoNotOptimize(config.ExpandList->size());
  }
}
BENCHMARK(BM_SaveAndLoadFullConfiguration)->Unit(benchmark::kMicrosecond);

void BM_RenderFullConfiguration(benchmark::State& state) {
  Configuration config;
  FillFullConfiguration(config);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ConfigurationFile::Render(config, {2026, 12, 9, 8, 5, 3}, ":"));
  }
}
BENCHMARK(BM_RenderFullConfiguration)->Unit(benchmark::kMicrosecond);

}  // namespace
