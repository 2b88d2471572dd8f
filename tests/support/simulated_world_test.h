#ifndef QUIVRA_TESTS_SUPPORT_SIMULATED_WORLD_TEST_H_
#define QUIVRA_TESTS_SUPPORT_SIMULATED_WORLD_TEST_H_

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/outlook/outlook.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "platform/compositions/sim/sim_platform.h"
#include "tests/support/outlook_registration.h"

namespace quivra::test {

// A test on the simulated Windows services: registry, files, clock, message boxes, scripted
// user and the rest (see SimPlatform).
class SimulatedPlatformTest : public ::testing::Test {
 protected:
  // The texts of the message boxes shown so far, in order.
  std::vector<std::string> Messages() const;

  platform::sim::SimPlatform sim;
};

// A test that starts from the standard simulated Outlook (see StandardWorld) on the simulated
// Windows services, with a configuration of its own.
class SimulatedWorldTest : public SimulatedPlatformTest {
 protected:
  // Outlook of that release is installed (its local server registered) and answers with its
  // version.
  void InstallOutlook(const OutlookRelease& release);

  outlook::sim::StandardWorld world;
  outlook::ApplicationPtr app = world.outlook.application();
  core::Configuration config;
};

// The subjects of the items, in order: readable expectations about where items went.
std::vector<std::string> Subjects(const std::vector<outlook::sim::SimItem>& items);

}  // namespace quivra::test

#endif  // QUIVRA_TESTS_SUPPORT_SIMULATED_WORLD_TEST_H_
