#include "bench/started_add_in.h"

#include <stdexcept>
#include <utility>

#include "model/configuration_file.h"
#include "platform/registry.h"

namespace quivra::bench {

namespace {

using outlook::sim::SimFolder;
using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryView;

// What Outlook of that year reports as its version, and the folder of its executable.
struct OutlookRelease {
  const char* version;
  const char* office_folder;
};

OutlookRelease ReleaseOf(int year) {
  switch (year) {
    case 2007:
      return {"12.0.0.6423", "Office12"};
    case 2010:
      return {"14.0.0.7015", "Office14"};
    case 2013:
      return {"15.0.0.4569", "Office15"};
    default:
      throw std::invalid_argument("no Outlook " + std::to_string(year));
  }
}

// Outlook's installation as the add-in finds it in the registry: its class and local server.
void RegisterOutlook(platform::Registry& registry, const OutlookRelease& release) {
  const std::string clsid = "{0006F03A-0000-0000-C000-000000000046}";
  const RegistryKey progid{RegistryRoot::kClassesRoot, "Outlook.Application\\CLSID",
                           RegistryView::kDefault};
  registry.CreateKey(progid);
  registry.WriteString(progid, "", clsid);
  const RegistryKey server{RegistryRoot::kClassesRoot, "CLSID\\" + clsid + "\\LocalServer32",
                           RegistryView::kDefault};
  registry.CreateKey(server);
  registry.WriteString(server, "",
                       std::string("C:\\Program Files\\Microsoft Office\\") +
                           release.office_folder + "\\OUTLOOK.EXE");
}

// Binds the slot to the folder as the folder picker does.
void Bind(core::Configuration& config, int slot, const SimFolder& folder, std::string caption) {
  SimFolder root = folder;
  while (root.parent()) {
    root = root.parent();
  }
  const auto index = static_cast<size_t>(slot);
  config.FolderNames[index] = folder.path();
  config.StoreDetails[index] = {root.name(), root.name(), root.store_id()};
  config.ButtonNames[index] = std::move(caption);
}

// The add-in's keyboard hook without Windows: the hook's logic is made and kept as in Outlook,
// and key presses are handed to it directly.
class LogicOnlyHook : public framework::TInstalledKeyboardHook {};

}  // namespace

OutlookMachine::OutlookMachine(int year, int recent_folders) : year_(year) {
  const OutlookRelease release = ReleaseOf(year);
  world_.outlook.SetVersion(release.version);
  RegisterOutlook(sim_.registry, release);

  const SimFolder slots[] = {world_.projects,      world_.alpha,        world_.beta,
                             world_.specs,         world_.sent_items,   world_.drafts,
                             world_.archive_2023,  world_.archive_2024, world_.archive_projects,
                             world_.archive_alpha, world_.deleted_items};
  for (int slot = 1; slot <= 11; ++slot) {
    const SimFolder& folder = slots[slot - 1];
    Bind(saved_, slot, folder, folder.name() + " " + std::to_string(slot));
  }
  saved_.BackspaceKey = true;
  const SimFolder customers = world_.archive.AddFolder("Customers");
  for (int i = 1; i <= recent_folders && i <= core::kMruCapacity; ++i) {
    const SimFolder folder = customers.AddFolder("Customer " + std::to_string(i));
    saved_.MruList[static_cast<size_t>(i)] = {folder.path(), world_.archive.name(),
                                              world_.archive.store_id()};
  }
  saved_.ExpandList = std::vector<std::string>{world_.projects.entry_id(), customers.entry_id()};
  core::ConfigurationFile(saved_, sim_.platform()).SaveButtonsToFile();
}

StartedAddIn::StartedAddIn(OutlookMachine& machine)
    : machine_(machine),
      addin_(machine.sim().platform(),
             "OLQuivra.coOLQuivra",
             [this](const outlook::ApplicationPtr& application) {
               auto module = std::make_unique<core::TAddInModule>(machine_.sim().platform(),
                                                                  config_, application);
               module_ = module.get();
               return module;
             }) {
  addin_.SetCommandBarsHost({[this](const outlook::ExplorerPtr& explorer) {
                               return command_bars_.ForWindow(explorer->WindowHandle());
                             },
                             {}});
  addin_.SetKeyboardHookInstaller(
      [](framework::TKeyboardHookLogic&) { return std::make_unique<LogicOnlyHook>(); });
}

StartedAddIn::~StartedAddIn() {
  if (started_) {
    Stop();
  }
}

void StartedAddIn::Start() {
  addin_.OnConnection(machine_.world().outlook.application(), framework::ext_cm_Startup,
                      com_add_in_, self_);
  if (machine_.ribbon()) {
    ribbon_ = office::sim::SimRibbon::Load(addin_, kExplorerRibbon);
    ribbon_->Controls();  // the first draw: every value asked for
  }
  addin_.OnAddInsUpdate();
  addin_.OnStartupComplete();
  started_ = true;
}

void StartedAddIn::Stop() {
  started_ = false;
  addin_.OnBeginShutdown();
  addin_.OnDisconnection(framework::ext_dm_HostShutdown);
}

int StartedAddIn::OfficeCalls() const {
  return command_bars_.TotalCalls() +
         (ribbon_ ? static_cast<int>(ribbon_->invalidations().size()) : 0);
}

}  // namespace quivra::bench
