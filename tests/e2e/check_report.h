#ifndef QUIVRA_TESTS_E2E_CHECK_REPORT_H_
#define QUIVRA_TESTS_E2E_CHECK_REPORT_H_

#include <cstdio>
#include <string>

// The report of the Wine check programs: one PASS or FAIL line per check, flushed at once so the
// lines stay in order with what the programs under test print; the program exits with the
// number of failures.
namespace quivra::e2e {

inline int& Failures() {
  static int failures = 0;
  return failures;
}

inline void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) {
    ++Failures();
  }
}

}  // namespace quivra::e2e

#endif  // QUIVRA_TESTS_E2E_CHECK_REPORT_H_
