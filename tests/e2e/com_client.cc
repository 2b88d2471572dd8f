// A COM client of the registered add-in: obtains its class factory and object the way Outlook
// does, through the registry by ProgID, and checks what the DLL answers about its use. Prints
// one PASS or FAIL line per check and exits with the number of failures.
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cstdio>
#include <string>

#include "addin/addin_identity.h"
#include "platform/win32/com/bstr.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr const CLSID& kExpectedClassId = quivra::addin::kClassId;
constexpr const IID& kIcoOLQuivra = quivra::addin::kInterfaceId;
// A class id no server here registers.
constexpr CLSID kOtherClassId = {0x2E1A2C61,
                                 0x6A0B,
                                 0x4B1C,
                                 {0x9F, 0x33, 0x0D, 0x6B, 0x7E, 0x55, 0x21, 0x90}};

int failures = 0;

void Check(bool ok, const char* what, HRESULT result = S_OK) {
  if (ok) {
    std::printf("PASS: %s\n", what);
  } else {
    std::printf("FAIL: %s (0x%08lX)\n", what, static_cast<unsigned long>(result));
    ++failures;
  }
}

using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();
using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

std::wstring TypeName(ITypeInfo* info) {
  quivra::com::Bstr name;
  if (FAILED(info->GetDocumentation(MEMBERID_NIL, name.Receive(), nullptr, nullptr, nullptr))) {
    return {};
  }
  return name.str();
}

void RunChecks() {
  CLSID class_id = GUID_NULL;
  HRESULT hr = ::CLSIDFromProgID(L"OLQuivra.coOLQuivra", &class_id);
  Check(SUCCEEDED(hr) && IsEqualCLSID(class_id, kExpectedClassId),
        "the ProgID resolves to the add-in's class id", hr);

  ComPtr<IClassFactory> factory;
  hr = ::CoGetClassObject(class_id, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory));
  Check(SUCCEEDED(hr) && factory, "the class factory is obtained through COM", hr);
  if (!factory)
    return;

  // COM loaded the DLL into this process; its exports answer directly.
  HMODULE module = ::GetModuleHandleW(L"OLQuivra.dll");
  Check(module != nullptr, "the DLL is loaded in process");
  if (module == nullptr)
    return;
  auto can_unload = Export<CanUnloadNowFunction>(module, "DllCanUnloadNow");
  auto get_class_object = Export<GetClassObjectFunction>(module, "DllGetClassObject");
  Check(can_unload != nullptr && get_class_object != nullptr, "the exports are found by name");
  if (can_unload == nullptr || get_class_object == nullptr)
    return;

  Check(can_unload() == S_FALSE, "DllCanUnloadNow answers S_FALSE while the factory is held");

  ComPtr<IDispatch> object;
  hr = factory->CreateInstance(nullptr, IID_PPV_ARGS(&object));
  Check(SUCCEEDED(hr) && object, "the factory creates the object", hr);
  ComPtr<IDispatch> second;
  hr = factory->CreateInstance(nullptr, IID_PPV_ARGS(&second));
  Check(SUCCEEDED(hr) && second && second.Get() != object.Get(),
        "each CreateInstance makes a new object", hr);
  second.Reset();

  ComPtr<IUnknown> outer;
  object.As(&outer);
  ComPtr<IUnknown> aggregated;
  hr = factory->CreateInstance(outer.Get(), IID_PPV_ARGS(&aggregated));
  Check(hr == CLASS_E_NOAGGREGATION && !aggregated, "aggregation is refused", hr);
  outer.Reset();

  hr = factory->LockServer(TRUE);
  Check(hr == S_OK, "LockServer(TRUE) succeeds", hr);
  factory.Reset();
  if (!object)
    return;

  ComPtr<IUnknown> unknown_a;
  ComPtr<IUnknown> unknown_b;
  ComPtr<IDispatch> dual;
  object.As(&unknown_a);
  hr = object->QueryInterface(kIcoOLQuivra, reinterpret_cast<void**>(dual.GetAddressOf()));
  Check(SUCCEEDED(hr) && dual, "the object answers IcoOLQuivra", hr);
  if (dual)
    dual.As(&unknown_b);
  Check(unknown_a && unknown_a.Get() == unknown_b.Get(), "IUnknown has one identity");
  void* nothing = reinterpret_cast<void*>(1);
  hr = object->QueryInterface(kOtherClassId, &nothing);
  Check(hr == E_NOINTERFACE && nothing == nullptr, "an unknown interface is refused", hr);
  unknown_a.Reset();
  unknown_b.Reset();
  dual.Reset();

  const ULONG after_add = object->AddRef();
  const ULONG after_release = object->Release();
  Check(after_add == 2 && after_release == 1, "AddRef and Release count the references");

  UINT count = 0;
  ComPtr<ITypeInfo> info;
  object->GetTypeInfoCount(&count);
  hr = object->GetTypeInfo(0, 0, &info);
  Check(count == 1 && SUCCEEDED(hr) && info && TypeName(info.Get()) == L"IcoOLQuivra",
        "the object describes itself as IcoOLQuivra", hr);
  info.Reset();
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"NoSuchMember");
  hr = object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
  Check(hr == DISP_E_UNKNOWNNAME, "an unknown member name is refused", hr);

  Check(can_unload() == S_FALSE, "DllCanUnloadNow answers S_FALSE while the object lives");
  object.Reset();
  Check(can_unload() == S_FALSE, "DllCanUnloadNow answers S_FALSE while the server is locked");

  ComPtr<IClassFactory> direct;
  hr = get_class_object(class_id, IID_IClassFactory,
                        reinterpret_cast<void**>(direct.GetAddressOf()));
  Check(SUCCEEDED(hr) && direct, "DllGetClassObject hands out the factory", hr);
  if (direct) {
    direct->LockServer(FALSE);
    Check(can_unload() == S_FALSE, "DllCanUnloadNow answers S_FALSE while the factory is held");
    direct.Reset();
  }
  Check(can_unload() == S_OK, "DllCanUnloadNow answers S_OK once everything is released");

  void* other = reinterpret_cast<void*>(1);
  hr = get_class_object(kOtherClassId, IID_IClassFactory, &other);
  Check(hr == CLASS_E_CLASSNOTAVAILABLE && other == nullptr,
        "DllGetClassObject refuses another class id with CLASS_E_CLASSNOTAVAILABLE", hr);
  void* dispatch = reinterpret_cast<void*>(1);
  hr = get_class_object(class_id, IID_IDispatch, &dispatch);
  Check(hr == E_NOINTERFACE && dispatch == nullptr,
        "DllGetClassObject refuses an interface the factory lacks", hr);

  ComPtr<IDispatch> created;
  hr = ::CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created));
  Check(SUCCEEDED(hr) && created, "CoCreateInstance creates the object", hr);
  Check(can_unload() == S_FALSE, "DllCanUnloadNow answers S_FALSE while that object lives");
  created.Reset();
  Check(can_unload() == S_OK, "DllCanUnloadNow answers S_OK after its release");
}

}  // namespace

int main() {
  const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) {
    std::printf("FAIL: CoInitializeEx (0x%08lX)\n", static_cast<unsigned long>(hr));
    return 1;
  }
  RunChecks();
  ::CoUninitialize();
  std::fflush(stdout);
  return failures;
}
