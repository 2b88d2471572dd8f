#ifndef QUIVRA_HOST_OFFICE_SIM_SIM_RIBBON_H_
#define QUIVRA_HOST_OFFICE_SIM_SIM_RIBBON_H_

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/office/office.h"
#include "host/office/ribbon.h"

namespace quivra::office::sim {

// One control of the rendered ribbon: what its element says and what the add-in answered.
struct SimRibbonControl {
  std::string Element;  // "tab", "group", "button", "splitButton", "menu", ...
  std::string Id;       // the id, or the idMso of a built-in tab or control
  bool BuiltIn = false;
  int Depth = 0;    // 0 for a tab
  int Parent = -1;  // index of the holder among the controls, -1 for a tab
  std::vector<std::pair<std::string, std::string>> Attributes;  // as written

  std::string Label;
  std::string ScreenTip;
  std::string SuperTip;
  std::string KeyTip;
  std::string Description;
  bool Visible = true;
  bool Enabled = true;
  bool ShowLabel = true;
  bool ShowImage = true;
  bool Pressed = false;
  int Size = 0;
  std::optional<RibbonPicture> Image;

  // The attribute's value, or empty.
  std::string Attribute(const std::string& name) const;
};

// Office's ribbon for one ribbon id, as the user sees it: takes the add-in's customUI text, calls
// its onLoad with itself as the ribbon UI, and asks for every value of every control through the
// callbacks the text names, as Office does. An invalidation marks the controls whose values are
// asked for again when the ribbon is next looked at (Office asks again when it redraws).
class SimRibbon : public RibbonUI, public std::enable_shared_from_this<SimRibbon> {
 public:
  // Asks `addin` for the ribbon RibbonID and renders it. Text that is not well-formed raises
  // OfficeError (Office then shows no custom ribbon); empty text renders nothing.
  static std::shared_ptr<SimRibbon> Load(RibbonExtensibility& addin,
                                         std::string RibbonID,
                                         std::shared_ptr<const void> context = {});

  explicit SimRibbon(RibbonExtensibility& addin,
                     std::string ribbon_id,
                     std::shared_ptr<const void> context);

  // RibbonUI
  void Invalidate() override;
  void InvalidateControl(const std::string& ControlID) override;

  const std::string& CustomUI() const { return custom_ui_; }
  // Every control of the text, in document order, with current values.
  const std::vector<SimRibbonControl>& Controls();
  // The control of that id (exactly), with current values; null when there is none.
  const SimRibbonControl* Find(const std::string& id);
  // Whether the user sees the control: it and all its holders are visible.
  bool Shown(const std::string& id);
  // The user clicks the control: its onAction callback, a toggle button's pressed state turned.
  // A disabled or hidden control takes no click: false.
  bool Click(const std::string& id);
  // What the user sees, one line per control shown: indentation by depth, the element, the
  // label in quotes, then "disabled", "tip=..." and "image" as they apply.
  std::string Text();

  // The invalidations received: the control ids, "*" for the whole ribbon.
  const std::vector<std::string>& invalidations() const { return invalidations_; }
  // Callbacks made so far.
  int callback_count() const { return callback_count_; }
  // Makes the next invalidations fail as a failing Office would.
  void FailInvalidate(bool fail) { fail_invalidate_ = fail; }
  // Every invalidation passes the gate ("IRibbonUI.Invalidate", "IRibbonUI.InvalidateControl");
  // true fails it.
  void SetCallGate(std::function<bool(std::string_view method)> gate) { gate_ = std::move(gate); }

 private:
  void Parse();
  void Refresh();
  void Ask(SimRibbonControl& control);
  RibbonValue Call(const std::string& callback,
                   const SimRibbonControl& control,
                   std::optional<bool> pressed);

  RibbonExtensibility& addin_;
  std::string ribbon_id_;
  std::shared_ptr<const void> context_;
  std::string custom_ui_;
  std::vector<SimRibbonControl> controls_;
  std::set<size_t> stale_;
  std::vector<std::string> invalidations_;
  int callback_count_ = 0;
  bool fail_invalidate_ = false;
  std::function<bool(std::string_view)> gate_;
};

}  // namespace quivra::office::sim

#endif  // QUIVRA_HOST_OFFICE_SIM_SIM_RIBBON_H_
