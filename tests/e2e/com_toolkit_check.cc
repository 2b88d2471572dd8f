// Exercises the COM toolkit every COM object of the add-in and the stand-in is built on: the
// object template's identity and reference counting, the owners of VARIANT, BSTR and EXCEPINFO,
// the mapping of caught exceptions to HRESULTs, late-bound calls and their errors, and the
// handle owner. Prints one PASS or FAIL line per check and exits with the number of failures.
#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

#include "platform/hresult_error.h"
#include "platform/win32/com/bstr.h"
#include "platform/win32/com/caught_error.h"
#include "platform/win32/com/com_object.h"
#include "platform/win32/com/dispatch_ref.h"
#include "platform/win32/com/excep_info.h"
#include "platform/win32/com/variant.h"
#include "platform/win32/unique_handle.h"
#include "tests/e2e/check_report.h"

namespace {

using namespace quivra;
using com::ComPtr;

using e2e::Check;

constexpr IID kExtraId = {0x5B0E43A1,
                          0x2C7D,
                          0x4E55,
                          {0x9A, 0x10, 0x3F, 0x61, 0x0D, 0x2E, 0x77, 0x08}};
constexpr DISPID kAnswer = 1;
constexpr DISPID kRefuse = 2;

// An automation object with two members: Answer returns 42, Refuse raises an error with a
// description. It also answers IConnectionPointContainer (never used) and an extra IID.
class Probe : public com::Object<IDispatch, IConnectionPointContainer> {
 public:
  explicit Probe(bool* destroyed) : destroyed_(destroyed) {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE
  GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    const std::wstring name = names[0];
    *ids = name == L"Answer" ? kAnswer : name == L"Refuse" ? kRefuse : DISPID_UNKNOWN;
    return *ids == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id,
                                   REFIID,
                                   LCID,
                                   WORD,
                                   DISPPARAMS*,
                                   VARIANT* result,
                                   EXCEPINFO* exception,
                                   UINT*) override {
    if (id == kAnswer) {
      com::Variant::Int(42).Detach(result);
      return S_OK;
    }
    com::ExcepInfo::Fill(exception, E_ACCESSDENIED, L"Probe", "Ce dossier est protégé.");
    return DISP_E_EXCEPTION;
  }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID, IConnectionPoint**) override {
    return CONNECT_E_NOCONNECTION;
  }

 protected:
  HRESULT QueryOther(REFIID iid, void** object) override {
    return IsEqualIID(iid, kExtraId) ? HandOut(static_cast<IDispatch*>(this), object)
                                     : E_NOINTERFACE;
  }

 private:
  ~Probe() override { *destroyed_ = true; }
  bool* destroyed_;
};

IUnknown* Identity(IUnknown* object) {
  ComPtr<IUnknown> unknown;
  object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown.GetAddressOf()));
  return unknown.Get();
}

void ObjectChecks() {
  bool destroyed = false;
  {
    ComPtr<Probe> probe = com::Make<Probe>(&destroyed);
    IDispatch* dispatch = probe.Get();
    Check(dispatch->AddRef() == 2 && dispatch->Release() == 1, "a new object has one reference");

    ComPtr<IConnectionPointContainer> container;
    ComPtr<IDispatch> extra;
    Check(SUCCEEDED(probe.As(&container)) &&
              SUCCEEDED(dispatch->QueryInterface(kExtraId,
                                                 reinterpret_cast<void**>(extra.GetAddressOf()))),
          "the listed interfaces and the extra IID are answered");
    Check(Identity(container.Get()) == Identity(dispatch) &&
              Identity(extra.Get()) == Identity(dispatch),
          "every interface has the one IUnknown");

    void* none = reinterpret_cast<void*>(1);
    Check(dispatch->QueryInterface(IID_IClassFactory, &none) == E_NOINTERFACE && none == nullptr,
          "an interface not listed is refused and the result cleared");
    Check(dispatch->QueryInterface(IID_IDispatch, nullptr) == E_POINTER,
          "a null result is refused");
    container.Reset();
    extra.Reset();
    Check(!destroyed, "the object lives while referenced");
  }
  Check(destroyed, "the object goes with its last reference");
}

HRESULT Mapped(void (*raise)(), HRESULT fallback) {
  try {
    raise();
  } catch (...) {
    return com::HResultFromCaught(fallback);
  }
  return S_OK;
}

std::string Message(void (*raise)()) {
  try {
    raise();
  } catch (...) {
    return com::MessageOfCaught("Unknown exception.");
  }
  return {};
}

