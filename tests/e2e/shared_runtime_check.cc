// The 32-bit add-in in a host process where another component has already loaded the shared
// GCC runtime ("libgcc_s_dw2-1.dll"): an error the add-in raises and handles inside itself must
// come back as the call's failure result, not end the process.
//
// Usage: quivra_shared_runtime_check <shared runtime DLL> <OLQuivra.dll> (Windows paths).
// Prints one PASS or FAIL line per check and exits with the number of failures.
#include <windows.h>

#include <objbase.h>
#include <wrl/client.h>

#include <cstdio>

#include "addin/addin_identity.h"
#include "host/office/com/office_interfaces.h"
#include "tests/e2e/check_report.h"

using Microsoft::WRL::ComPtr;

namespace {

// One check, with the call's result when it failed.
void Check(bool ok, const char* what, HRESULT result = S_OK) {
  char text[160];
  std::snprintf(text, sizeof text, ok ? "%s" : "%s (0x%08lX)", what,
                static_cast<unsigned long>(result));
  quivra::e2e::Check(ok, text);
}

// An Outlook whose every member fails: the add-in's first call to it raises inside the add-in.
class FailingOutlook : public IDispatch {
 public:
  // It answers to every interface, Outlook's _Application among them.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    *object = static_cast<IDispatch*>(this);
    return S_OK;
  }
  // Lives on main's stack, beyond every reference the add-in holds.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE
  GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) {
      ids[i] = 1;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_FAIL;
  }
};

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

void RunChecks(const char* runtime_path, const char* dll_path) {
  const HMODULE runtime = ::LoadLibraryA(runtime_path);
  Check(runtime != nullptr, "another component has loaded the shared GCC runtime");
  const HMODULE library = ::LoadLibraryA(dll_path);
  Check(library != nullptr, "the add-in library loads after it");
  if (runtime == nullptr || library == nullptr) {
    return;
  }
  const auto get_class_object = reinterpret_cast<GetClassObjectFunction>(
      reinterpret_cast<void*>(::GetProcAddress(library, "DllGetClassObject")));
  ComPtr<IClassFactory> factory;
  HRESULT hr = get_class_object(quivra::addin::kClassId, IID_IClassFactory,
                                reinterpret_cast<void**>(factory.GetAddressOf()));
  ComPtr<quivra::office::com::IDTExtensibility2> add_in;
  if (SUCCEEDED(hr)) {
    hr = factory->CreateInstance(nullptr, quivra::office::com::IDTExtensibility2::kIid,
                                 reinterpret_cast<void**>(add_in.GetAddressOf()));
  }
  Check(SUCCEEDED(hr) && add_in, "the add-in object is made", hr);
  if (!add_in) {
    return;
  }
  FailingOutlook outlook;
  hr = add_in->OnConnection(&outlook, quivra::office::com::ext_cm_Startup, nullptr, nullptr);
  Check(hr == S_OK, "OnConnection succeeds", hr);
  // Reading the failing Outlook's version raises inside the add-in; the error must unwind to
  // the add-in's own handler, which turns it into the call's result.
  hr = add_in->OnStartupComplete(nullptr);
  Check(hr == E_FAIL, "an error raised inside the add-in comes back as E_FAIL", hr);
  hr = add_in->OnDisconnection(quivra::office::com::ext_dm_HostShutdown, nullptr);
  Check(SUCCEEDED(hr), "OnDisconnection succeeds", hr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: quivra_shared_runtime_check <shared runtime DLL> <OLQuivra.dll>\n");
    return 2;
  }
  const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) {
    std::printf("FAIL: CoInitializeEx (0x%08lX)\n", static_cast<unsigned long>(hr));
    return 1;
  }
  RunChecks(argv[1], argv[2]);
  ::CoUninitialize();
  return quivra::e2e::Failures();
}
