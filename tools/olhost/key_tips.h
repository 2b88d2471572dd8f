#ifndef QUIVRA_TOOLS_OLHOST_KEY_TIPS_H_
#define QUIVRA_TOOLS_OLHOST_KEY_TIPS_H_

#include <functional>
#include <string>
#include <vector>

#include "host/office/sim/sim_ribbon.h"

namespace quivra::olhost {

// Office's key tips on the stand-in's ribbon, as a keyboard user walks them: Alt pressed and
// released alone shows the tabs' key tips; typing one opens that tab and shows the key tips of
// its controls; typing a control's presses it, or opens the menu of a split button or menu,
// whose items then take their key tips. A key tip of several characters is typed character by
// character; a character that begins none leaves key tip mode, as any other key does.
// https://learn.microsoft.com/en-us/dotnet/api/microsoft.office.tools.ribbon.ribbonbutton.keytip
// (key tips show when Alt is pressed; one to three characters).
class KeyTipWalk {
 public:
  // What the user sees and how a control is pressed.
  using Controls = std::function<const std::vector<office::sim::SimRibbonControl>&()>;
  using Shown = std::function<bool(const std::string& id)>;
  using Press = std::function<bool(const std::string& id)>;

  KeyTipWalk(Controls controls, Shown shown, Press press)
      : controls_(std::move(controls)), shown_(std::move(shown)), press_(std::move(press)) {}

  // Alt alone: the tabs' key tips show.
  void Start();
  // A character typed while the key tips show (upper case); false when key tip mode has ended:
  // a control was pressed or nothing matched.
  bool Type(char key);

 private:
  // The key tip a control shows: its own, or for Outlook's Home tab Outlook's H.
  static std::string KeyTipOf(const office::sim::SimRibbonControl& control);
  // Whether `index` is below `holder` without another menu or split button between them.
  bool InScope(const std::vector<office::sim::SimRibbonControl>& controls, int index) const;

  Controls controls_;
  Shown shown_;
  Press press_;
  // The tab, menu or split button whose key tips show; -1 for the tabs.
  int holder_ = -1;
  std::string typed_;
};

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_KEY_TIPS_H_
