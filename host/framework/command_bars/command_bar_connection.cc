#include "host/framework/command_bars/command_bar_connection.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <optional>
#include <utility>

namespace quivra::framework {

namespace {

using office::PropertyValue;

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

// Writes a property only when Office holds another value; a value that cannot be read is
// written all the same.
void Write(office::OfficeObject& object, std::string_view property, const PropertyValue& value) {
  std::optional<PropertyValue> current;
  try {
    current = object.Get(property);
  } catch (const office::OfficeError&) {
  }
  if (current != value) {
    object.Put(property, value);
  }
}

// The Office property of a control property, when Office has one.
const char* OfficeName(TadxProperty property) {
  switch (property) {
    case TadxProperty::Caption:
      return "Caption";
    case TadxProperty::TooltipText:
      return "TooltipText";
    case TadxProperty::DescriptionText:
      return "DescriptionText";
    case TadxProperty::HelpFile:
      return "HelpFile";
    case TadxProperty::HelpContextID:
      return "HelpContextID";
    case TadxProperty::Parameter:
      return "Parameter";
    case TadxProperty::Priority:
      return "Priority";
    case TadxProperty::Height:
      return "Height";
    case TadxProperty::Width:
      return "Width";
    case TadxProperty::Enabled:
      return "Enabled";
    case TadxProperty::Visible:
      return "Visible";
    case TadxProperty::BeginGroup:
      return "BeginGroup";
    case TadxProperty::OfficeTag:
      return "Tag";
    case TadxProperty::Style:
      return "Style";
    case TadxProperty::FaceID:
      return "FaceId";
    case TadxProperty::ShortcutText:
      return "ShortcutText";
    case TadxProperty::State:
      return "State";
    case TadxProperty::HyperlinkType:
      return "HyperlinkType";
    default:
      return nullptr;
  }
}

// The value of a control property as Office takes it; none for properties Office does not
// have, and for sizes and face ids left at 0 (Office's own).
std::optional<PropertyValue> OfficeValue(const TadxCommandBarControl& item, TadxProperty property) {
  const auto* button = dynamic_cast<const TadxCommandBarButton*>(&item);
  switch (property) {
    case TadxProperty::Caption:
      return item.Caption();
    case TadxProperty::TooltipText:
      return item.TooltipText();
    case TadxProperty::DescriptionText:
      return item.DescriptionText();
    case TadxProperty::HelpFile:
      return item.HelpFile();
    case TadxProperty::HelpContextID:
      return item.HelpContextID();
    case TadxProperty::Parameter:
      return item.Parameter();
    case TadxProperty::Priority:
      return item.Priority();
    case TadxProperty::Height:
      return item.Height() != 0 ? std::optional<PropertyValue>(item.Height()) : std::nullopt;
    case TadxProperty::Width:
      return item.Width() != 0 ? std::optional<PropertyValue>(item.Width()) : std::nullopt;
    case TadxProperty::Enabled:
      return item.Enabled();
    case TadxProperty::Visible:
      return item.Visible();
    case TadxProperty::BeginGroup:
      return item.BeginGroup();
    case TadxProperty::OfficeTag:
      return item.OfficeTag();
    default:
      break;
  }
  if (button == nullptr) {
    return std::nullopt;
  }
  switch (property) {
    case TadxProperty::Style:
      return static_cast<int>(button->Style());
    case TadxProperty::FaceID:
      return button->FaceID() != 0 ? std::optional<PropertyValue>(button->FaceID()) : std::nullopt;
    case TadxProperty::ShortcutText:
      return button->ShortcutText();
    case TadxProperty::State:
      return button->State();
    case TadxProperty::HyperlinkType:
      return button->HyperlinkType();
    default:
      return std::nullopt;
  }
}

// The order in which a new control gets its properties.
constexpr TadxProperty kControlProperties[] = {
    TadxProperty::BeginGroup, TadxProperty::Caption,     TadxProperty::DescriptionText,
    TadxProperty::Enabled,    TadxProperty::Height,      TadxProperty::HelpContextID,
    TadxProperty::HelpFile,   TadxProperty::Parameter,   TadxProperty::Priority,
    TadxProperty::OfficeTag,  TadxProperty::TooltipText, TadxProperty::Visible,
    TadxProperty::Width,      TadxProperty::FaceID,      TadxProperty::ShortcutText,
    TadxProperty::State,      TadxProperty::Style,       TadxProperty::HyperlinkType,
};

// The button's picture and mask: the mask is white where the glyph shows the button face (its
// transparent colour, or its bottom-left pixel by default; fully transparent pixels too).
std::pair<office::Picture, office::Picture> PictureOf(const TadxCommandBarButton& button) {
  const TadxBitmap& glyph = button.Glyph();
  const std::size_t count =
      static_cast<std::size_t>(glyph.Width) * static_cast<std::size_t>(glyph.Height);
  office::Picture picture{glyph.Width, glyph.Height, {}};
  office::Picture mask{glyph.Width, glyph.Height, {}};
  if (glyph.Pixels.size() < count) {
    return {picture, mask};
  }
  TadxColor transparent = button.GlyphTransparentColor();
  if (transparent == clDefault) {
    transparent = glyph.Pixels[count - static_cast<std::size_t>(glyph.Width)] & 0xFFFFFF;
  }
  for (std::size_t index = 0; index < count; ++index) {
    const std::uint32_t pixel = glyph.Pixels[index];
    const bool clear =
        (pixel & 0xFFFFFF) == transparent || (glyph.BitsPerPixel == 32 && (pixel >> 24) == 0);
    picture.pixels.push_back(pixel & 0xFFFFFF);
    mask.pixels.push_back(clear ? 0xFFFFFF : 0);
  }
  return {picture, mask};
}

// The bar properties as Office takes them; Left, Top and RowIndex only when set.
std::optional<std::pair<const char*, PropertyValue>> BarValue(const TadxOlExplorerCommandBar& bar,
                                                              TadxProperty property) {
  switch (property) {
    case TadxProperty::Enabled:
      return std::pair<const char*, PropertyValue>{"Enabled", bar.Enabled()};
    case TadxProperty::Visible:
      return std::pair<const char*, PropertyValue>{"Visible", bar.Visible()};
    case TadxProperty::Protection:
      return std::pair<const char*, PropertyValue>{"Protection",
                                                   static_cast<int>(bar.Protection())};
    case TadxProperty::Position:
      return std::pair<const char*, PropertyValue>{"Position", static_cast<int>(bar.Position())};
    case TadxProperty::CommandBarLeft:
      if (bar.CommandBarLeft() != -1) {
        return std::pair<const char*, PropertyValue>{"Left", bar.CommandBarLeft()};
      }
      break;
    case TadxProperty::CommandBarTop:
      if (bar.CommandBarTop() != -1) {
        return std::pair<const char*, PropertyValue>{"Top", bar.CommandBarTop()};
      }
      break;
    case TadxProperty::RowIndex:
      if (bar.RowIndex() != -1) {
        return std::pair<const char*, PropertyValue>{"RowIndex", bar.RowIndex()};
      }
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace

// The click sink of one button item: listens on one Office button at a time.
class TadxCommandBarConnection::ButtonSink : public office::CommandBarButtonEvents {
 public:
  ButtonSink(TadxCommandBarConnection& owner, TadxCommandBarButton& button)
      : owner_(owner), button_(button) {}

  void Click(const office::CommandBarControlPtr& Ctrl, bool&) override {
    owner_.Click(*this, Ctrl);
  }

  TadxCommandBarButton& button() { return button_; }
  bool in_click = false;
  office::CommandBarEventConnectionPtr connection;

 private:
  TadxCommandBarConnection& owner_;
  TadxCommandBarButton& button_;
};

TadxCommandBarConnection::TadxCommandBarConnection(TadxCOMAddInModule& module,
                                                   platform::Registry& registry,
                                                   platform::RegistryKey add_in_key,
                                                   TadxCommandBarsHost host)
    : module_(module),
      registry_(registry),
      add_in_key_(std::move(add_in_key)),
      host_(std::move(host)),
      self_(std::make_shared<TadxCommandBarConnection*>(this)) {
  // A hook set later may keep this one inside it: once the connection is gone it passes the
  // change on only.
  std::weak_ptr<TadxCommandBarConnection*> self = self_;
  module_.PropertyChanged =
      [self, previous = std::move(module_.PropertyChanged)](const TadxPropertyChange& change) {
        if (previous) {
          previous(change);
        }
        if (auto connection = self.lock()) {
          (*connection)->Carry(change);
        }
      };
}

TadxCommandBarConnection::~TadxCommandBarConnection() {
  button_sinks_.clear();
}

platform::RegistryKey TadxCommandBarConnection::PositionsKey(
    const TadxOlExplorerCommandBar& bar) const {
  return add_in_key_.Sub("CommandBars").Sub(bar.CommandBarName());
}

void TadxCommandBarConnection::RestorePositions() {
  for (TadxOlExplorerCommandBar* bar : module_.ComponentsOf<TadxOlExplorerCommandBar>()) {
    if (!bar->Temporary()) {
      continue;
    }
    const platform::RegistryKey key = PositionsKey(*bar);
    if (auto position = registry_.ReadDword(key, "Position");
        position && *position <= static_cast<std::uint32_t>(TadxMsoBarPosition::adxMsoBarMenuBar)) {
      bar->SetPosition(static_cast<TadxMsoBarPosition>(*position));
    }
    if (auto left = registry_.ReadDword(key, "Left")) {
      bar->SetCommandBarLeft(static_cast<int>(static_cast<std::int32_t>(*left)));
    }
    if (auto top = registry_.ReadDword(key, "Top")) {
      bar->SetCommandBarTop(static_cast<int>(static_cast<std::int32_t>(*top)));
    }
    if (auto row = registry_.ReadDword(key, "RowIndex")) {
      bar->SetRowIndex(static_cast<int>(static_cast<std::int32_t>(*row)));
    }
  }
}

TadxCommandBarConnection::Window* TadxCommandBarConnection::FindWindow(std::uintptr_t handle) {
  for (const auto& window : windows_) {
    if (window->handle == handle) {
      return window.get();
    }
  }
  return nullptr;
}

office::CommandBarPtr TadxCommandBarConnection::FindBar(office::CommandBars& bars,
                                                        const std::string& name) {
  const int count = bars.Count();
  for (int index = 1; index <= count; ++index) {
    office::CommandBarPtr bar = bars.Item(index);
    if (!bar) {
      continue;
    }
    if (SameTextIgnoringCase(bar->GetText("Name"), name)) {
      return bar;
    }
    try {
      if (SameTextIgnoringCase(bar->GetText("NameLocal"), name)) {
        return bar;
      }
    } catch (const office::OfficeError&) {
    }
  }
  return nullptr;
}

void TadxCommandBarConnection::Activate(const outlook::ExplorerPtr& explorer, bool ribbon_host) {
  if (!explorer || !host_.CommandBarsOf) {
    return;
  }
  const std::uintptr_t handle = explorer->WindowHandle();
  Window* window = FindWindow(handle);
  if (window == nullptr) {
    office::CommandBarsPtr bars;
    try {
      bars = host_.CommandBarsOf(explorer);
    } catch (const std::exception&) {
      // A window without command bars (an Outlook that offers none): nothing to connect.
    }
    if (!bars) {
      return;
    }
    windows_.push_back(std::make_unique<Window>());
    window = windows_.back().get();
    window->handle = handle;
    window->bars = std::move(bars);
  }
  active_ = window;
  bar_target_ = window;
  for (TadxOlExplorerCommandBar* bar : module_.ComponentsOf<TadxOlExplorerCommandBar>()) {
    if (!bar->SupportedApps().Contains(TadxOfficeHostApp::ohaOutlook) ||
        (ribbon_host && !bar->UseForRibbon())) {
      continue;
    }
    try {
      if (office::CommandBarPtr found = FindBar(*window->bars, bar->CommandBarName())) {
        ReconnectBar(*window, *bar, found);
      } else {
        CreateBar(*window, *bar);
        ApplyFolderRule(*window, explorer);
      }
    } catch (const std::exception& error) {
      // The bar stays as far as it got; the explorer's other work goes on.
      module_.ReportError(error);
    }
  }
}

void TadxCommandBarConnection::CreateBar(Window& window, TadxOlExplorerCommandBar& bar) {
  office::CommandBarPtr office_bar;
  try {
    office_bar =
        window.bars->Add(bar.CommandBarName(), static_cast<int>(bar.Position()), bar.Temporary());
  } catch (const office::OfficeError&) {
    // Office refused the bar: the component stays unconnected in this window.
  }
  window.bar.erase(&bar);
  if (!office_bar) {
    return;
  }
  Write(*office_bar, "NameLocal", bar.CommandBarName());
  window.bar[&bar] = office_bar;
  if (!office_bar->GetBool("BuiltIn")) {
    ApplyBarProperties(*office_bar, bar);
  }
  // Controls can be added only to an unprotected bar.
  const int protection = office_bar->GetInt("Protection");
  office_bar->Put("Protection", 0);
  office::CommandBarControlsPtr controls = office_bar->Controls();
  CreateControls(window, bar.Controls(), *controls);
  office_bar->Put("Protection", protection);
}

void TadxCommandBarConnection::ApplyBarProperties(office::CommandBar& office_bar,
                                                  const TadxOlExplorerCommandBar& bar) {
  for (TadxProperty property :
       {TadxProperty::Enabled, TadxProperty::Visible, TadxProperty::Protection,
        TadxProperty::Position, TadxProperty::CommandBarLeft, TadxProperty::CommandBarTop,
        TadxProperty::RowIndex}) {
    if (property == TadxProperty::Visible && !bar.Enabled()) {
      continue;
    }
    if (auto value = BarValue(bar, property)) {
      Write(office_bar, value->first, value->second);
    }
  }
}

void TadxCommandBarConnection::ReconnectBar(Window& window,
                                            TadxOlExplorerCommandBar& bar,
                                            const office::CommandBarPtr& office_bar) {
  window.bar[&bar] = office_bar;
  ReconnectControls(window, bar.Controls(), office_bar.get());
}

void TadxCommandBarConnection::ReconnectControls(Window& window,
                                                 TadxCommandBarControls& items,
                                                 office::CommandBar* bar) {
  for (const auto& item : items.Items()) {
    if (item->OfficeID() != 1) {
      continue;
    }
    office::CommandBarControlPtr control = FindControl(window, *item, bar);
    if (!control) {
      // Gone from this window (the user removed it): made anew in its place.
      office::CommandBarControlsPtr parent;
      if (TadxCommandBarPopup* popup = item->ParentPopup()) {
        if (office::CommandBarControlPtr office_popup = window.controls[popup]) {
          parent = office_popup->Controls();
        }
      } else if (bar != nullptr) {
        parent = bar->Controls();
      }
      if (parent) {
        CreateControl(window, *item, *parent);
      }
      continue;
    }
    try {
      ConnectItem(window, *item, control);
    } catch (const std::exception& error) {
      module_.ReportError(error);
    }
    if (auto* popup = dynamic_cast<TadxCommandBarPopup*>(item.get())) {
      ReconnectControls(window, popup->Controls(), nullptr);
    }
  }
}

office::CommandBarControlPtr TadxCommandBarConnection::FindControl(
    Window& window,
    const TadxCommandBarControl& item,
    office::CommandBar* bar) {
  // Office may hand out a control that no longer answers; a second search finds the live one.
  for (int attempt = 0; attempt < 2; ++attempt) {
    office::CommandBarControlPtr found;
    try {
      if (bar != nullptr) {
        found = bar->FindControl(item.OfficeControlType(), item.OfficeTag());
      }
      if (!found) {
        found = window.bars->FindControl(item.OfficeControlType(), item.OfficeTag());
      }
      if (!found) {
        return nullptr;
      }
      found->GetInt("Type");
      return found;
    } catch (const office::OfficeError&) {
      // Treated as not found, once more.
    }
  }
  return nullptr;
}

void TadxCommandBarConnection::CreateControls(Window& window,
                                              TadxCommandBarControls& items,
                                              office::CommandBarControls& parent) {
  for (const auto& item : items.Items()) {
    if (item->OfficeID() == 1) {
      CreateControl(window, *item, parent);
    }
  }
}

void TadxCommandBarConnection::CreateControl(Window& window,
                                             TadxCommandBarControl& item,
                                             office::CommandBarControls& parent) {
  office::CommandBarControlPtr control;
  try {
    control = window.bars->FindControl(item.OfficeControlType(), item.OfficeTag());
  } catch (const office::OfficeError&) {
  }
  if (!control) {
    control = parent.Add(item.OfficeControlType(), item.OfficeID(),
                         item.Before() > 0 ? std::optional<int>(item.Before()) : std::nullopt,
                         item.Temporary());
  }
  if (!control) {
    return;
  }
  ApplyControlProperties(*control, item);
  try {
    ConnectItem(window, item, control);
  } catch (const std::exception& error) {
    // The button shows but its clicks do not reach the add-in; the other controls go on.
    module_.ReportError(error);
  }
  if (auto* popup = dynamic_cast<TadxCommandBarPopup*>(&item)) {
    CreateControls(window, popup->Controls(), *control->Controls());
  }
}

void TadxCommandBarConnection::ApplyControlProperties(office::CommandBarControl& control,
                                                      const TadxCommandBarControl& item) {
  for (TadxProperty property : kControlProperties) {
    if (auto value = OfficeValue(item, property)) {
      Write(control, OfficeName(property), *value);
    }
  }
  if (const auto* button = dynamic_cast<const TadxCommandBarButton*>(&item)) {
    ApplyGlyph(control, *button);
  }
}

void TadxCommandBarConnection::ApplyGlyph(office::CommandBarControl& control,
                                          const TadxCommandBarButton& button) {
  if (button.Glyph().Empty()) {
    return;
  }
  auto [picture, mask] = PictureOf(button);
  try {
    control.SetPicture(picture, mask);
  } catch (const office::OfficeError&) {
    // The button goes without an image.
  }
}

void TadxCommandBarConnection::ConnectItem(Window& window,
                                           TadxCommandBarControl& item,
                                           const office::CommandBarControlPtr& control) {
  window.controls[&item] = control;
  office_controls_[&item] = control;
  if (auto* button = dynamic_cast<TadxCommandBarButton*>(&item)) {
    ConnectButton(*button, control);
  }
}

void TadxCommandBarConnection::ConnectButton(TadxCommandBarButton& button,
                                             const office::CommandBarControlPtr& control) {
  office_controls_[&button] = control;
  std::unique_ptr<ButtonSink>& sink = button_sinks_[&button];
  if (!sink) {
    sink = std::make_unique<ButtonSink>(*this, button);
  }
  // One Office button at a time: the earlier connection ends first.
  sink->connection.reset();
  try {
    sink->connection = control->Advise(*sink);
  } catch (const std::exception& error) {
    if (host_.DebugOutput) {
      host_.DebugOutput(std::string("TadxEventSink.Create1 error: ") + error.what());
    }
    throw;
  }
}

void TadxCommandBarConnection::Click(ButtonSink& sink, const office::CommandBarControlPtr& ctrl) {
  TadxCommandBarButton& button = sink.button();
  try {
    if (!ctrl || ctrl->GetText("Tag") != button.OfficeTag()) {
      return;
    }
  } catch (const office::OfficeError&) {
    return;
  }
  // The button listened on may have gone with its window: the clicked one takes its place.
  office::CommandBarControlPtr current = OfficeControl(button);
  bool alive = current != nullptr;
  if (alive) {
    try {
      current->Put("HelpFile", current->GetText("HelpFile"));
    } catch (const office::OfficeError&) {
      alive = false;
    }
  }
  if (!alive) {
    try {
      ConnectButton(button, ctrl);
    } catch (const std::exception& error) {
      module_.ReportError(error);
    }
  }
  if (sink.in_click) {
    return;
  }
  TadxScopedFlag guard(sink.in_click);
  button.DoClick();
}

void TadxCommandBarConnection::FolderSwitch(const outlook::ExplorerPtr& explorer) {
  if (!explorer) {
    return;
  }
  if (Window* window = FindWindow(explorer->WindowHandle())) {
    ApplyFolderRule(*window, explorer);
  }
}

void TadxCommandBarConnection::ApplyFolderRule(Window& window,
                                               const outlook::ExplorerPtr& explorer) {
  outlook::MAPIFolderPtr folder = explorer->CurrentFolder();
  if (!folder) {
    return;
  }
  const int item_type = folder->DefaultItemType();
  Window* const saved_target = bar_target_;
  bar_target_ = &window;
  struct Restore {
    Window*& target;
    Window* saved;
    ~Restore() { target = saved; }
  } restore{bar_target_, saved_target};
  for (auto& [bar, office_bar] : window.bar) {
    auto* component = const_cast<TadxOlExplorerCommandBar*>(bar);
    if (office_bar->GetBool("BuiltIn") || !component->FolderName().empty() ||
        !component->FolderNames().empty()) {
      continue;
    }
    const bool was_enabled = component->Enabled();
    const bool enabled = item_type >= 0 && item_type <= 7 &&
                         component->ItemTypes().Contains(static_cast<TadxOLItemType>(item_type));
    component->SetEnabled(enabled);
    component->SetVisible(enabled);
    // Office's own state may differ from the component's (another window switched before).
    Write(*office_bar, "Enabled", enabled);
    Write(*office_bar, "Visible", enabled);
    if (enabled != was_enabled && component->CommandBarLeft() != -1) {
      // Outlook lays the bar out anew once its Left moves.
      office_bar->Put("Left", component->CommandBarLeft() - 1);
      office_bar->Put("Left", component->CommandBarLeft());
    }
  }
}

void TadxCommandBarConnection::Carry(const TadxPropertyChange& change) {
  if (TadxCommandBarControl* item = change.CommandBarControl) {
    for (auto& window : windows_) {
      auto found = window->controls.find(item);
      if (found == window->controls.end()) {
        continue;
      }
      try {
        CarryToControl(*found->second, *item, change.Property);
      } catch (const std::exception& error) {
        // Another window may be closing; only the active one's failures are the user's concern.
        if (window.get() == active_) {
          module_.ReportError(error);
        }
      }
    }
    return;
  }
  auto* bar = dynamic_cast<TadxOlExplorerCommandBar*>(change.Component);
  if (bar == nullptr || bar_target_ == nullptr) {
    return;
  }
  auto found = bar_target_->bar.find(bar);
  if (found == bar_target_->bar.end()) {
    return;
  }
  try {
    CarryToBar(*found->second, *bar, change.Property);
  } catch (const std::exception& error) {
    module_.ReportError(error);
  }
}

void TadxCommandBarConnection::CarryToControl(office::CommandBarControl& control,
                                              const TadxCommandBarControl& item,
                                              TadxProperty property) {
  if (property == TadxProperty::Glyph || property == TadxProperty::GlyphTransparentColor) {
    if (const auto* button = dynamic_cast<const TadxCommandBarButton*>(&item)) {
      ApplyGlyph(control, *button);
    }
    return;
  }
  const char* name = OfficeName(property);
  std::optional<PropertyValue> value = OfficeValue(item, property);
  if (name == nullptr || !value) {
    return;
  }
  std::optional<PropertyValue> current;
  try {
    current = control.Get(name);
  } catch (const office::OfficeError&) {
  }
  if (current == value) {
    return;
  }
  control.Put(name, *value);
  if (property == TadxProperty::Enabled) {
    // Outlook redraws a control whose Enabled changed only once its size changes.
    const int width = control.GetInt("Width");
    control.Put("Width", width + 1);
    control.Put("Width", width);
  }
}

void TadxCommandBarConnection::CarryToBar(office::CommandBar& office_bar,
                                          const TadxOlExplorerCommandBar& bar,
                                          TadxProperty property) {
  if (office_bar.GetBool("BuiltIn")) {
    return;
  }
  if (property == TadxProperty::CommandBarName) {
    Write(office_bar, "Name", bar.CommandBarName());
    Write(office_bar, "NameLocal", bar.CommandBarName());
    return;
  }
  if (property == TadxProperty::Visible && !bar.Enabled()) {
    return;
  }
  if (auto value = BarValue(bar, property)) {
    Write(office_bar, value->first, value->second);
  }
}

void TadxCommandBarConnection::SavePositions(Window& window) {
  for (auto& [bar, office_bar] : window.bar) {
    if (!bar->Temporary()) {
      continue;
    }
    try {
      if (office_bar->GetBool("BuiltIn")) {
        continue;
      }
      const platform::RegistryKey key = PositionsKey(*bar);
      registry_.CreateKey(key);
      registry_.WriteDword(key, "Position",
                           static_cast<std::uint32_t>(office_bar->GetInt("Position")));
      registry_.WriteDword(key, "Left", static_cast<std::uint32_t>(office_bar->GetInt("Left")));
      registry_.WriteDword(key, "Top", static_cast<std::uint32_t>(office_bar->GetInt("Top")));
      registry_.WriteDword(key, "RowIndex",
                           static_cast<std::uint32_t>(office_bar->GetInt("RowIndex")));
    } catch (const std::exception&) {
      // A bar that no longer answers keeps the positions saved before.
    }
  }
}

void TadxCommandBarConnection::Close(const outlook::ExplorerPtr& explorer) {
  if (!explorer) {
    return;
  }
  Window* window = FindWindow(explorer->WindowHandle());
  if (window == nullptr) {
    return;
  }
  SavePositions(*window);
  // The components stay pointed at the closing window's objects until another is activated;
  // a click arriving meanwhile reconnects its button to the clicked one.
  if (active_ == window) {
    active_ = nullptr;
  }
  if (bar_target_ == window) {
    bar_target_ = nullptr;
  }
  std::erase_if(windows_, [window](const auto& entry) { return entry.get() == window; });
}

void TadxCommandBarConnection::Remove() {
  if (active_ == nullptr) {
    return;
  }
  Window& window = *active_;
  for (auto& [bar, office_bar] : window.bar) {
    try {
      office::CommandBarPtr found = FindBar(*window.bars, bar->CommandBarName());
      if (!found) {
        continue;
      }
      for (auto& [item, control] : window.controls) {
        if (item->Bar() == bar) {
          try {
            control->Delete();
          } catch (const office::OfficeError&) {
          }
        }
      }
      if (!found->GetBool("BuiltIn")) {
        found->Delete();
      }
    } catch (const office::OfficeError&) {
      // What Office cannot delete now, a temporary bar, goes when Outlook closes.
    }
  }
  button_sinks_.clear();
  office_controls_.clear();
  windows_.clear();
  active_ = nullptr;
  bar_target_ = nullptr;
}

office::CommandBarPtr TadxCommandBarConnection::OfficeBar(
    const TadxOlExplorerCommandBar& bar) const {
  if (active_ == nullptr) {
    return nullptr;
  }
  auto found = active_->bar.find(&bar);
  return found == active_->bar.end() ? nullptr : found->second;
}

office::CommandBarControlPtr TadxCommandBarConnection::OfficeControl(
    const TadxCommandBarControl& control) const {
  auto found = office_controls_.find(&control);
  return found == office_controls_.end() ? nullptr : found->second;
}

}  // namespace quivra::framework
