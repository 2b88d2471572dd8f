#include "platform/win32/win32_file_system.h"

#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace quivra::platform::win32 {

namespace {

// Closes a file now, reporting whether the system accepted the close (a write may fail there).
bool Close(UniqueFile& file) {
  return ::CloseHandle(file.release()) != 0;
}

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw PlatformError(what + " " + path + ": " + SystemErrorText(::GetLastError()));
}

DWORD Attributes(const std::string& path) {
  return ::GetFileAttributesW(Utf8ToWide(path).c_str());
}

}  // namespace

std::string Win32FileSystem::LocalAppDataFolder() {
  // The local application-data folder, created by the shell if it is missing. The wide form
  // keeps a user name outside the code page intact.
  wchar_t buffer[MAX_PATH] = {};
  const HRESULT result =
      ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buffer);
  if (FAILED(result)) {
    throw PlatformError("Cannot find the local application-data folder");
  }
  return WideToUtf8(buffer);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void Win32FileSystem::CreateDirectories(const std::string& path) {
  if (path.empty() || DirectoryExists(path)) {
    return;
  }
  const size_t separator = path.find_last_of("\\/");
  if (separator != std::string::npos && separator > 0 && path[separator - 1] != ':') {
    CreateDirectories(path.substr(0, separator));
  }
  if (!::CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr) &&
      ::GetLastError() != ERROR_ALREADY_EXISTS) {
    Fail("Cannot create folder", path);
  }
}

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Win32FileSystem::ReadWholeFile(const std::string& path) {
  UniqueFile file(ValidOrNull(::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file) {
    Fail("Cannot open file", path);
  }
  std::string bytes;
  char chunk[65536];
  DWORD read = 0;
  do {
    if (!::ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr)) {
      Fail("Cannot read file", path);
    }
    bytes.append(chunk, read);
  } while (read > 0);
  return bytes;
}

void Win32FileSystem::ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  const std::wstring target = Utf8ToWide(path);
  const std::wstring temporary = target + L".tmp";
  {
    UniqueFile file(ValidOrNull(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) {
      Fail("Cannot create file", path);
    }
    size_t offset = 0;
    while (offset < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, 1 << 20));
      DWORD written = 0;
      if (!::WriteFile(file.get(), bytes.data() + offset, chunk, &written, nullptr) ||
          written == 0) {
        const DWORD error = ::GetLastError();
        file.reset();
        ::DeleteFileW(temporary.c_str());
        ::SetLastError(error);
        Fail("Cannot write file", path);
      }
      offset += written;
    }
    if (!::FlushFileBuffers(file.get()) || !Close(file)) {
      const DWORD error = ::GetLastError();
      ::DeleteFileW(temporary.c_str());
      ::SetLastError(error);
      Fail("Cannot write file", path);
    }
  }
  if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    ::SetLastError(error);
    Fail("Cannot replace file", path);
  }
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder,
                                                    const std::string& prefix) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found = {};
  const UniqueFind search(
      ValidOrNull(::FindFirstFileW(Utf8ToWide(folder + "\\" + prefix + "*").c_str(), &found)));
  if (!search) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        error == ERROR_NO_MORE_FILES) {
      return names;
    }
    Fail("Cannot list folder", folder);
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      continue;
    }
    // The pattern also matches short (8.3) names; keep only long names that really begin
    // with the prefix.
    std::string name = WideToUtf8(found.cFileName);
    if (name.compare(0, prefix.size(), prefix) == 0) {
      names.push_back(std::move(name));
    }
  } while (::FindNextFileW(search.get(), &found));
  if (::GetLastError() != ERROR_NO_MORE_FILES) {
    Fail("Cannot list folder", folder);
  }
  return names;
}

void Win32FileSystem::RemoveFile(const std::string& path) {
  if (!::DeleteFileW(Utf8ToWide(path).c_str())) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      return;
    }
    Fail("Cannot delete file", path);
  }
}

void Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
  if (!::MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), MOVEFILE_WRITE_THROUGH)) {
    Fail("Cannot rename file", from);
  }
}

void Win32FileSystem::AppendToFile(const std::string& path, std::string_view bytes) {
  // FILE_APPEND_DATA alone: every write goes to the end, even with another writer (a second
  // Outlook window of the same user) appending too. Readers may share the file.
  UniqueFile file(ValidOrNull(::CreateFileW(Utf8ToWide(path).c_str(), FILE_APPEND_DATA,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file) {
    Fail("Cannot open file", path);
  }
  size_t offset = 0;
  while (offset < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, 1 << 20));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + offset, chunk, &written, nullptr) || written == 0) {
      Fail("Cannot write file", path);
    }
    offset += written;
  }
  if (!Close(file)) {
    Fail("Cannot write file", path);
  }
}

std::uint64_t Win32FileSystem::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) {
    return 0;
  }
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace quivra::platform::win32
