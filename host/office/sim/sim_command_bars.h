#ifndef QUIVRA_HOST_OFFICE_SIM_SIM_COMMAND_BARS_H_
#define QUIVRA_HOST_OFFICE_SIM_SIM_COMMAND_BARS_H_

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/office/command_bars.h"

namespace quivra::office::sim {

namespace internal {
struct Node;
struct Board;
}  // namespace internal

// What the user sees of one control: its type, properties and, for a pop-up, its controls.
struct SimControlView {
  int type = 0;
  std::string tag;
  std::string caption;
  std::string tooltip;
  bool enabled = true;
  bool visible = true;
  bool begin_group = false;
  int style = 0;
  bool has_picture = false;
  // The picture's mask: white (0xFFFFFF) where the button face shows through.
  std::vector<std::uint32_t> mask;
  std::vector<SimControlView> controls;
};

// What the user sees of one bar.
struct SimBarView {
  std::string name;
  bool enabled = true;
  bool visible = true;
  int position = 1;
  int protection = 0;
  int left = 0;
  int top = 0;
  int row_index = 0;
  std::vector<SimControlView> controls;
};

// Office's command bars for the windows of a simulated Outlook: each window (by its handle)
// gets its own CommandBars, with one built-in bar "Standard". Bars and controls die with their
// window: once `window_open` says a window is gone, every call on its objects fails, as Office's
// do. Clicks are raised as Office raises them: on every connected button sharing the clicked
// button's Tag, in every window. Counts the product's calls by "Object.Member" name.
class SimCommandBarsHost {
 public:
  // `window_open` tells whether a window is still open; unset, windows never close.
  explicit SimCommandBarsHost(std::function<bool(std::uintptr_t)> window_open = {});
  ~SimCommandBarsHost();
  SimCommandBarsHost(const SimCommandBarsHost&) = delete;
  SimCommandBarsHost& operator=(const SimCommandBarsHost&) = delete;

  // The CommandBars of a window, as Office hands them to the product.
  CommandBarsPtr ForWindow(std::uintptr_t window);

  // The bars of a window, in Office's order; empty for a window never asked for.
  std::vector<SimBarView> Bars(std::uintptr_t window) const;
  // The bar named `name` in the window; a view with an empty name when there is none.
  SimBarView Bar(std::uintptr_t window, std::string_view name) const;
  // The user clicks the control captioned `caption` (searching pop-ups too) on the bar `bar`
  // of the window. False when there is no such visible, enabled control.
  bool Click(std::uintptr_t window, std::string_view bar, std::string_view caption);
  // The user drags the bar `bar` of the window to another dock `position`, place and row.
  // False when the window has no such bar.
  bool Move(std::uintptr_t window,
            std::string_view bar,
            int position,
            int left,
            int top,
            int row_index);

  int CallCount(std::string_view method) const;
  // Every call counted, whatever its method.
  int TotalCalls() const;
  void ResetCallCounts();
  // Makes every call of `method` ("CommandBarControl.Advise", "CommandBars.Add", ...) fail,
  // after `after` more calls of it that still succeed.
  void FailCall(std::string method, int after = 0);
  // Every call passes the gate after it is counted; true fails it (unset: none).
  void SetCallGate(std::function<bool(std::string_view method)> gate);
  // The number of connected click sinks.
  int SinkCount() const;

 private:
  std::shared_ptr<internal::Board> board_;
};

}  // namespace quivra::office::sim

#endif  // QUIVRA_HOST_OFFICE_SIM_SIM_COMMAND_BARS_H_
