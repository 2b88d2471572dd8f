// The stand-in's inspectors: opening one loads the add-ins' ribbon of its kind, closing the last
// one gives the focus back to the explorer it was opened from.
#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "platform/win32/com/iids.h"
#include "platform/win32/win32_screen.h"
#include "tools/olhost/outlook_stand_in.h"
#include "tools/olhost/stand_in_report.h"
#include "tools/olhost/stand_in_windows.h"

namespace quivra::olhost {

using Microsoft::WRL::ComPtr;

// Office loads the customUI of an inspector ribbon when the first inspector of that kind is
// shown, not at start-up: it calls GetCustomUI with the kind's ribbon id
// ("Microsoft.Outlook.Mail.Read" for a received mail, "Microsoft.Outlook.Mail.Compose" for one
// being written, one id for each type of inspector) and keeps what it got for every later
// inspector of that kind; an item shown in the reading pane asks for nothing. The text is a
// customUI document of its own, so its onLoad is called again, with the IRibbonUI of that ribbon:
// an object other than the explorer's, through which only that ribbon is invalidated.
// Described in "Implementing the IRibbonExtensibility Interface" (Outlook VBA reference):
// https://learn.microsoft.com/en-us/office/vba/outlook/how-to/office-fluent-ui-extensibility/implementing-the-iribbonextensibility-interface
// and "IRibbonExtensibility.GetCustomUI Method", whose RibbonID is "one for each type of
// Inspector object" in Outlook:
// https://learn.microsoft.com/en-us/previous-versions/office/developer/office-2007/aa433551(v=office.12)
void OutlookStandIn::OpenInspector(const std::string& RibbonID) {
  if (!started_) {
    Print("Outlook has not started");
    return;
  }
  std::uintptr_t front = 0;
  try {
    if (outlook::ExplorerPtr explorer = world_.outlook.application()->ActiveExplorer()) {
      front = explorer->WindowHandle();
    }
  } catch (const std::exception&) {
  }
  Print("user opens an inspector (" + RibbonID + ")");
  StandInWindows::OpenInspector();
  world_.outlook.ActivateInspector();
  inspectors_.emplace_back(RibbonID, front);
  // Outlook 2007 already shows the ribbon in its inspectors.
  for (AddIn& add_in : add_ins_) {
    if (!add_in.connected) {
      continue;
    }
    ComPtr<office::com::IRibbonExtensibility> extensibility;
    if (FAILED(add_in.object->QueryInterface(
            quivra::com::IID_IRibbonExtensibility,
            reinterpret_cast<void**>(extensibility.GetAddressOf())))) {
      continue;
    }
    if (add_in.inspector_ribbons.count(RibbonID) != 0) {
      Print(add_in.prog_id + ": the " + RibbonID + " ribbon is loaded already");
      continue;
    }
    auto ribbon = std::make_shared<RibbonHost>(add_in.object.Get());
    const HRESULT result = ribbon->Load(RibbonID);
    Print(add_in.prog_id + ": GetCustomUI(" + RibbonID + ") -> " + Hex(result) + ", " +
          std::to_string(ribbon->CustomUI().size()) + " characters, " +
          std::to_string(ribbon->RibbonLoadCount()) + " onLoad with a new IRibbonUI");
    if (SUCCEEDED(result)) {
      ribbon->Text();
      add_in.inspector_ribbons[RibbonID] = std::move(ribbon);
    }
  }
  platform::win32::DispatchPendingMessages();
}

void OutlookStandIn::CloseInspector() {
  if (inspectors_.empty()) {
    Print("no inspector is open");
    return;
  }
  const auto [ribbon_id, front] = inspectors_.back();
  inspectors_.pop_back();
  Print("user closes the inspector (" + ribbon_id + ")");
  StandInWindows::CloseInspector();
  if (!inspectors_.empty()) {
    return;
  }
  for (const outlook::sim::SimExplorer& explorer : world_.outlook.explorers()) {
    if (explorer.is_open() && explorer.window() == front) {
      explorer.Activate();
    }
  }
  platform::win32::DispatchPendingMessages();
}

}  // namespace quivra::olhost