void ErrorChecks() {
  Check(Mapped([] { throw platform::HresultError(E_NOINTERFACE, "x"); }, E_UNEXPECTED) ==
            E_NOINTERFACE,
        "the HRESULT error gives its code");
  Check(Mapped([] { throw platform::HresultError(S_FALSE, "x"); }, E_UNEXPECTED) == E_FAIL,
        "an HRESULT error without a failure code gives E_FAIL");
  Check(Mapped([] { throw std::bad_alloc(); }, E_UNEXPECTED) == E_OUTOFMEMORY,
        "no memory gives E_OUTOFMEMORY");
  Check(Mapped([] { throw std::runtime_error("x"); }, E_FAIL) == E_FAIL &&
            Mapped([] { throw 7; }, E_UNEXPECTED) == E_UNEXPECTED,
        "anything else gives the entry point's fallback");
  Check(Message([] { throw std::runtime_error("Disk full"); }) == "Disk full" &&
            Message([] { throw 7; }) == "Unknown exception.",
        "the message of what was caught");
  try {
    com::Check(E_ACCESSDENIED, "Loading the type library");
    Check(false, "a failure is raised");
  } catch (const platform::HresultError& error) {
    Check(error.code() == E_ACCESSDENIED &&
              std::string(error.what()) == "Loading the type library failed (0x80070005)",
          "a failed call is raised with its code and step");
  }
}

void VariantChecks() {
  const std::string text =
      "Projekte \xC3\xBC"
      "ber \xE2\x82\xAC";
  com::Variant copy(com::Variant::Text(text));
  Check(copy.ToText() == text, "text keeps every character through a VARIANT");
  Check(com::Variant::Text("12").ToInt() == 12 && com::Variant::Int(0).ToBool() == false,
        "values convert as Automation converts them");
  try {
    com::Variant::Text("twelve").ToInt();
    Check(false, "text that is no number is refused");
  } catch (const platform::HresultError& error) {
    Check(std::string(error.what()) == "Type mismatch." && FAILED(error.code()),
          "text that is no number is a type mismatch");
  }
  Check(!com::Variant().ToDispatch(), "an empty value is no object");
  try {
    com::Variant::Int(3).ToDispatch();
    Check(false, "a number is no object");
  } catch (const platform::HresultError& error) {
    Check(error.code() == DISP_E_TYPEMISMATCH, "a number is no object");
  }
  const com::Variant missing = com::Variant::Missing();
  Check(missing.ref().vt == VT_ERROR && missing.ref().scode == DISP_E_PARAMNOTFOUND,
        "a left-out argument is DISP_E_PARAMNOTFOUND");
  com::Variant out;
  com::Variant::Text("handed over").Detach(out.get());
  Check(out.ref().vt == VT_BSTR && com::Utf8Of(out.ref().bstrVal) == "handed over",
        "a value is handed over");
  Check(com::Bstr().Utf8().empty() && com::Utf8Of(nullptr).empty(), "a null BSTR is empty text");
}

void DispatchChecks() {
  bool destroyed = false;
  com::DispatchRef probe(com::Make<Probe>(&destroyed), "Probe");
  Check(probe.Call(L"Answer").ToInt() == 42, "a member is called by name");
  try {
    probe.Call(L"Refuse");
    Check(false, "a raised error reaches the caller");
  } catch (const platform::HresultError& error) {
    Check(error.code() == E_ACCESSDENIED &&
              std::string(error.what()) == "Ce dossier est prot\xC3\xA9g\xC3\xA9.",
          "a raised error reaches the caller with its code and description");
  }
  try {
    probe.Call(L"Missing");
    Check(false, "an unknown member is refused");
  } catch (const platform::HresultError& error) {
    Check(std::string(error.what()) == "Probe.Missing failed (0x80020006).",
          "an unknown member is refused, naming it");
  }
  try {
    com::QueryDispatch(probe.get(), IID_IClassFactory, "IClassFactory");
    Check(false, "a refused interface is raised");
  } catch (const platform::HresultError& error) {
    Check(error.code() == E_NOINTERFACE &&
              std::string(error.what()) == "No such interface supported (IClassFactory).",
          "a refused interface is raised, naming it");
  }
  com::ExcepInfo info;
  com::ExcepInfo::Fill(info.get(), E_FAIL, L"QuivraOL", "Broken");
  Check(info.ref().scode == E_FAIL && com::Utf8Of(info.ref().bstrSource) == "QuivraOL" &&
            info.Description() == "Broken",
        "a failure is reported through the caller's EXCEPINFO");
  com::ExcepInfo::Fill(nullptr, E_FAIL, L"QuivraOL", "Broken");
}

void HandleChecks() {
  platform::win32::UniqueFile missing(platform::win32::ValidOrNull(
      ::CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr)));
  Check(!missing, "a file that cannot be opened is no handle");
  platform::win32::UniqueKey key;
  Check(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Receive()) ==
                ERROR_SUCCESS &&
            static_cast<bool>(key),
        "a key is received into its owner");
  platform::win32::UniqueKey moved(std::move(key));
  Check(!key && moved, "a moved owner leaves nothing behind");
}

}  // namespace

int main() {
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ObjectChecks();
  ErrorChecks();
  VariantChecks();
  DispatchChecks();
  HandleChecks();
  ::CoUninitialize();
  return e2e::Failures();
}
