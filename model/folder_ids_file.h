#ifndef QUIVRA_MODEL_FOLDER_IDS_FILE_H_
#define QUIVRA_MODEL_FOLDER_IDS_FILE_H_

#include <string>
#include <string_view>

#include "model/configuration.h"
#include "model/configuration_file.h"
#include "platform/platform.h"

namespace quivra::core {

// The folder ids of the configuration (Configuration::FolderIds) on disk: "QelvoIds.xml" beside
// the configuration file, UTF-8, rewritten whole by writing a new file and moving it over the
// old one. The configuration file itself stays as it always was; this file only helps find
// folders that were renamed or moved, so losing it costs nothing but that help:
//
//   <?xml version="1.0" encoding="UTF-8" ?>
//   <folderids>
//     <folder storeid="..." entryid="...">Mailbox\Projects\Alpha</folder>
//   </folderids>
class FolderIdsFile {
 public:
  static constexpr char kFileName[] = "QelvoIds.xml";
  // A file that cannot be read is copied beside it as "QelvoIds.xml.bad-YYYYMMDD-HHMMSS"; the
  // newest ConfigurationFile::kKeptCopies copies are kept.
  static constexpr char kDamagedFilePrefix[] = "QelvoIds.xml.bad-";

  // `configuration_file` tells the folder and keeps the damaged copies.
  FolderIdsFile(Configuration& configuration,
                platform::Platform& platform,
                ConfigurationFile& configuration_file);

  // Empties the folder ids and reads the file into them. A missing file leaves them empty. A
  // file that cannot be read leaves them empty too (the buttons still work by their paths), is
  // copied aside when it could be read at all, and is replaced by the next save; the result
  // then says what happened. Empty when all went well. Never raises.
  std::string Load();
  // Writes the ids known for the paths of slots 1 ... 11 and of the recently used entries.
  // Raises PlatformError when the file cannot be written; the old file then stays.
  void Save();

  // The file's text for the ids of the configuration's slots and recently used entries.
  static std::string Render(const Configuration& configuration);
  // Reads the file's text into `book`. Raises xml::ParseError on text that is not well-formed,
  // std::runtime_error on anything else that is not this file's layout.
  static void Read(std::string_view bytes, FolderIdBook& book);

 private:
  Configuration& configuration_;
  platform::Platform& platform_;
  ConfigurationFile& configuration_file_;
};

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_FOLDER_IDS_FILE_H_
