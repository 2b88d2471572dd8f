#include "model/filing_history.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/simulated_world_test.h"

namespace quivra::core {
namespace {

constexpr char kFolder[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL";
constexpr char kFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.learned";
constexpr char kDamaged[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.learned.bad";
constexpr char kConfigFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml";

LearnedFolder Folder(const std::string& name) {
  return {"STORE1", "ENTRY-" + name, "Mailbox\\" + name};
}

MailKeys Mail(const std::string& sender, const std::string& subject) {
  return KeysOfMail(sender, "", subject);
}

class FilingHistoryTest : public test::SimulatedPlatformTest {
 protected:
  // The paths of the suggestions for the mail, all folders existing.
  std::vector<std::string> Suggested(FilingHistory& history, const MailKeys& keys) {
    std::vector<std::string> paths;
    for (const LearnedFolder& folder :
         history.Suggest(keys, 3, [](const LearnedFolder&) { return true; })) {
      paths.push_back(folder.path);
    }
    return paths;
  }

  FilingHistory history{sim.platform()};
};

TEST_F(FilingHistoryTest, ConversationBeatsSenderBeatsDomain) {
  history.Record(Mail("ann@contoso.com", "Budget"), Folder("Finance"));
  for (int i = 0; i < 5; ++i) {
    history.Record(Mail("ann@contoso.com", "Topic " + std::to_string(i)), Folder("Ann"));
    history.Record(Mail("bob@contoso.com", "Other " + std::to_string(i)), Folder("Contoso"));
    history.Record(Mail("bob@contoso.com", "More " + std::to_string(i)), Folder("Contoso"));
  }
  EXPECT_EQ(Suggested(history, Mail("ann@contoso.com", "RE: Budget")),
            (std::vector<std::string>{"Mailbox\\Finance", "Mailbox\\Ann", "Mailbox\\Contoso"}));
  EXPECT_EQ(Suggested(history, Mail("ann@contoso.com", "New")),
            (std::vector<std::string>{"Mailbox\\Ann", "Mailbox\\Finance", "Mailbox\\Contoso"}));
  EXPECT_EQ(Suggested(history, Mail("carol@contoso.com", "New")),
            (std::vector<std::string>{"Mailbox\\Contoso", "Mailbox\\Ann", "Mailbox\\Finance"}));
  EXPECT_TRUE(Suggested(history, Mail("dave@fabrikam.com", "New")).empty());
}

TEST_F(FilingHistoryTest, MoreAndNewerFilingsCountMore) {
  // Two old filings into Old, then one into New: count wins while the two are recent...
  history.Record(Mail("ann@contoso.com", "a"), Folder("Old"));
  history.Record(Mail("ann@contoso.com", "b"), Folder("Old"));
  history.Record(Mail("ann@contoso.com", "c"), Folder("New"));
  EXPECT_EQ(Suggested(history, Mail("ann@contoso.com", "d")).front(), "Mailbox\\Old");
  // ... and recency once they lie far back.
  for (int i = 0; i < 3000; ++i) {
    history.Record(Mail("x" + std::to_string(i) + "@other.org", "n"), Folder("Other"));
  }
  history.Record(Mail("ann@contoso.com", "e"), Folder("New"));
  EXPECT_EQ(Suggested(history, Mail("ann@contoso.com", "f")).front(), "Mailbox\\New");
}

TEST_F(FilingHistoryTest, FoldersThatNoLongerExistArePassedOver) {
  history.Record(Mail("ann@contoso.com", "a"), Folder("Gone"));
  history.Record(Mail("ann@contoso.com", "b"), Folder("Gone"));
  history.Record(Mail("ann@contoso.com", "c"), Folder("Kept"));
  const std::vector<LearnedFolder> best =
      history.Suggest(Mail("ann@contoso.com", "d"), 3,
                      [](const LearnedFolder& folder) { return folder.path != "Mailbox\\Gone"; });
  ASSERT_EQ(best.size(), 1u);
  EXPECT_EQ(best[0].path, "Mailbox\\Kept");
  EXPECT_EQ(best[0].entry_id, "ENTRY-Kept");
}

TEST_F(FilingHistoryTest, AnUndoneFilingIsForgotten) {
  history.Record(Mail("ann@contoso.com", "a"), Folder("Ann"));
  const std::uint64_t wrong = history.Record(Mail("ann@contoso.com", "b"), Folder("Wrong"));
  history.Unrecord(wrong);
  EXPECT_EQ(Suggested(history, Mail("ann@contoso.com", "c")),
            std::vector<std::string>{"Mailbox\\Ann"});
}

TEST_F(FilingHistoryTest, KeepsTheNewestRecordsOnly) {
  history.Record(Mail("first@contoso.com", "a"), Folder("First"));
  for (size_t i = 0; i < FilingHistory::kCapacity; ++i) {
    history.Record(Mail("x@other.org", "n"), Folder("Other"));
  }
  EXPECT_EQ(history.size(), FilingHistory::kCapacity);
  EXPECT_TRUE(Suggested(history, Mail("first@contoso.com", "b")).empty());
  // The dropped record's folder ("Mailbox\\First" in hexadecimal) is no longer written either.
  EXPECT_EQ(history.Render().find("4d61696c626f785c4669727374"), std::string::npos);
}

TEST_F(FilingHistoryTest, StoresHashesNeverTheAddressOrSubject) {
  history.Record(Mail("ann@contoso.com", "Salary review"), Folder("Ann"));
  history.Save();
  const std::string text = sim.files.ReadWholeFile(kFile);
  EXPECT_EQ(text.find("ann"), std::string::npos);
  EXPECT_EQ(text.find("contoso"), std::string::npos);
  EXPECT_EQ(text.find("alary"), std::string::npos);
  // The key came from the random source.
  EXPECT_EQ(sim.random.calls, 1);
}

TEST_F(FilingHistoryTest, WhatWasLearnedSurvivesARestart) {
  history.Record(Mail("ann@contoso.com", "a"), Folder("Ann"));
  history.Save();
  FilingHistory restarted(sim.platform());
  EXPECT_EQ(Suggested(restarted, Mail("ann@contoso.com", "b")),
            std::vector<std::string>{"Mailbox\\Ann"});
  EXPECT_EQ(sim.random.calls, 1);
}

TEST_F(FilingHistoryTest, ADamagedFileIsSetAsideAndLearningStartsAgain) {
  history.Record(Mail("ann@contoso.com", "a"), Folder("Ann"));
  history.Save();
  const std::string whole = sim.files.ReadWholeFile(kFile);
  sim.files.CreateDirectories(kFolder);
  sim.files.ReplaceWholeFile(kConfigFile, "<configuration/>");
  for (const std::string& damaged :
       {whole.substr(0, whole.size() - 3), std::string("garbage\n"), std::string(),
        whole.substr(0, whole.find("record")) + "record 1 zz 0 0 0\nend 1\n"}) {
    sim.files.ReplaceWholeFile(kFile, damaged);
    FilingHistory restarted(sim.platform());
    EXPECT_EQ(restarted.size(), 0u);
    EXPECT_FALSE(sim.files.FileExists(kFile));
    EXPECT_EQ(sim.files.ReadWholeFile(kDamaged), damaged);
    restarted.Record(Mail("bob@contoso.com", "b"), Folder("Bob"));
    restarted.Save();
    EXPECT_EQ(FilingHistory(sim.platform()).size(), 1u);
  }
  // The configuration beside it is untouched.
  EXPECT_EQ(sim.files.ReadWholeFile(kConfigFile), "<configuration/>");
}

TEST_F(FilingHistoryTest, EveryCutOrChangedByteOfAFileIsTakenWholeOrNotAtAll) {
  history.Record(Mail("ann@contoso.com", "a"), Folder("Ann"));
  history.Record(Mail("bob@fabrikam.com", "b"), Folder("Bob"));
  const std::string whole = history.Render();
  for (size_t length = 0; length < whole.size(); ++length) {
    FilingHistory read(sim.platform());
    EXPECT_FALSE(read.Parse(whole.substr(0, length))) << length;
  }
  for (size_t at = 0; at < whole.size(); ++at) {
    std::string changed = whole;
    changed[at] = changed[at] == '\n' ? 'x' : '\n';
    FilingHistory read(sim.platform());
    if (read.Parse(changed)) {
      EXPECT_LE(read.size(), 2u) << at;
    } else {
      EXPECT_EQ(read.size(), 0u) << at;
    }
  }
}

TEST_F(FilingHistoryTest, AFailedSaveKeepsTheOldFile) {
  history.Record(Mail("ann@contoso.com", "a"), Folder("Ann"));
  history.Save();
  const std::string before = sim.files.ReadWholeFile(kFile);
  history.Record(Mail("bob@contoso.com", "b"), Folder("Bob"));
  sim.files.FailNextReplaces(1);
  EXPECT_ANY_THROW(history.Save());
  EXPECT_EQ(sim.files.ReadWholeFile(kFile), before);
  history.Save();  // still to be written
  EXPECT_EQ(FilingHistory(sim.platform()).size(), 2u);
}

TEST_F(FilingHistoryTest, ForgetDeletesTheFilesAndTheKey) {
  history.Record(Mail("ann@contoso.com", "a"), Folder("Ann"));
  history.Save();
  sim.files.ReplaceWholeFile(kDamaged, "old");
  history.Forget();
  EXPECT_FALSE(sim.files.FileExists(kFile));
  EXPECT_FALSE(sim.files.FileExists(kDamaged));
  EXPECT_TRUE(Suggested(history, Mail("ann@contoso.com", "b")).empty());
  history.Record(Mail("ann@contoso.com", "c"), Folder("Ann"));
  EXPECT_EQ(sim.random.calls, 2);  // a new key
}

TEST_F(FilingHistoryTest, SwitchedOffNothingIsLearnedOrSuggested) {
  EXPECT_TRUE(history.Enabled());
  history.Record(Mail("ann@contoso.com", "a"), Folder("Ann"));
  history.SetEnabled(false);
  EXPECT_FALSE(FilingHistory(sim.platform()).Enabled());
  EXPECT_EQ(history.Record(Mail("ann@contoso.com", "b"), Folder("Other")), 0u);
  EXPECT_TRUE(Suggested(history, Mail("ann@contoso.com", "c")).empty());
  history.SetEnabled(true);
  EXPECT_EQ(Suggested(history, Mail("ann@contoso.com", "c")),
            std::vector<std::string>{"Mailbox\\Ann"});
}

}  // namespace
}  // namespace quivra::core
