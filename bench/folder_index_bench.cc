// Finding a folder by typing in the picker over 10,000 mail folders in three stores: reading
// the index from Outlook at the first keystroke (time, and as the counter "calls_per_folder"
// the calls into Outlook it costs per folder), and the matching and ranking of one keystroke.
#include <string>

#include <benchmark/benchmark.h>

#include "dialogs/folder_index.h"
#include "dialogs/folder_index_reader.h"
#include "host/outlook/sim/sim_outlook.h"
#include "platform/sim/sim_collation.h"

namespace {

using quivra::outlook::sim::SimFolder;
using quivra::outlook::sim::SimOutlook;

// Three stores of 40 customers with 3 years of 27 projects each, plus their top-level folders:
// 3 * (1 + 40 * (1 + 3 * (1 + 27))) = 10,203 folders, with accented and repeated names.
struct ManyFolders {
  ManyFolders() {
    const char* stores[] = {"Mailbox", "Archive", "Shared Projects"};
    for (const char* store_name : stores) {
      SimFolder store = outlook.AddStore(store_name);
      if (folders == 0) {
        outlook.SetDefaultFolder(quivra::outlook::kFolderInbox, store.AddFolder("Inbox"));
        ++folders;
      }
      ++folders;
      for (int c = 0; c < 40; ++c) {
        SimFolder customer = store.AddFolder((c % 3 == 0 ? "M\xC3\xBCller " : "Customer ") +
                                             std::to_string((c * 17) % 40));
        ++folders;
        for (int y = 2022; y <= 2024; ++y) {
          SimFolder year = customer.AddFolder(std::to_string(y));
          ++folders;
          for (int p = 0; p < 27; ++p) {
            year.AddFolder("Project " + std::to_string(p) + (p % 2 ? " Alpha" : " Beta"));
            ++folders;
          }
        }
      }
    }
  }

  SimOutlook outlook;
  int folders = 0;
};

void BM_IndexTenThousandFolders(benchmark::State& state) {
  ManyFolders world;
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
    state.SkipWithError("not every folder was indexed");
  }
  state.counters["folders"] = static_cast<double>(indexed);
  state.counters["calls_per_folder"] = calls / static_cast<double>(indexed);
}
BENCHMARK(BM_IndexTenThousandFolders)->Unit(benchmark::kMillisecond);

// One keystroke: the typed text folded, every name searched, the best 100 ranked. "a" matches
// nearly every folder; "alp" about half; "m\xC3\xBCller\\2023" is a path query.
void BM_KeystrokeOverTenThousandFolders(benchmark::State& state, const std::string& typed) {
  ManyFolders world;
  quivra::platform::sim::SimCollation collation;
  quivra::dialogs::FolderIndex index =
      quivra::dialogs::ReadFolderIndex(*world.outlook.application(), collation);
  index.MarkRecent("Archive\\Customer 1\\2023\\Project 3 Alpha", "", 1);
  size_t matches = 0;
  for (auto _ : state) {
    matches = index.Find(collation.Fold(typed), 100).size();
    benchmark::DoNotOptimize(matches);
  }
  state.counters["shown"] = static_cast<double>(matches);
}
BENCHMARK_CAPTURE(BM_KeystrokeOverTenThousandFolders, a, std::string("a"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeOverTenThousandFolders, alp, std::string("alp"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeOverTenThousandFolders, path, std::string("muller 1\\2023"))
    ->Unit(benchmark::kMillisecond);

}  // namespace
