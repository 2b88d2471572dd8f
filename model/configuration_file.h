#ifndef QUIVRA_MODEL_CONFIGURATION_FILE_H_
#define QUIVRA_MODEL_CONFIGURATION_FILE_H_

#include <stdexcept>
#include <string>

#include "model/configuration.h"
#include "platform/platform.h"

namespace quivra::core {

// The configuration file could not be read: it is not well-formed XML, an element lacks its id,
// or a value is not of its kind. The message says what and where, and names the copy of the
// damaged file that was kept.
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
  // The copy of a file that failed to load, kept beside it.
  static constexpr char kDamagedFileName[] = "Qelvo.xml.bad";

  ConfigurationFile(Configuration& configuration, platform::Platform& platform);

  // The folder of the file, created with its parents when missing. Computed on every call.
  std::string ConfigPath();

  // Empties slots 1 ... 11 and reads the file over the configuration. A missing file leaves
  // the slots empty and the rest unchanged. A damaged file raises ConfigurationFileError after
  // it has been copied to Qelvo.xml.bad; whatever was read before the damage stays read.
  void LoadButtonsFromFile();

  // Writes the whole configuration. The old file is replaced only once the new one has been
  // written completely.
  void SaveButtonsToFile();

  // The file's text for the configuration at the given moment.
  static std::string Render(const Configuration& configuration,
                            const platform::LocalTime& time,
                            const std::string& time_separator);

 private:
  std::string DecodeFile(const std::string& bytes);
  void ReadDocument(const std::string& text);

  Configuration& configuration_;
  platform::Platform& platform_;
};

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_CONFIGURATION_FILE_H_
