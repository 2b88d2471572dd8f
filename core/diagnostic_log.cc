#include "core/diagnostic_log.h"

#include <cstdio>

#include "model/configuration_file.h"
#include "platform/hresult_error.h"

namespace quivra::core {

namespace {

std::string Timestamp(const platform::LocalTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  return text;
}

}  // namespace

void DiagnosticLog::Open() {
  enabled_ = false;
  try {
    const platform::RegistryKey key{platform::RegistryRoot::kCurrentUser, kSwitchKey};
    if (platform_.registry.ReadDword(key, kSwitchValue).value_or(0) != 1) {
      return;
    }
    folder_ = platform_.files.LocalAppDataFolder() + "\\" + ConfigurationFile::kFolderName;
    platform_.files.CreateDirectories(folder_);
    enabled_ = true;
  } catch (...) {
    // No folder for the log: the add-in works on without one.
  }
}

void DiagnosticLog::Write(const std::string& text) {
  if (!enabled_) {
    return;
  }
  try {
    const std::string line = Timestamp(platform_.clock.Now()) + " " + text + "\r\n";
    const std::string path = folder_ + "\\" + kFileName;
    if (platform_.files.FileSize(path) + line.size() > kMaxFileBytes) {
      const std::string old_path = folder_ + "\\" + kOldFileName;
      platform_.files.RemoveFile(old_path);
      platform_.files.RenameFile(path, old_path);
    }
    platform_.files.AppendToFile(path, line);
  } catch (...) {
    enabled_ = false;
  }
}

std::string DiagnosticLog::DescribeCaught() {
  try {
    throw;
  } catch (const platform::HresultError& error) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(error.code()));
    // The code alone: an error's text may quote what the user's mail holds.
    return std::string("HRESULT ") + code;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "unknown error";
  }
}

}  // namespace quivra::core
