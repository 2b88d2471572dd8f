#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/configuration.h"
#include "model/configuration_file.h"
#include "tests/support/simulated_world_test.h"
#include "tests/support/slot_assignment.h"

namespace quivra::core {
namespace {

constexpr char kFolder[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL";
constexpr char kFile[] = "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml";
constexpr char kDamaged[] =
    "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml.bad-20261209-080503";
constexpr char kUnread[] =
    "C:\\Users\\Tester\\AppData\\Local\\QuivraOL\\Qelvo.xml.unread-20261209-080503";

using Call = platform::sim::SimFileSystem::Call;
using Strings = std::vector<std::string>;

std::string EmptyFolder(int id) {
  return "    <folder id=\"" + std::to_string(id) +
         "\">\r\n"
         "      <foldername/>\r\n"
         "      <buttonname/>\r\n"
         "      <storename/>\r\n"
         "      <storenameid/>\r\n"
         "      <storeid/>\r\n"
         "    </folder>\r\n";
}

class ConfigurationFileTest : public test::SimulatedPlatformTest {
 protected:
  ConfigurationFileTest() : file(config, sim.platform()) { sim.clock.Set({2026, 12, 9, 8, 5, 3}); }

  std::string FileText() { return sim.files.ReadWholeFile(kFile); }
  // The names in the configuration folder that begin with `prefix`, in order.
  Strings Files(const std::string& prefix) {
    Strings names = sim.files.ListFiles(kFolder, prefix);
    std::sort(names.begin(), names.end());
    return names;
  }
  // Loads and returns the error's text, or "" when the load succeeded.
  std::string LoadError() {
    try {
      file.LoadButtonsFromFile();
    } catch (const ConfigurationFileError& error) {
      return error.what();
    }
    return "";
  }
  void WriteFile(const std::string& text) {
    sim.files.CreateDirectories(kFolder);
    sim.files.ReplaceWholeFile(kFile, text);
  }
  // Saves `config`, then loads the file into a fresh configuration.
  Configuration RoundTrip() {
    file.SaveButtonsToFile();
    Configuration back;
    ConfigurationFile(back, sim.platform()).LoadButtonsFromFile();
    return back;
  }
  void Configure(int slot,
                 const std::string& path,
                 const std::string& caption,
                 const std::string& store_id) {
    test::AssignSlot(config, slot, path, store_id);
    config.ButtonNames[slot] = caption;
  }

  Configuration config;
  ConfigurationFile file;
};

TEST_F(ConfigurationFileTest, DefaultModelWritesTheDocumentedLayout) {
  file.SaveButtonsToFile();
  std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
      "<!--Quivra configuration - DO NOT MODIFY-->\r\n"
      "<!--Modified 2026-12-09 08:05:03-->\r\n"
      "<config>\r\n"
      "  <folders>\r\n";
  for (int id = 1; id <= 11; ++id)
    expected += EmptyFolder(id);
  expected +=
      "  </folders>\r\n"
      "  <mainbutton>\r\n"
      "    <buttoncaption/>\r\n"
      "  </mainbutton>\r\n"
      "  <setup>\r\n"
      "    <shortcuts>-1</shortcuts>\r\n"
      "    <icons>-1</icons>\r\n"
      "    <separators>0</separators>\r\n"
      "    <nolistupdates>0</nolistupdates>\r\n"
      "    <backspacekey>0</backspacekey>\r\n"
      "  </setup>\r\n"
      "  <treeconfig/>\r\n"
      "  <mrulist/>\r\n"
      "</config>\r\n";
  EXPECT_EQ(FileText(), expected);
}

TEST_F(ConfigurationFileTest, ConfiguredModelLayoutAndTimeSeparator) {
  sim.clock.SetTimeSeparator(".");
  Configure(2, "Mailbox\\Inbox\\Projects", "Projects", "00AB");
  config.FolderNames[3] = "";  // a caption without a folder is not written
  config.ButtonNames[3] = "Orphan";
  config.MainButtonCaption = "Quivra";
  config.Separators = true;
  config.ExpandList = std::vector<std::string>{"E1", "E2"};
  config.MruList[1] = {"Archive\\2025", "Archive", "00CD"};
  file.SaveButtonsToFile();
  const std::string text = FileText();
  EXPECT_NE(text.find("<!--Modified 2026-12-09 08.05.03-->\r\n"), std::string::npos);
  EXPECT_NE(text.find("    <folder id=\"2\">\r\n"
                      "      <foldername>Mailbox\\Inbox\\Projects</foldername>\r\n"
                      "      <buttonname>Projects</buttonname>\r\n"
                      "      <storename>Mailbox</storename>\r\n"
                      "      <storenameid>Mailbox</storenameid>\r\n"
                      "      <storeid>00AB</storeid>\r\n"
                      "    </folder>\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(EmptyFolder(3)), std::string::npos);
  EXPECT_NE(text.find("    <buttoncaption>Quivra</buttoncaption>\r\n"), std::string::npos);
  EXPECT_NE(text.find("    <separators>-1</separators>\r\n"), std::string::npos);
  EXPECT_NE(text.find("  <treeconfig>\r\n    <expand>E1</expand>\r\n"
                      "    <expand>E2</expand>\r\n  </treeconfig>\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("  <mrulist>\r\n    <mru id=\"1\">\r\n"
                      "      <mrufolder>Archive\\2025</mrufolder>\r\n"
                      "      <mrustore>Archive</mrustore>\r\n"
                      "      <mrustoreid>00CD</mrustoreid>\r\n    </mru>\r\n  </mrulist>\r\n"),
            std::string::npos);
}

TEST_F(ConfigurationFileTest, RoundTripKeepsEveryValue) {
  Configure(1, "Mailbox\\Sales & Marketing", "S&M", "00AB");
  Configure(2, "Mailbox\\R&D &lt;new&gt;", "R&D", "00AB");
  Configure(4, "Mailbox\\Inbox", "", "00AB");  // empty caption
  Configure(5, "Почта\\Входящие\\Проекты", "Проекты", "00EF");
  Configure(6, "邮箱\\收件箱\\项目", "项目", "00EF");
  Configure(11, "Archive", "Archive", "00CD");  // the store's root itself
  config.MainButtonCaption = "Main \"quoted\" <caption>";
  config.ShortCuts = false;
  config.Icons = false;
  config.Separators = true;
  config.NoListUpdates = true;
  config.BackspaceKey = true;
  config.ExpandList = std::vector<std::string>{"E1", "E2", "E3"};
  for (int i = 1; i <= 20; ++i) {
    config.MruList[i] = {"Mailbox\\M" + std::to_string(i), "Mailbox", "00AB"};
  }
  const Configuration back = RoundTrip();
  EXPECT_EQ(back.FolderNames, config.FolderNames);
  EXPECT_EQ(back.ButtonNames, config.ButtonNames);
  EXPECT_EQ(back.StoreDetails, config.StoreDetails);
  EXPECT_EQ(back.FolderNames[2], "Mailbox\\R&D &lt;new&gt;");
  EXPECT_EQ(back.ButtonNames[4], "");
  EXPECT_EQ(back.MainButtonCaption, config.MainButtonCaption);
  EXPECT_FALSE(back.ShortCuts);
  EXPECT_FALSE(back.Icons);
  EXPECT_TRUE(back.Separators);
  EXPECT_TRUE(back.NoListUpdates);
  EXPECT_TRUE(back.BackspaceKey);
  EXPECT_EQ(back.ExpandList, config.ExpandList);
  EXPECT_EQ(back.MruList, config.MruList);
  EXPECT_NE(FileText().find("<foldername>Mailbox\\Sales &amp; Marketing</foldername>"),
            std::string::npos);
}

TEST_F(ConfigurationFileTest, ReloadDoesNotDuplicateTheExpandList) {
  config.ExpandList = std::vector<std::string>{"E1", "E2"};
  file.SaveButtonsToFile();
  file.LoadButtonsFromFile();
  file.LoadButtonsFromFile();
  EXPECT_EQ(*config.ExpandList, (std::vector<std::string>{"E1", "E2"}));
}

TEST_F(ConfigurationFileTest, TwoSavesDifferOnlyInTheModifiedLine) {
  Configure(1, "Mailbox\\Inbox", "Inbox", "00AB");
  file.SaveButtonsToFile();
  std::string first = FileText();
  sim.clock.Set({2027, 1, 2, 23, 59, 58});
  file.SaveButtonsToFile();
  std::string second = FileText();
  ASSERT_NE(first, second);
  const std::string old_stamp = "<!--Modified 2026-12-09 08:05:03-->";
  const std::string new_stamp = "<!--Modified 2027-01-02 23:59:58-->";
  first.replace(first.find(old_stamp), old_stamp.size(), new_stamp);
  EXPECT_EQ(first, second);
}

TEST_F(ConfigurationFileTest, MissingFileEmptiesSlotsOnly) {
  Configure(3, "Mailbox\\Inbox", "Inbox", "00AB");
  Configure(0, "Mailbox\\Target", "", "00AB");
  config.Icons = false;
  config.MainButtonCaption = "Main";
  file.LoadButtonsFromFile();
  EXPECT_EQ(config.FolderNames[3], "");
  EXPECT_EQ(config.FolderNames[0], "Mailbox\\Target");
  EXPECT_FALSE(config.Icons);
  EXPECT_EQ(config.MainButtonCaption, "Main");
  EXPECT_TRUE(sim.files.DirectoryExists(kFolder));
}

TEST_F(ConfigurationFileTest, PartialFilesReadOnlyWhatTheyHold) {
  config.Icons = false;
  config.MainButtonCaption = "Main";
  config.MruList[1] = {"Mailbox\\Kept", "Mailbox", "00AB"};
  // Only folders; an out-of-range id and a missing field are harmless.
  WriteFile(
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<config><folders>"
      "<folder id=\"2\"><foldername>Mailbox\\Inbox</foldername><storeid>S</storeid></folder>"
      "<folder id=\"12\"><foldername>Mailbox\\Out</foldername></folder>"
      "<folder id=\"0\"><foldername>Mailbox\\Zero</foldername></folder>"
      "</folders><mrulist><mru id=\"3\"><mrufolder>Mailbox\\Third</mrufolder></mru>"
      "<mru id=\"21\"><mrufolder>Mailbox\\Beyond</mrufolder></mru></mrulist></config>");
  file.LoadButtonsFromFile();
  EXPECT_EQ(config.FolderNames[2], "Mailbox\\Inbox");
  EXPECT_EQ(config.StoreDetails[2].StoreId, "S");
  EXPECT_EQ(config.StoreDetails[2].StoreName, "");
  EXPECT_EQ(config.FolderNames[0], "");
  EXPECT_FALSE(config.Icons);
  EXPECT_EQ(config.MainButtonCaption, "Main");
  EXPECT_EQ(config.MruList[1].Folder, "Mailbox\\Kept");
  EXPECT_FALSE(config.MruList[2].InUse());
  EXPECT_EQ(config.MruList[3].Folder, "Mailbox\\Third");
}

TEST_F(ConfigurationFileTest, IdsAreWholeNumbersOfAtMostEighteenDigits) {
  // Blanks and a sign around the digits are read; a number too large for a slot is harmless.
  WriteFile(
      "<config><folders>"
      "<folder id=\" +4 \"><foldername>Mailbox\\Four</foldername></folder>"
      "<folder id=\"100000000000000005\"><foldername>Mailbox\\Huge</foldername></folder>"
      "</folders></config>");
  file.LoadButtonsFromFile();
  EXPECT_EQ(config.FolderNames[4], "Mailbox\\Four");
  EXPECT_EQ(config.FolderNames[5], "");
  EXPECT_EQ(config.FolderNames[0], "");  // not the Any Folder target either

  // Nineteen digits are no number the file could hold: the file is damaged.
  config = Configuration();
  WriteFile(
      "<config><folders>"
      "<folder id=\"1000000000000000005\"><foldername>Mailbox\\Huge</foldername></folder>"
      "</folders></config>");
  EXPECT_THROW(file.LoadButtonsFromFile(), ConfigurationFileError);
}

TEST_F(ConfigurationFileTest, BooleansAcceptNumbersAndWords) {
  WriteFile(
      "<config><setup><shortcuts>0</shortcuts><icons>FALSE</icons>"
      "<separators>1</separators><nolistupdates>true</nolistupdates>"
      "<backspacekey>-1</backspacekey></setup></config>");
  file.LoadButtonsFromFile();
  EXPECT_FALSE(config.ShortCuts);
  EXPECT_FALSE(config.Icons);
  EXPECT_TRUE(config.Separators);
  EXPECT_TRUE(config.NoListUpdates);
  EXPECT_TRUE(config.BackspaceKey);
}

TEST_F(ConfigurationFileTest, FileWithoutEncodingIsReadInTheCodePage) {
  // "Caf\xE9" is "Café" in Windows-1252; LF-only line ends are accepted.
  WriteFile(
      "<?xml version=\"1.0\"?>\n<config>\n<folders>\n<folder id=\"1\">"
      "<foldername>Mailbox\\Caf\xE9</foldername></folder>\n</folders>\n</config>\n");
  file.LoadButtonsFromFile();
  EXPECT_EQ(config.FolderNames[1], "Mailbox\\Caf\xC3\xA9");
}

TEST_F(ConfigurationFileTest, ByteOrderMarkMeansUtf8) {
  WriteFile(
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<config><folders>"
      "<folder id=\"1\"><foldername>Mailbox\\Caf\xC3\xA9</foldername></folder>"
      "</folders></config>\r\n");
  file.LoadButtonsFromFile();
  EXPECT_EQ(config.FolderNames[1], "Mailbox\\Caf\xC3\xA9");
}

TEST_F(ConfigurationFileTest, DamagedFileKeepsWhatWasReadAndSurvivesTheNextSave) {
  const std::string damaged =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<config>\r\n"
      "<setup><icons>0</icons></setup>\r\n"
      "<folders><folder id=\"1\"><foldername>Mailbox\\A</foldername></folder>\r\n"
      "<folder id=\"x\"><foldername>Mailbox\\B</foldername></folder></folders>\r\n"
      "<mainbutton><buttoncaption>Never</buttoncaption></mainbutton></config>\r\n";
  WriteFile(damaged);
  try {
    file.LoadButtonsFromFile();
    FAIL() << "the damaged file loaded";
  } catch (const ConfigurationFileError& error) {
    EXPECT_NE(std::string(error.what()).find("'x' is not a valid integer value"), std::string::npos)
        << error.what();
    EXPECT_NE(std::string(error.what()).find("Qelvo.xml.bad"), std::string::npos);
  }
  EXPECT_FALSE(config.Icons);
  EXPECT_EQ(config.FolderNames[1], "Mailbox\\A");
  EXPECT_EQ(config.MainButtonCaption, "");
  file.SaveButtonsToFile();
  EXPECT_EQ(sim.files.ReadWholeFile(kDamaged), damaged);
}

TEST_F(ConfigurationFileTest, LoadErrorsStopWhereTheyStand) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"<config><folders><folder><foldername>A</foldername></folder></folders></config>",
       "has no id attribute"},
      {"<config><mrulist><mru><mrufolder>A</mrufolder></mru></mrulist></config>",
       "has no id attribute"},
      {"<config><setup><icons>maybe</icons></setup></config>",
       "'maybe' is not a valid boolean value"},
      {"<config>\r\n<folders>\r\n</config>", "line 3, column 3"},
  };
  for (const auto& c : cases) {
    WriteFile(c.text);
    try {
      file.LoadButtonsFromFile();
      ADD_FAILURE() << c.text;
    } catch (const ConfigurationFileError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
}

TEST_F(ConfigurationFileTest, FailedWriteLeavesThePreviousFileByteIdentical) {
  Configure(1, "Mailbox\\Inbox", "Inbox", "00AB");
  file.SaveButtonsToFile();
  const std::string before = FileText();
  Configure(1, "Mailbox\\Other", "Other", "00AB");
  sim.files.FailNextReplaces(1);
  EXPECT_ANY_THROW(file.SaveButtonsToFile());
  EXPECT_EQ(FileText(), before);
  file.SaveButtonsToFile();
  EXPECT_NE(FileText().find("Mailbox\\Other"), std::string::npos);
}

TEST_F(ConfigurationFileTest, UnreadableFileIsNeverOverwritten) {
  Configure(1, "Mailbox\\Inbox", "Inbox", "00AB");
  file.SaveButtonsToFile();
  const std::string intact = FileText();

  // A scanner holds the file at start-up: the load fails like a damaged file.
  Configuration loaded;
  ConfigurationFile reader(loaded, sim.platform());
  sim.files.FailNext(Call::kReadWholeFile);
  try {
    reader.LoadButtonsFromFile();
    FAIL() << "the unreadable file loaded";
  } catch (const ConfigurationFileError& error) {
    EXPECT_NE(std::string(error.what()).find("cannot be read: Cannot use"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(loaded.FolderNames[1], "");

  // Setting it aside fails too: nothing is written.
  sim.files.FailNext(Call::kRenameFile);
  try {
    reader.SaveButtonsToFile();
    FAIL() << "the save went ahead";
  } catch (const ConfigurationFileError& error) {
    EXPECT_NE(std::string(error.what()).find("the configuration was not saved"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(FileText(), intact);

  // The next save renames the unread file first, then writes; later saves just replace.
  reader.SaveButtonsToFile();
  EXPECT_EQ(sim.files.ReadWholeFile(kUnread), intact);
  EXPECT_EQ(FileText().find("Mailbox\\Inbox"), std::string::npos);
  reader.LoadButtonsFromFile();
  reader.SaveButtonsToFile();
  EXPECT_EQ(Files("Qelvo.xml.unread-"), Strings{"Qelvo.xml.unread-20261209-080503"});
}

TEST_F(ConfigurationFileTest, FileThatAppearsAfterALoadFoundNoneIsSetAside) {
  file.LoadButtonsFromFile();
  Configuration other;
  test::AssignSlot(other, 1, "Mailbox\\Inbox", "00AB");
  ConfigurationFile(other, sim.platform()).SaveButtonsToFile();
  const std::string theirs = FileText();
  file.SaveButtonsToFile();
  EXPECT_EQ(sim.files.ReadWholeFile(kUnread), theirs);
}

TEST_F(ConfigurationFileTest, InvalidUtf8IsADamagedFileNamingTheFirstBadByte) {
  // The last line is "<foldername>Café" and a Windows-1252 "ü": column 17 in characters.
  const std::string body =
      "<config><folders><folder id=\"1\">\r\n"
      "<storeid>S</storeid>\r\n"
      "<foldername>Caf\xC3\xA9\xFCller</foldername></folder></folders></config>\r\n";
  const std::string declared = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n" + body;
  WriteFile(declared);
  EXPECT_NE(LoadError().find("not valid UTF-8 at line 4, column 17"), std::string::npos)
      << LoadError();
  EXPECT_EQ(sim.files.ReadWholeFile(kDamaged), declared);
  WriteFile("\xEF\xBB\xBF" + body);
  EXPECT_NE(LoadError().find("not valid UTF-8 at line 3, column 17"), std::string::npos)
      << LoadError();
}

TEST_F(ConfigurationFileTest, TheLastFiveDamagedCopiesAreKeptInTimeOrder) {
  const char* const damaged = "<config><folders>";
  const int seconds[] = {1, 2, 2, 2, 3, 4, 5};
  for (const int second : seconds) {
    WriteFile(damaged);
    sim.clock.Set({2026, 12, 9, 10, 30, second});
    EXPECT_NE(LoadError().find("A copy was kept"), std::string::npos);
  }
  EXPECT_EQ(Files("Qelvo.xml.bad"),
            (Strings{"Qelvo.xml.bad-20261209-103002-02", "Qelvo.xml.bad-20261209-103002-03",
                     "Qelvo.xml.bad-20261209-103003", "Qelvo.xml.bad-20261209-103004",
                     "Qelvo.xml.bad-20261209-103005"}));
  // A copy that cannot be written is reported; the damaged file is then set aside at the save.
  sim.files.FailNext(Call::kReplaceWholeFile);
  EXPECT_NE(LoadError().find("could not be copied"), std::string::npos);
  file.SaveButtonsToFile();
  EXPECT_EQ(Files("Qelvo.xml.unread"), Strings{"Qelvo.xml.unread-20261209-103005"});
}

// Each file-system call of a save, then of a load followed by a save, fails in turn: the file is
// always the old configuration or the new one byte for byte, and the old one is never lost.
TEST_F(ConfigurationFileTest, EveryDiskFaultOfASaveOrALoadKeepsTheConfiguration) {
  Configure(1, "Mailbox\\Inbox", "Old", "00AB");
  file.SaveButtonsToFile();
  const std::string old_text = FileText();
  Configure(1, "Mailbox\\Projects", "New", "00AB");
  const std::string new_text =
      ConfigurationFile::Render(config, sim.clock.Now(), sim.clock.TimeSeparator());
  // Whether the file or one of the kept copies holds `text`.
  const auto kept = [&](const std::string& text) {
    for (const std::string& name : Files("Qelvo.xml")) {
      if (sim.files.ReadWholeFile(std::string(kFolder) + "\\" + name) == text) {
        return true;
      }
    }
    return false;
  };

  int before = sim.files.total_calls();
  file.SaveButtonsToFile();
  const int save_calls = sim.files.total_calls() - before;
  for (int k = 1; k <= save_calls; ++k) {
    WriteFile(old_text);
    sim.files.FailCallNumber(sim.files.total_calls() + k);
    EXPECT_ANY_THROW(file.SaveButtonsToFile()) << "call " << k;
    sim.files.FailCallNumber(0);
    EXPECT_TRUE(FileText() == old_text || FileText() == new_text) << "call " << k;
    file.SaveButtonsToFile();
    EXPECT_EQ(FileText(), new_text) << "call " << k;
  }

  WriteFile(old_text);
  before = sim.files.total_calls();
  Configuration probe;
  ConfigurationFile(probe, sim.platform()).LoadButtonsFromFile();
  const int load_calls = sim.files.total_calls() - before;
  for (int k = 1; k <= load_calls; ++k) {
    WriteFile(old_text);
    Configuration loaded;
    ConfigurationFile reader(loaded, sim.platform());
    sim.files.FailCallNumber(sim.files.total_calls() + k);
    EXPECT_ANY_THROW(reader.LoadButtonsFromFile()) << "call " << k;
    sim.files.FailCallNumber(0);
    reader.SaveButtonsToFile();
    EXPECT_TRUE(kept(old_text)) << "call " << k;
  }
  EXPECT_GE(save_calls, 4);
  EXPECT_GE(load_calls, 5);
}

TEST_F(ConfigurationFileTest, EmptyFileLoadsNothing) {
  config.Icons = false;
  WriteFile("");
  file.LoadButtonsFromFile();
  EXPECT_FALSE(config.Icons);
}

}  // namespace
}  // namespace quivra::core
