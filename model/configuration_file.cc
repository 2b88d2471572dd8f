#include "model/configuration_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "model/configuration_document.h"
#include "xml/document.h"
#include "xml/utf8.h"
#include "xml/xml_error.h"

namespace quivra::core {

namespace {

constexpr std::string_view kUtf8Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text with every line ended by CR LF, whichever line ends (CR LF, LF or CR) it had.
std::string NormalizeLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32 + 2);
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      out.append(text.substr(pos));
      out += "\r\n";
      break;
    }
    out.append(text.substr(pos, end - pos));
    out += "\r\n";
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') {
      ++pos;
    }
  }
  return out;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) {
    return false;
  }
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

std::string Padded(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

}  // namespace

ConfigurationFile::ConfigurationFile(Configuration& configuration, platform::Platform& platform)
    : configuration_(configuration), platform_(platform) {}

std::string ConfigurationFile::ConfigPath() {
  const std::string path = platform_.files.LocalAppDataFolder() + "\\" + kFolderName;
  if (!platform_.files.DirectoryExists(path)) {
    platform_.files.CreateDirectories(path);
  }
  return path;
}

namespace {

std::string DecodeFile(std::string_view bytes, platform::TextCodec& codec) {
  // A byte-order mark (as Notepad writes it) says UTF-8 as clearly as the declaration does.
  std::string_view content = bytes;
  const bool marked = content.substr(0, kByteOrderMark.size()) == kByteOrderMark;
  if (marked) {
    content.remove_prefix(kByteOrderMark.size());
  }
  const std::string text = NormalizeLineEnds(content);
  if (marked || StartsWithIgnoringCase(text, kUtf8Declaration)) {
    // Bytes that are not UTF-8 (a file saved by an editor in the code page) would otherwise
    // turn into replacement characters, and the next save would make the loss permanent.
    xml::RequireUtf8(text);
    return text;
  }
  return codec.SystemCodePageToUtf8(text);
}

}  // namespace

void ConfigurationFile::ReadBytes(std::string_view bytes,
                                  Configuration& configuration,
                                  platform::TextCodec& codec) {
  const std::optional<xml::Document> document = xml::Document::Parse(DecodeFile(bytes, codec));
  if (document) {
    ReadConfigurationDocument(*document, configuration);
  }
}

std::string ConfigurationFile::KeptCopyPath(const std::string& folder, const std::string& prefix) {
  const platform::LocalTime time = platform_.clock.Now();
  const std::string base = folder + "\\" + prefix + Padded(time.year, 4) + Padded(time.month, 2) +
                           Padded(time.day, 2) + "-" + Padded(time.hour, 2) +
                           Padded(time.minute, 2) + Padded(time.second, 2);
  std::string path = base;
  for (int counter = 2; platform_.files.FileExists(path); ++counter) {
    path = base + "-" + Padded(counter, 2);
  }
  return path;
}

void ConfigurationFile::RemoveOldCopies(const std::string& folder, const std::string& prefix) {
  try {
    std::vector<std::string> names;
    for (std::string& name : platform_.files.ListFiles(folder, prefix)) {
      // Only the kept copies themselves: digits and dashes after the prefix.
      if (name.find_first_not_of("0123456789-", prefix.size()) == std::string::npos) {
        names.push_back(std::move(name));
      }
    }
    if (names.size() <= static_cast<size_t>(kKeptCopies)) {
      return;
    }
    std::sort(names.begin(), names.end());
    names.resize(names.size() - kKeptCopies);
    for (const std::string& name : names) {
      platform_.files.RemoveFile(folder + "\\" + name);
    }
  } catch (const std::exception&) {
    // An old copy that stays costs some disk space only.
  }
}

