#include <gtest/gtest.h>

#include <stdexcept>
#include <variant>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/keyboard/keyboard_shortcut.h"
#include "host/framework/keyboard/shortcut_table.h"
#include "host/framework/keyboard/shortcut_text.h"
#include "host/framework/module/com_addin_module.h"
#include "tests/host_framework/framework_module_fixture.h"
#include "tests/support/message_texts.h"

namespace quivra::framework {
namespace {

constexpr std::uint32_t kKeyDown = 0x00020001;  // repeat count 1, scan code 2
constexpr std::uint32_t kRepeat = kKeyDown | (1u << 30);
constexpr std::uint32_t kKeyUp = kKeyDown | (1u << 30) | (1u << 31);

TKeyPress Press(int vk,
                   bool ctrl = false,
                   bool shift = false,
                   bool alt = false,
                   std::uint32_t key_data = kKeyDown) {
  return TKeyPress{vk, key_data, ctrl, shift, alt};
}

TEST(ShortcutTextTest, KeysAreNamedAsShortcutTextsNameThem) {
  const std::pair<int, const char*> names[] = {
      {8, "BkSp"},  {9, "Tab"},  {13, "Enter"}, {27, "Esc"},  {32, "Space"}, {33, "PgUp"},
      {34, "PgDn"}, {35, "End"}, {36, "Home"},  {37, "Left"}, {38, "Up"},    {39, "Right"},
      {40, "Down"}, {45, "Ins"}, {46, "Del"},   {48, "0"},    {57, "9"},     {96, "0"},
      {105, "9"},   {65, "A"},   {90, "Z"},     {112, "F1"},  {135, "F24"},
  };
  for (const auto& [vk, name] : names)
    EXPECT_EQ(KeyName(vk), name) << vk;

  EXPECT_EQ(KeyName(186), "");
  EXPECT_EQ(KeyName(186, [](int vk) { return vk == 186 ? std::string(";") : std::string(); }), ";");
}

TEST(ShortcutTextTest, AKeyPressBecomesItsUpperCasedShortcutText) {
  EXPECT_EQ(ShortcutTextOf(Press('3', false, false, true)), "ALT+3");
  // The keypad 1 with Alt gives the same text as the top-row 1.
  EXPECT_EQ(ShortcutTextOf(Press(97, false, false, true)), "ALT+1");
  EXPECT_EQ(ShortcutTextOf(Press('Z', false, false, true)), "ALT+Z");
  EXPECT_EQ(ShortcutTextOf(Press(8)), "BKSP");
  EXPECT_EQ(ShortcutTextOf(Press('A', true, true, false)), "CTRL+SHIFT+A");
  EXPECT_EQ(ShortcutTextOf(Press(112, true, true, true)), "CTRL+SHIFT+ALT+F1");
}

TEST(ShortcutTextTest, PressesThatCannotBeShortcutsGiveNoText) {
  EXPECT_EQ(ShortcutTextOf(Press('1', false, false, true, kRepeat)), "");
  EXPECT_EQ(ShortcutTextOf(Press('1', false, false, true, kKeyUp)), "");
  EXPECT_EQ(ShortcutTextOf(Press(18, false, false, true)), "");  // Alt by itself
  EXPECT_EQ(ShortcutTextOf(Press(16, false, true, false)), "");
  EXPECT_EQ(ShortcutTextOf(Press(17, true, false, false)), "");
  EXPECT_EQ(ShortcutTextOf(Press(0)), "");
  EXPECT_EQ(ShortcutTextOf(Press('1', false, false, true, 0)), "");
  EXPECT_EQ(ShortcutTextOf(Press(186, false, false, true)), "");  // no name for the key
}

TEST(ShortcutTextTest, CaptionsGiveTheirMenuAccelerator) {
  EXPECT_EQ(AcceleratorText("&3 Projects"), "ALT+3");
  EXPECT_EQ(AcceleratorText("Any &folder"), "ALT+F");
  EXPECT_EQ(AcceleratorText("&\xC3\xA9t\xC3\xA9"), "ALT+\xC3\xA9");  // the whole character
  EXPECT_EQ(AcceleratorText("Projects"), "");
  EXPECT_EQ(AcceleratorText("Trailing&"), "");
}

class KeyboardShortcutTest : public FrameworkModuleTest {
 protected:
  KeyboardShortcutTest() { ServeOutlook(); }

  TKeyboardShortcut& Shortcut(const std::string& text, int tag, bool enabled = true) {
    auto& shortcut = module_.CreateComponent<TKeyboardShortcut>();
    shortcut.SetShortcutText(text);
    shortcut.SetTag(tag);
    shortcut.SetEnabled(enabled);
    return shortcut;
  }

