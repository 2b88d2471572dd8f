// Save and load of a full configuration: eleven slots, twenty recently used folders and two
// hundred expanded tree nodes, through the simulated file system (a real temporary folder);
// then the same split into its processor part (render and parse, the add-in's own code) and
// its disk part (the atomic replace and the read), so that each has its own figure.
#include <optional>
#include <string>

#include <benchmark/benchmark.h>

#include "model/configuration.h"
#include "model/configuration_document.h"
#include "model/configuration_file.h"
#include "platform/compositions/sim/sim_platform.h"
#include "xml/document.h"

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

// The processor part of a save and a load: the text rendered, parsed and read back over the
// configuration.
void BM_RenderAndParseFullConfiguration(benchmark::State& state) {
  Configuration config;
  FillFullConfiguration(config);
  Configuration read;
  for (auto _ : state) {
    const std::string text = ConfigurationFile::Render(config, {2026, 12, 9, 8, 5, 3}, ":");
    read.ClearSlots();
    const std::optional<quivra::xml::Document> document = quivra::xml::Document::Parse(text);
    quivra::core::ReadConfigurationDocument(*document, read);
    benchmark::DoNotOptimize(read.ExpandList->size());
  }
  if (read.FolderNames != config.FolderNames || read.MruList != config.MruList) {
    state.SkipWithError("the configuration did not come back");
  }
}
BENCHMARK(BM_RenderAndParseFullConfiguration)->Unit(benchmark::kMicrosecond);

// The disk part of a save and a load: the folder checked, the file replaced through a
// temporary file, then checked and read whole.
void BM_WriteAndReadFullConfigurationFile(benchmark::State& state) {
  quivra::platform::sim::SimPlatform sim;
  Configuration config;
  FillFullConfiguration(config);
  const std::string bytes = ConfigurationFile::Render(config, {2026, 12, 9, 8, 5, 3}, ":");
  quivra::platform::FileSystem& files = sim.platform().files;
  const std::string folder = ConfigurationFile(config, sim.platform()).ConfigPath();
  const std::string path = folder + "\\" + ConfigurationFile::kFileName;
  for (auto _ : state) {
    benchmark::DoNotOptimize(files.DirectoryExists(folder));
    files.ReplaceWholeFile(path, bytes);
    benchmark::DoNotOptimize(files.DirectoryExists(folder));
    if (!files.FileExists(path) || files.ReadWholeFile(path).size() != bytes.size()) {
      state.SkipWithError("the file did not come back");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_WriteAndReadFullConfigurationFile)->Unit(benchmark::kMicrosecond);

}  // namespace
