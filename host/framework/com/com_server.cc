#include "host/framework/com/com_server.h"

#include <utility>

#include "host/framework/com/class_factory.h"
#include "host/framework/com/com_support.h"
#include "host/framework/com/win32_com_registration_services.h"
#include "platform/win32/com/bstr.h"
#include "platform/win32/com/caught_error.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_registry.h"

namespace quivra::framework::com {

using quivra::com::Bstr;
using quivra::com::Check;

namespace {

std::wstring ModuleFileName(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Holds a critical section for the scope.
class Locked {
 public:
  explicit Locked(CRITICAL_SECTION& section) : section_(section) {
    ::EnterCriticalSection(&section_);
  }
  ~Locked() { ::LeaveCriticalSection(&section_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

// The name (or the help string) of the library, or of a type in it.
std::string LibraryName(ITypeLib* library) {
  Bstr name;
  Check(library->GetDocumentation(-1, name.Receive(), nullptr, nullptr, nullptr),
        "Reading the type library's name");
  return platform::win32::WideToUtf8(name.str());
}

// The class's identity as registration writes it, taken from the type library: the ProgID is
// the library's name and the coclass's name, the description the coclass's help string.
TComClassIdentity Identity(ITypeLib* library, const TFactoryDescription& description) {
  Microsoft::WRL::ComPtr<ITypeInfo> class_info;
  Check(library->GetTypeInfoOfGuid(description.ClassId, &class_info),
        "Finding the class in the type library");
  Bstr class_name;
  Bstr class_doc;
  Check(class_info->GetDocumentation(MEMBERID_NIL, class_name.Receive(), class_doc.Receive(),
                                     nullptr, nullptr),
        "Reading the class's name");
  LibAttr attr(library);
  if (attr.get() == nullptr) {
    quivra::com::ThrowFailed(E_FAIL, "Reading the type library's attributes");
  }
  TComClassIdentity identity;
  identity.ClassId = GuidText(description.ClassId);
  identity.ProgId = LibraryName(library) + "." + platform::win32::WideToUtf8(class_name.str());
  identity.Description = platform::win32::WideToUtf8(class_doc.str());
  identity.LibId = GuidText(attr.get()->guid);
  identity.VersionMajor = attr.get()->wMajorVerNum;
  identity.VersionMinor = attr.get()->wMinorVerNum;
  identity.ThreadingModel = description.ThreadingModel;
  return identity;
}

void Report(const std::string& message) {
  ::OutputDebugStringW(platform::win32::Utf8ToWide(message + "\n").c_str());
}

}  // namespace

TComServer::TComServer(HMODULE module) : module_path_(ModuleFileName(module)) {
  ::InitializeCriticalSection(&type_library_lock_);
}

TComServer::~TComServer() {
  factories_.clear();
  type_library_.Reset();
  ::DeleteCriticalSection(&type_library_lock_);
}

void TComServer::AddFactory(TFactoryDescription description) {
  factories_.push_back(std::move(description));
}

ITypeLib* TComServer::TypeLibrary() {
  Locked locked(type_library_lock_);
  if (!type_library_) {
    Check(::LoadTypeLibEx(module_path_.c_str(), REGKIND_NONE, &type_library_),
          "Loading the type library");
  }
  return type_library_.Get();
}

void TComServer::LockServer(bool lock) {
  if (lock) {
    ++locks_;
    return;
  }
  long count = locks_.load();
  while (count > 0 && !locks_.compare_exchange_weak(count, count - 1)) {
  }
}

HRESULT TComServer::GetClassObject(REFCLSID class_id, REFIID iid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  *object = nullptr;
  for (const TFactoryDescription& description : factories_) {
    if (IsEqualCLSID(description.ClassId, class_id)) {
      return quivra::com::Make<TFactory>(*this, description)->QueryInterface(iid, object);
    }
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT TComServer::CanUnloadNow() const {
  return objects_ > 0 || locks_ > 0 ? S_FALSE : S_OK;
}

HRESULT TComServer::UpdateRegistry(bool do_register) {
  try {
    ITypeLib* library = TypeLibrary();
    std::vector<TFactoryRegistration> registrations;
    for (const TFactoryDescription& description : factories_) {
      registrations.push_back({Identity(library, description), description.ModuleInfo});
    }
    platform::win32::Win32Registry registry;
    Win32ComRegistrationServices services(library);
    UpdateServerRegistry(do_register, platform::win32::WideToUtf8(module_path_), registrations,
                         registry, services);
    return S_OK;
  } catch (...) {
    // Registration reports E_FAIL for any failure; what went wrong goes to the debugger.
    const std::string what = quivra::com::MessageOfCaught("");
    Report(std::string(do_register ? "Registration" : "Unregistration") + " failed" +
           (what.empty() ? "" : ": " + what));
  }
  return E_FAIL;
}

}  // namespace quivra::framework::com
