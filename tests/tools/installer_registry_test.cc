#include "tools/registry_entries/installer_registry.h"

#include <fstream>
#include <map>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/registration_properties.h"
#include "tools/registry_entries/type_library_source.h"

namespace quivra::tools {
namespace {

using ::testing::HasSubstr;

constexpr char kClsid[] = "{6643EE33-41DB-4BAE-A169-9DF0341D4AE0}";
constexpr char kLibId[] = "{FD05400B-01C8-4E4E-9C30-29774AAFDE5F}";
constexpr char kIid[] = "{02AD0300-8F4A-4179-A667-E54F546F0402}";
constexpr char kAddInKey[] = "Software\\Microsoft\\Office\\Outlook\\AddIns\\OLQuivra.coOLQuivra";

IdlLibrary AddInLibrary() {
  std::ifstream file(QUIVRA_ADDIN_IDL);
  std::ostringstream text;
  text << file.rdbuf();
  return ReadIdl(text.str());
}

// "key [name]" -> value as text ("dword:N" for numbers), for one root.
std::map<std::string, std::string> Table(const std::vector<InstallerRegistryValue>& values) {
  std::map<std::string, std::string> table;
  for (const InstallerRegistryValue& value : values) {
    EXPECT_EQ(value.root, "HKMU") << value.key;
    table[value.key + " [" + value.name + "]"] =
        value.is_dword ? "dword:" + std::to_string(value.number) : value.text;
  }
  return table;
}

TEST(TypeLibrarySource, ReadsTheAddInLibrary) {
  const IdlLibrary library = AddInLibrary();
  EXPECT_EQ(library.name, "OLQuivra");
  EXPECT_EQ(library.lib_id, kLibId);
  EXPECT_EQ(library.help_string, "OLQuivra Library");
  EXPECT_EQ(library.version_major, 1);
  EXPECT_EQ(library.version_minor, 0);
  EXPECT_EQ(library.flags, 8);
  ASSERT_EQ(library.interfaces.size(), 1u);
  EXPECT_EQ(library.interfaces[0].name, "IcoOLQuivra");
  EXPECT_EQ(library.interfaces[0].iid, kIid);
  EXPECT_TRUE(library.interfaces[0].automation);
  EXPECT_EQ(library.Class("coOLQuivra").class_id, kClsid);
  EXPECT_EQ(library.Class("coOLQuivra").help_string, "coOLQuivra Object");
}

TEST(TypeLibrarySource, IgnoresCommentsAndRefusesWhatItCannotRegister) {
  const IdlLibrary library = ReadIdl(R"(
    // [uuid(00000000-0000-0000-0000-000000000001)] coclass Old {};
    [uuid(12345678-9abc-def0-1234-56789abcdef0), version(2.3), hidden] library Lib {
      /* [uuid(00000000-0000-0000-0000-000000000002)] interface Gone : IUnknown {}; */
      [uuid(00000000-0000-0000-0000-000000000003)] interface IPlain : IUnknown {};
      [uuid(00000000-0000-0000-0000-000000000004), helpstring("A [b] c")] coclass C {};
    };)");
  EXPECT_EQ(library.lib_id, "{12345678-9ABC-DEF0-1234-56789ABCDEF0}");
  EXPECT_EQ(library.version_major, 2);
  EXPECT_EQ(library.version_minor, 3);
  EXPECT_EQ(library.flags, 4 | 8);
  ASSERT_EQ(library.interfaces.size(), 1u);
  EXPECT_FALSE(library.interfaces[0].automation);
  ASSERT_EQ(library.classes.size(), 1u);
  EXPECT_EQ(library.classes[0].help_string, "A [b] c");
  EXPECT_THROW(library.Class("Old"), IdlError);

  EXPECT_THROW(ReadIdl("[uuid(00000000-0000-0000-0000-000000000001)] interface I {};"), IdlError);
  EXPECT_THROW(ReadIdl("[version(1.0)] library L {};"), IdlError);
  EXPECT_THROW(ReadIdl("[uuid(not-a-guid)] library L {};"), IdlError);
}

// The package writes, for every user or for one, exactly the values DllRegisterServer writes
// for all users, with the DLL's paths as the package's references.
TEST(InstallerRegistry, WritesWhatRegistrationWrites) {
  const auto table =
      Table(InstallerRegistry(AddInLibrary(), "coOLQuivra", core::QuivraRegistrationInfo(),
                              {"OLQuivra64.dll", "INSTALLDIR64", "win64"}));
  const std::string clsid = std::string("Software\\Classes\\CLSID\\") + kClsid;
  const std::string typelib = std::string("Software\\Classes\\TypeLib\\") + kLibId + "\\1.0";
  const std::string iface = std::string("Software\\Classes\\Interface\\") + kIid;
  const std::map<std::string, std::string> expected = {
      {clsid + " []", "coOLQuivra Object"},
      // A folder below Program Files has a blank: the class gets the DLL's short path.
      {clsid + "\\InprocServer32 []", "[!OLQuivra64.dll]"},
      {clsid + "\\InprocServer32 [ThreadingModel]", "Apartment"},
      {clsid + "\\ProgID []", "OLQuivra.coOLQuivra"},
      {clsid + "\\Version []", "1.0"},
      {clsid + "\\TypeLib []", kLibId},
      {"Software\\Classes\\OLQuivra.coOLQuivra []", "coOLQuivra Object"},
      {"Software\\Classes\\OLQuivra.coOLQuivra\\Clsid []", kClsid},
      {typelib + " []", "OLQuivra Library"},
      {typelib + "\\FLAGS []", "8"},
      {typelib + "\\0\\win64 []", "[#OLQuivra64.dll]"},
      {typelib + "\\HELPDIR []", "[INSTALLDIR64]"},
      {iface + " []", "IcoOLQuivra"},
      {iface + "\\ProxyStubClsid []", "{00020424-0000-0000-C000-000000000046}"},
      {iface + "\\ProxyStubClsid32 []", "{00020424-0000-0000-C000-000000000046}"},
      {iface + "\\TypeLib []", kLibId},
      {iface + "\\TypeLib [Version]", "1.0"},
      {std::string(kAddInKey) + " [FriendlyName]", "QuivraOL"},
      {std::string(kAddInKey) + " [Description]", ""},
      {std::string(kAddInKey) + " [LoadBehavior]", "dword:3"},
      {std::string(kAddInKey) + " [CommandLineSafe]", "dword:0"},
  };
  EXPECT_EQ(table, expected);
}

TEST(InstallerRegistry, ThirtyTwoBitCopyRegistersItsOwnPlatform) {
  const auto table =
      Table(InstallerRegistry(AddInLibrary(), "coOLQuivra", core::QuivraRegistrationInfo(),
                              {"OLQuivra32.dll", "INSTALLDIR32", "win32"}));
  const std::string typelib = std::string("Software\\Classes\\TypeLib\\") + kLibId + "\\1.0";
  EXPECT_EQ(table.at(typelib + "\\0\\win32 []"), "[#OLQuivra32.dll]");
  EXPECT_EQ(table.count(typelib + "\\0\\win64 []"), 0u);
}

TEST(InstallerRegistry, TextsAreEscapedForTheInstallerAndForXml) {
  framework::TRegistrationInfo info = core::QuivraRegistrationInfo();
  info.AddInName = "Files [fast] & \"well\" <here>";
  const auto values = InstallerRegistry(AddInLibrary(), "coOLQuivra", info, {"F", "D", "win64"});
  const std::string wix = WixRegistryValues(values, "r");
  EXPECT_THAT(wix, HasSubstr("Name=\"FriendlyName\" Type=\"string\" "
                             "Value=\"Files [\\[]fast[\\]] &amp; &quot;well&quot; &lt;here&gt;\""));
  EXPECT_THAT(wix, HasSubstr("Name=\"LoadBehavior\" Type=\"integer\" Value=\"3\""));
  // Every element has an id of its own.
  EXPECT_THAT(wix, HasSubstr("Id=\"r1\""));
  EXPECT_THAT(wix, HasSubstr("Id=\"r" + std::to_string(values.size()) + "\""));
}

// A registration that writes for the current user only puts its add-in key under HKCU.
TEST(InstallerRegistry, PerUserRegistrationKeepsItsRoot) {
  framework::TRegistrationInfo info = core::QuivraRegistrationInfo();
  info.RegisterForAllUsers = false;
  int user_values = 0;
  for (const InstallerRegistryValue& value :
       InstallerRegistry(AddInLibrary(), "coOLQuivra", info, {"F", "D", "win64"})) {
    if (value.key == kAddInKey) {
      EXPECT_EQ(value.root, "HKCU");
      ++user_values;
    }
  }
  EXPECT_EQ(user_values, 4);
}

}  // namespace
}  // namespace quivra::tools
