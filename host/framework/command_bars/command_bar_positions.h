#ifndef QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_POSITIONS_H_
#define QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_POSITIONS_H_

#include <map>
#include <utility>
#include <vector>

#include "host/framework/command_bars/command_bar.h"
#include "host/office/command_bars.h"
#include "platform/registry.h"

namespace quivra::framework {

// Where the user left the module's temporary command bars: saved under the add-in key
// (CommandBars\<bar name>: Position, Left, Top, RowIndex) when an explorer window closes, and
// given back to the bars at start-up, as Office forgets temporary bars with the window.
class TCommandBarPositions {
 public:
  // `add_in_key` is the add-in's key under HKEY_CURRENT_USER.
  TCommandBarPositions(platform::Registry& registry, platform::RegistryKey add_in_key)
      : registry_(registry), add_in_key_(std::move(add_in_key)) {}

  // The saved positions become the bars' properties; a docking position Office does not have
  // is passed over.
  void Restore(const std::vector<TOlExplorerCommandBar*>& bars);
  // Saves the positions the temporary bars have in Office now; a bar that no longer answers
  // keeps the positions saved before.
  void Save(const std::map<const TOlExplorerCommandBar*, office::CommandBarPtr>& bars);

 private:
  platform::RegistryKey KeyOf(const TOlExplorerCommandBar& bar) const;

  platform::Registry& registry_;
  platform::RegistryKey add_in_key_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_POSITIONS_H_
