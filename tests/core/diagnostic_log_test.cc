#include "core/diagnostic_log.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/filing_engine.h"
#include "platform/hresult_error.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using Call = platform::sim::SimFileSystem::Call;

constexpr char kFolder[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL";
constexpr char kLog[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\QuivraOL.log";
constexpr char kOldLog[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\QuivraOL.log.1";

class DiagnosticLogTest : public test::SimulatedWorldTest {
 protected:
  DiagnosticLogTest() : engine(*app, config, sim.platform(), log, [](bool) {}) {
    sim.screen.SetOnPendingMessages([this] { world.outlook.ProcessMessages(); });
  }

  void SwitchOn(std::uint32_t value = 1) {
    const platform::RegistryKey key{platform::RegistryRoot::kCurrentUser,
                                    DiagnosticLog::kSwitchKey};
    sim.registry.CreateKey(key);
    sim.registry.WriteDword(key, DiagnosticLog::kSwitchValue, value);
  }
  std::string LogText() { return sim.files.FileExists(kLog) ? sim.files.ReadWholeFile(kLog) : ""; }

  DiagnosticLog log{sim.platform()};
  FilingEngine engine;
};

TEST_F(DiagnosticLogTest, IsOffUnlessTheRegistrySwitchesItOn) {
  log.Open();
  EXPECT_FALSE(log.enabled());
  SwitchOn(0);
  log.Open();
  EXPECT_FALSE(log.enabled());
  test::AssignSlot(config, 3, world.alpha.path(), world.alpha.store_id());
  world.explorer.Select({world.inbox_mail[0]});
  engine.FileToFolder(3, nullptr);
  EXPECT_FALSE(sim.files.DirectoryExists(kFolder));
}

// A filing is logged with its folder paths and counts, and nothing of the items themselves.
TEST_F(DiagnosticLogTest, FilingIsLoggedWithPathsAndCountsOnly) {
  SwitchOn();
  log.Open();
  ASSERT_TRUE(log.enabled());
  test::AssignSlot(config, 3, world.alpha.path(), world.alpha.store_id());
  const std::vector<outlook::sim::SimItem> items = {world.inbox_mail[0], world.inbox_mail[1]};
  world.explorer.Select(items);
  engine.FileToFolder(3, nullptr);
  const std::string text = LogText();
  EXPECT_THAT(text, HasSubstr(" filing: slot 3 to \"Mailbox\\Projects\\Alpha\" in store "));
  EXPECT_THAT(text, HasSubstr(" filing: 2 selected, 2 moved from \"Mailbox\\Inbox\"\r\n"));
  // Lines begin with the local date and time.
  EXPECT_THAT(text.substr(0, 20), ::testing::MatchesRegex("[0-9]{4}-[0-9]{2}-[0-9]{2} "
                                                          "[0-9]{2}:[0-9]{2}:[0-9]{2} "));
  for (const outlook::sim::SimItem& item : items) {
    EXPECT_THAT(text, Not(HasSubstr(item.subject())));
  }
}

TEST_F(DiagnosticLogTest, ErrorsAreLoggedWithTheMessageShownAndTheHresult) {
  SwitchOn();
  log.Open();
  test::AssignSlot(config, 2, world.specs.path(), world.specs.store_id());
  world.specs.Delete();
  world.explorer.Select({world.inbox_mail[0]});
  engine.FileToFolder(2, nullptr);
  const std::string text = LogText();
  EXPECT_THAT(text, HasSubstr("filing: the folder was not found by its path, HRESULT 0x8004010F"));
  EXPECT_THAT(text, HasSubstr("message shown: The folder \"Mailbox\\Projects\\Beta\\Specs\" of "
                              "the button \"\" no longer exists."));

  try {
    throw platform::HresultError(static_cast<std::int32_t>(0x80004005), "the subject");
  } catch (...) {
    EXPECT_EQ(DiagnosticLog::DescribeCaught(), "HRESULT 0x80004005");
  }
}

// Ten thousand filings: each file stays under the cap, one older file is kept, and the newest
// lines are in the current file.
TEST_F(DiagnosticLogTest, StaysUnderItsCapOverTenThousandFilings) {
  SwitchOn();
  log.Open();
  test::AssignSlot(config, 1, world.inbox.path(), world.inbox.store_id());
  world.explorer.Select({world.inbox_mail[0]});
  for (int i = 0; i < 10000; ++i) {
    engine.FileToFolder(1, nullptr);  // already in that folder: logged and reported
    ASSERT_LE(sim.files.FileSize(kLog), DiagnosticLog::kMaxFileBytes) << "filing " << i;
  }
  EXPECT_TRUE(sim.files.FileExists(kOldLog));
  EXPECT_LE(sim.files.FileSize(kOldLog), DiagnosticLog::kMaxFileBytes);
  EXPECT_GT(sim.files.FileSize(kOldLog), DiagnosticLog::kMaxFileBytes - 200);
  EXPECT_EQ(sim.files.ListFiles(kFolder, "QuivraOL.log").size(), 2u);
  const std::string text = LogText();
  EXPECT_THAT(text.substr(text.size() - 40), HasSubstr(" filing: 1 selected, 0 moved\r\n"));
}

// A log that cannot be written falls silent; the filing goes on as without it.
TEST_F(DiagnosticLogTest, WriteFailureSilencesTheLogNotTheFiling) {
  SwitchOn();
  log.Open();
  test::AssignSlot(config, 3, world.alpha.path(), world.alpha.store_id());
  world.explorer.Select({world.inbox_mail[0]});
  sim.files.FailNext(Call::kAppendToFile);
  EXPECT_TRUE(engine.FileToFolder(3, nullptr));
  EXPECT_EQ(world.inbox_mail[0].folder(), world.alpha);
  EXPECT_FALSE(log.enabled());
  EXPECT_EQ(LogText(), "");
}

}  // namespace
}  // namespace quivra::core
