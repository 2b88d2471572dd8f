#include "addin/tco_olquivra.h"

#include <memory>
#include <new>

#include "addin/library_platform.h"
#include "core/add_in_module.h"
#include "host/framework/com/adx_keyboard_hook.h"
#include "model/configuration.h"

namespace quivra::addin {

HRESULT TcoOLQuivra::Create(framework::com::TadxComServer& server,
                            ITypeInfo* class_info,
                            REFIID iid,
                            void** object) {
  *object = nullptr;
  try {
    platform::Platform& services = LibraryPlatform();
    auto addin = std::make_unique<framework::TadxAddin>(
        services, kProgId, [&services](const outlook::ApplicationPtr& application) {
          return std::make_unique<core::TAddInModule>(services, core::TheConfiguration(),
                                                      application);
        });
    addin->SetKeyboardHookInstaller(&framework::com::TadxKeyboardHook::Install);
    return TadxAddinObject::Create(server, class_info, std::move(addin), iid, object);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace quivra::addin
