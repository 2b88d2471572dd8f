#ifndef QUIVRA_MODEL_CONFIGURATION_FILE_H_
#define QUIVRA_MODEL_CONFIGURATION_FILE_H_

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/configuration.h"
#include "platform/platform.h"

namespace quivra::core {

// The configuration file could not be read: it is not well-formed XML or not valid UTF-8, an
// element lacks its id, a value is not of its kind, or the file itself could not be read. The
// message says what and where, and what became of the file. Also raised by a save that would
// have had to replace a file it could not first set aside.
class ConfigurationFileError : public std::runtime_error {
 public:
  explicit ConfigurationFileError(const std::string& message) : std::runtime_error(message) {}
};

// The persistent image of the configuration: "Qelvo.xml" in the folder "QuivraOL" of the
// user's local application-data folder, UTF-8, rewritten whole on every save.
class ConfigurationFile {
 public:
  static constexpr char kFolderName[] = "QuivraOL";
  static constexpr char kFileName[] = "Qelvo.xml";
  // A file that failed to load is copied beside it as "Qelvo.xml.bad-YYYYMMDD-HHMMSS" (the
  // local time of the copy, then "-02", "-03" ... when two fall in the same second), so the
  // names sort by age. A file that was there but could not be read at all is renamed to
  // "Qelvo.xml.unread-..." in the same way before the next save. The newest kKeptCopies of
  // each kind are kept, older ones removed.
  static constexpr char kDamagedFilePrefix[] = "Qelvo.xml.bad-";
  static constexpr char kUnreadFilePrefix[] = "Qelvo.xml.unread-";
  static constexpr int kKeptCopies = 5;

  ConfigurationFile(Configuration& configuration, platform::Platform& platform);

  // The folder of the file, created with its parents when missing. Computed on every call.
  std::string ConfigPath();

  // Empties slots 1 ... 11 and reads the file over the configuration. A missing file leaves
  // the slots empty and the rest unchanged. A damaged file raises ConfigurationFileError after
  // it has been copied to a Qelvo.xml.bad-... file; whatever was read before the damage stays
  // read. A file that exists but cannot be read (locked, access denied, an I/O error) is
  // treated the same way, except that it cannot be copied: it stays where it is, and the next
  // save sets it aside first.
  void LoadButtonsFromFile();

  // Writes the whole configuration. The old file is replaced only once the new one has been
  // written completely. A file that the last load could not read (or that appeared after the
  // last load found none) is never overwritten: it is renamed to a Qelvo.xml.unread-... file
  // first, and if that fails the save raises ConfigurationFileError and writes nothing.
  void SaveButtonsToFile();
  // For the add-in's own file: until the first load, a save never writes over a file that is
  // there (it raises ConfigurationFileError instead), since the configuration in memory did not
  // come from it. A start-up that failed before reading the file thus loses nothing.
  void RequireLoadBeforeSave() { disk_file_ = DiskFile::kNotRead; }

  // Reads the file's bytes over the configuration, exactly as a load does once it has them: a
  // byte-order mark or the UTF-8 declaration means UTF-8 (which must then be valid), anything
  // else is text in the system code page; line ends are made CR LF; the XML is parsed and its
  // values read. Raises xml::ParseError, ConversionError or AssertionError.
  static void ReadBytes(std::string_view bytes,
                        Configuration& configuration,
                        platform::TextCodec& codec);

  // The file's text for the configuration at the given moment.
  static std::string Render(const Configuration& configuration,
                            const platform::LocalTime& time,
                            const std::string& time_separator);

  // A path "<folder>\<prefix>YYYYMMDD-HHMMSS[-NN]" that does not exist yet.
  std::string KeptCopyPath(const std::string& folder, const std::string& prefix);
  // Removes all but the newest kKeptCopies files of `prefix`; failures are ignored.
  void RemoveOldCopies(const std::string& folder, const std::string& prefix);

  // Reads a file of the add-in's that lies beside this one and only helps (the folder ids, the
  // undo history): its bytes go to `read`, which raises on anything it cannot take. A missing
  // file is not read. A file that cannot be read or taken is copied aside as
  // "<damaged_prefix>YYYYMMDD-HHMMSS" when its bytes could be read at all, and the result then
  // says what happened ("The <what> <path> cannot be read: ..."); empty when all went well.
  // Never raises.
  std::string ReadHelperFile(const std::string& file_name,
                             const std::string& damaged_prefix,
                             const std::string& what,
                             const std::function<void(std::string_view bytes)>& read);

 private:
  // What this object knows of the file on disk.
  enum class DiskFile {
    kUnknown,  // never loaded: the caller's configuration is saved as it is
    kNotRead,  // never loaded, and an existing file must be loaded before it is replaced
    kAbsent,   // the last load found no file
    kUnread,   // the last load found the file but it was neither read nor copied
    kKnown,    // the file was read (or kept as a copy), or written by the last save
  };

  Configuration& configuration_;
  platform::Platform& platform_;
  DiskFile disk_file_ = DiskFile::kUnknown;
};

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_CONFIGURATION_FILE_H_
