// Reads every dialog of the add-in as a screen reader does: through Active Accessibility
// (oleacc's AccessibleObjectFromWindow and IAccessible), the dialog and each of its controls and
// their items (tree nodes, list rows). Prints the accessible tree and fails on a visible control
// that has no name or no role. Shows the real dialogs over the simulated Outlook inside a Wine
// prefix; exits with the number of failures.
#include <windows.h>

// After windows.h, which they need.
#include <oleacc.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "dialogs/add_folder_form.h"
#include "dialogs/config_dialog.h"
#include "dialogs/folder_picker.h"
#include "host/outlook/sim/standard_world.h"
#include "model/configuration.h"
#include "platform/compositions/win32/win32_platform.h"
#include "platform/shell.h"
#include "tests/e2e/picker_showing.h"
#include "tests/e2e/real_dialogs.h"
#include "tests/e2e/window_driver.h"

namespace {

using namespace quivra;
using namespace quivra::e2e;
using Microsoft::WRL::ComPtr;

using Fixture = RealDialogs;

// One of the object's texts (name, value, description) of `child`; empty when it has none.
using TextProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
std::string AccessibleText(IAccessible& object, LONG child, TextProperty property) {
  VARIANT id;
  ::VariantInit(&id);
  id.vt = VT_I4;
  id.lVal = child;
  BSTR value = nullptr;
  std::string text;
  if (SUCCEEDED((object.*property)(id, &value)) && value != nullptr) {
    text = WideToUtf8(value);
  }
  ::SysFreeString(value);
  return text;
}

std::string NameOf(IAccessible& object, LONG child) {
  return AccessibleText(object, child, &IAccessible::get_accName);
}

// The role's text as oleacc spells it; empty when the object has none.
std::string RoleOf(IAccessible& object, LONG child) {
  VARIANT id;
  ::VariantInit(&id);
  id.vt = VT_I4;
  id.lVal = child;
  VARIANT role;
  ::VariantInit(&role);
  if (FAILED(object.get_accRole(id, &role)) || role.vt != VT_I4 || role.lVal == 0) {
    ::VariantClear(&role);
    return "";
  }
  wchar_t text[80] = {};
  if (::GetRoleTextW(role.lVal, text, 80) == 0) {
    return "role " + std::to_string(role.lVal);
  }
  return WideToUtf8(text);
}

struct Walk {
  std::string dialog;
  int controls = 0;
  int items = 0;
  std::string nameless;
};

BOOL CALLBACK WalkControl(HWND window, LPARAM walk_address) {
  Walk& walk = *reinterpret_cast<Walk*>(walk_address);
  if (!::IsWindowVisible(window)) {
    return TRUE;
  }
  ComPtr<IAccessible> object;
  if (FAILED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(object.GetAddressOf()))) ||
      !object) {
    walk.nameless += " [" + WideToUtf8(ClassOf(window)) + ": no accessible object]";
    return TRUE;
  }
  ++walk.controls;
  const std::string name = NameOf(*object.Get(), CHILDID_SELF);
  const std::string role = RoleOf(*object.Get(), CHILDID_SELF);
  const std::string value = AccessibleText(*object.Get(), CHILDID_SELF, &IAccessible::get_accValue);
  std::printf("  %s \"%s\"%s (%s)\n", role.empty() ? "(no role)" : role.c_str(), name.c_str(),
              value.empty() ? "" : (" = \"" + value + "\"").c_str(),
              WideToUtf8(ClassOf(window)).c_str());
  if (name.empty() || role.empty()) {
    walk.nameless += " [" + WideToUtf8(ClassOf(window)) + " \"" + TextOf(window) + "\"]";
  }
  // Its simple elements (tree nodes, list rows); child windows are objects of their own, walked
  // as windows.
  LONG count = 0;
  if (SUCCEEDED(object->get_accChildCount(&count)) && count > 0) {
    std::vector<VARIANT> children(static_cast<size_t>(count));
    LONG got = 0;
    if (SUCCEEDED(::AccessibleChildren(object.Get(), 0, count, children.data(), &got))) {
      for (LONG at = 0; at < got; ++at) {
        VARIANT& child = children[static_cast<size_t>(at)];
        if (child.vt == VT_I4) {
          const std::string item = NameOf(*object.Get(), child.lVal);
          const std::string item_role = RoleOf(*object.Get(), child.lVal);
          const std::string description =
              AccessibleText(*object.Get(), child.lVal, &IAccessible::get_accDescription);
          const std::string about = description.empty() ? "" : " (" + description + ")";
          std::printf("    %s \"%s\"%s\n", item_role.empty() ? "(no role)" : item_role.c_str(),
                      item.c_str(), about.c_str());
          ++walk.items;
          if (item.empty() || item_role.empty()) {
            walk.nameless += " [item " + std::to_string(child.lVal) + " of " + name + "]";
          }
        }
        ::VariantClear(&child);
      }
    }
  }
  return TRUE;
}

