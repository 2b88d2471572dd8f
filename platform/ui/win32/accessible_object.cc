#include "platform/ui/win32/accessible_object.h"

// After windows.h, which it needs.
#include <commctrl.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <atomic>
#include <new>
#include <string>

#include "platform/ui/html_label.h"
#include "platform/ui/win32/accessible_items.h"
#include "platform/win32/wide_text.h"

namespace quivra::ui::win32 {

namespace {

using Microsoft::WRL::ComPtr;
using platform::win32::Utf8ToWide;

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// Controls the system names by the label before them: those without a caption of their own.
bool TakesLabel(HWND window) {
  const std::wstring kind = ClassName(window);
  for (const wchar_t* labelled : {L"Edit", L"SysTreeView32", L"SysListView32", L"ComboBox",
                                  L"SysHeader32", L"msctls_updown32", L"msctls_hotkey32"}) {
    if (::lstrcmpiW(kind.c_str(), labelled) == 0) {
      return true;
    }
  }
  return false;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's accessible object of the window with the name and description of the control
// put over its own where they are needed; every other property and method is the system's.
// Lives as long as a screen reader holds it, which may be longer than the control: it keeps
// copies of the texts, not the control.
class ControlAccessible final : public IAccessible {
 public:
  ControlAccessible(ComPtr<IAccessible> system, std::wstring name, std::wstring description,
                    AccessibleItems items = {}, long role = 0)
      : system_(std::move(system)),
        name_(std::move(name)),
        description_(std::move(description)),
        role_(role),
        items_(items) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // IEnumVARIANT, IOleWindow and the rest come from the system's object; where we list the
    // items, the system's enumeration of child windows would contradict them.
    if (items_.window != nullptr && iid == IID_IEnumVARIANT) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return system_->QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      delete this;
    }
    return left;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return system_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return system_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return system_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* error,
                                   UINT* argument) override {
    return system_->Invoke(id, iid, locale, flags, params, result, error, argument);
  }

  // IAccessible: the name and description of the control itself are ours.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (items_.window != nullptr && !IsSelf(child)) {
      std::wstring text;
      if (!items_.Text(child, text)) {
        return E_INVALIDARG;
      }
      return Text(text, name);
    }
    if (!IsSelf(child) || name_.empty()) {
      return system_->get_accName(child, name);
    }
    return Text(name_, name);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (items_.window != nullptr && !IsSelf(child)) {
      return Text(items_.Description(child), description);
    }
    if (!IsSelf(child) || description_.empty()) {
      return system_->get_accDescription(child, description);
    }
    return Text(description_, description);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return system_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (items_.window != nullptr) {
      if (count == nullptr) {
        return E_POINTER;
      }
      *count = items_.Count();
      return S_OK;
    }
    return system_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (items_.window != nullptr && !IsSelf(child)) {
      if (object == nullptr) {
        return E_POINTER;
      }
      *object = nullptr;  // items are simple elements of the list or tree
      std::wstring text;
      return items_.Text(child, text) ? S_FALSE : E_INVALIDARG;
    }
    return system_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return system_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (items_.window != nullptr) {
      if (role == nullptr) {
        return E_POINTER;
      }
      ::VariantInit(role);
      role->vt = VT_I4;
      role->lVal = items_.Role(IsSelf(child));
      return S_OK;
    }
    if (role_ != 0 && IsSelf(child)) {
      if (role == nullptr) {
        return E_POINTER;
      }
      ::VariantInit(role);
      role->vt = VT_I4;
      role->lVal = role_;
      return S_OK;
    }
    return system_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (items_.window != nullptr && !IsSelf(child)) {
      if (state == nullptr) {
        return E_POINTER;
      }
      ::VariantInit(state);
      state->vt = VT_I4;
      state->lVal = items_.State(child);
      return S_OK;
    }
    return system_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return system_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return system_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return system_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return system_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return system_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return system_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return system_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return system_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return system_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return system_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return system_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return system_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return system_->put_accValue(child, value);
  }

 private:
  ~ControlAccessible() = default;

  static HRESULT Text(const std::wstring& text, BSTR* out) {
    if (out == nullptr) {
      return E_POINTER;
    }
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  std::atomic<ULONG> references_{1};
  ComPtr<IAccessible> system_;
  std::wstring name_;
  std::wstring description_;
  // The control's role where the system's object would not know it; 0 for the system's.
  long role_;
  AccessibleItems items_;
};

// The name the system's object gives the window, or empty.
std::wstring SystemName(IAccessible& system) {
  VARIANT self;
  ::VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::wstring text;
  if (system.get_accName(self, &name) == S_OK && name != nullptr) {
    text.assign(name, ::SysStringLen(name));
  }
  ::SysFreeString(name);
  return text;
}

long SystemRole(IAccessible& system) {
  VARIANT self;
  ::VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role;
  ::VariantInit(&role);
  const long value =
      system.get_accRole(self, &role) == S_OK && role.vt == VT_I4 ? role.lVal : 0;
  ::VariantClear(&role);
  return value;
}

}  // namespace

