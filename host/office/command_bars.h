#ifndef QUIVRA_HOST_OFFICE_COMMAND_BARS_H_
#define QUIVRA_HOST_OFFICE_COMMAND_BARS_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/office/office.h"

// Office's command bars (toolbars) of one window and their controls. Bars and controls are
// reached by property name, as Office's own objects are; a property reads back what was
// written. A failing call raises OfficeError (host/office/office.h); so does any call on a bar
// or control whose window has closed.
namespace quivra::office {

class CommandBar;
class CommandBarControl;
class CommandBarControls;
class CommandBars;
using CommandBarPtr = std::shared_ptr<CommandBar>;
using CommandBarControlPtr = std::shared_ptr<CommandBarControl>;
using CommandBarControlsPtr = std::shared_ptr<CommandBarControls>;
using CommandBarsPtr = std::shared_ptr<CommandBars>;

// Office's control types (MsoControlType) that the add-in makes.
constexpr int msoControlButton = 1;
constexpr int msoControlPopup = 10;

// A property value: Boolean, integer or text.
using PropertyValue = std::variant<bool, int, std::string>;

// A button picture: rows top to bottom, each pixel 0x00RRGGBB.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Receives the Click events of the CommandBarButton it is connected to. Office raises Click on
// every connected button that shares the clicked one's Tag, in every window.
class CommandBarButtonEvents {
 public:
  virtual ~CommandBarButtonEvents() = default;
  virtual void Click(const CommandBarControlPtr& Ctrl, bool& CancelDefault) = 0;
};

// A live event connection; destroying it disconnects the sink.
class CommandBarEventConnection {
 public:
  virtual ~CommandBarEventConnection() = default;
};
using CommandBarEventConnectionPtr = std::unique_ptr<CommandBarEventConnection>;

// Properties by name: "Tag", "Caption", "TooltipText", "Enabled", "Visible", "BeginGroup",
// "Style", "Width", "HelpFile", "Type", "Id", ... for controls; "Name", "NameLocal", "BuiltIn",
// "Enabled", "Visible", "Position", "Protection", "Left", "Top", "RowIndex" for bars.
class OfficeObject {
 public:
  virtual ~OfficeObject() = default;
  virtual PropertyValue Get(std::string_view property) = 0;
  virtual void Put(std::string_view property, const PropertyValue& value) = 0;

  // Typed reads; a value of another type raises OfficeError (Office's type mismatch).
  std::string GetText(std::string_view property) { return As<std::string>(Get(property)); }
  int GetInt(std::string_view property) { return As<int>(Get(property)); }
  bool GetBool(std::string_view property) { return As<bool>(Get(property)); }

 private:
  template <typename T>
  static T As(const PropertyValue& value) {
    if (const T* typed = std::get_if<T>(&value)) {
      return *typed;
    }
    throw OfficeError(static_cast<std::int32_t>(0x80020005), "Type mismatch.");
  }
};

class CommandBarControls {
 public:
  virtual ~CommandBarControls() = default;
  virtual int Count() = 0;
  // 1-based.
  virtual CommandBarControlPtr Item(int index) = 0;
  // Adds a control of `type` (msoControlButton, msoControlPopup) with Office id `id` (1: a
  // custom control) before the control at `before` (1-based; none: at the end).
  virtual CommandBarControlPtr Add(int type, int id, std::optional<int> before, bool temporary) = 0;
};

class CommandBarControl : public OfficeObject {
 public:
  // A pop-up's own controls.
  virtual CommandBarControlsPtr Controls() = 0;
  // Sets the button's Picture and Mask.
  virtual void SetPicture(const Picture& picture, const Picture& mask) = 0;
  virtual void Delete() = 0;
  // Connects a sink to the button's CommandBarButton events.
  virtual CommandBarEventConnectionPtr Advise(CommandBarButtonEvents& sink) = 0;
};

class CommandBar : public OfficeObject {
 public:
  virtual CommandBarControlsPtr Controls() = 0;
  // The bar's first control of `type` with that Tag, or none.
  virtual CommandBarControlPtr FindControl(int type, const std::string& tag) = 0;
  virtual void Delete() = 0;
};

class CommandBars {
 public:
  virtual ~CommandBars() = default;
  virtual int Count() = 0;
  // 1-based.
  virtual CommandBarPtr Item(int index) = 0;
  virtual CommandBarPtr Add(const std::string& name, int position, bool temporary) = 0;
  // The first control of `type` with that Tag on any of the bars, or none.
  virtual CommandBarControlPtr FindControl(int type, const std::string& tag) = 0;
};

}  // namespace quivra::office

#endif  // QUIVRA_HOST_OFFICE_COMMAND_BARS_H_