// Walks the dialog's accessible tree, prints it and checks every name and role; then closes the
// dialog with Esc. Returns the number of items (tree nodes, list rows) read.
int WalkDialog(HWND dialog, const std::string& what) {
  Walk walk;
  walk.dialog = what;
  ComPtr<IAccessible> object;
  const HRESULT found = ::AccessibleObjectFromWindow(
      dialog, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(object.GetAddressOf()));
  Check(SUCCEEDED(found) && object, what + ": oleacc gives the dialog's accessible object (" +
                                        std::to_string(static_cast<unsigned long>(found)) + ")");
  if (object) {
    std::printf("%s \"%s\"\n", RoleOf(*object.Get(), CHILDID_SELF).c_str(),
                NameOf(*object.Get(), CHILDID_SELF).c_str());
  }
  ::EnumChildWindows(dialog, WalkControl, reinterpret_cast<LPARAM>(&walk));
  const std::string title = object ? NameOf(*object.Get(), CHILDID_SELF) : "";
  Check(!title.empty(), what + ": the dialog is named by its caption \"" + title + "\"");
  Check(walk.controls > 2 && walk.nameless.empty(),
        what + ": each of " + std::to_string(walk.controls) + " controls and " +
            std::to_string(walk.items) + " items has a name and a role" + walk.nameless);
  return walk.items;
}

Step CloseWith(const std::string& caption, WPARAM key) {
  return On(caption, [key](HWND dialog) {
    HWND focus = ::GetFocus();
    PressKey(focus != nullptr && ::IsChild(dialog, focus) ? focus : dialog, key);
  });
}

void Picker(Fixture& f) {
  int tree_nodes = 0;
  int with_matches = 0;
  Play({
      On("Folders", [&](HWND dialog) { tree_nodes = WalkDialog(dialog, "folder picker"); }),
      On("Folders", [](HWND dialog) { Type(Child(dialog, L"Edit"), "pro"); }),
      On("Folders",
         [&](HWND dialog) { with_matches = WalkDialog(dialog, "folder picker, \"pro\" found"); }),
      On("Folders",
         [](HWND dialog) {
           HWND find = Child(dialog, L"Edit");
           ComPtr<IAccessible> object;
           ::AccessibleObjectFromWindow(find, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(object.GetAddressOf()));
           const std::string name = object ? NameOf(*object.Get(), CHILDID_SELF) : "";
           const std::string said =
               object
                   ? AccessibleText(*object.Get(), CHILDID_SELF, &IAccessible::get_accDescription)
                   : "";
           Check(said.find("match") != std::string::npos,
                 "the find box \"" + name + "\" announces its matches: \"" + said + "\"");
         }),
      // The first Esc empties the Find box, the second closes the picker.
      CloseWith("Folders", VK_ESCAPE),
      CloseWith("Folders", VK_ESCAPE),
  });
  ShowPickerAsCallersDo(f.picker, true);
  Check(tree_nodes >= 9 && with_matches > tree_nodes,
        "the tree's shown folders and the list's matches are read as items (" +
            std::to_string(tree_nodes) + ", then " + std::to_string(with_matches) + ")");
}

void NewFolder(Fixture& f) {
  Play({
      On("Create New Folder", [](HWND dialog) { WalkDialog(dialog, "new folder dialog"); }),
      CloseWith("Create New Folder", VK_ESCAPE),
  });
  std::string name;
  dialogs::AskNewFolderName(f.forms, "Inbox", name);
}

void Config(Fixture& f) {
  for (const bool ribbon : {false, true}) {
    f.config.HostIsRibbonOutlook = ribbon;
    dialogs::TfrmConfig dialog(f.config, f.picker);
    const std::string what =
        std::string("configuration dialog (") + (ribbon ? "ribbon" : "command bar") + ")";
    Play({
        On("Configure Quivra", [what](HWND dialog) { WalkDialog(dialog, what); }),
        CloseWith("Configure Quivra", VK_ESCAPE),
    });
    f.picker.MruGroupList.SetEnabled(false);
    f.picker.ListView1.SetEnabled(false);
    f.picker.Panel1.SetEnabled(false);
    f.picker.FillTree();
    f.forms.ShowModal(dialog);
  }
  f.config.HostIsRibbonOutlook = false;
}

void About(Fixture& f) {
  dialogs::TFormAbout about(f.shell);
  Play({
      On("About Quivra", [](HWND dialog) { WalkDialog(dialog, "About box"); }),
      On("About Quivra",
         [](HWND dialog) {
           // The web site's link is read as a link, and Tab reaches it.
           HWND link = Child(dialog, L"QuivraHtmlLabel");
           ComPtr<IAccessible> object;
           if (link != nullptr) {
             ::AccessibleObjectFromWindow(link, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(object.GetAddressOf()));
           }
           wchar_t link_role[80] = {};
           ::GetRoleTextW(ROLE_SYSTEM_LINK, link_role, 80);
           const std::string role = object ? RoleOf(*object.Get(), CHILDID_SELF) : "";
           Check(!role.empty() && role == WideToUtf8(link_role),
                 "the About box's web site is read as a link (" + role + ")");
           Check(link != nullptr && (::GetWindowLongPtrW(link, GWL_STYLE) & WS_TABSTOP) != 0,
                 "the About box's link is a Tab stop");
         }),
      CloseWith("About Quivra", VK_ESCAPE),
  });
  f.forms.ShowModal(about);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    screenshot_folder = Utf8ToWide(argv[1]);
  }
  ::CoInitialize(nullptr);
  try {
    Fixture f;
    Picker(f);
    NewFolder(f);
    Config(f);
    About(f);
  } catch (const std::exception& error) {
    Check(false, std::string("unexpected error: ") + error.what());
  }
  std::printf("%d failure(s)\n", failures);
  ::CoUninitialize();
  return failures;
}
