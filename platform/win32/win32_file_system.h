#ifndef QUIVRA_PLATFORM_WIN32_WIN32_FILE_SYSTEM_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_FILE_SYSTEM_H_

#include "platform/file_system.h"

namespace quivra::platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
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
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_FILE_SYSTEM_H_
