#include "host/framework/registration/registration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/framework/sim/sim_com_registration_services.h"
#include "platform/sim/sim_registry.h"

namespace quivra::framework {
namespace {

using platform::RegistryKey;
using platform::RegistryRoot;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr char kClsid[] = "{6643EE33-41DB-4BAE-A169-9DF0341D4AE0}";
constexpr char kLibId[] = "{FD05400B-01C8-4E4E-9C30-29774AAFDE5F}";
constexpr char kAddInKey[] = "Software\\Microsoft\\Office\\Outlook\\AddIns\\OLQuivra.coOLQuivra";
constexpr char kLibraryPath[] = "C:\\Quivra\\OLQuivra.dll";

RegistryKey Hkcr(const std::string& path) {
  return {RegistryRoot::kClassesRoot, path};
}
RegistryKey Hklm(const std::string& path) {
  return {RegistryRoot::kLocalMachine, path};
}
RegistryKey Hkcu(const std::string& path) {
  return {RegistryRoot::kCurrentUser, path};
}

// Every key and value of the registry as text, for comparing whole states.
std::map<std::string, std::string> Snapshot(platform::sim::SimRegistry& registry) {
  std::map<std::string, std::string> all;
  for (RegistryRoot root :
       {RegistryRoot::kClassesRoot, RegistryRoot::kCurrentUser, RegistryRoot::kLocalMachine}) {
    for (const std::string& path : registry.KeyPaths(root)) {
      const RegistryKey key{root, path};
      all[key.ToString()] = "(key)";
      for (const std::string& name : registry.ValueNames(key)) {
        const auto text = registry.ReadString(key, name);
        const auto number = registry.ReadDword(key, name);
        all[key.ToString() + "\\" + name] = text ? *text : "dword:" + std::to_string(*number);
      }
    }
  }
  return all;
}

std::vector<std::string> ChangesStartingWith(const platform::sim::SimRegistry& registry,
                                             const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& change : registry.changes()) {
    if (change.rfind(prefix, 0) == 0)
      found.push_back(change);
  }
  return found;
}

class RegistrationTest : public ::testing::Test {
 protected:
  RegistrationTest() : services_(registry_) {
    identity_.ClassId = kClsid;
    identity_.ProgId = "OLQuivra.coOLQuivra";
    identity_.Description = "coOLQuivra Object";
    identity_.LibId = kLibId;
    info_.AddInName = "QuivraOL";
    info_.SupportedApps = {TOfficeHostApp::ohaOutlook};
    info_.LoadBehavior = 3;
    info_.RegisterForAllUsers = true;
  }

  void InstallOutlook() {
    registry_.CreateKey(Hkcr("Outlook.Application\\CLSID"));
    registry_.WriteString(Hkcr("Outlook.Application\\CLSID"), "",
                          "{0006F03A-0000-0000-C000-000000000046}");
  }

  void Update(bool do_register, const std::string& library_path = kLibraryPath) {
    const TRegistrationInfo info = info_;
    UpdateServerRegistry(do_register, library_path, {{identity_, [info] { return info; }}},
                         registry_, services_);
  }