  TKeyboardShortcut* Find(const TKeyPress& press) {
    return FindKeyboardShortcut(module_, TOfficeHostApp::ohaOutlook, ShortcutTextOf(press));
  }
};

TEST_F(KeyboardShortcutTest, ANewShortcutStartsEnabledForTheModulesHostsAndTurnsOnHandling) {
  EXPECT_FALSE(module_.HandleShortcuts());
  auto& shortcut = module_.CreateComponent<TKeyboardShortcut>();
  EXPECT_TRUE(module_.HandleShortcuts());
  EXPECT_EQ(shortcut.Name(), "keyboardShortcut1");
  EXPECT_EQ(shortcut.ShortcutText(), "");
  EXPECT_TRUE(shortcut.Enabled());
  EXPECT_EQ(shortcut.Tag(), 0);
  EXPECT_EQ(shortcut.SupportedApps(), THostAppSet{TOfficeHostApp::ohaOutlook});
}

TEST_F(KeyboardShortcutTest, AKeyPressFindsTheEnabledShortcutWithItsText) {
  Shortcut("Alt+1", 1);
  TKeyboardShortcut& three = Shortcut("Alt+3", 3);
  TKeyboardShortcut& backspace = Shortcut("Bksp", 11);

  EXPECT_EQ(Find(Press('3', false, false, true)), &three);
  EXPECT_EQ(Find(Press(99, false, false, true)), &three);  // keypad 3
  EXPECT_EQ(Find(Press(8)), &backspace);
  EXPECT_EQ(Find(Press('3')), nullptr);
  EXPECT_EQ(Find(Press('3', false, false, true, kRepeat)), nullptr);
}

TEST_F(KeyboardShortcutTest, DisarmedOrForeignShortcutsNeverMatch) {
  TKeyboardShortcut& two = Shortcut("Alt+2", 2, /*enabled=*/false);
  TKeyboardShortcut& excel = Shortcut("Alt+4", 4);
  excel.SetSupportedApps({TOfficeHostApp::ohaExcel});
  Shortcut("", 12);
  Shortcut("Shift+Ctrl+A", 5);  // not the order a key press is written in

  EXPECT_EQ(Find(Press('2', false, false, true)), nullptr);
  EXPECT_EQ(Find(Press('4', false, false, true)), nullptr);
  EXPECT_EQ(Find(Press('A', true, true, false)), nullptr);
  EXPECT_EQ(FindKeyboardShortcut(module_, TOfficeHostApp::ohaOutlook, ""), nullptr);

  two.SetEnabled(true);  // armed: the next key press sees it
  EXPECT_EQ(Find(Press('2', false, false, true)), &two);
}

TEST_F(KeyboardShortcutTest, CommandBarEntriesComeFirstAndTheFirstTextWins) {
  auto& bar = module_.CreateComponent<TOlExplorerCommandBar>();
  auto& popup = bar.Controls().Add<TCommandBarPopup>();
  auto& configure = popup.Controls().Add<TCommandBarButton>();
  configure.SetShortcutText("Ctrl+Shift+Q");
  auto& folder3 = bar.Controls().Add<TCommandBarButton>();
  folder3.SetCaption("&3 Projects");
  TKeyboardShortcut& three = Shortcut("Alt+3", 3);

  TShortcutTable table;
  table.AddCommandBarControls(bar.Controls());
  table.AddKeyboardShortcuts(module_, TOfficeHostApp::ohaOutlook);

  ASSERT_EQ(table.Count(), 3);
  EXPECT_EQ(table[0].Text, "CTRL+SHIFT+Q");
  EXPECT_EQ(std::get<TCommandBarButton*>(table[0].Owner), &configure);
  EXPECT_FALSE(table[0].IsAccelerator);
  const int found = table.Find("alt+3");
  ASSERT_EQ(found, 1);
  EXPECT_EQ(std::get<TCommandBarButton*>(table[found].Owner), &folder3);
  EXPECT_TRUE(table[found].IsAccelerator);
  EXPECT_EQ(std::get<TKeyboardShortcut*>(table[2].Owner), &three);
  EXPECT_THROW(table[3], std::out_of_range);
}

TEST_F(KeyboardShortcutTest, TheActionRunsOnlyWhileEnabledAndItsErrorsAreReported) {
  TKeyboardShortcut& shortcut = Shortcut("Alt+1", 1);
  int tag_seen = -1;
  shortcut.OnAction = [&](TKeyboardShortcut& sender) {
    tag_seen = sender.Tag();
    throw std::runtime_error(test::kNoFolderSet);
  };

  EXPECT_NO_THROW(shortcut.DoAction());
  EXPECT_EQ(tag_seen, 1);
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_EQ(sim.message_boxes.shown()[0].text, std::string(test::kAddInError) + test::kNoFolderSet);

  tag_seen = -1;
  shortcut.SetEnabled(false);
  shortcut.DoAction();
  EXPECT_EQ(tag_seen, -1);
}

}  // namespace
}  // namespace quivra::framework
