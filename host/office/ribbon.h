#ifndef QUIVRA_HOST_OFFICE_RIBBON_H_
#define QUIVRA_HOST_OFFICE_RIBBON_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// Office's ribbon as the add-in meets it: the ribbon UI that the add-in invalidates (IRibbonUI),
// the control a callback is about (IRibbonControl), and the add-in's side that Office calls by
// the callback names written in the customUI text.
namespace quivra::office {

// IRibbonUI: makes Office ask again for the values of all controls, or of one control, through
// the callbacks. Failures are OfficeError exceptions.
class RibbonUI {
 public:
  virtual ~RibbonUI() = default;
  virtual void Invalidate() = 0;
  virtual void InvalidateControl(const std::string& ControlID) = 0;
};
using RibbonUIPtr = std::shared_ptr<RibbonUI>;

// IRibbonControl: the id written in the customUI text, its tag, and the window the callback is
// for (opaque to portable code: the explorer or inspector object of the backend).
struct RibbonControl {
  std::string Id;
  std::string Tag;
  std::shared_ptr<const void> Context;
};

// A picture answered to getImage: rows top to bottom, each pixel 0xAARRGGBB with its alpha.
struct RibbonPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;

  bool operator==(const RibbonPicture&) const = default;
};

// What a callback answers: nothing, a Boolean, a number (getSize), a text or a picture.
using RibbonValue = std::variant<std::monostate, bool, int, std::string, RibbonPicture>;

// The add-in's side of the ribbon, as Office calls it.
class RibbonExtensibility {
 public:
  virtual ~RibbonExtensibility() = default;

  // IRibbonExtensibility::GetCustomUI.
  virtual std::string GetCustomUI(const std::string& RibbonID) = 0;
  // The onLoad callback named `callback`, with the ribbon UI.
  virtual void RibbonLoad(const std::string& callback, const RibbonUIPtr& ribbon) = 0;
  // The callback named `callback` for `control`; `pressed` is the toggle state of an action
  // on a toggle button. A name the add-in does not know raises OfficeError.
  virtual RibbonValue RibbonCallback(const std::string& callback,
                                     const RibbonControl& control,
                                     std::optional<bool> pressed) = 0;
};

}  // namespace quivra::office

#endif  // QUIVRA_HOST_OFFICE_RIBBON_H_
