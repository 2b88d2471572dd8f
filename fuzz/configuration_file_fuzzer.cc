// Feeds arbitrary bytes as the configuration file to the loader, through the XML parser. The
// loader may refuse the file with its error, but must never crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/configuration.h"
#include "model/configuration_file.h"
#include "platform/compositions/sim/sim_platform.h"

namespace {

constexpr char kFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static quivra::platform::sim::SimPlatform sim;
  quivra::core::Configuration config;
  quivra::core::ConfigurationFile file(config, sim.platform());
  file.ConfigPath();
  sim.files.ReplaceWholeFile(kFile, std::string(reinterpret_cast<const char*>(data), size));
  try {
    file.LoadButtonsFromFile();
  } catch (const quivra::core::ConfigurationFileError&) {
  }
  return 0;
}
