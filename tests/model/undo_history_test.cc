#include "model/undo_history.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/simulated_world_test.h"

namespace quivra::core {
namespace {

constexpr char kFolder[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL";
constexpr char kFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\QelvoUndo.xml";

// A step of `count` items from up to two sources into Mailbox\Projects\Alpha.
UndoStep Step(int count, const std::string& tag = "") {
  UndoStep step;
  step.target_path = "Mailbox\\Projects\\Alpha";
  step.target_store = {"Mailbox", "Mailbox", "STORE1"};
  step.target_entry_id = "ALPHA";
  for (int i = 0; i < count; ++i) {
    UndoItem item;
    item.entry_id = "ITEM" + tag + std::to_string(i);
    item.store_id = "STORE1";
    item.conversation_index = "01C0" + std::to_string(i);
    item.subject = "Mail " + tag + std::to_string(i);
    item.learned = static_cast<std::uint64_t>(i);
    item.source = step.SourceIndex({i % 2 ? "Mailbox\\Inbox" : "Mailbox\\Projects\\Incoming",
                                    {"Mailbox", "Mailbox", "STORE1"},
                                    i % 2 ? "INBOX" : "INCOMING"});
    step.items.push_back(item);
  }
  return step;
}

class UndoHistoryTest : public test::SimulatedPlatformTest {
 protected:
  Configuration configuration;
  UndoHistory history;
  ConfigurationFile configuration_file{configuration, sim.platform()};
  UndoHistoryFile file{history, sim.platform(), configuration_file};
};

TEST_F(UndoHistoryTest, TheFileReadsBackWhatWasWrittenAfterARestart) {
  history.Push(Step(3, "a"));
  UndoStep odd = Step(1, "b");
  odd.items[0].subject = "<Re: \"Q&A\" — Zürich>";
  odd.target_path = "Archive\\2024";
  history.Push(odd);
  file.Save();
  EXPECT_NE(sim.files.ReadWholeFile(kFile).find("<undo>"), std::string::npos);

  UndoHistory after_restart;
  UndoHistoryFile(after_restart, sim.platform(), configuration_file).Load();
  EXPECT_EQ(after_restart.steps(), history.steps());
  EXPECT_EQ(after_restart.Describe(""), "Undo: 1 item to 2024");
  const TUndoDetails record = after_restart.NewestRecord();
  EXPECT_EQ(record.TargetPath, "Archive\\2024");
  EXPECT_EQ(record.SourcePath, "Mailbox\\Projects\\Incoming");
  EXPECT_EQ(record.ConversationIndex, "01C00");
  EXPECT_TRUE(record.IsComplete());
}

TEST_F(UndoHistoryTest, ADamagedFileIsSetAsideAndTheHistoryStartsEmpty) {
  const std::vector<std::string> damaged = {
      "<undo><step>",                                                        // not well-formed
      "<folderids/>",                                                        // another file
      "<undo><step><target storename=\"M\" storeid=\"S\" entryid=\"E\">M</target></step></undo>",
      "<undo><step><target storename=\"M\" storeid=\"S\" entryid=\"E\">M</target>"
      "<item entryid=\"I\" storeid=\"S\" index=\"1\" source=\"0\" learned=\"0\">x</item>"
      "</step></undo>",  // an item without its source
      "<undo><step><target storename=\"M\" storeid=\"S\" entryid=\"E\">M</target>"
      "<source storename=\"M\" storeid=\"S\" entryid=\"F\">M\\In</source>"
      "<item entryid=\"I\" storeid=\"S\" index=\"1\" source=\"0\" learned=\"-1\">x</item>"
      "</step></undo>",  // a learned number that is none
      "\xFF\xFE<undo/>",  // not UTF-8
  };
  configuration_file.ConfigPath();  // the folder exists
  for (size_t i = 0; i < damaged.size(); ++i) {
    history.Push(Step(1));
    sim.files.ReplaceWholeFile(kFile, damaged[i]);
    const std::string problem = file.Load();
    EXPECT_NE(problem.find("The undo history " + std::string(kFile) + " cannot be read"),
              std::string::npos)
        << i << ": " << problem;
    EXPECT_TRUE(history.empty()) << i;
  }
  std::vector<std::string> copies =
      sim.files.ListFiles(kFolder, UndoHistoryFile::kDamagedFilePrefix);
  std::sort(copies.begin(), copies.end());  // the names sort by age
  EXPECT_EQ(copies.size(), static_cast<size_t>(ConfigurationFile::kKeptCopies));
  EXPECT_EQ(sim.files.ReadWholeFile(std::string(kFolder) + "\\" + copies.back()), damaged.back());

  // The next change writes a good file over it; a missing file is no problem.
  history.Push(Step(2));
  file.Save();
  EXPECT_EQ(file.Load(), "");
  EXPECT_EQ(history.size(), 1u);
  sim.files.RemoveFile(kFile);
  EXPECT_EQ(file.Load(), "");
  EXPECT_TRUE(history.empty());
}

TEST_F(UndoHistoryTest, TheHistoryIsBoundedButTheNewestStepIsKeptWhole) {
  for (int i = 0; i < 12; ++i)
    history.Push(Step(1, std::to_string(i) + "-"));
  ASSERT_EQ(history.size(), UndoHistory::kStepCapacity);
  EXPECT_EQ(history.steps().front().items[0].entry_id, "ITEM2-0");
  history.Push(Step(0));
  EXPECT_EQ(history.size(), UndoHistory::kStepCapacity) << "a step without items is not kept";

  history.Push(Step(static_cast<int>(UndoHistory::kItemCapacity) - 5));
  // Nine one-item steps and the new one would hold 10,004 items: the four oldest give way.
  EXPECT_EQ(history.size(), 6u);
  history.Push(Step(static_cast<int>(UndoHistory::kItemCapacity) + 1));
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history.Newest().items.size(), UndoHistory::kItemCapacity + 1);

  history.PopNewest();
  history.PopNewest();
  EXPECT_TRUE(history.empty());
  EXPECT_EQ(history.Describe("Undo last filing action"), "Undo last filing action");
  EXPECT_FALSE(history.NewestRecord().IsComplete());
}

TEST(UndoSubjectTest, SubjectsAreKeptShortOnCharacterBoundariesWithoutControls) {
  EXPECT_EQ(UndoHistory::KeptSubject("Line\r\nbreak\ttab"), "Line  break tab");
  const std::string long_subject = std::string(UndoHistory::kSubjectLength - 1, 'x') + "\xC3\xBC!";
  EXPECT_EQ(UndoHistory::KeptSubject(long_subject),
            std::string(UndoHistory::kSubjectLength - 1, 'x'));
  EXPECT_EQ(UndoHistory::KeptSubject(std::string(300, 'y')).size(), UndoHistory::kSubjectLength);
}

}  // namespace
}  // namespace quivra::core
