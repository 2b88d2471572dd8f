// The add-in object's side of the ribbon: the callbacks Office calls by name, answered by the
// connection of the module's ribbon components.
#include <exception>

#include "host/framework/module/addin.h"

namespace quivra::framework {

namespace {

// DISP_E_MEMBERNOTFOUND: what Office is told for a name the add-in does not know.
constexpr std::int32_t kUnknownCallback = static_cast<std::int32_t>(0x80020003);

}  // namespace

TRibbonConnection* TAddin::Ribbon() {
  if (!module_)
    return nullptr;
  if (!ribbon_)
    ribbon_ = std::make_unique<TRibbonConnection>(*module_);
  return ribbon_.get();
}

int TAddin::RibbonHostVersion() const {
  if (host_major_version_ != 0 || !host_app_)
    return host_major_version_;
  // Office may ask for the ribbon before start-up completes.
  try {
    return MajorVersionOf(host_app_->Version());
  } catch (const std::exception&) {
    return 0;
  }
}

void TAddin::RibbonLoad(const std::string& callback, const office::RibbonUIPtr& ribbon) {
  if (RibbonCallbackDispId(callback) != static_cast<int>(TRibbonCallback::RibbonLoaded))
    throw office::OfficeError(kUnknownCallback, "Unknown name: " + callback);
  if (TRibbonConnection* connection = Ribbon())
    connection->RibbonLoaded(ribbon);
  if (module_ && module_->OnRibbonLoaded) {
    TCOMAddInModule& module = *module_;
    module.CallHandler([&] { module.OnRibbonLoaded(module, ribbon); });
  }
}

office::RibbonValue TAddin::RibbonCallback(const std::string& callback,
                                              const office::RibbonControl& control,
                                              std::optional<bool> pressed) {
  const std::optional<int> dispid = RibbonCallbackDispId(callback);
  if (!dispid || *dispid == static_cast<int>(TRibbonCallback::RibbonLoaded))
    throw office::OfficeError(kUnknownCallback, "Unknown name: " + callback);
  TRibbonConnection* connection = Ribbon();
  if (connection == nullptr)
    return {};
  return connection->Callback(static_cast<TRibbonCallback>(*dispid),
                              TRibbonControlInfo{control.Id, control.Tag},
                              pressed.value_or(false));
}

}  // namespace quivra::framework
