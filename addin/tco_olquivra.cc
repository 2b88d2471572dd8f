#include "addin/tco_olquivra.h"

#include <memory>

#include "addin/addin_identity.h"
#include "addin/library_platform.h"
#include "core/add_in_module.h"
#include "host/framework/com/keyboard_hook.h"
#include "model/configuration.h"
#include "platform/win32/com/caught_error.h"

namespace quivra::addin {

namespace {

// The add-in's lifecycle over the library's Windows services: its module is made on
// OnConnection, its keyboard shortcuts run through the thread's keyboard hook.
std::unique_ptr<framework::TAddin> MakeAddin() {
  platform::Platform& services = LibraryPlatform();
  auto addin = std::make_unique<framework::TAddin>(
      services, kProgId, [&services](const outlook::ApplicationPtr& application) {
        return std::make_unique<core::TAddInModule>(services, core::TheConfiguration(),
                                                    application);
      });
  addin->SetKeyboardHookInstaller(&framework::com::TKeyboardHook::Install);
  return addin;
}

}  // namespace

TcoOLQuivra::TcoOLQuivra(framework::com::TComServer& server)
    : TAddinObject(server, kClassId, kInterfaceId, MakeAddin()) {}

HRESULT TcoOLQuivra::Create(framework::com::TComServer& server, REFIID iid, void** object) {
  *object = nullptr;
  try {
    return quivra::com::Make<TcoOLQuivra>(server)->QueryInterface(iid, object);
  } catch (...) {
    return quivra::com::HResultFromCaught(E_UNEXPECTED);
  }
}

}  // namespace quivra::addin
