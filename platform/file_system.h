#ifndef QUIVRA_PLATFORM_FILE_SYSTEM_H_
#define QUIVRA_PLATFORM_FILE_SYSTEM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::platform {

// Files and folders. Paths are Windows paths in UTF-8 with backslashes; failures raise
// PlatformError.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The current user's local (not roaming) application-data folder, created if missing.
  virtual std::string LocalAppDataFolder() = 0;

  virtual bool DirectoryExists(const std::string& path) = 0;
  // Creates the folder and any missing parents.
  virtual void CreateDirectories(const std::string& path) = 0;

  virtual bool FileExists(const std::string& path) = 0;
  // The whole file as bytes.
  virtual std::string ReadWholeFile(const std::string& path) = 0;
  // Replaces the file with `bytes`: they are written to a temporary file in the same folder,
  // which is then moved over the old file, so a failed write leaves the old file as it was.
  virtual void ReplaceWholeFile(const std::string& path, std::string_view bytes) = 0;

  // The names (without the folder) of the files in `folder` whose names begin with `prefix`,
  // in no particular order. A missing folder has no files.
  virtual std::vector<std::string> ListFiles(const std::string& folder,
                                             const std::string& prefix) = 0;
  // Deletes the file; a file that is not there is no failure.
  virtual void RemoveFile(const std::string& path) = 0;
  // Renames (moves within its volume) a file without reading it. Fails if `to` exists.
  virtual void RenameFile(const std::string& from, const std::string& to) = 0;
  // Adds `bytes` at the end of the file, creating it when missing.
  virtual void AppendToFile(const std::string& path, std::string_view bytes) = 0;
  // The file's size in bytes; 0 when it is not there.
  virtual std::uint64_t FileSize(const std::string& path) = 0;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_FILE_SYSTEM_H_
