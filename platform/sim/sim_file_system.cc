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

void SimFileSystem::Enter(Call call, const std::string& path) {
  const auto index = static_cast<size_t>(call);
  ++call_counts_[index];
  if (++total_calls_ == failing_call_number_) {
    throw PlatformError("Cannot use " + path + ": the device is not ready");
  }
  if (failing_calls_[index] > 0) {
    --failing_calls_[index];
    throw PlatformError("Cannot use " + path + ": the device is not ready");
  }
}

std::string SimFileSystem::LocalAppDataFolder() {
  Enter(Call::kLocalAppDataFolder, local_app_data_);
  CreateDirectories(local_app_data_);
  return local_app_data_;
}

bool SimFileSystem::DirectoryExists(const std::string& path) {
  Enter(Call::kDirectoryExists, path);
  std::error_code error;
  return fs::is_directory(HostPath(path), error);
}

void SimFileSystem::CreateDirectories(const std::string& path) {
  Enter(Call::kCreateDirectories, path);
  std::error_code error;
  fs::create_directories(HostPath(path), error);
  if (error) {
    throw PlatformError("Cannot create folder " + path + ": " + error.message());
  }
}

bool SimFileSystem::FileExists(const std::string& path) {
  Enter(Call::kFileExists, path);
  std::error_code error;
  return fs::is_regular_file(HostPath(path), error);
}

std::string SimFileSystem::ReadWholeFile(const std::string& path) {
  Enter(Call::kReadWholeFile, path);
  std::ifstream in(HostPath(path), std::ios::binary);
  if (!in) {
    throw PlatformError("Cannot open file " + path);
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    throw PlatformError("Cannot read file " + path);
  }
  return bytes;
}

void SimFileSystem::ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  Enter(Call::kReplaceWholeFile, path);
  ++replace_count_;
  last_replace_bytes_ = std::string(bytes);
  replaced_bytes_[path] = last_replace_bytes_;
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

std::vector<std::string> SimFileSystem::ListFiles(const std::string& folder,
                                                  const std::string& prefix) {
  Enter(Call::kListFiles, folder);
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator entries(HostPath(folder), error);
  if (error) {
    if (error == std::errc::no_such_file_or_directory) {
      return names;
    }
    throw PlatformError("Cannot list folder " + folder + ": " + error.message());
  }
  for (const fs::directory_entry& entry : entries) {
    if (!entry.is_regular_file(error)) {
      continue;
    }
    const std::u8string name = entry.path().filename().u8string();
    std::string text(name.begin(), name.end());
    if (text.compare(0, prefix.size(), prefix) == 0) {
      names.push_back(std::move(text));
    }
  }
  return names;
}

void SimFileSystem::RemoveFile(const std::string& path) {
  Enter(Call::kRemoveFile, path);
  std::error_code error;
  fs::remove(HostPath(path), error);
  if (error) {
    throw PlatformError("Cannot delete file " + path + ": " + error.message());
  }
}

void SimFileSystem::RenameFile(const std::string& from, const std::string& to) {
  Enter(Call::kRenameFile, from);
  std::error_code error;
  if (fs::exists(HostPath(to), error)) {
    throw PlatformError("Cannot rename file " + from + ": " + to + " exists");
  }
  fs::rename(HostPath(from), HostPath(to), error);
  if (error) {
    throw PlatformError("Cannot rename file " + from + ": " + error.message());
  }
}

void SimFileSystem::AppendToFile(const std::string& path, std::string_view bytes) {
  Enter(Call::kAppendToFile, path);
  std::ofstream out(HostPath(path), std::ios::binary | std::ios::app);
  if (!out) {
    throw PlatformError("Cannot open file " + path);
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) {
    throw PlatformError("Cannot write file " + path);
  }
}

std::uint64_t SimFileSystem::FileSize(const std::string& path) {
  Enter(Call::kFileSize, path);
  std::error_code error;
  const std::uintmax_t size = fs::file_size(HostPath(path), error);
  return error ? 0 : static_cast<std::uint64_t>(size);
}

}  // namespace quivra::platform::sim
