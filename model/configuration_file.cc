#include "model/configuration_file.h"

#include <cctype>
#include <cstdio>
#include <string_view>

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

std::string ConfigurationFile::DecodeFile(const std::string& bytes) {
  // A byte-order mark (as Notepad writes it) says UTF-8 as clearly as the declaration does.
  std::string_view content = bytes;
  const bool marked = content.substr(0, kByteOrderMark.size()) == kByteOrderMark;
  if (marked) {
    content.remove_prefix(kByteOrderMark.size());
  }
  const std::string text = NormalizeLineEnds(content);
  if (marked || StartsWithIgnoringCase(text, kUtf8Declaration)) {
    return xml::SanitizeUtf8(text);
  }
  return platform_.codec.SystemCodePageToUtf8(text);
}

void ConfigurationFile::LoadButtonsFromFile() {
  configuration_.ClearSlots();
  const std::string folder = ConfigPath();
  const std::string path = folder + "\\" + kFileName;
  if (!platform_.files.FileExists(path)) {
    return;
  }
  const std::string bytes = platform_.files.ReadWholeFile(path);
  std::string problem;
  try {
    const std::optional<xml::Document> document = xml::Document::Parse(DecodeFile(bytes));
    if (document) {
      ReadConfigurationDocument(*document, configuration_);
    }
    return;
  } catch (const xml::ParseError& error) {
    problem = error.what();
  } catch (const ConversionError& error) {
    problem = error.what();
  } catch (const AssertionError& error) {
    problem = error.what();
  }
  // Keep the damaged file, so that the next save cannot silently turn it into an empty
  // configuration.
  const std::string kept = folder + "\\" + kDamagedFileName;
  std::string message = "The configuration file " + path + " cannot be read: " + problem + ".";
  try {
    platform_.files.ReplaceWholeFile(kept, bytes);
    message += " A copy was kept as " + kept + ".";
  } catch (const std::exception& error) {
    message += " It could not be copied to " + kept + ": " + error.what();
  }
  throw ConfigurationFileError(message);
}

void ConfigurationFile::SaveButtonsToFile() {
  const std::string path = ConfigPath() + "\\" + kFileName;
  platform_.files.ReplaceWholeFile(
      path, Render(configuration_, platform_.clock.Now(), platform_.clock.TimeSeparator()));
}

std::string ConfigurationFile::Render(const Configuration& configuration,
                                      const platform::LocalTime& time,
                                      const std::string& time_separator) {
  const std::string modified = Padded(time.year, 4) + "-" + Padded(time.month, 2) + "-" +
                               Padded(time.day, 2) + " " + Padded(time.hour, 2) + time_separator +
                               Padded(time.minute, 2) + time_separator + Padded(time.second, 2);
  return BuildConfigurationDocument(configuration, modified).Serialize("\r\n", "  ");
}

}  // namespace quivra::core
