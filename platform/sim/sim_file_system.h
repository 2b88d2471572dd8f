#ifndef QUIVRA_PLATFORM_SIM_SIM_FILE_SYSTEM_H_
#define QUIVRA_PLATFORM_SIM_SIM_FILE_SYSTEM_H_

#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace quivra::platform::sim {

// Files on the real disk of the test machine, below a root folder that stands for drive C:.
// Windows paths ("C:\Users\...\file") are mapped into the root. The local application-data
// folder is fixed at construction. A replace can be told to fail part-way, as a full disk would,
// and every call can be told to fail outright, as a locked file or a failing disk would.
class SimFileSystem : public FileSystem {
 public:
  enum class Call {
    kLocalAppDataFolder,
    kDirectoryExists,
    kCreateDirectories,
    kFileExists,
    kReadWholeFile,
    kReplaceWholeFile,
    kListFiles,
    kRemoveFile,
    kRenameFile,
    kAppendToFile,
    kFileSize,
  };
  static constexpr size_t kCallCount = static_cast<size_t>(Call::kFileSize) + 1;

  // `root` is an existing folder of the host; `local_app_data` a Windows path below "C:\".
  SimFileSystem(std::filesystem::path root, std::string local_app_data);

  std::string LocalAppDataFolder() override;
  bool DirectoryExists(const std::string& path) override;
  void CreateDirectories(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  std::string ReadWholeFile(const std::string& path) override;
  void ReplaceWholeFile(const std::string& path, std::string_view bytes) override;
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& prefix) override;
  void RemoveFile(const std::string& path) override;
  void RenameFile(const std::string& from, const std::string& to) override;
  void AppendToFile(const std::string& path, std::string_view bytes) override;
  std::uint64_t FileSize(const std::string& path) override;

  // The next `count` replaces write half their bytes to the temporary file and then fail.
  void FailNextReplaces(int count) { failing_replaces_ = count; }
  int replace_count() const { return replace_count_; }
  // The bytes the last replace was asked to write, whether or not it succeeded.
  const std::string& last_replace_bytes() const { return last_replace_bytes_; }
  // The bytes the last replace of that file was asked to write; empty when there was none.
  std::string last_replace_bytes(const std::string& path) const {
    auto found = replaced_bytes_.find(path);
    return found == replaced_bytes_.end() ? std::string() : found->second;
  }

  // The next `count` calls of `call` raise PlatformError before touching the disk.
  void FailNext(Call call, int count = 1) { failing_calls_[static_cast<size_t>(call)] = count; }
  // Every call made so far, failed ones included, counted by kind.
  int calls(Call call) const { return call_counts_[static_cast<size_t>(call)]; }
  // Every call made so far, of any kind.
  int total_calls() const { return total_calls_; }
  // The call that brings total_calls() to `number` raises PlatformError, whatever its kind
  // (0: none). Sweeps fail each call of an operation in turn with it.
  void FailCallNumber(int number) { failing_call_number_ = number; }

  // The host path that a Windows path maps to.
  std::filesystem::path HostPath(const std::string& windows_path) const;

 private:
  std::filesystem::path root_;
  std::string local_app_data_;
  // Counts the call and raises PlatformError if it was told to fail.
  void Enter(Call call, const std::string& path);

  std::array<int, kCallCount> failing_calls_{};
  std::array<int, kCallCount> call_counts_{};
  int total_calls_ = 0;
  int failing_call_number_ = 0;
  int failing_replaces_ = 0;
  int replace_count_ = 0;
  std::string last_replace_bytes_;
  std::map<std::string, std::string> replaced_bytes_;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_FILE_SYSTEM_H_
