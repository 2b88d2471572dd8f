#ifndef QUIVRA_TESTS_HOST_FRAMEWORK_FRAMEWORK_MODULE_FIXTURE_H_
#define QUIVRA_TESTS_HOST_FRAMEWORK_FRAMEWORK_MODULE_FIXTURE_H_

#include <vector>

#include <gtest/gtest.h>

#include "host/framework/module/com_addin_module.h"
#include "host/framework/module/host_apps.h"
#include "tests/support/simulated_world_test.h"

namespace quivra::framework {

// A bare framework module, named as the add-in, on the standard simulated Outlook and Windows
// services: the components under test are created on it.
class FrameworkModuleTest : public test::SimulatedWorldTest {
 protected:
  FrameworkModuleTest() { module_.SetAddInName("QuivraOL"); }

  // The module serves Outlook alone, as the add-in's does.
  void ServeOutlook() { module_.SetSupportedApps({TOfficeHostApp::ohaOutlook}); }
  // From now on every stored property change the module is told of is kept in `changes_`.
  void RecordChanges() {
    module_.PropertyChanged = [this](const TPropertyChange& change) {
      changes_.push_back(change);
    };
  }

  TCOMAddInModule module_{sim.platform()};
  std::vector<TPropertyChange> changes_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_TESTS_HOST_FRAMEWORK_FRAMEWORK_MODULE_FIXTURE_H_
