// The fault sweep: the scripted session of fault_sweep_session.h is run once to count the calls
// the add-in makes into Outlook and Office (N), then once for every k with call k failed, the
// runs shared among shards.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <ostream>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/fault_sweep_session.h"

namespace quivra::core {
namespace {

using sweep::Session;
using sweep::SweepTally;

// The runs are shared among shards, so that each test stays short and they run side by side.
constexpr int kShards = 8;

// Under the sanitizers, where a run takes about three times as long, every second call of the
// shard's share is failed, the half chosen by the day of the year (SWEEP_SHIFT, when set, in its
// place, so that a day's sample can be run again); the plain suite fails every call.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The first run of a shard's share and the distance between its runs.
std::pair<int, int> SweptRuns(int shard) {
  if (!kSanitized) {
    return {1 + shard, kShards};
  }
  int shift = 0;
  if (const char* value = std::getenv("SWEEP_SHIFT"); value != nullptr) {
    shift = std::atoi(value);
  } else {
    const std::time_t now = std::time(nullptr);
    shift = std::localtime(&now)->tm_yday + 1;
  }
  std::printf("sanitized sweep: half of the calls, shifted by %d (SWEEP_SHIFT=%d again)\n", shift,
              shift);
  return {1 + shard + kShards * (shift % 2), 2 * kShards};
}

struct SweepShard {
  bool ribbon;
  int shard;
};

void PrintTo(const SweepShard& shard, std::ostream* out) {
  *out << (shard.ribbon ? "ribbon" : "command bars") << ", shard " << shard.shard + 1;
}

class FaultSweepTest : public ::testing::TestWithParam<SweepShard> {};

// Runs the session once to count its calls (N), then fails call k in run k, for every k of
// the shard's share.
TEST_P(FaultSweepTest, EveryCallFailedInTurn) {
  const auto [ribbon, shard] = GetParam();
  SweepTally counting;
  int calls = 0;
  {
    Session session(ribbon, 0, counting);
    session.Run();
    calls = session.calls();
  }
  EXPECT_TRUE(counting.problems.empty()) << counting.problems.front();

  SweepTally tally;
  const auto [first, step] = SweptRuns(shard);
  for (int k = first; k <= calls; k += step) {
    Session session(ribbon, k, tally);
    session.Run();
    ++tally.runs;
  }
  std::printf(
      "%s, runs k = %d mod %d: N=%d calls, %d runs, %d failure results returned to Office, %d "
      "exceptions out of events, %d error boxes answered, %d files neither old nor new, %d "
      "files that lost a slot, %d add-ins that no longer filed (%d faults reported to the user "
      "that left the buttons until the next start, which filed)\n",
      ribbon ? "Outlook 2013 (ribbon)" : "Outlook 2007 (command bars)", first, step, calls,
      tally.runs, tally.failed_interface_calls, tally.escaped_events, tally.error_boxes,
      tally.bad_files, tally.lost_slots, tally.dead_after_fault, tally.told_and_restarted);
  for (size_t i = 0; i < tally.problems.size() && i < 20; ++i) {
    std::printf("  %s\n", tally.problems[i].c_str());
  }
  EXPECT_GT(calls, 0);
  EXPECT_EQ(tally.runs, calls >= first ? (calls - first) / step + 1 : 0);
  EXPECT_EQ(tally.escaped_events, 0);
  EXPECT_EQ(tally.bad_files, 0);
  EXPECT_EQ(tally.lost_slots, 0);
  EXPECT_EQ(tally.dead_after_fault, 0);
}

std::vector<SweepShard> Shards() {
  std::vector<SweepShard> shards;
  for (const bool ribbon : {false, true}) {
    for (int shard = 0; shard < kShards; ++shard) {
      shards.push_back({ribbon, shard});
    }
  }
  return shards;
}

INSTANTIATE_TEST_SUITE_P(Sessions,
                         FaultSweepTest,
                         ::testing::ValuesIn(Shards()),
                         [](const ::testing::TestParamInfo<SweepShard>& info) {
                           return std::string(info.param.ribbon ? "Ribbon" : "CommandBars") +
                                  std::to_string(info.param.shard + 1);
                         });

}  // namespace
}  // namespace quivra::core
