#include "host/office/sim/sim_ribbon.h"

#include <exception>
#include <variant>

#include "xml/document.h"

namespace quivra::office::sim {

namespace {

constexpr std::int32_t kParseFailed = static_cast<std::int32_t>(0x80004005);

bool IsControlElement(const std::string& name) {
  return name == "tab" || name == "group" || name == "button" || name == "toggleButton" ||
         name == "splitButton" || name == "menu" || name == "dynamicMenu" || name == "control" ||
         name == "separator" || name == "menuSeparator";
}

bool StaticBool(const std::string& value, bool fallback) {
  if (value == "true" || value == "1")
    return true;
  if (value == "false" || value == "0")
    return false;
  return fallback;
}

bool AsBool(const RibbonValue& value, bool fallback) {
  if (const bool* typed = std::get_if<bool>(&value))
    return *typed;
  return fallback;
}

std::string AsText(const RibbonValue& value) {
  if (const std::string* typed = std::get_if<std::string>(&value))
    return *typed;
  return {};
}

void Collect(const xml::Node& node, int parent, int depth, std::vector<SimRibbonControl>& out) {
  for (size_t i = 0; i < node.ChildCount(); ++i) {
    const xml::Node& child = node.Child(i);
    if (child.kind() != xml::Node::Kind::kElement)
      continue;
    if (!IsControlElement(child.Name())) {
      Collect(child, parent, depth, out);
      continue;
    }
    SimRibbonControl control;
    control.Element = child.Name();
    control.Depth = depth;
    control.Parent = parent;
    for (const xml::Attribute& attribute : child.attributes())
      control.Attributes.emplace_back(attribute.name, attribute.value);
    control.Id = control.Attribute("id");
    if (control.Id.empty()) {
      control.Id = control.Attribute("idMso");
      control.BuiltIn = !control.Id.empty();
    }
    out.push_back(std::move(control));
    Collect(child, static_cast<int>(out.size()) - 1, depth + 1, out);
  }
}

}  // namespace

std::string SimRibbonControl::Attribute(const std::string& name) const {
  for (const auto& [key, value] : Attributes) {
    if (key == name)
      return value;
  }
  return {};
}

std::shared_ptr<SimRibbon> SimRibbon::Load(RibbonExtensibility& addin,
                                           std::string RibbonID,
                                           std::shared_ptr<const void> context) {
  auto ribbon = std::make_shared<SimRibbon>(addin, std::move(RibbonID), std::move(context));
  ribbon->Parse();
  return ribbon;
}

SimRibbon::SimRibbon(RibbonExtensibility& addin,
                     std::string ribbon_id,
                     std::shared_ptr<const void> context)
    : addin_(addin), ribbon_id_(std::move(ribbon_id)), context_(std::move(context)) {}

void SimRibbon::Parse() {
  custom_ui_ = addin_.GetCustomUI(ribbon_id_);
  if (custom_ui_.empty())
    return;
  std::optional<xml::Document> document;
  try {
    document = xml::Document::Parse(custom_ui_);
  } catch (const std::exception& error) {
    throw OfficeError(kParseFailed, std::string("The customUI text is not valid: ") + error.what());
  }
  const xml::Node* root = document ? document->DocumentElement() : nullptr;
  if (root == nullptr || root->Name() != "customUI")
    throw OfficeError(kParseFailed, "The customUI text has no customUI element.");
  Collect(*root, -1, 0, controls_);
  for (const xml::Attribute& attribute : root->attributes()) {
    if (attribute.name == "onLoad") {
      addin_.RibbonLoad(attribute.value, shared_from_this());
    }
  }
  // Office asks for every value when it first shows the ribbon.
  for (size_t i = 0; i < controls_.size(); ++i)
    stale_.insert(i);
}

void SimRibbon::Invalidate() {
  if (fail_invalidate_ || (gate_ && gate_("IRibbonUI.Invalidate")))
    throw OfficeError(kParseFailed, "The ribbon cannot be invalidated.");
  invalidations_.push_back("*");
  for (size_t i = 0; i < controls_.size(); ++i)
    stale_.insert(i);
}

void SimRibbon::InvalidateControl(const std::string& ControlID) {
  if (fail_invalidate_ || (gate_ && gate_("IRibbonUI.InvalidateControl")))
    throw OfficeError(kParseFailed, "The control cannot be invalidated.");
  invalidations_.push_back(ControlID);
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (!controls_[i].BuiltIn && controls_[i].Id == ControlID)
      stale_.insert(i);
  }
}

