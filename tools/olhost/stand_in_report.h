#ifndef QUIVRA_TOOLS_OLHOST_STAND_IN_REPORT_H_
#define QUIVRA_TOOLS_OLHOST_STAND_IN_REPORT_H_

#include <windows.h>

#include <cstdio>
#include <string>

// The stand-in's report of what Outlook and its add-ins did: one line each, flushed at once so
// that the lines stay in order with what the add-ins print.
namespace quivra::olhost {

inline void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

inline std::string Hex(HRESULT result) {
  if (result == S_OK) {
    return "S_OK";
  }
  if (result == S_FALSE) {
    return "S_FALSE";
  }
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
  return text;
}

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_STAND_IN_REPORT_H_
