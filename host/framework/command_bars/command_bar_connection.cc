#include "host/framework/command_bars/command_bar_connection.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <optional>
#include <utility>

#include "host/framework/command_bars/office_properties.h"

namespace quivra::framework {

namespace {

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

// The click sink of one button item: listens on one Office button at a time.
class TCommandBarConnection::ButtonSink : public office::CommandBarButtonEvents {
 public:
  ButtonSink(TCommandBarConnection& owner, TCommandBarButton& button)
      : owner_(owner), button_(button) {}

  void Click(const office::CommandBarControlPtr& Ctrl, bool&) override {
    owner_.Click(*this, Ctrl);
  }

  TCommandBarButton& button() { return button_; }
  bool in_click = false;
  office::CommandBarEventConnectionPtr connection;

 private:
  TCommandBarConnection& owner_;
  TCommandBarButton& button_;
};

TCommandBarConnection::TCommandBarConnection(TCOMAddInModule& module,
                                                   platform::Registry& registry,
                                                   platform::RegistryKey add_in_key,
                                                   TCommandBarsHost host)
    : module_(module),
      positions_(registry, std::move(add_in_key)),
      host_(std::move(host)),
      self_(std::make_shared<TCommandBarConnection*>(this)) {
  // A hook set later may keep this one inside it: once the connection is gone it passes the
  // change on only.
  std::weak_ptr<TCommandBarConnection*> self = self_;
  module_.PropertyChanged =
      [self, previous = std::move(module_.PropertyChanged)](const TPropertyChange& change) {
        if (previous) {
          previous(change);
        }
        if (auto connection = self.lock()) {
          (*connection)->Carry(change);
        }
      };
}

TCommandBarConnection::~TCommandBarConnection() {
  button_sinks_.clear();
}

void TCommandBarConnection::RestorePositions() {
  positions_.Restore(module_.ComponentsOf<TOlExplorerCommandBar>());
}

TCommandBarConnection::Window* TCommandBarConnection::FindWindow(std::uintptr_t handle) {
  for (const auto& window : windows_) {
    if (window->handle == handle) {
      return window.get();
    }
  }
  return nullptr;
}

office::CommandBarPtr TCommandBarConnection::FindBar(office::CommandBars& bars,
                                                        const std::string& name) {
  const int count = bars.Count();
  for (int index = 1; index <= count; ++index) {
    office::CommandBarPtr bar = bars.Item(index);
    if (!bar) {
      continue;
    }
    if (SameTextIgnoringCase(bar->GetText(kOfficeName), name)) {
      return bar;
    }
    try {
      if (SameTextIgnoringCase(bar->GetText(kOfficeNameLocal), name)) {
        return bar;
      }
    } catch (const office::OfficeError&) {
    }
  }
  return nullptr;
}

void TCommandBarConnection::Activate(const outlook::ExplorerPtr& explorer, bool ribbon_host) {
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
  for (TOlExplorerCommandBar* bar : module_.ComponentsOf<TOlExplorerCommandBar>()) {
    if (!bar->SupportedApps().Contains(TOfficeHostApp::ohaOutlook) ||
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

void TCommandBarConnection::CreateBar(Window& window, TOlExplorerCommandBar& bar) {
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
  WriteIfChanged(*office_bar, kOfficeNameLocal, bar.CommandBarName());
  window.bar[&bar] = office_bar;
  if (!office_bar->GetBool(kOfficeBuiltIn)) {
    ApplyBarProperties(*office_bar, bar);
  }
  // Controls can be added only to an unprotected bar. The protection comes back however the
  // controls' making ends: a failure part-way (reported by the caller) must not leave the bar
  // open to the user's changes.
  const std::string_view protection_name = OfficeBarName(TProperty::Protection);
  const int protection = office_bar->GetInt(protection_name);
  office_bar->Put(protection_name, 0);
  struct RestoreProtection {
    office::CommandBar& bar;
    std::string_view name;
    int value;
    ~RestoreProtection() {
      try {
        bar.Put(name, value);
      } catch (const std::exception&) {
        // Office refused even that: nothing more can be done for this bar.
      }
    }
  } restore{*office_bar, protection_name, protection};
  office::CommandBarControlsPtr controls = office_bar->Controls();
  CreateControls(window, bar.Controls(), *controls);
}

void TCommandBarConnection::ReconnectBar(Window& window,
                                            TOlExplorerCommandBar& bar,
                                            const office::CommandBarPtr& office_bar) {
  window.bar[&bar] = office_bar;
  ReconnectControls(window, bar.Controls(), office_bar.get());
}

void TCommandBarConnection::ReconnectControls(Window& window,
                                                 TCommandBarControls& items,
                                                 office::CommandBar* bar) {
  for (const auto& item : items.Items()) {
    if (item->OfficeID() != 1) {
      continue;
    }
    office::CommandBarControlPtr control = FindControl(window, *item, bar);
    if (!control) {
      // Gone from this window (the user removed it): made anew in its place.
      office::CommandBarControlsPtr parent;
      if (TCommandBarPopup* popup = item->ParentPopup()) {
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
    if (auto* popup = dynamic_cast<TCommandBarPopup*>(item.get())) {
      ReconnectControls(window, popup->Controls(), nullptr);
    }
  }
}

office::CommandBarControlPtr TCommandBarConnection::FindControl(
    Window& window,
    const TCommandBarControl& item,
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
      found->GetInt(kOfficeType);
      return found;
    } catch (const office::OfficeError&) {
      // Treated as not found, once more.
    }
  }
  return nullptr;
}

void TCommandBarConnection::CreateControls(Window& window,
                                              TCommandBarControls& items,
                                              office::CommandBarControls& parent) {
  for (const auto& item : items.Items()) {
    if (item->OfficeID() == 1) {
      CreateControl(window, *item, parent);
    }
  }
}

void TCommandBarConnection::CreateControl(Window& window,
                                             TCommandBarControl& item,
                                             office::CommandBarControls& parent) {
  office::CommandBarControlPtr control;
  try {
    control = window.bars->FindControl(item.OfficeControlType(), item.OfficeTag());
  } catch (const office::OfficeError&) {
  }
  const bool added = !control;
  if (added) {
    control = parent.Add(item.OfficeControlType(), item.OfficeID(),
                         item.Before() > 0 ? std::optional<int>(item.Before()) : std::nullopt,
                         item.Temporary());
  }
  if (!control) {
    return;
  }
  ApplyControlProperties(*control, item, added);
  try {
    ConnectItem(window, item, control);
  } catch (const std::exception& error) {
    // The button shows but its clicks do not reach the add-in; the other controls go on.
    module_.ReportError(error);
  }
  if (auto* popup = dynamic_cast<TCommandBarPopup*>(&item)) {
    CreateControls(window, popup->Controls(), *control->Controls());
  }
}

void TCommandBarConnection::ConnectItem(Window& window,
                                           TCommandBarControl& item,
                                           const office::CommandBarControlPtr& control) {
  window.controls[&item] = control;
  office_controls_[&item] = control;
  if (auto* button = dynamic_cast<TCommandBarButton*>(&item)) {
    ConnectButton(*button, control);
  }
}

void TCommandBarConnection::ConnectButton(TCommandBarButton& button,
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
      host_.DebugOutput(std::string("TEventSink.Create1 error: ") + error.what());
    }
    throw;
  }
}

void TCommandBarConnection::Click(ButtonSink& sink, const office::CommandBarControlPtr& ctrl) {
  TCommandBarButton& button = sink.button();
  try {
    if (!ctrl || ctrl->GetText(OfficeControlName(TProperty::OfficeTag)) != button.OfficeTag()) {
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
      const std::string_view help_file = OfficeControlName(TProperty::HelpFile);
      current->Put(help_file, current->GetText(help_file));
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
  TScopedFlag guard(sink.in_click);
  button.DoClick();
}

void TCommandBarConnection::FolderSwitch(const outlook::ExplorerPtr& explorer) {
  if (!explorer) {
    return;
  }
  if (Window* window = FindWindow(explorer->WindowHandle())) {
    ApplyFolderRule(*window, explorer);
  }
}

void TCommandBarConnection::ApplyFolderRule(Window& window,
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
    auto* component = const_cast<TOlExplorerCommandBar*>(bar);
    if (office_bar->GetBool(kOfficeBuiltIn) || !component->FolderName().empty() ||
        !component->FolderNames().empty()) {
      continue;
    }
    const bool was_enabled = component->Enabled();
    const bool enabled = item_type >= 0 && item_type <= 7 &&
                         component->ItemTypes().Contains(static_cast<TOLItemType>(item_type));
    component->SetEnabled(enabled);
    component->SetVisible(enabled);
    // Office's own state may differ from the component's (another window switched before).
    WriteIfChanged(*office_bar, OfficeBarName(TProperty::Enabled), enabled);
    WriteIfChanged(*office_bar, OfficeBarName(TProperty::Visible), enabled);
    if (enabled != was_enabled && component->CommandBarLeft() != -1) {
      // Outlook lays the bar out anew once its Left moves. The Left is Office's of now: the user
      // may have moved the bar since it was made.
      const std::string_view left_name = OfficeBarName(TProperty::CommandBarLeft);
      const int left = office_bar->GetInt(left_name);
      office_bar->Put(left_name, left - 1);
      office_bar->Put(left_name, left);
    }
  }
}

void TCommandBarConnection::Close(std::uintptr_t window_handle) {
  Window* window = FindWindow(window_handle);
  if (window == nullptr) {
    return;
  }
  positions_.Save(window->bar);
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

void TCommandBarConnection::Remove() {
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
      if (!found->GetBool(kOfficeBuiltIn)) {
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

office::CommandBarPtr TCommandBarConnection::OfficeBar(
    const TOlExplorerCommandBar& bar) const {
  if (active_ == nullptr) {
    return nullptr;
  }
  auto found = active_->bar.find(&bar);
  return found == active_->bar.end() ? nullptr : found->second;
}

office::CommandBarControlPtr TCommandBarConnection::OfficeControl(
    const TCommandBarControl& control) const {
  auto found = office_controls_.find(&control);
  return found == office_controls_.end() ? nullptr : found->second;
}

}  // namespace quivra::framework
