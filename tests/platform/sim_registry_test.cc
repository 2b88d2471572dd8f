#include "platform/sim/sim_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/platform_error.h"

namespace quivra::platform::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

RegistryKey Hkcu(const std::string& path) {
  return {RegistryRoot::kCurrentUser, path};
}
RegistryKey Hklm(const std::string& path, RegistryView view = RegistryView::kDefault) {
  return {RegistryRoot::kLocalMachine, path, view};
}
RegistryKey Hkcr(const std::string& path, RegistryView view = RegistryView::kDefault) {
  return {RegistryRoot::kClassesRoot, path, view};
}

TEST(SimRegistryTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  SimRegistry registry;
  registry.CreateKey(Hkcu("\\Software\\Quivra\\AddIns\\"));
  registry.WriteString(Hkcu("software\\QUIVRA\\addins"), "FriendlyName", "QuivraOL");
  registry.WriteString(Hkcu("Software\\Quivra\\AddIns"), "FRIENDLYNAME", "Other");

  EXPECT_EQ(registry.ReadString(Hkcu("SOFTWARE\\quivra\\ADDINS"), "friendlyname"), "Other");
  EXPECT_THAT(registry.ValueNames(Hkcu("Software\\Quivra\\AddIns")), ElementsAre("FriendlyName"));
  EXPECT_THAT(registry.SubkeyNames(Hkcu("software\\quivra")), ElementsAre("AddIns"));
}

TEST(SimRegistryTest, ValuesReadOnlyAsTheirOwnType) {
  SimRegistry registry;
  registry.CreateKey(Hkcu("Key"));
  registry.WriteDword(Hkcu("Key"), "LoadBehavior", 3);
  registry.WriteString(Hkcu("Key"), "", "default");

  EXPECT_EQ(registry.ReadDword(Hkcu("Key"), "LoadBehavior"), 3u);
  EXPECT_EQ(registry.ReadString(Hkcu("Key"), "LoadBehavior"), std::nullopt);
  EXPECT_EQ(registry.ReadDword(Hkcu("Key"), ""), std::nullopt);
  EXPECT_EQ(registry.ReadString(Hkcu("Key"), ""), "default");
  EXPECT_EQ(registry.ReadString(Hkcu("Missing"), ""), std::nullopt);
}

TEST(SimRegistryTest, WritingNeedsAnExistingKey) {
  SimRegistry registry;
  EXPECT_THROW(registry.WriteString(Hkcu("Missing"), "Name", "x"), PlatformError);
  EXPECT_FALSE(registry.KeyExists(Hkcu("Missing")));
}

TEST(SimRegistryTest, DeleteKeyRemovesTheWholeTreeAndReportsAbsence) {
  SimRegistry registry;
  registry.CreateKey(Hkcu("A\\B\\C"));
  registry.CreateKey(Hkcu("A\\D"));
  registry.WriteString(Hkcu("A\\B"), "Value", "x");

  EXPECT_TRUE(registry.DeleteKey(Hkcu("a\\b")));
  EXPECT_FALSE(registry.KeyExists(Hkcu("A\\B\\C")));
  EXPECT_TRUE(registry.KeyExists(Hkcu("A\\D")));
  EXPECT_FALSE(registry.DeleteKey(Hkcu("A\\B")));
  EXPECT_FALSE(registry.DeleteValue(Hkcu("A\\D"), "Missing"));
}

TEST(SimRegistryTest, The32BitViewIsRedirectedForMachineSoftwareAndClasses) {
  SimRegistry registry;
  registry.CreateKey(Hklm("Software\\Microsoft\\Office", RegistryView::k32));
  registry.CreateKey(Hkcr("CLSID\\{X}", RegistryView::k32));
  registry.CreateKey({RegistryRoot::kCurrentUser, "Software\\Quivra", RegistryView::k32});

  EXPECT_TRUE(registry.KeyExists(Hklm("Software\\Wow6432Node\\Microsoft\\Office")));
  EXPECT_FALSE(registry.KeyExists(Hklm("Software\\Microsoft\\Office")));
  EXPECT_TRUE(registry.KeyExists(Hkcr("Wow6432Node\\CLSID\\{X}")));
  EXPECT_TRUE(registry.KeyExists(Hkcr("CLSID\\{X}", RegistryView::k32)));
  EXPECT_TRUE(registry.KeyExists(Hkcu("Software\\Quivra")));
}

TEST(SimRegistryTest, A32BitProcessSeesThe32BitViewByDefault) {
  SimRegistry registry(/*process_is_32bit=*/true);
  registry.CreateKey(Hklm("Software\\Quivra"));

  EXPECT_TRUE(registry.KeyExists(Hklm("Software\\Quivra", RegistryView::k32)));
  EXPECT_FALSE(registry.KeyExists(Hklm("Software\\Quivra", RegistryView::k64)));
  EXPECT_TRUE(registry.KeyExists(Hklm("Software\\Wow6432Node\\Quivra", RegistryView::k64)));
}

TEST(SimRegistryTest, RecordsChangesInOrderAndRefusesThemWhenTold) {
  SimRegistry registry;
  registry.CreateKey(Hkcu("Key"));
  registry.WriteDword(Hkcu("Key"), "Count", 7);
  registry.DenyChanges(RegistryRoot::kLocalMachine);
  EXPECT_THROW(registry.CreateKey(Hklm("Software\\Quivra")), PlatformError);
  registry.FailAfterChanges(1);
  registry.WriteString(Hkcu("Key"), "", "text");
  EXPECT_THROW(registry.DeleteKey(Hkcu("Key")), PlatformError);

  EXPECT_THAT(registry.changes(), ElementsAre("create HKCU\\Key", "set HKCU\\Key\\Count = dword:7",
                                              "set HKCU\\Key\\@ = text"));
  EXPECT_TRUE(registry.KeyExists(Hkcu("Key")));
  EXPECT_THAT(registry.KeyPaths(RegistryRoot::kLocalMachine), IsEmpty());
}

}  // namespace
}  // namespace quivra::platform::sim
