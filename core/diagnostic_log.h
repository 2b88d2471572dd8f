#ifndef QUIVRA_CORE_DIAGNOSTIC_LOG_H_
#define QUIVRA_CORE_DIAGNOSTIC_LOG_H_

#include <cstdint>
#include <exception>
#include <string>

#include "platform/platform.h"

namespace quivra::core {

// The add-in's diagnostic log, for support. It is off unless the current user's registry has
// the DWORD value DiagnosticLog = 1 under HKEY_CURRENT_USER\Software\QuivraOL, read at start-up.
// Lines go to "QuivraOL.log" beside the configuration file, in the user's local
// application-data folder. A file is kept under kMaxFileBytes: when a line would take it past
// that, it becomes "QuivraOL.log.1" (replacing the one before) and a new file begins, so the
// log never holds more than twice the cap.
//
// It records what the add-in did: start-up, each filing with its folder paths, counts and
// HRESULTs, each message shown. Callers never pass an item's subject or contents. Writing never
// raises: a log that cannot be written falls silent for the rest of the session.
class DiagnosticLog {
 public:
  static constexpr char kSwitchKey[] = "Software\\QuivraOL";
  static constexpr char kSwitchValue[] = "DiagnosticLog";
  static constexpr char kFileName[] = "QuivraOL.log";
  static constexpr char kOldFileName[] = "QuivraOL.log.1";
  static constexpr std::uint64_t kMaxFileBytes = 256 * 1024;

  explicit DiagnosticLog(platform::Platform& platform) : platform_(platform) {}

  // Reads the switch; until then, and while it is off, nothing is written.
  void Open();
  bool enabled() const { return enabled_; }

  // Appends "YYYY-MM-DD HH:MM:SS text" and CR LF.
  void Write(const std::string& text);

  // "HRESULT 0x80004005" for the exception being handled when it carries an HRESULT, its
  // message otherwise; for log lines written in a catch block.
  static std::string DescribeCaught();

 private:
  platform::Platform& platform_;
  bool enabled_ = false;
  std::string folder_;
};

}  // namespace quivra::core

#endif  // QUIVRA_CORE_DIAGNOSTIC_LOG_H_
