// Finding folders by part of their name: what matches, in which order, and what is read from
// Outlook to know the folders.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/folder_index.h"
#include "dialogs/folder_index_reader.h"
#include "platform/sim/sim_collation.h"
#include "tests/support/simulated_world_test.h"

namespace quivra::dialogs {
namespace {

using Strings = std::vector<std::string>;

class FolderIndexTest : public ::testing::Test {
 protected:
  // The paths of the matches of `query` as typed, best first.
  Strings Find(const std::string& query, size_t limit = 100) {
    Strings paths;
    for (const int position : index.Find(collation.Fold(query), limit)) {
      paths.push_back(index.at(position).path);
    }
    return paths;
  }

  platform::sim::SimCollation collation;
  FolderIndex index;
};

TEST_F(FolderIndexTest, NamesMatchWithoutRegardToCaseOrAccents) {
  const int mailbox = index.Add("Mailbox", -1, "S1", "E1");
  index.Add("M\xC3\xBCller GmbH", mailbox, "S1", "E2");  // Müller
  index.Add(
      "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
      "e",
      mailbox, "S1", "E3");  // Crème brûlée
  index.Add(
      "\xC5\x81\xC3\xB3"
      "d\xC5\xBA",
      mailbox, "S1", "E4");  // Łódź
  index.Finish(collation, "S1");
  EXPECT_EQ(Find("muller"), Strings{"Mailbox\\M\xC3\xBCller GmbH"});
  EXPECT_EQ(Find("M\xC3\x9CLLER"), Strings{"Mailbox\\M\xC3\xBCller GmbH"});
  EXPECT_EQ(Find("creme BRULEE"), Strings{"Mailbox\\Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                                          "e"});
  // A letter of its own is not an accented one: Ł is found as ł, never as l.
  EXPECT_EQ(Find("\xC5\x82od"), Strings{"Mailbox\\\xC5\x81\xC3\xB3"
                                        "d\xC5\xBA"});
  EXPECT_EQ(Find("lodz"), Strings{});
  EXPECT_EQ(Find(""), Strings{});
  EXPECT_EQ(Find("gmbh x"), Strings{});
}

TEST_F(FolderIndexTest, ABackslashMatchesTheWholePathOtherwiseOnlyTheName) {
  const int archive = index.Add("Archive", -1, "S2", "A");
  const int y2024 = index.Add("2024", archive, "S2", "A1");
  index.Add("Q1", y2024, "S2", "A2");
  const int mailbox = index.Add("Mailbox", -1, "S1", "M");
  index.Add("2024", mailbox, "S1", "M1");
  index.Finish(collation, "S1");
  EXPECT_EQ(Find("archive\\2024"), (Strings{"Archive\\2024", "Archive\\2024\\Q1"}));
  EXPECT_EQ(Find("\\q1"), Strings{"Archive\\2024\\Q1"});
  // Without a backslash the store's name is not part of what is matched.
  EXPECT_EQ(Find("archive"), Strings{"Archive"});
  EXPECT_EQ(Find("2024"), (Strings{"Mailbox\\2024", "Archive\\2024"}));
}

// The folders of the ranking table: two stores, the default one first.
class FolderRankingTest : public FolderIndexTest {
 protected:
  FolderRankingTest() {
    const int mailbox = index.Add("Mailbox", -1, "S1", "M");
    const int projects = index.Add("Projects", mailbox, "S1", "1");
    const int alpha = index.Add("Alpha", projects, "S1", "2");
    index.Add("Specs", alpha, "S1", "3");
    index.Add("Alphabet", mailbox, "S1", "4");
    index.Add("Old alpha", mailbox, "S1", "5");
    index.Add("Palpable", mailbox, "S1", "6");
    index.Add("2024-05 Alpine trip", mailbox, "S1", "7");
    index.Add("Project Alpha", mailbox, "S1", "8");
    const int archive = index.Add("Archive", -1, "S2", "A");
    index.Add("Alpha", archive, "S2", "9");
    index.Add("Projects", archive, "S2", "10");
    index.Finish(collation, "S1");
  }
};

TEST_F(FolderRankingTest, EachQueryFindsWhatAUserExpectsFirst) {
  const struct {
    const char* query;
    const char* first;
  } table[] = {
      {"alpha", "Archive\\Alpha"},                  // the name itself; the shorter path first
      {"ALPHA", "Archive\\Alpha"},                  // case never matters
      {"alphab", "Mailbox\\Alphabet"},              // the name starts with it
      {"alpi", "Mailbox\\2024-05 Alpine trip"},     // ... after a leading date
      {"2024", "Mailbox\\2024-05 Alpine trip"},     // ... or with the date itself
      {"trip", "Mailbox\\2024-05 Alpine trip"},     // a word of it starts with it
      {"lpab", "Mailbox\\Palpable"},                // the name contains it
      {"proj alp", "Mailbox\\Project Alpha"},       // every word in order in the path
      {"projects alpha", "Mailbox\\Projects\\Alpha"},
      {"projects\\al", "Mailbox\\Projects\\Alpha"},  // a backslash is the path's
      {"archive proj", "Archive\\Projects"},        // store names are words of the path
      {"prjalp", "Mailbox\\Project Alpha"},         // the name's characters in order
  };
  for (const auto& row : table) {
    const Strings found = Find(row.query);
    ASSERT_FALSE(found.empty()) << row.query;
    EXPECT_EQ(found[0], row.first) << row.query;
  }
  // Nothing found: words out of order, characters of a word typed with a blank, too short.
  EXPECT_EQ(Find("alpha projects"), Strings{});
  EXPECT_EQ(Find("pj"), Strings{});
}

TEST_F(FolderRankingTest, KindsOfMatchComeInTheirOrderThenSuggestedRecentAndShorterPaths) {
  EXPECT_EQ(Find("alp"), (Strings{"Archive\\Alpha", "Mailbox\\Alphabet", "Mailbox\\Projects\\Alpha",
                                  "Mailbox\\2024-05 Alpine trip", "Mailbox\\Old alpha",
                                  "Mailbox\\Project Alpha", "Mailbox\\Palpable"}));
  // A suggested folder comes first among its kind, then the recently used ones by recency; a
  // folder is named by its path and its store.
  index.MarkSuggested({{"Mailbox\\Projects\\Alpha", "S1"}, {"Archive\\Alpha", "other store"}});
  index.MarkRecent("Mailbox\\2024-05 Alpine trip", "S1", 2);
  index.MarkRecent("Mailbox\\Alphabet", "S1", 1);
  index.MarkRecent("Mailbox\\Palpable", "S1", 3);
  EXPECT_EQ(Find("alp"), (Strings{"Mailbox\\Projects\\Alpha", "Mailbox\\Alphabet",
                                  "Mailbox\\2024-05 Alpine trip", "Archive\\Alpha",
                                  "Mailbox\\Old alpha", "Mailbox\\Project Alpha",
                                  "Mailbox\\Palpable"}));
  EXPECT_EQ(Find("alp", 2), (Strings{"Mailbox\\Projects\\Alpha", "Mailbox\\Alphabet"}));
  // Marking anew replaces the suggestions.
  index.MarkSuggested({});
  EXPECT_EQ(Find("alpha")[0], "Archive\\Alpha");
}

TEST_F(FolderIndexTest, SiblingsFollowTheLocaleOrderAndStoresWithoutADefaultTheirNames) {
  // Names of one length, so that the tree's order alone decides.
  const int zulu = index.Add("Xzulu", -1, "S1", "Z");
  index.Add("xbeta", zulu, "S1", "1");
  index.Add("Xalfa", zulu, "S1", "2");
  const int yankee = index.Add("Xyank", -1, "S2", "Y");
  index.Add("Xgamm", yankee, "S2", "3");
  index.Finish(collation, "no such store");
  EXPECT_EQ(Find("x"),
            (Strings{"Xyank", "Xzulu", "Xyank\\Xgamm", "Xzulu\\Xalfa", "Xzulu\\xbeta"}));
}

// Reading the folders from the standard simulated Outlook.
class FolderIndexReaderTest : public test::SimulatedWorldTest {
 protected:
  Strings Paths() {
    const FolderIndex index = ReadFolderIndex(*app, collation);
    Strings paths;
    for (size_t i = 0; i < index.size(); ++i) {
      paths.push_back(index.at(static_cast<int>(i)).path);
    }
    return paths;
  }

  platform::sim::SimCollation collation;
};

TEST_F(FolderIndexReaderTest, ReadsTheMailFoldersTheTreeShowsAtSixCallsEach) {
  world.projects.AddFolder("News Feed");
  world.beta.AddFolder("news feed");
  world.calendar.AddFolder("Mail below the calendar");
  world.outlook.ResetCallCounts();
  const Strings paths = Paths();
  EXPECT_EQ(paths,
            (Strings{"Mailbox", "Mailbox\\Inbox", "Mailbox\\Drafts", "Mailbox\\Sent Items",
                     "Mailbox\\Deleted Items", "Mailbox\\Outbox", "Mailbox\\Junk E-mail",
                     "Mailbox\\Projects", "Mailbox\\Projects\\Alpha", "Mailbox\\Projects\\Beta",
                     "Mailbox\\Projects\\Beta\\Specs", "Mailbox\\Projects\\Beta\\news feed",
                     "Archive", "Archive\\Deleted Items", "Archive\\2023", "Archive\\2024",
                     "Archive\\Projects", "Archive\\Projects\\Alpha"}));
  // Calendar and Contacts are looked at (four calls each) but not entered; "News Feed" costs
  // its place and its name. The 13 folders directly below the two stores' top-level folders
  // cost one call more each (whether Outlook hides them), and the four synchronisation
  // folders of the default store are asked for once.
  const int folders = static_cast<int>(paths.size());
  EXPECT_LE(world.outlook.TotalCalls(), 6 * folders + 3 * 3 + 2 * 4 + 2 + 10 + 13 + 4);
  EXPECT_EQ(world.outlook.CallCount("PropertyAccessor.GetProperty"), 13);
  EXPECT_EQ(world.outlook.CallCount("MAPIFolder.StoreID"), 2 + 1);  // per store; the default
}

TEST_F(FolderIndexReaderTest, AFolderOutlookFailsToReadIsLeftOutWithWhatIsBelowIt) {
  world.outlook.FailCall("MAPIFolder.EntryID", outlook::sim::FailMode::kOnce, 7);
  const Strings paths = Paths();
  EXPECT_EQ(std::count(paths.begin(), paths.end(), "Mailbox\\Projects"), 0);
  EXPECT_EQ(std::count(paths.begin(), paths.end(), "Mailbox\\Projects\\Alpha"), 0);
  EXPECT_EQ(std::count(paths.begin(), paths.end(), "Archive\\Projects\\Alpha"), 1);
}

}  // namespace
}  // namespace quivra::dialogs
