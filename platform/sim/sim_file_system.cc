#include "platform/sim/sim_file_system.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "platform/platform_error.h"

namespace quivra::platform::sim {

namespace fs = std::filesystem;

SimFileSystem::SimFileSystem(fs::path root, std::string local_app_data)
    : root_(std::move(root)), local_app_data_(std::move(local_app_data)) {}

fs::path SimFileSystem::HostPath(const std::string& windows_path) const {
  std::string relative = windows_path;
  if (relative.size() >= 2 && relative[1] == ':') {
    relative.erase(0, 2);
  }
  for (char& c : relative) {
    if (c == '\\') {
      c = '/';
    }
  }
  while (!relative.empty() && relative.front() == '/') {
    relative.erase(0, 1);
  }
  return root_ / fs::path(std::u8string(relative.begin(), relative.end()));
}

std::string SimFileSystem::LocalAppDataFolder() {
  CreateDirectories(local_app_data_);
  return local_app_data_;
}

bool SimFileSystem::DirectoryExists(const std::string& path) {
  std::error_code error;
  return fs::is_directory(HostPath(path), error);
}

void SimFileSystem::CreateDirectories(const std::string& path) {
  std::error_code error;
  fs::create_directories(HostPath(path), error);
  if (error) {
    throw PlatformError("Cannot create folder " + path + ": " + error.message());
  }
}

bool SimFileSystem::FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(HostPath(path), error);
}

std::string SimFileSystem::ReadWholeFile(const std::string& path) {
  std::ifstream in(HostPath(path), std::ios::binary);
  if (!in) {
    throw PlatformError("Cannot open file " + path);
  }
  std::string bytes((std::istreambuf_iterator<char>(in)),
                    std::istreambuf_iterator<char>());
  if (in.bad()) {
    throw PlatformError("Cannot read file " + path);
  }
  return bytes;
}

void SimFileSystem::ReplaceWholeFile(const std::string& path,
                                     std::string_view bytes) {
  ++replace_count_;
  const fs::path target = HostPath(path);
  fs::path temporary = target;
  temporary += ".tmp";
  const bool fail = failing_replaces_ > 0;
  if (fail) {
    --failing_replaces_;
  }
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      throw PlatformError("Cannot create file " + path);
    }
    const std::string_view written = fail ? bytes.substr(0, bytes.size() / 2) : bytes;
    out.write(written.data(), static_cast<std::streamsize>(written.size()));
    out.flush();
    if (fail || !out) {
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      throw PlatformError("Cannot write file " + path + ": the disk is full");
    }
  }
  std::error_code error;
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    throw PlatformError("Cannot replace file " + path + ": " + error.message());
  }
}

}  // namespace quivra::platform::sim