void ConfigurationFile::LoadButtonsFromFile() {
  configuration_.ClearSlots();
  // Until the file is known to be read, a save must not replace it.
  disk_file_ = DiskFile::kUnread;
  const std::string folder = ConfigPath();
  const std::string path = folder + "\\" + kFileName;
  if (!platform_.files.FileExists(path)) {
    disk_file_ = DiskFile::kAbsent;
    return;
  }
  // From here on every failure, whatever its kind, is reported like a damaged file.
  std::string bytes;
  bool read = false;
  std::string problem;
  try {
    bytes = platform_.files.ReadWholeFile(path);
    read = true;
    ReadBytes(bytes, configuration_, platform_.codec);
    disk_file_ = DiskFile::kKnown;
    return;
  } catch (const std::exception& error) {
    problem = error.what();
  } catch (...) {
    problem = "unknown error";
  }
  std::string message = "The configuration file " + path + " cannot be read: " + problem + ".";
  if (!read) {
    message +=
        " The file was left as it is; it will be set aside before the configuration is "
        "saved again.";
    throw ConfigurationFileError(message);
  }
  // Keep the damaged file, so that the next save cannot silently turn it into an empty
  // configuration.
  std::string kept;
  try {
    kept = KeptCopyPath(folder, kDamagedFilePrefix);
    platform_.files.ReplaceWholeFile(kept, bytes);
    message += " A copy was kept as " + kept + ".";
    disk_file_ = DiskFile::kKnown;
  } catch (const std::exception& error) {
    message += " It could not be copied" + (kept.empty() ? std::string() : " to " + kept) + ": " +
               error.what() +
               ". The file was left as it is; it will be set aside before the configuration is "
               "saved again.";
  }
  if (disk_file_ == DiskFile::kKnown) {
    RemoveOldCopies(folder, kDamagedFilePrefix);
  }
  throw ConfigurationFileError(message);
}

void ConfigurationFile::SaveButtonsToFile() {
  const std::string folder = ConfigPath();
  const std::string path = folder + "\\" + kFileName;
  if (disk_file_ == DiskFile::kNotRead && platform_.files.FileExists(path)) {
    throw ConfigurationFileError("The configuration file " + path +
                                 " has not been read since Outlook started, so the change was "
                                 "not saved. The file was left as it is.");
  }
  if ((disk_file_ == DiskFile::kUnread || disk_file_ == DiskFile::kAbsent) &&
      platform_.files.FileExists(path)) {
    // The file on disk holds a configuration this one did not come from: keep it whole, by
    // renaming (it may not be readable), before writing over its name.
    std::string aside;
    try {
      aside = KeptCopyPath(folder, kUnreadFilePrefix);
      platform_.files.RenameFile(path, aside);
    } catch (const std::exception& error) {
      throw ConfigurationFileError(
          "The configuration file " + path + " was not read, and it could not be set aside" +
          (aside.empty() ? std::string() : " as " + aside) + ": " + error.what() +
          ". The file was left as it is, and the configuration was not saved.");
    }
    disk_file_ = DiskFile::kAbsent;
    RemoveOldCopies(folder, kUnreadFilePrefix);
  }
  platform_.files.ReplaceWholeFile(
      path, Render(configuration_, platform_.clock.Now(), platform_.clock.TimeSeparator()));
  disk_file_ = DiskFile::kKnown;
}

std::string ConfigurationFile::Render(const Configuration& configuration,
                                      const platform::LocalTime& time,
                                      const std::string& time_separator) {
  const std::string modified = Padded(time.year, 4) + "-" + Padded(time.month, 2) + "-" +
                               Padded(time.day, 2) + " " + Padded(time.hour, 2) + time_separator +
                               Padded(time.minute, 2) + time_separator + Padded(time.second, 2);
  return BuildConfigurationDocument(configuration, modified).Serialize("\r\n", "  ");
}

std::string ConfigurationFile::ReadHelperFile(
    const std::string& file_name,
    const std::string& damaged_prefix,
    const std::string& what,
    const std::function<void(std::string_view bytes)>& read) {
  std::string folder;
  std::string path;
  std::string bytes;
  bool bytes_read = false;
  try {
    folder = ConfigPath();
    path = folder + "\\" + file_name;
    if (!platform_.files.FileExists(path)) {
      return std::string();
    }
    bytes = platform_.files.ReadWholeFile(path);
    bytes_read = true;
    read(bytes);
    return std::string();
  } catch (const std::exception& error) {
    std::string message = "The " + what + " " + path + " cannot be read: " + error.what() + ".";
    if (bytes_read) {
      try {
        const std::string kept = KeptCopyPath(folder, damaged_prefix);
        platform_.files.ReplaceWholeFile(kept, bytes);
        RemoveOldCopies(folder, damaged_prefix);
        message += " A copy was kept as " + kept + ".";
      } catch (const std::exception& copy_error) {
        message += std::string(" It could not be copied: ") + copy_error.what() + ".";
      }
    }
    return message;
  }
}

}  // namespace quivra::core