std::wstring WithoutAccessKey(const std::wstring& text) {
  std::wstring plain;
  plain.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == L'&') {
      ++at;
      if (at == text.size()) {
        break;
      }
    }
    plain += text[at];
  }
  return plain;
}

std::wstring PrecedingLabel(HWND window) {
  for (HWND sibling = ::GetWindow(window, GW_HWNDPREV); sibling != nullptr;
       sibling = ::GetWindow(sibling, GW_HWNDPREV)) {
    const LONG_PTR style = ::GetWindowLongPtrW(sibling, GWL_STYLE);
    const std::wstring kind = ClassName(sibling);
    // A group box around a tree or list without a label of its own says what it holds.
    const bool group_box = ::lstrcmpiW(kind.c_str(), L"Button") == 0 &&
                           (style & BS_TYPEMASK) == BS_GROUPBOX;
    const bool label = (::lstrcmpiW(kind.c_str(), L"Static") == 0 &&
                        (style & SS_TYPEMASK) != SS_ICON && (style & SS_TYPEMASK) != SS_BITMAP) ||
                       kind == L"QuivraHtmlLabel" || group_box;
    if (label && (style & WS_VISIBLE) != 0) {
      const std::wstring text = WithoutAccessKey(WindowText(sibling));
      if (!text.empty()) {
        return text;
      }
    }
    if ((style & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) {
      break;
    }
  }
  // A tree or list alone in its group box is named by the box.
  HWND parent = ::GetParent(window);
  if (parent != nullptr && ::GetWindow(window, GW_HWNDPREV) == nullptr &&
      ::lstrcmpiW(ClassName(parent).c_str(), L"Button") == 0 &&
      (::GetWindowLongPtrW(parent, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) {
    return WithoutAccessKey(WindowText(parent));
  }
  return {};
}

std::optional<LRESULT> AnswerGetObject(HWND window, const Control& control, WPARAM wparam,
                                       LPARAM lparam) {
  if (static_cast<LONG>(lparam) != OBJID_CLIENT) {
    return std::nullopt;
  }
  ComPtr<IAccessible> system;
  if (FAILED(::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(system.GetAddressOf())))) {
    return std::nullopt;
  }
  std::wstring name = Utf8ToWide(control.AccessibleName());
  if (name.empty()) {
    const std::wstring own = SystemName(*system.Get());
    if (own.empty() && TakesLabel(window)) {
      name = PrecedingLabel(window);
    }
    if (own.empty() && name.empty()) {
      name = WithoutAccessKey(Utf8ToWide(control.Hint()));
    }
  }
  AccessibleItems items;
  const std::wstring kind = ClassName(window);
  if ((kind == L"SysListView32" || kind == L"SysTreeView32") &&
      SystemRole(*system.Get()) == ROLE_SYSTEM_CLIENT) {
    items = {window, kind == L"SysTreeView32"};
  }
  // A label with a link is read as a link: the system's object sees only a window of our class.
  const auto* label = dynamic_cast<const HtmlLabel*>(&control);
  const long role = label != nullptr && label->FollowsLinks() ? ROLE_SYSTEM_LINK : 0;
  auto* object = new ControlAccessible(std::move(system), std::move(name),
                                       Utf8ToWide(control.AccessibleDescription()), items, role);
  const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wparam, object);
  object->Release();
  return result;
}

namespace {

// The column header of a list: named by the captions of its columns, as Windows' own header
// object names its items.
LRESULT CALLBACK HeaderProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                            DWORD_PTR) {
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, HeaderProc, 1);
  } else if (message == WM_GETOBJECT && static_cast<LONG>(lparam) == OBJID_CLIENT) {
    ComPtr<IAccessible> system;
    if (SUCCEEDED(::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                              reinterpret_cast<void**>(system.GetAddressOf())))) {
      std::wstring name;
      const int count = static_cast<int>(::SendMessageW(window, HDM_GETITEMCOUNT, 0, 0));
      for (int at = 0; at < count; ++at) {
        wchar_t text[128] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 128;
        ::SendMessageW(window, HDM_GETITEMW, static_cast<WPARAM>(at),
                       reinterpret_cast<LPARAM>(&item));
        if (text[0] != L'\0') {
          name += (name.empty() ? L"" : L", ") + std::wstring(text);
        }
      }
      if (name.empty()) {
        name = L"Columns";
      }
      auto* object = new (std::nothrow) ControlAccessible(std::move(system), name, L"");
      if (object != nullptr) {
        const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wparam, object);
        object->Release();
        return result;
      }
    }
  }
  return ::DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

void ExposeListHeader(HWND list) {
  if (HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0))) {
    ::SetWindowSubclass(header, HeaderProc, 1, 0);
  }
}

}  // namespace quivra::ui::win32
