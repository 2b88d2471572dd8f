#ifndef QUIVRA_TESTS_SUPPORT_OUTLOOK_WORLD_TEST_H_
#define QUIVRA_TESTS_SUPPORT_OUTLOOK_WORLD_TEST_H_

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/outlook/outlook.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"

namespace quivra::test {

// Binds `slot` of `configuration` to `folder` as the folder picker does: the folder's full path,
// and its store's root name (as StoreName and StoreNameId) and store id.
void AssignSlot(core::Configuration& configuration,
                int slot,
                const outlook::sim::SimFolder& folder);

// The subjects of the items, in order: readable expectations about where items went.
std::vector<std::string> Subjects(const std::vector<outlook::sim::SimItem>& items);

// A test that starts from the standard simulated Outlook (see StandardWorld) and a
// configuration of its own.
class OutlookWorldTest : public ::testing::Test {
 protected:
  outlook::sim::StandardWorld world_;
  outlook::ApplicationPtr app_ = world_.outlook.application();
  core::Configuration config_;
};

}  // namespace quivra::test

#endif  // QUIVRA_TESTS_SUPPORT_OUTLOOK_WORLD_TEST_H_
