#include "host/framework/module/com_addin_module.h"

#include <memory>

#include <algorithm>
#include <cctype>

#include "host/framework/module/framework_errors.h"

namespace quivra::framework {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

constexpr std::string_view kErrorFormatTail = " error: the add-in has fired an exception.\r\n";

}  // namespace

TCOMAddInModule::TCOMAddInModule(platform::Platform& platform) : platform_(platform) {}

TCOMAddInModule::~TCOMAddInModule() {
  // Components may refer to those created before them (a tab to its image list).
  while (!components_.empty())
    components_.pop_back();
}

void TCOMAddInModule::SetAddInName(std::string value) {
  if (value.empty())
    throw TPropertyError("AddInName");
  add_in_name_ = std::move(value);
}

void TCOMAddInModule::SetSupportedApps(THostAppSet value) {
  if (value.Empty())
    throw TPropertyError("SupportedApps");
  supported_apps_ = value;
}

TComponent* TCOMAddInModule::FindComponent(std::string_view name) const {
  for (const auto& component : components_) {
    if (SameName(component->Name(), name))
      return component.get();
  }
  return nullptr;
}

std::string TCOMAddInModule::ComponentName(std::string_view class_name, std::string name) const {
  if (!name.empty()) {
    if (FindComponent(name) != nullptr) {
      throw std::invalid_argument("A component named " + name + " already exists.");
    }
    return name;
  }
  // "TRibbonTab" gives "ribbonTab1", "ribbonTab2", ...
  const std::string stem = ComponentStem(class_name);
  for (int number = 1;; ++number) {
    std::string candidate = stem + std::to_string(number);
    if (FindComponent(candidate) == nullptr)
      return candidate;
  }
}

void TCOMAddInModule::ReportError(const std::exception& E) noexcept {
  bool handled = false;
  if (OnError) {
    try {
      OnError(E, handled);
    } catch (...) {
      // A failing error handler has not dealt with the error; the message still shows.
      handled = false;
    }
  }
  if (handled)
    return;
  try {
    platform::MessageBoxRequest request;
    request.caption = add_in_name_;
    request.text = add_in_name_ + std::string(kErrorFormatTail) + E.what();
    request.icon = platform::MessageIcon::kError;
    request.buttons = {platform::MessageButton::kOk};
    if (deferring_errors_) {
      deferred_errors_.push_back(std::move(request));
      return;
    }
    platform_.message_boxes.Show(request);
  } catch (...) {
    // Nothing more can be reported; the add-in goes on.
  }
}

void TCOMAddInModule::DeferErrorMessages() {
  deferring_errors_ = true;
}

void TCOMAddInModule::ShowDeferredErrorMessages() noexcept {
  deferring_errors_ = false;
  if (deferred_errors_.empty())
    return;
  // The posted work may run after the module has gone: it holds the messages and the Windows
  // services, which outlive every module.
  platform::MessageBoxes& boxes = platform_.message_boxes;
  auto messages =
      std::make_shared<std::vector<platform::MessageBoxRequest>>(std::move(deferred_errors_));
  deferred_errors_.clear();
  try {
    platform_.screen.Post([&boxes, messages] {
      for (const platform::MessageBoxRequest& request : *messages)
        boxes.Show(request);
    });
  } catch (...) {
    // No message loop to wait for: shown now rather than never.
    for (const platform::MessageBoxRequest& request : *messages) {
      try {
        boxes.Show(request);
      } catch (...) {
      }
    }
  }
}

void TCOMAddInModule::NotifyChanged(const TPropertyChange& change) {
  if (PropertyChanged)
    PropertyChanged(change);
}

}  // namespace quivra::framework
