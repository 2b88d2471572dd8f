// Folder suggestions learned from the user's filing.
//
// BM_ReplaySyntheticFilingHistory replays a generated filing history in time order: before each
// mail is learned, the folders suggested for it are compared with the folder it was filed into,
// and so are the most recently used folders (the picker's list before suggestions), as the
// baseline. Counters: top1/top3 of the suggestion (a folder among the first three shown) and of
// the baseline. The history is synthetic (no public labelled corpus of filed mail was
// installable here): senders, their domains and conversations are drawn with a fixed seed, each
// sender files mostly into a home folder of their domain's, a conversation stays in one folder,
// and a share of mail goes to folders chosen regardless of sender (tasks, projects).
//
// BM_SuggestFromAFullHistory: one suggestion with 20,000 records.
// BM_SuggestForTheSelection: what the picker's opening now adds, against the standard
// simulated Outlook with a full history: reading the selected mail's keys, ranking, and checking
// the suggested folders still exist.
#include <cmath>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/bench_size.h"
#include "core/folder_suggestions.h"
#include "host/outlook/sim/standard_world.h"
#include "model/filing_history.h"
#include "platform/compositions/sim/sim_platform.h"

namespace {

using quivra::core::FilingHistory;
using quivra::core::KeysOfMail;
using quivra::core::LearnedFolder;
using quivra::core::MailKeys;

struct Mail {
  MailKeys keys;
  int folder = 0;
};

// A filing history of `count` mails in time order.
std::vector<Mail> SyntheticHistory(int count, unsigned seed) {
  constexpr int kFolders = 60;
  constexpr int kDomains = 80;
  constexpr int kSenders = 600;
  std::mt19937 random(seed);
  std::vector<int> domain_of(kSenders);
  std::vector<int> home_of(kSenders);
  std::vector<int> second_of(kSenders);
  std::vector<int> domain_folder(kDomains);
  for (int d = 0; d < kDomains; ++d) {
    domain_folder[d] = static_cast<int>(random() % kFolders);
  }
  // Few senders write most mail: a Zipf-like choice of sender.
  std::vector<double> weights(kSenders);
  for (int s = 0; s < kSenders; ++s) {
    domain_of[s] = static_cast<int>(random() % kDomains);
    home_of[s] =
        random() % 10 < 7 ? domain_folder[domain_of[s]] : static_cast<int>(random() % kFolders);
    second_of[s] = static_cast<int>(random() % kFolders);
    weights[s] = 1.0 / (s + 1);
  }
  std::discrete_distribution<int> sender_of(weights.begin(), weights.end());
  std::vector<Mail> mails;
  struct Thread {
    int sender;
    int folder;
    int left;
    std::string topic;
  };
  std::deque<Thread> threads;
  int topics = 0;
  for (int i = 0; i < count; ++i) {
    Mail mail;
    if (!threads.empty() && random() % 10 < 3) {
      // A reply in an open conversation, filed where it was.
      Thread& thread = threads[random() % threads.size()];
      const int sender = random() % 2 == 0 ? thread.sender : sender_of(random);
      mail.keys = KeysOfMail(
          "s" + std::to_string(sender) + "@d" + std::to_string(domain_of[sender]) + ".example", "",
          "RE: " + thread.topic);
      mail.folder = thread.folder;
      if (--thread.left == 0) {
        thread = threads.back();
        threads.pop_back();
      }
    } else {
      const int sender = sender_of(random);
      const int draw = static_cast<int>(random() % 100);
      mail.folder = draw < 65   ? home_of[sender]
                    : draw < 85 ? second_of[sender]
                                : static_cast<int>(random() % kFolders);
      const std::string topic = "topic " + std::to_string(topics++);
      mail.keys = KeysOfMail(
          "s" + std::to_string(sender) + "@d" + std::to_string(domain_of[sender]) + ".example", "",
          topic);
      threads.push_back({sender, mail.folder, static_cast<int>(1 + random() % 4), topic});
      if (threads.size() > 200) {
        threads.pop_front();
      }
    }
    mails.push_back(std::move(mail));
  }
  return mails;
}

LearnedFolder FolderOf(int folder) {
  return {"STORE", "ENTRY" + std::to_string(folder), "Mailbox\\Folder " + std::to_string(folder)};
}

void BM_ReplaySyntheticFilingHistory(benchmark::State& state) {
  const std::vector<Mail> mails =
      SyntheticHistory(quivra::bench::SampleSize(30000, 2000), 20261210);
  double top1 = 0, top3 = 0, mru1 = 0, mru3 = 0, counted = 0;
  for (auto _ : state) {
    quivra::platform::sim::SimPlatform sim;
    FilingHistory history(sim.platform());
    std::deque<int> recent;  // most recently used first, at most 20
    top1 = top3 = mru1 = mru3 = counted = 0;
    for (size_t i = 0; i < mails.size(); ++i) {
      const Mail& mail = mails[i];
      const std::string wanted = FolderOf(mail.folder).entry_id;
      if (i >= 1000) {  // after a first month of learning
        const std::vector<LearnedFolder> best =
            history.Suggest(mail.keys, 3, [](const LearnedFolder&) { return true; });
        counted += 1;
        for (size_t k = 0; k < best.size(); ++k) {
          if (best[k].entry_id == wanted) {
            top1 += k == 0 ? 1 : 0;
            top3 += 1;
          }
        }
        for (size_t k = 0; k < recent.size() && k < 3; ++k) {
          if (recent[k] == mail.folder) {
            mru1 += k == 0 ? 1 : 0;
            mru3 += 1;
          }
        }
      }
      history.Record(mail.keys, FolderOf(mail.folder));
      std::erase(recent, mail.folder);
      recent.push_front(mail.folder);
      if (recent.size() > 20) {
        recent.pop_back();
      }
    }
  }
  state.counters["suggested_top1"] = top1 / counted;
  state.counters["suggested_top3"] = top3 / counted;
  state.counters["recent_top1"] = mru1 / counted;
  state.counters["recent_top3"] = mru3 / counted;
  state.counters["mails"] = counted;
}
BENCHMARK(BM_ReplaySyntheticFilingHistory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SuggestFromAFullHistory(benchmark::State& state) {
  quivra::platform::sim::SimPlatform sim;
  FilingHistory history(sim.platform());
  const std::vector<Mail> mails = SyntheticHistory(FilingHistory::kCapacity, 7);
  for (const Mail& mail : mails) {
    history.Record(mail.keys, FolderOf(mail.folder));
  }
  size_t i = 0;
  for (auto _ : state) {
    const Mail& mail = mails[i++ % mails.size()];
    benchmark::DoNotOptimize(
        history.Suggest(mail.keys, 3, [](const LearnedFolder&) { return true; }));
  }
  state.counters["records"] = static_cast<double>(history.size());
}
BENCHMARK(BM_SuggestFromAFullHistory)->Unit(benchmark::kMicrosecond);

void BM_SuggestForTheSelection(benchmark::State& state) {
  quivra::outlook::sim::StandardWorld world;
  quivra::platform::sim::SimPlatform sim;
  FilingHistory history(sim.platform());
  const std::vector<quivra::outlook::sim::SimFolder> folders = {
      world.alpha, world.beta, world.specs, world.projects, world.archive_2023, world.archive_2024};
  const std::vector<Mail> mails = SyntheticHistory(FilingHistory::kCapacity, 11);
  for (const Mail& mail : mails) {
    const auto& folder = folders[static_cast<size_t>(mail.folder) % folders.size()];
    history.Record(mail.keys, {folder.store_id(), folder.entry_id(), folder.path()});
  }
  // The mail selected comes from a sender with a history.
  world.inbox_mail[0].SetSender("s0@d" + std::string("0") + ".example");
  world.explorer.Select({world.inbox_mail[0]});
  auto application = world.outlook.application();
  for (auto _ : state) {
    benchmark::DoNotOptimize(quivra::core::SuggestForSelection(*application, history, 3));
  }
}
BENCHMARK(BM_SuggestForTheSelection)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// Writing a full history, as every filing does once the history is full: the file's text.
void BM_RenderAFullHistory(benchmark::State& state) {
  quivra::platform::sim::SimPlatform sim;
  FilingHistory history(sim.platform());
  for (const Mail& mail : SyntheticHistory(FilingHistory::kCapacity, 5)) {
    history.Record(mail.keys, FolderOf(mail.folder));
  }
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = history.Render().size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RenderAFullHistory)->Unit(benchmark::kMillisecond);

}  // namespace
