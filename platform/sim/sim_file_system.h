#ifndef QUIVRA_PLATFORM_SIM_SIM_FILE_SYSTEM_H_
#define QUIVRA_PLATFORM_SIM_SIM_FILE_SYSTEM_H_

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quivra::platform::sim {

// Files on the real disk of the test machine, below a root folder that stands for drive C:.
// Windows paths ("C:\Users\...\file") are mapped into the root. The local application-data
// folder is fixed at construction. A replace can be told to fail part-way, as a full disk would.
class SimFileSystem : public FileSystem {
 public:
  // `root` is an existing folder of the host; `local_app_data` a Windows path below "C:\".
  SimFileSystem(std::filesystem::path root, std::string local_app_data);

  std::string LocalAppDataFolder() override;
  bool DirectoryExists(const std::string& path) override;
  void CreateDirectories(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  std::string ReadWholeFile(const std::string& path) override;
  void ReplaceWholeFile(const std::string& path, std::string_view bytes) override;

  // The next `count` replaces write half their bytes to the temporary file and then fail.
  void FailNextReplaces(int count) { failing_replaces_ = count; }
  int replace_count() const { return replace_count_; }

  // The host path that a Windows path maps to.
  std::filesystem::path HostPath(const std::string& windows_path) const;

 private:
  std::filesystem::path root_;
  std::string local_app_data_;
  int failing_replaces_ = 0;
  int replace_count_ = 0;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_FILE_SYSTEM_H_
