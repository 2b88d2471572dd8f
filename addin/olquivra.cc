// The add-in library: its start-up and shut-down and the four exports through which Windows
// registers it and Outlook obtains its class factory.
#include <windows.h>

#include <objbase.h>
#include <olectl.h>

#include "addin/addin_identity.h"
#include "addin/tco_olquivra.h"
#include "core/registration_properties.h"
#include "host/framework/com/com_server.h"
#include "host/framework/registration/registration.h"
#include "platform/win32/com/caught_error.h"

namespace {

using quivra::addin::TcoOLQuivra;
using quivra::framework::com::TComServer;

TComServer* g_server = nullptr;

bool InitializeLibrary(HINSTANCE instance) {
  try {
    g_server = new TComServer(instance);
    g_server->AddFactory({quivra::addin::kClassId, &TcoOLQuivra::Create,
                          &quivra::core::QuivraRegistrationInfo, "Apartment"});
    return true;
  } catch (...) {
    delete g_server;
    g_server = nullptr;
    return false;
  }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      ::DisableThreadLibraryCalls(instance);
      return InitializeLibrary(instance) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      // When the whole process ends, the system libraries the server would call while freeing
      // may already be gone; the memory goes with the process anyway.
      if (reserved == nullptr) {
        delete g_server;
      }
      g_server = nullptr;
      break;
    default:
      break;
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID class_id, REFIID iid, LPVOID* object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  *object = nullptr;
  if (g_server == nullptr) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  try {
    return g_server->GetClassObject(class_id, iid, object);
  } catch (...) {
    return quivra::com::HResultFromCaught(E_UNEXPECTED);
  }
}

STDAPI DllCanUnloadNow() {
  return g_server == nullptr ? S_OK : g_server->CanUnloadNow();
}

STDAPI DllRegisterServer() {
  try {
    return g_server == nullptr ? E_FAIL : g_server->UpdateRegistry(true);
  } catch (...) {
    return E_FAIL;
  }
}

STDAPI DllUnregisterServer() {
  try {
    return g_server == nullptr ? E_FAIL : g_server->UpdateRegistry(false);
  } catch (...) {
    return E_FAIL;
  }
}
