#ifndef QUIVRA_TESTS_E2E_REAL_DIALOGS_H_
#define QUIVRA_TESTS_E2E_REAL_DIALOGS_H_

#include <string>

#include "dialogs/folder_picker.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "platform/compositions/win32/win32_platform.h"
#include "platform/platform.h"
#include "platform/shell.h"

namespace quivra::e2e {

// A shell that opens nothing: the Wine checks never start a browser.
class NoShell : public platform::Shell {
 public:
  bool Open(const std::string&) override { return true; }
};

// The real dialogs on Windows over the simulated standard Outlook, for the Wine checks that
// show them.
struct RealDialogs {
  outlook::sim::StandardWorld world;
  outlook::ApplicationPtr app = world.outlook.application();
  core::Configuration config;
  NoShell shell;
  platform::win32::Win32Platform windows{shell};
  platform::Platform& services = windows.platform();
  ui::win32::Win32Ui& forms = windows.forms;
  dialogs::TfrmFolders2 picker{*app, config, services};
};

}  // namespace quivra::e2e

#endif  // QUIVRA_TESTS_E2E_REAL_DIALOGS_H_