  platform::sim::SimRegistry registry_;
  sim::SimComRegistrationServices services_;
  TComClassIdentity identity_;
  TRegistrationInfo info_;
};

// --- registration ---

TEST_F(RegistrationTest, WritesTheComClassEntriesInTheirOrder) {
  Update(true);

  const std::string clsid = std::string("HKCR\\CLSID\\") + kClsid;
  EXPECT_THAT(ChangesStartingWith(registry_, "set HKCR"),
              ElementsAre("set " + clsid + "\\@ = coOLQuivra Object",
                          "set " + clsid + "\\InprocServer32\\@ = C:\\Quivra\\OLQuivra.dll",
                          "set " + clsid + "\\InprocServer32\\ThreadingModel = Apartment",
                          "set HKCR\\OLQuivra.coOLQuivra\\@ = coOLQuivra Object",
                          "set HKCR\\OLQuivra.coOLQuivra\\Clsid\\@ = " + std::string(kClsid),
                          "set " + clsid + "\\ProgID\\@ = OLQuivra.coOLQuivra",
                          "set " + clsid + "\\Version\\@ = 1.0",
                          "set " + clsid + "\\TypeLib\\@ = " + std::string(kLibId)));
  EXPECT_THAT(services_.type_library_calls(),
              ElementsAre("register C:\\Quivra\\OLQuivra.dll help C:\\Quivra"));
}

TEST_F(RegistrationTest, WritesTheOutlookAddInKeyForAllUsers) {
  InstallOutlook();
  Update(true);

  EXPECT_EQ(registry_.ReadString(Hklm(kAddInKey), "FriendlyName"), "QuivraOL");
  EXPECT_EQ(registry_.ReadString(Hklm(kAddInKey), "Description"), "");
  EXPECT_EQ(registry_.ReadDword(Hklm(kAddInKey), "LoadBehavior"), 3u);
  EXPECT_EQ(registry_.ReadDword(Hklm(kAddInKey), "CommandLineSafe"), 0u);
  EXPECT_FALSE(registry_.KeyExists(Hkcu(kAddInKey)));
  EXPECT_THAT(registry_.SubkeyNames(Hklm("Software\\Microsoft\\Office")), ElementsAre("Outlook"));
}

TEST_F(RegistrationTest, WritesTheAddInKeyForTheCurrentUserOnly) {
  InstallOutlook();
  info_.RegisterForAllUsers = false;
  info_.LoadBehavior = 2;
  Update(true);

  EXPECT_EQ(registry_.ReadDword(Hkcu(kAddInKey), "LoadBehavior"), 2u);
  EXPECT_THAT(registry_.KeyPaths(RegistryRoot::kLocalMachine), IsEmpty());
}

TEST_F(RegistrationTest, UsesTheShortPathOnlyForAPathWithABlank) {
  services_.SetShortPath("C:\\Quivra\\OLQuivra.dll", "C:\\WRONG\\OLQuivra.dll");
  services_.SetShortPath("C:\\Program Files\\Quivra\\OLQuivra.dll",
                         "C:\\PROGRA~1\\Quivra\\OLQuivra.dll");
  const RegistryKey server = Hkcr(std::string("CLSID\\") + kClsid + "\\InprocServer32");

  Update(true);
  EXPECT_EQ(registry_.ReadString(server, ""), "C:\\Quivra\\OLQuivra.dll");

  Update(true, "C:\\Program Files\\Quivra\\OLQuivra.dll");
  EXPECT_EQ(registry_.ReadString(server, ""), "C:\\PROGRA~1\\Quivra\\OLQuivra.dll");
  // The type library keeps the long path and its folder.
  EXPECT_EQ(services_.type_library_calls().back(),
            "register C:\\Program Files\\Quivra\\OLQuivra.dll help C:\\Program Files\\Quivra");
}

TEST_F(RegistrationTest, ALibraryAtTheDriveRootHasTheRootAsHelpFolder) {
  Update(true, "C:\\OLQuivra.dll");
  EXPECT_THAT(services_.type_library_calls(), ElementsAre("register C:\\OLQuivra.dll help C:\\"));
}

TEST_F(RegistrationTest, RegisteringTwiceLeavesWhatRegisteringOnceDoes) {
  InstallOutlook();
  Update(true);
  const auto once = Snapshot(registry_);
  Update(true);
  EXPECT_EQ(Snapshot(registry_), once);
}

// --- which hosts count as installed ---

TEST_F(RegistrationTest, NoAddInKeyWithoutOutlook) {
  Update(true);
  EXPECT_THAT(registry_.KeyPaths(RegistryRoot::kLocalMachine), IsEmpty());
  EXPECT_THAT(registry_.KeyPaths(RegistryRoot::kCurrentUser), IsEmpty());
  EXPECT_TRUE(registry_.KeyExists(Hkcr(std::string("CLSID\\") + kClsid)));
}

TEST_F(RegistrationTest, AProgIdWithTheNullClassIdIsNoInstalledHost) {
  registry_.CreateKey(Hkcr("Outlook.Application\\CLSID"));
  registry_.WriteString(Hkcr("Outlook.Application\\CLSID"), "",
                        "{00000000-0000-0000-0000-000000000000}");
  Update(true);
  EXPECT_FALSE(registry_.KeyExists(Hklm(kAddInKey)));
}

TEST_F(RegistrationTest, AClickToRunOfficeCountsAsInstalled) {
  for (const char* version : {"14.0", "15.0"}) {
    SCOPED_TRACE(version);
    const std::string office = std::string("Software\\Microsoft\\Office\\") + version;
    registry_.CreateKey(Hklm(office + "\\Common\\InstallRoot\\Virtual"));
    Update(true);
    EXPECT_EQ(registry_.ReadString(Hklm(kAddInKey), "FriendlyName"), "QuivraOL");
    Update(false);
    EXPECT_FALSE(registry_.KeyExists(Hklm(kAddInKey)));
    registry_.DeleteKey(Hklm(office));
  }
}

TEST_F(RegistrationTest, OnlySupportedHostsGetAnAddInKey) {
  InstallOutlook();
  registry_.CreateKey(Hkcr("Word.Application\\CLSID"));
  registry_.WriteString(Hkcr("Word.Application\\CLSID"), "",
                        "{000209FF-0000-0000-C000-000000000046}");
  Update(true);
  EXPECT_THAT(registry_.SubkeyNames(Hklm("Software\\Microsoft\\Office")), ElementsAre("Outlook"));
}

TEST(AddInKeyPathTest, MapPointAndVisioLiveOutsideTheOfficeBranch) {
  EXPECT_EQ(AddInKeyPath(TOfficeHostApp::ohaOutlook, "A.B"),
            "\\Software\\Microsoft\\Office\\Outlook\\AddIns\\A.B");
  EXPECT_EQ(AddInKeyPath(TOfficeHostApp::ohaProject, "A.B"),
            "\\Software\\Microsoft\\Office\\MS Project\\AddIns\\A.B");
  EXPECT_EQ(AddInKeyPath(TOfficeHostApp::ohaVisio, "A.B"),
            "\\Software\\Microsoft\\Visio\\AddIns\\A.B");
  EXPECT_EQ(AddInKeyPath(TOfficeHostApp::ohaMapPoint, "A.B"),
            "\\Software\\Microsoft\\MapPoint\\AddIns\\A.B");
}

// --- unregistration ---

TEST_F(RegistrationTest, UnregistrationRemovesEverythingRegistrationAndTheAddInWrote) {
  InstallOutlook();
  const auto before = Snapshot(registry_);
  Update(true);
  // What the add-in keeps per user while it runs.
  registry_.CreateKey(Hkcu(std::string(kAddInKey) + "\\CommandBars\\QuivraOL"));
  registry_.WriteDword(Hkcu(std::string(kAddInKey) + "\\CommandBars\\QuivraOL"), "Position", 1);
  registry_.WriteString(Hkcu(kAddInKey), "StartMode", "NORMAL");
  registry_.ClearChanges();

  Update(false);

  EXPECT_EQ(services_.type_library_calls().back(), "unregister");
  const std::string addin_hkcu = std::string("HKCU\\") + kAddInKey;
  const std::string addin_hklm = std::string("HKLM\\") + kAddInKey;
  const std::string clsid = std::string("HKCR\\CLSID\\") + kClsid;
  EXPECT_THAT(
      registry_.changes(),
      ElementsAre("set " + addin_hkcu + "\\StartMode = UNINSTALL",
                  "set " + addin_hklm + "\\LoadBehavior = dword:0", "delete " + addin_hklm,
                  "delete " + addin_hkcu, "delete " + clsid + "\\TypeLib",
                  "delete " + clsid + "\\Version", "delete " + clsid + "\\ProgID",
                  "delete HKCR\\OLQuivra.coOLQuivra\\Clsid", "delete HKCR\\OLQuivra.coOLQuivra",
                  "delete " + clsid + "\\InprocServer32", "delete " + clsid));
  // Only the emptied parents of the keys stay, as Windows leaves them.
  auto after = Snapshot(registry_);
  for (auto it = after.begin(); it != after.end();) {
    it = it->second == "(key)" && before.count(it->first) == 0 ? after.erase(it) : std::next(it);
  }
  EXPECT_EQ(after, before);
  EXPECT_FALSE(registry_.KeyExists(Hkcr(std::string("CLSID\\") + kClsid)));
}

TEST_F(RegistrationTest, UnregistrationAfterOutlookWasRemovedStillRemovesTheAddInKey) {
  InstallOutlook();
  Update(true);
  registry_.DeleteKey(Hkcr("Outlook.Application"));
  Update(false);
  EXPECT_FALSE(registry_.KeyExists(Hklm(kAddInKey)));
}

TEST_F(RegistrationTest, UnregisteringWhatIsNotRegisteredChangesNothing) {
  InstallOutlook();
  registry_.ClearChanges();
  Update(false);
  EXPECT_THAT(registry_.changes(), IsEmpty());
}

TEST_F(RegistrationTest, RemovalOfTheComClassEntriesGoesOnPastErrors) {
  InstallOutlook();
  Update(true);
  registry_.DenyChanges(RegistryRoot::kClassesRoot);
  EXPECT_NO_THROW(Update(false));
  EXPECT_FALSE(registry_.KeyExists(Hklm(kAddInKey)));
  EXPECT_TRUE(registry_.KeyExists(Hkcr("OLQuivra.coOLQuivra\\Clsid")));
}

// --- failures ---

TEST_F(RegistrationTest, AFailedEntryStopsRegistrationAndKeepsWhatWasWritten) {
  InstallOutlook();
  registry_.FailAfterChanges(3);  // the class key, its description and InprocServer32
  try {
    Update(true);
    FAIL() << "registration did not fail";
  } catch (const TRegistrationError& error) {
    EXPECT_THAT(error.what(), HasSubstr("Error creating system registry entry"));
  }
  EXPECT_EQ(registry_.ReadString(Hkcr(std::string("CLSID\\") + kClsid), ""), "coOLQuivra Object");
  EXPECT_FALSE(registry_.KeyExists(Hkcr("OLQuivra.coOLQuivra")));
  EXPECT_FALSE(registry_.KeyExists(Hklm(kAddInKey)));
}

TEST_F(RegistrationTest, AnUnwritableMachineKeyFailsRegistrationForAllUsers) {
  InstallOutlook();
  registry_.DenyChanges(RegistryRoot::kLocalMachine);
  EXPECT_THROW(Update(true), TRegistrationError);
  EXPECT_TRUE(registry_.KeyExists(Hkcr(std::string("CLSID\\") + kClsid + "\\TypeLib")));
}

TEST_F(RegistrationTest, AFailedTypeLibraryRegistrationWritesNoEntry) {
  InstallOutlook();
  services_.FailTypeLibraryRegistration(true);
  EXPECT_ANY_THROW(Update(true));
  EXPECT_THAT(ChangesStartingWith(registry_, "set HKCR\\CLSID"), IsEmpty());
}

TEST_F(RegistrationTest, TheModuleMustHaveANameAndAHost) {
  info_.AddInName.clear();
  EXPECT_THROW(
      {
        try {
          Update(true);
        } catch (const TRegistrationError& error) {
          EXPECT_STREQ(error.what(), "The AddInName property cannot be empty.");
          throw;
        }
      },
      TRegistrationError);
  info_.AddInName = "QuivraOL";
  info_.SupportedApps = {};
  EXPECT_THROW(Update(true), TRegistrationError);
}

// --- the module's events ---

TEST_F(RegistrationTest, RaisesTheRegistrationEventsOnTheUsersAddInKey) {
  InstallOutlook();
  std::vector<std::string> raised;
  info_.OnAfterAddinRegister = [&](TOfficeHostApp host, const RegistryKey& key) {
    raised.push_back("after " + key.ToString() +
                     " exists=" + std::to_string(registry_.KeyExists(key)) +
                     " host=" + std::to_string(static_cast<int>(host)));
  };
  info_.OnBeforeAddinUnregister = [&](TOfficeHostApp host, const RegistryKey& key) {
    raised.push_back("before " + key.ToString() +
                     " exists=" + std::to_string(registry_.KeyExists(key)) +
                     " host=" + std::to_string(static_cast<int>(host)) +
                     " machine key=" + std::to_string(registry_.KeyExists(Hklm(kAddInKey))));
  };
  Update(true);
  Update(false);

  EXPECT_THAT(raised, ElementsAre("after HKCU\\" + std::string(kAddInKey) + " exists=1 host=2",
                                  "before HKCU\\" + std::string(kAddInKey) +
                                      " exists=1 host=2 machine key=1"));
}

TEST_F(RegistrationTest, AFailingEventHandlerIsReportedAndRegistrationGoesOn) {
  InstallOutlook();
  std::vector<std::string> reports;
  info_.OnAfterAddinRegister = [](TOfficeHostApp, const RegistryKey&) {
    throw std::runtime_error("handler failed");
  };
  info_.OnBeforeAddinUnregister = info_.OnAfterAddinRegister;
  info_.ReportError = [&](const std::string& message) { reports.push_back(message); };

  EXPECT_NO_THROW(Update(true));
  EXPECT_NO_THROW(Update(false));
  EXPECT_THAT(reports, ElementsAre("handler failed", "handler failed"));
  EXPECT_FALSE(registry_.KeyExists(Hklm(kAddInKey)));
  EXPECT_FALSE(registry_.KeyExists(Hkcu(kAddInKey)));
}

}  // namespace
}  // namespace quivra::framework
