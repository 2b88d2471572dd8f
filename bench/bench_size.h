#ifndef QUIVRA_BENCH_BENCH_SIZE_H_
#define QUIVRA_BENCH_BENCH_SIZE_H_

#include <cstdlib>

namespace quivra::bench {

// Whether the benchmarks run only to show that they still run: ./scripts/test sets
// QUIVRA_BENCH_SMOKE=1 and runs each once, so the largest samples shrink to `smoke` (their
// figures then mean nothing); scripts/bench runs them at `full` size.
inline int SampleSize(int full, int smoke) {
  const char* value = std::getenv("QUIVRA_BENCH_SMOKE");
  return value != nullptr && value[0] == '1' ? smoke : full;
}

}  // namespace quivra::bench

#endif  // QUIVRA_BENCH_BENCH_SIZE_H_