const std::vector<SimRibbonControl>& SimRibbon::Controls() {
  Refresh();
  return controls_;
}

const SimRibbonControl* SimRibbon::Find(const std::string& id) {
  Refresh();
  for (const SimRibbonControl& control : controls_) {
    if (control.Id == id)
      return &control;
  }
  return nullptr;
}

bool SimRibbon::Shown(const std::string& id) {
  const SimRibbonControl* control = Find(id);
  while (control != nullptr) {
    if (!control->Visible)
      return false;
    control = control->Parent < 0 ? nullptr : &controls_[static_cast<size_t>(control->Parent)];
  }
  return Find(id) != nullptr;
}

bool SimRibbon::Click(const std::string& id) {
  const SimRibbonControl* control = Find(id);
  if (control == nullptr || !Shown(id) || !control->Enabled)
    return false;
  const std::string action = control->Attribute("onAction");
  if (action.empty())
    return false;
  std::optional<bool> pressed;
  if (control->Element == "toggleButton")
    pressed = !control->Pressed;
  const SimRibbonControl clicked = *control;
  Call(action, clicked, pressed);
  return true;
}

std::string SimRibbon::Text() {
  Refresh();
  std::string text;
  for (const SimRibbonControl& control : controls_) {
    if (!Shown(control.Id))
      continue;
    text.append(static_cast<size_t>(control.Depth) * 2, ' ');
    text += control.Element;
    text += control.BuiltIn ? " " + control.Id : " \"" + control.Label + "\"";
    if (!control.Enabled)
      text += " disabled";
    if (!control.ScreenTip.empty())
      text += " tip=\"" + control.ScreenTip + "\"";
    if (control.Image)
      text += " image";
    text += "\n";
  }
  return text;
}

void SimRibbon::Refresh() {
  while (!stale_.empty()) {
    const size_t index = *stale_.begin();
    stale_.erase(stale_.begin());
    Ask(controls_[index]);
  }
}

RibbonValue SimRibbon::Call(const std::string& callback,
                            const SimRibbonControl& control,
                            std::optional<bool> pressed) {
  ++callback_count_;
  RibbonControl info;
  info.Id = control.Id;
  info.Tag = control.Attribute("tag");
  info.Context = context_;
  return addin_.RibbonCallback(callback, info, pressed);
}

void SimRibbon::Ask(SimRibbonControl& control) {
  auto text = [&](const char* getter, const char* fixed, std::string& field) {
    const std::string callback = control.Attribute(getter);
    field = callback.empty() ? control.Attribute(fixed) : AsText(Call(callback, control, {}));
  };
  auto flag = [&](const char* getter, const char* fixed, bool fallback, bool& field) {
    const std::string callback = control.Attribute(getter);
    field = callback.empty() ? StaticBool(control.Attribute(fixed), fallback)
                             : AsBool(Call(callback, control, {}), fallback);
  };
  text("getLabel", "label", control.Label);
  text("getScreentip", "screentip", control.ScreenTip);
  text("getSupertip", "supertip", control.SuperTip);
  text("getKeytip", "keytip", control.KeyTip);
  text("getDescription", "description", control.Description);
  flag("getVisible", "visible", true, control.Visible);
  flag("getEnabled", "enabled", true, control.Enabled);
  flag("getShowLabel", "showLabel", true, control.ShowLabel);
  flag("getShowImage", "showImage", true, control.ShowImage);
  flag("getPressed", "pressed", false, control.Pressed);
  const std::string size = control.Attribute("getSize");
  if (!size.empty()) {
    const RibbonValue value = Call(size, control, {});
    const int* number = std::get_if<int>(&value);
    control.Size = number != nullptr ? *number : 0;
  } else {
    control.Size = control.Attribute("size") == "large" ? 1 : 0;
  }
  control.Image.reset();
  const std::string image = control.Attribute("getImage");
  if (!image.empty()) {
    RibbonValue value = Call(image, control, {});
    if (auto* picture = std::get_if<RibbonPicture>(&value); picture && picture->Width > 0)
      control.Image = std::move(*picture);
  }
}

}  // namespace quivra::office::sim
