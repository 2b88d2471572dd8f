#ifndef QUIVRA_TOOLS_OLHOST_RIBBON_HOST_H_
#define QUIVRA_TOOLS_OLHOST_RIBBON_HOST_H_

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <memory>
#include <string>
#include <vector>

#include "host/office/sim/sim_ribbon.h"

namespace quivra::olhost {

class ComRibbonAddIn;

// The explorer ribbon of one add-in as the stand-in shows it: Office's side of the ribbon played
// through COM — GetCustomUI on the add-in's IRibbonExtensibility, then onLoad with an IRibbonUI
// of the stand-in and every callback by name through the add-in's IDispatch with an
// IRibbonControl of the stand-in — rendered by the simulated ribbon.
class RibbonHost {
 public:
  explicit RibbonHost(IUnknown* add_in);
  ~RibbonHost();
  RibbonHost(const RibbonHost&) = delete;
  RibbonHost& operator=(const RibbonHost&) = delete;

  // Asks for the ribbon RibbonID and renders it; the result of GetCustomUI or of rendering.
  HRESULT Load(const std::string& RibbonID);
  // The customUI text; empty before Load.
  std::string CustomUI() const;
  // What the user sees now, one line per control; empty without a ribbon.
  std::string Text();
  // The user clicks the control shown with that label; false when none takes the click.
  bool ClickLabel(const std::string& label);
  // The user presses the control of that id (by its key tip); false when it takes no click.
  bool ClickId(const std::string& id);
  // Whether the user sees the control of that id.
  bool Shown(const std::string& id);
  // The rendered controls, as the user sees them now; empty without a ribbon.
  const std::vector<office::sim::SimRibbonControl>& Controls();
  // How often the add-in's onLoad was called, each time with a new IRibbonUI of this ribbon.
  int RibbonLoadCount() const;
  // The callbacks made into the add-in so far, onLoad aside.
  int CallbackCount() const { return ribbon_ ? ribbon_->callback_count() : 0; }

 private:
  std::unique_ptr<ComRibbonAddIn> add_in_;
  std::shared_ptr<office::sim::SimRibbon> ribbon_;
};

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_RIBBON_HOST_H_
