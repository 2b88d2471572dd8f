// What the simulated Outlook's calls would cost a real Outlook under each profile of stores.
#include "host/outlook/sim/call_costs.h"

#include <gtest/gtest.h>

#include "host/outlook/sim/standard_world.h"

namespace quivra::outlook::sim {
namespace {

TEST(CallCostsTest, KindsOfCallCostWhatTheyDoAndUnknownCallsTheDearerGuess) {
  for (const StoreProfile profile : {StoreProfile::kCached, StoreProfile::kOnline}) {
    const double cast = CallCostMicroseconds("QueryInterface(_MailItem)", profile);
    const double property = CallCostMicroseconds("Item.EntryID", profile);
    const double open = CallCostMicroseconds("NameSpace.GetItemFromID", profile);
    const double write = CallCostMicroseconds("Item.Move", profile);
    EXPECT_LT(cast, property);
    EXPECT_LT(property, open);
    EXPECT_LT(open, write);
    EXPECT_EQ(CallCostMicroseconds("Items.GetPrevious", profile), open);
    EXPECT_EQ(CallCostMicroseconds("Folders.Count", profile), property);
    EXPECT_EQ(CallCostMicroseconds("Some.NewCall", profile), open);
  }
  EXPECT_GT(CallCostMicroseconds("NameSpace.GetItemFromID", StoreProfile::kOnline),
            10 * CallCostMicroseconds("NameSpace.GetItemFromID", StoreProfile::kCached));
}

TEST(CallCostsTest, ASessionIsChargedForEveryCallItMade) {
  StandardWorld world;
  world.outlook.ResetCallCounts();
  const ObjectPtr mail = world.inbox_mail[0].handle();
  mail->AsItem(ItemInterface::kMailItem)->Move(world.alpha.handle());
  const auto& calls = world.outlook.calls();
  double expected = 0;
  for (const auto& [method, count] : calls) {
    expected += CallCostMicroseconds(method, StoreProfile::kOnline) * count;
  }
  EXPECT_GT(calls.size(), 1u);
  EXPECT_DOUBLE_EQ(ChargedMilliseconds(calls, StoreProfile::kOnline), expected / 1000);
  EXPECT_GE(ChargedMilliseconds(calls, StoreProfile::kOnline), 60.0) << "a move online";
  world.outlook.ResetCallCounts();
  EXPECT_EQ(ChargedMilliseconds(world.outlook.calls(), StoreProfile::kCached), 0.0);
}

}  // namespace
}  // namespace quivra::outlook::sim
